<?xml version="1.0" ?>
<osml version="2.0">
<semantics>
<symbol name="h" type="function" encoding="OSML">
<argument name="p">
<number> 1 </number>
</argument>
</symbol>
</semantics>
<math>
<definition name="x">
<number> 0.5 </number>
</definition>
<definition name="y">
<apply><function name="h" source="document"/><link> x </link></apply>
</definition>
</math>
</osml>
