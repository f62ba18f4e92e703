<?xml version="1.0" ?>
<osml version="2.0">
 <secure algorithm="SHA-256">
  4E62A93C C88A6480 8A407134 E18ECF17 173C704D 27F7ECA6 7745B2DE E636EFE7
 </secure>
 <semantics>
  <symbol encoding="formula" name="g" type="function">
   <formula>
    g(u,v)=u*v+1
   </formula>
  </symbol>
  <symbol encoding="formula" name="g@1" type="function">
   <formula>
    g(u,v)=u-v
   </formula>
  </symbol>
  <symbol encoding="OSML" name="g@2" type="function">
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
     <function name="g" source="document"/>
     <link> a </link>
     <link> a </link>
    </apply>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="g@3" type="function">
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
     <function name="times" source="core"/>
     <apply>
      <function name="g@2" source="document"/>
      <number> 1 </number>
      <number> 1 </number>
      <number> 2 </number>
     </apply>
     <number> 2 </number>
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
    <number> 2 </number>
   </argument>
   <definition name="f">
    <apply>
     <function name="times" source="core"/>
     <apply>
      <function name="g@3" source="document"/>
      <number> 1 </number>
      <number> 1 </number>
      <number> 2 </number>
     </apply>
     <number> 2 </number>
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
  <definition name="d1">
   <apply>
    <function name="g" source="document"/>
    <number> 1 </number>
    <number> 2 </number>
   </apply>
  </definition>
  <definition name="d2">
   <apply>
    <function name="g@1" source="document"/>
    <number> 1 </number>
    <number> 2 </number>
   </apply>
  </definition>
  <definition name="n1">
   <apply>
    <function name="g@2" source="document"/>
    <number> 1 </number>
    <number> 1 </number>
    <number> 2 </number>
   </apply>
  </definition>
  <definition name="n2">
   <apply>
    <function name="g@3" source="document"/>
    <number> 1 </number>
    <number> 1 </number>
    <number> 2 </number>
   </apply>
  </definition>
  <definition name="n3">
   <apply>
    <function name="g@4" source="document"/>
    <number> 1 </number>
    <number> 1 </number>
    <number> 2 </number>
   </apply>
  </definition>
 </math>
</osml>
