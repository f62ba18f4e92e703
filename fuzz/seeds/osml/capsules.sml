<?xml version="1.0" ?>
<osml version="2.0">
 <secure algorithm="SHA-256">
  CA74203A B949D9E4 F29D7B98 E90FA0 B22C4C70 DBF569B ABFFFF1A 49AB8BA
 </secure>
 <semantics>
  <symbol encoding="formula" name="g" type="function">
   <formula>
    g(u,v)=u*v+1
   </formula>
  </symbol>
 </semantics>
 <math>
  <definition name="x">
  </definition>
  <definition name="model">
   <apply>
    <function name="g" source="document" sourcetype="sml"/>
    <number> 1 </number>
    <number> 1 </number>
   </apply>
  </definition>
 </math>
</osml>
