<?xml version="1.0" ?>
<osml version="2.0">
 <secure algorithm="SHA-256">
  9CECFE66 C759E7F3 654BF22 4C6E0842 690AB3B 8884C2FA 72B28C52 F2B56D12
 </secure>
 <semantics>
  <symbol name="k" type="constant">
   <number> 1.75 </number>
  </symbol>
  <symbol encoding="formula" name="g" type="function">
   <formula>
    g(u,v)=u*v+1
   </formula>
  </symbol>
  <symbol encoding="formula" name="h" type="function">
   <formula>
    h(p,q)=p*p-q/2
   </formula>
  </symbol>
  <symbol encoding="OSML" name="f" type="function">
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
      <function name="g" source="document"/>
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
  <definition name="t100">
   <number> 1 </number>
  </definition>
  <definition name="t101">
   <apply>
    <function name="opposite" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t102">
   <apply>
    <function name="inverse" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t200">
   <apply>
    <function name="plus" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t201">
   <apply>
    <function name="minus" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t202">
   <apply>
    <function name="times" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t203">
   <apply>
    <function name="divide" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t204">
   <apply>
    <function name="i-times" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t205">
   <apply>
    <function name="i-plus" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t206">
   <apply>
    <function name="i-minus" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t207">
   <apply>
    <function name="product" source="core"/>
    <link> x </link>
    <number> 1 </number>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t208">
   <apply>
    <function name="sum" source="core"/>
    <link> x </link>
    <number> 1 </number>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t209">
   <apply>
    <function name="mean" source="core"/>
    <link> x </link>
    <number> 1 </number>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t210">
   <apply>
    <function name="if-else" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
   </apply>
  </definition>
  <definition name="t211">
   <apply>
    <function name="lower-than" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t212">
   <apply>
    <function name="greather-than" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
   </apply>
  </definition>
  <definition name="t213">
   <apply>
    <function name="include" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
   </apply>
  </definition>
  <definition name="t214">
   <apply>
    <function name="functor" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
   </apply>
  </definition>
  <definition name="t230">
   <apply>
    <function name="file-2c" source="core"/>
    <link> x </link>
    <string file="null-file">  </string>
    <number type="boolean"> 1 </number>
   </apply>
  </definition>
  <definition name="t300">
   <apply>
    <function name="real" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t301">
   <apply>
    <function name="imaginary" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t302">
   <apply>
    <function name="abs" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t303">
   <apply>
    <function name="norm" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t304">
   <apply>
    <function name="arg" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t305">
   <apply>
    <function name="conjugate" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t306">
   <apply>
    <function name="square" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t307">
   <apply>
    <function name="root" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t308">
   <apply>
    <function name="exp" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t309">
   <apply>
    <function name="ln" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t310">
   <apply>
    <function name="log" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t311">
   <apply>
    <function name="cos" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t312">
   <apply>
    <function name="sin" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t313">
   <apply>
    <function name="tan" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t314">
   <apply>
    <function name="cot" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t315">
   <apply>
    <function name="csc" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t316">
   <apply>
    <function name="sec" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t317">
   <apply>
    <function name="arccos" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t318">
   <apply>
    <function name="arcsin" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t319">
   <apply>
    <function name="arctan" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t320">
   <apply>
    <function name="arccot" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t321">
   <apply>
    <function name="arccsc" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t322">
   <apply>
    <function name="arcsec" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t323">
   <apply>
    <function name="cosh" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t324">
   <apply>
    <function name="sinh" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t325">
   <apply>
    <function name="tanh" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t326">
   <apply>
    <function name="coth" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t327">
   <apply>
    <function name="csch" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t328">
   <apply>
    <function name="sech" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t329">
   <apply>
    <function name="arccosh" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t330">
   <apply>
    <function name="arcsinh" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t331">
   <apply>
    <function name="arctanh" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t332">
   <apply>
    <function name="arccoth" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t333">
   <apply>
    <function name="arccsch" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t334">
   <apply>
    <function name="arcsech" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t335">
   <apply>
    <function name="pow" source="core"/>
    <link> x </link>
    <number type="integer"> 2 </number>
   </apply>
  </definition>
  <definition name="t336">
   <apply>
    <function name="power" source="core"/>
    <link> x </link>
    <number type="real"> 0 </number>
   </apply>
  </definition>
  <definition name="t400">
   <constant name="pi" source="core"/>
  </definition>
  <definition name="t403">
   <constant name="e" source="core"/>
  </definition>
  <definition name="t406">
   <constant name="h" source="core"/>
  </definition>
  <definition name="t407">
   <constant name="k" source="core"/>
  </definition>
  <definition name="t408">
   <constant name="C1L" source="core"/>
  </definition>
  <definition name="t409">
   <constant name="C2" source="core"/>
  </definition>
  <definition name="t501">
   <apply>
    <function name="random" source="core"/>
   </apply>
  </definition>
  <definition name="t600">
   <number type="integer"> 0 </number>
  </definition>
  <definition name="t601">
   <number type="rational"> 0<sep/> 1 </number>
  </definition>
  <definition name="t602">
   <number type="real"> 0 </number>
  </definition>
  <definition name="t603">
   <number type="complex"> 0<sep/> 0 </number>
  </definition>
  <definition name="t604">
   <number type="boolean"> 0 </number>
  </definition>
  <definition name="t610">
   <string file="string">  </string>
  </definition>
  <definition name="t700">
   <apply>
    <function name="gaussian" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t701">
   <apply>
    <function name="lorentzian" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t702">
   <apply>
    <function name="voigt" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
    <number> 2.75 </number>
   </apply>
  </definition>
  <definition name="t703">
   <apply>
    <function name="pearsonVII" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
    <number> 2.75 </number>
   </apply>
  </definition>
  <definition name="t704">
   <apply>
    <function name="gauss-lorentz" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
    <number> 2.75 </number>
   </apply>
  </definition>
  <definition name="t706">
   <apply>
    <function name="laplace" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
    <number> 2.75 </number>
   </apply>
  </definition>
  <definition name="t799">
   <apply>
    <function name="gaussian-area" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t900">
   <apply>
    <function name="phonon-3p" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t901">
   <apply>
    <function name="phonon-4p" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
    <number> 2.75 </number>
   </apply>
  </definition>
  <definition name="t902">
   <apply>
    <function name="phonon-anharmonic" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t903">
   <apply>
    <function name="phonon-anharmonic-i" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t904">
   <apply>
    <function name="drude" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
   </apply>
  </definition>
  <definition name="t905">
   <apply>
    <function name="plasmon" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t906">
   <apply>
    <function name="voigt-kkg" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
    <number> 2.75 </number>
   </apply>
  </definition>
  <definition name="t907">
   <apply>
    <function name="gaussian-kkg" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
   </apply>
  </definition>
  <definition name="t908">
   <apply>
    <function name="laplace-kkg" source="core"/>
    <link> x </link>
    <number> 1.25 </number>
    <number> 1.75 </number>
    <number> 2.25 </number>
    <number> 2.75 </number>
   </apply>
  </definition>
  <definition name="t909">
   <apply>
    <function name="gaussian-distribution-dho" source="core"/>
    <number type="real"> 0 </number>
    <number type="real"> 1 </number>
    <number type="real"> 100 </number>
    <number type="real"> 10 </number>
    <number type="real"> 1 </number>
   </apply>
  </definition>
  <definition name="t920">
   <apply>
    <function name="gaussian-distribution-sqo" source="core"/>
    <number type="real"> 0 </number>
    <number type="real"> 1 </number>
    <number type="real"> 100 </number>
    <number type="real"> 10 </number>
    <number> 0.75 </number>
   </apply>
  </definition>
  <definition name="t1200">
   <apply>
    <function name="dawson" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t1201">
   <apply>
    <function name="faddeeva" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t1202">
   <apply>
    <function name="exp-integral-E1" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t1203">
   <apply>
    <function name="exp-integral-Ei" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t1204">
   <apply>
    <function name="exp-integral-exp-Ei" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="t1205">
   <apply>
    <function name="gamma" source="core"/>
    <link> x </link>
   </apply>
  </definition>
  <definition name="ref">
   <link> x </link>
  </definition>
  <definition name="versatile">
   <apply>
    <function name="f" source="document"/>
    <number> 1 </number>
    <number> 1 </number>
    <number> 2 </number>
   </apply>
  </definition>
  <definition name="formula">
   <apply>
    <function name="h" source="document"/>
    <link> x </link>
    <number> 1 </number>
   </apply>
  </definition>
  <definition name="constant">
   <constant name="k" source="document"/>
  </definition>
  <definition name="off">
  </definition>
 </math>
</osml>
