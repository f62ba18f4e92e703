<?xml version="1.0" ?>
<osml version="2.0">
<math>
<definition name="x">
<number> 0.5 </number>
</definition>
<definition name="y">
<apply><value/></apply>
</definition>
</math>
</osml>
