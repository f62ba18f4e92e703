<?xml version="1.0" ?>
<osml version="2.0">
 <secure algorithm="SHA-256">
  3D52BE62 23A9BEDB FE4DEC2F 7377A329 5FC8C701 79E2A1DE 520D00B F22606C5
 </secure>
 <semantics>
  <symbol name="h" type="constant">
   <number> 2.25 </number>
  </symbol>
  <symbol name="g@1" type="constant">
   <number> 1.5 </number>
  </symbol>
  <symbol name="h@2" type="constant">
   <number> 1.5 </number>
  </symbol>
  <symbol name="g@2" type="constant">
   <number> 2.25 </number>
  </symbol>
  <symbol name="g@3" type="constant">
   <number> 1.5 </number>
  </symbol>
  <symbol name="g@5" type="constant">
   <number> 2.25 </number>
  </symbol>
  <symbol encoding="formula" name="g" type="function">
   <formula>
    g(u,v)=u*v+1
   </formula>
  </symbol>
  <symbol encoding="formula" name="h@1" type="function">
   <formula>
    h(u,v)=u*v+1
   </formula>
  </symbol>
  <symbol encoding="formula" name="g@6" type="function">
   <formula>
    g(u,v)=u/2+v*v
   </formula>
  </symbol>
  <symbol encoding="OSML" name="h@3" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <argument name="model">
    <number> 1 </number>
   </argument>
   <argument name="a">
    <number> 3 </number>
   </argument>
   <definition name="f">
    <number> 3 </number>
   </definition>
   <definition name="e">
    <apply>
     <function name="times" source="core"/>
     <link> f </link>
     <number> 2 </number>
    </apply>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="h@4" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <argument name="model">
    <number> 1 </number>
   </argument>
   <argument name="a">
    <number> 2.5 </number>
   </argument>
   <definition name="f">
    <apply>
     <function name="h@3" source="document"/>
     <constant name="h@2" source="document"/>
     <constant name="g@1" source="document"/>
     <link> a </link>
    </apply>
   </definition>
   <definition name="e">
    <apply>
     <function name="times" source="core"/>
     <link> f </link>
     <number> 2 </number>
    </apply>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="h@5" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <argument name="model">
    <number> 1 </number>
   </argument>
   <argument name="a">
    <number> 0.25 </number>
   </argument>
   <definition name="e">
    <apply>
     <function name="times" source="core"/>
     <link> f </link>
     <number> 2 </number>
    </apply>
   </definition>
   <definition name="f">
    <constant name="g@2" source="document"/>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="h@6" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <argument name="model">
    <number> 1 </number>
   </argument>
   <argument name="a">
    <number> 0.25 </number>
   </argument>
   <definition name="e">
    <apply>
     <function name="times" source="core"/>
     <link> f </link>
     <number> 2 </number>
    </apply>
   </definition>
   <definition name="f">
    <apply>
     <function name="times" source="core"/>
     <number> 3 </number>
     <constant name="g@3" source="document"/>
    </apply>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="g@4" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <argument name="model">
    <number> 1 </number>
   </argument>
   <argument name="a">
    <number> 1.5 </number>
   </argument>
   <argument name="f">
    <number> 2 </number>
   </argument>
   <definition name="e">
    <apply>
     <function name="times" source="core"/>
     <link> f </link>
     <number> 2 </number>
    </apply>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="h@7" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <argument name="model">
    <number> 1 </number>
   </argument>
   <argument name="a">
    <number> 1 </number>
   </argument>
   <definition name="e">
    <apply>
     <function name="times" source="core"/>
     <link> f </link>
     <number> 2 </number>
    </apply>
   </definition>
   <definition name="f">
    <link> a </link>
   </definition>
  </symbol>
 </semantics>
 <math>
  <definition name="x">
  </definition>
  <definition name="model">
   <number> 1 </number>
  </definition>
  <definition name="d0">
   <apply>
    <function name="g" source="document"/>
    <apply>
     <function name="h@4" source="document"/>
     <number> 2 </number>
     <link> x </link>
     <apply>
      <function name="h@5" source="document"/>
      <constant name="h" source="document"/>
      <link> x </link>
      <link> x </link>
     </apply>
    </apply>
    <apply>
     <function name="h@6" source="document"/>
     <apply>
      <function name="g@4" source="document"/>
      <link> x </link>
      <number> 2.75 </number>
      <number> 0.25 </number>
      <constant name="g@1" source="document"/>
     </apply>
     <apply>
      <function name="h@1" source="document"/>
      <link> x </link>
      <link> x </link>
     </apply>
     <apply>
      <function name="plus" source="core"/>
      <link> x </link>
      <link> x </link>
     </apply>
    </apply>
   </apply>
  </definition>
  <definition name="d1">
   <apply>
    <function name="plus" source="core"/>
    <apply>
     <function name="h@1" source="document"/>
     <link> x </link>
     <number> 2.25 </number>
    </apply>
    <apply>
     <function name="h@7" source="document"/>
     <apply>
      <function name="g@6" source="document"/>
      <constant name="g@5" source="document"/>
      <link> x </link>
     </apply>
     <apply>
      <function name="times" source="core"/>
      <number> 1.25 </number>
      <link> x </link>
     </apply>
     <apply>
      <function name="times" source="core"/>
      <constant name="g@5" source="document"/>
      <number> 2.25 </number>
     </apply>
    </apply>
   </apply>
  </definition>
  <definition name="d2">
   <apply>
    <function name="plus" source="core"/>
    <apply>
     <function name="times" source="core"/>
     <constant name="g@3" source="document"/>
     <link> x </link>
    </apply>
    <link> x </link>
   </apply>
  </definition>
  <definition name="sum">
   <apply>
    <function name="plus" source="core"/>
    <link> d0 </link>
    <number> 3 </number>
   </apply>
  </definition>
 </math>
</osml>
