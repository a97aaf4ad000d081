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
0#$@Home#$@index.html#$@_self#$@#$@
0#$@Products#$@#$@_self#$@#$@
1#$@Designer#$@products/designer.html#$@_self#$@#$@
1#$@Templates#$@products/templates.html#$@_self#$@#$@
1#$@Add-ons#$@#$@_self#$@#$@
2#$@Icon packs#$@products/icons.html#$@_self#$@#$@
2#$@Effects#$@products/effects.html#$@_self#$@#$@
0#$@Services#$@#$@_self#$@#$@
1#$@Consulting#$@services/consulting.html#$@_self#$@#$@
1#$@Training#$@services/training.html#$@_self#$@#$@
0#$@Support#$@#$@_self#$@#$@
1#$@Documentation#$@support/docs.html#$@_self#$@#$@
1#$@Forum#$@https://forum.example.org/#$@_self#$@#$@
1#$@Contact us#$@support/contact.html#$@_self#$@#$@
0#$@About#$@about.html#$@_self#$@#$@
</Structure_Description>
