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
<Format_Extensions>
Text_Encoding=UTF-8
</Format_Extensions>
<Structure_Description>
0#$@Привет#$@/мир.html#$@_self#$@Ελληνικά 😀#$@
1#$@日本語#$@#$@_blank#$@مرحبا#$@
0#$@Łódź#$@http://x.example/#$@_self#$@#$@
</Structure_Description>
