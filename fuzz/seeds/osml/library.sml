<?xml version="1.0" ?>
<!-- two functions -->
<osml version="2.0">
 <semantics>
  <symbol encoding="OSML" name="twice" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <definition name="twice">
    <apply>
     <function name="times" source="core"/>
     <link> x </link>
     <number type="rational"> 2<sep/> 1 </number>
    </apply>
   </definition>
  </symbol>
  <symbol name="k" type="constant">
   <number> 1.75 </number>
  </symbol>
  <symbol encoding="formula" name="h" type="function">
   <formula>
    h(p,q)=p*p-q/2
   </formula>
  </symbol>
 </semantics>
 <math>
  <definition name="y">
   <apply>
    <function name="twice" source="document"/>
    <apply>
     <function name="h" source="document"/>
     <constant name="k" source="document"/>
     <number type="complex"> 1<sep/> -2 </number>
    </apply>
   </apply>
  </definition>
 </math>
</osml>
