<?xml version="1.0" ?>
<osml version="2.0">
 <secure algorithm="SHA-256">
  9136376B A0BCFEAD 6AC2E554 E2D65E99 9A7622DD 21165BDB FF18357F D1C9DEBF
 </secure>
 <semantics>
  <symbol encoding="OSML" name="phonon" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <definition name="phonon">
    <apply>
     <function name="phonon-3p" source="core"/>
     <link> x </link>
     <number> 1 </number>
     <number> 100 </number>
     <number> 10 </number>
    </apply>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="drude" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <definition name="drude">
    <apply>
     <function name="drude" source="core"/>
     <link> x </link>
     <number> 100 </number>
     <number> 10 </number>
    </apply>
   </definition>
  </symbol>
  <symbol encoding="OSML" name="square" type="function">
   <argument name="x">
    <number> 1 </number>
   </argument>
   <definition name="square">
    <apply>
     <function name="square" source="core"/>
     <link> x </link>
    </apply>
   </definition>
  </symbol>
 </semantics>
</osml>
