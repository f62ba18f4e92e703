<?xml version="1.0" ?>
<osml version="2.0">
<math>
<definition name="a">
<number> nan </number>
</definition>
<definition name="b">
<number type="complex"> 1e999 <sep/> -inf </number>
</definition>
</math>
</osml>
