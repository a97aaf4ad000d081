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
0#$@Home#$@/#$@_self#$@#$@
0#$@Services#$@/services/#$@_self#$@#$@
1#$@Garden Design#$@/services/design/#$@_self#$@#$@
1#$@Garden Care#$@/services/care/#$@_self#$@#$@
2#$@Lawns#$@/services/care/lawns/#$@_self#$@#$@
2#$@Hedges & Trees#$@/services/care/hedges/#$@_self#$@#$@
0#$@Journal#$@/category/journal/#$@_self#$@#$@
0#$@Shop#$@https://shop.example.net/#$@_blank#$@#$@
0#$@Contact#$@/contact/#$@_self#$@#$@
</Structure_Description>
