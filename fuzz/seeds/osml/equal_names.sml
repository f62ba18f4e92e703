<?xml version="1.0" ?>
<osml version="2.0">
 <secure algorithm="SHA-256">
  E8F9DC22 66FA7993 89936D95 2CA614AB 36B7832B 31CCDA5B 36DAD506 18035B4E
 </secure>
 <semantics>
  <symbol encoding="formula" name="g@1" type="function">
   <formula>
    g(u,v)=u*v+1
   </formula>
  </symbol>
  <symbol encoding="OSML" name="g" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <argument name="model">
    <number> 1 </number>
   </argument>
   <argument name="a">
    <number> 2 </number>
   </argument>
   <definition name="f">
    <apply>
     <function name="plus" source="core"/>
     <apply>
      <function name="times" source="core"/>
      <link> a </link>
      <number> 3 </number>
     </apply>
     <apply>
      <function name="g@1" source="document"/>
      <link> a </link>
      <number> 1 </number>
     </apply>
    </apply>
   </definition>
  </symbol>
 </semantics>
 <math>
  <definition name="x">
  </definition>
  <definition name="model">
   <number> 1 </number>
  </definition>
  <definition name="y">
   <apply>
    <function name="g" source="document"/>
    <number> 1 </number>
    <number> 1 </number>
    <number> 2 </number>
   </apply>
  </definition>
 </math>
</osml>
