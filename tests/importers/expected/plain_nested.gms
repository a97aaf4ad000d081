<Generator_Name>
Velmora
</Generator_Name>
<Generator_Version>
1.0
</Generator_Version>
<Product_Name>
General Menu Structure Description Format
</Product_Name>
<Product_Version>
1.0
</Product_Version>
<Structure_Description>
0#$@Start page#$@index.htm#$@_self#$@#$@
0#$@Products#$@#$@_self#$@#$@
1#$@Widgets & Gadgets#$@widgets.htm#$@_self#$@#$@
1#$@Tools#$@tools.htm#$@_self#$@#$@
1#$@More products#$@more.htm#$@_self#$@#$@
1#$@Old catalogue#$@../archive/old.htm#$@archive#$@#$@
0#$@Top of page#$@##$@_self#$@#$@
1#$@A list straight inside a list#$@deep.htm#$@_self#$@#$@
1#$@Links#$@links.htm#$@_self#$@#$@
2#$@Friends#$@friends.htm#$@_self#$@#$@
</Structure_Description>
