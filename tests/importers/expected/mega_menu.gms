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
0#$@Shop#$@/shop/#$@_self#$@#$@
1#$@Bikes#$@#$@_self#$@#$@
2#$@Road#$@/bikes/road/#$@_self#$@#$@
2#$@Gravel#$@/bikes/gravel/#$@_self#$@#$@
2#$@City & Touring#$@/bikes/city/#$@_self#$@#$@
1#$@Parts#$@#$@_self#$@#$@
2#$@Wheels#$@/parts/wheels/#$@_self#$@#$@
2#$@Brakes#$@/parts/brakes/#$@_self#$@#$@
0#$@Explore#$@#$@_self#$@#$@
1#$@Rides#$@#$@_self#$@#$@
2#$@Weekly rides#$@/rides/weekly/#$@_self#$@#$@
2#$@Route library#$@/rides/routes/#$@_self#$@#$@
1#$@Workshop#$@#$@_self#$@#$@
2#$@Book a service#$@/workshop/booking/#$@_self#$@#$@
0#$@About#$@/about/#$@_self#$@#$@
</Structure_Description>
