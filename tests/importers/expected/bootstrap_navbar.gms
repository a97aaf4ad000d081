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
0#$@Breads#$@##$@_self#$@#$@
1#$@Sourdough#$@breads/sourdough.html#$@_self#$@#$@
1#$@Rye#$@breads/rye.html#$@_self#$@#$@
1#$@Seasonal#$@#$@_self#$@#$@
1#$@Christmas Stollen#$@breads/stollen.html#$@_self#$@#$@
0#$@Cakes & Pastries#$@##$@_self#$@#$@
1#$@Tarts#$@cakes.html#tarts#$@_self#$@#$@
1#$@Éclairs#$@cakes.html#eclairs#$@_self#$@#$@
0#$@Coffee#$@##$@_self#$@#$@
1#$@Hot#$@#$@_self#$@#$@
1#$@Espresso#$@coffee.html#espresso#$@_self#$@#$@
1#$@Filter#$@coffee.html#filter#$@_self#$@#$@
1#$@Cold brew#$@coffee.html#cold-brew#$@_self#$@#$@
0#$@Find Us#$@https://maps.example.com/harbour-bakery#$@_blank#$@#$@
</Structure_Description>
