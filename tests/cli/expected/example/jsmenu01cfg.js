/*
Velmora 1.0
Copyright (C) 2026 Vorn. All rights reserved.
https://www.vorn.example/velmora/
https://www.vorn.example/velmora/support/
*/
CImenu42(['Home',1,0,12,8,6,6,'index.html','_self','','Back to the start page',-1,1,120,28,,,'menu42itemn1','menu42itemo2','menu42itemc3','','','',16,16,'','','',16,16,'','','',16,16,0,0,0,0,1]);
CImenu42(['Products',1,0,12,8,6,6,'','_self','','',-1,1,120,28,,,'menu42itemn1','menu42itemo2','menu42itemc3','','','',16,16,'','','',16,16,'','','',16,16,0,0,0,0,1]);
CImenu42(['Designer',0,0,14,8,6,6,'products/designer.html','_self','','',1,1,170,32,,,'menu42itemn4','menu42itemo5','menu42itemc6','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Templates',0,0,14,8,6,6,'products/templates.html','_self','','',1,1,170,32,,,'menu42itemn7','menu42itemo8','menu42itemc9','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Add-ons',0,0,14,8,6,6,'','_self','','',1,1,170,32,,,'menu42itemn7','menu42itemo8','menu42itemc9','','','',16,16,'','','',16,32,'arrow.gif','arrow.gif','arrow.gif',8,8,0,0,0,0,1]);
CImenu42(['Icon packs',0,0,14,8,6,6,'products/icons.html','_self','','',4,1,170,32,,,'menu42itemn4','menu42itemo5','menu42itemc6','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Effects',0,0,14,8,6,6,'products/effects.html','_self','','',4,1,170,32,,,'menu42itemn7','menu42itemo8','menu42itemc9','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Services',1,0,12,8,6,6,'','_self','','',-1,1,120,28,,,'menu42itemn1','menu42itemo2','menu42itemc3','','','',16,16,'','','',16,16,'','','',16,16,0,0,0,0,1]);
CImenu42(['Consulting',0,0,14,8,6,6,'services/consulting.html','_self','','',7,1,170,32,,,'menu42itemn4','menu42itemo5','menu42itemc6','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Training',0,0,14,8,6,6,'services/training.html','_self','','',7,1,170,32,,,'menu42itemn7','menu42itemo8','menu42itemc9','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Support',1,0,12,8,6,6,'','_self','','',-1,1,120,28,,,'menu42itemn1','menu42itemo2','menu42itemc3','','','',16,16,'','','',16,16,'','','',16,16,0,0,0,0,1]);
CImenu42(['Documentation',0,0,14,8,6,6,'support/docs.html','_self','','',10,1,170,32,,,'menu42itemn4','menu42itemo5','menu42itemc6','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Forum',0,0,14,8,6,6,'https://forum.example.org/','_self','','',10,1,170,32,,,'menu42itemn7','menu42itemo8','menu42itemc9','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['Contact us',0,0,14,8,6,6,'support/contact.html','_self','','',10,1,170,32,,,'menu42itemn7','menu42itemo8','menu42itemc9','','','',16,16,'','','',16,32,'','','',16,16,0,0,0,0,1]);
CImenu42(['About',1,0,12,8,6,6,'about.html','_self','','',-1,1,120,28,,,'menu42itemn1','menu42itemo2','menu42itemc3','','','',16,16,'','','',16,16,'','','',16,16,0,0,0,0,1]);
function CImenu42(ipa){
if(!(window.menu42cfg)){eval('window.menu42cfg=new Array();');};
menu42cfg[menu42cfg.length]=ipa;};
function Initmenu42(){
if (!window.bMac){setTimeout('Initmenu42()',350);return;};
bbae('menu42',menu42cfg,'menu42div',1,0,120,200,2,0,'progid:DXImageTransform.Microsoft.Fade()',300,150,2,0,'progid:DXImageTransform.Microsoft.Fade()');};
Initmenu42();
