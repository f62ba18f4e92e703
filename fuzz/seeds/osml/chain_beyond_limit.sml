<?xml version="1.0" ?>
<osml version="2.0">
<semantics>
<symbol name="s0" type="function" encoding="OSML"><definition name="s0"><number> 1.5 </number></definition></symbol>
<symbol name="s1" type="function" encoding="OSML"><definition name="s1"><apply><function name="s0" source="document"/></apply></definition></symbol>
<symbol name="s2" type="function" encoding="OSML"><definition name="s2"><apply><function name="s1" source="document"/></apply></definition></symbol>
<symbol name="s3" type="function" encoding="OSML"><definition name="s3"><apply><function name="s2" source="document"/></apply></definition></symbol>
<symbol name="s4" type="function" encoding="OSML"><definition name="s4"><apply><function name="s3" source="document"/></apply></definition></symbol>
<symbol name="s5" type="function" encoding="OSML"><definition name="s5"><apply><function name="s4" source="document"/></apply></definition></symbol>
<symbol name="s6" type="function" encoding="OSML"><definition name="s6"><apply><function name="s5" source="document"/></apply></definition></symbol>
<symbol name="s7" type="function" encoding="OSML"><definition name="s7"><apply><function name="s6" source="document"/></apply></definition></symbol>
<symbol name="s8" type="function" encoding="OSML"><definition name="s8"><apply><function name="s7" source="document"/></apply></definition></symbol>
<symbol name="s9" type="function" encoding="OSML"><definition name="s9"><apply><function name="s8" source="document"/></apply></definition></symbol>
<symbol name="s10" type="function" encoding="OSML"><definition name="s10"><apply><function name="s9" source="document"/></apply></definition></symbol>
<symbol name="s11" type="function" encoding="OSML"><definition name="s11"><apply><function name="s10" source="document"/></apply></definition></symbol>
<symbol name="s12" type="function" encoding="OSML"><definition name="s12"><apply><function name="s11" source="document"/></apply></definition></symbol>
<symbol name="s13" type="function" encoding="OSML"><definition name="s13"><apply><function name="s12" source="document"/></apply></definition></symbol>
<symbol name="s14" type="function" encoding="OSML"><definition name="s14"><apply><function name="s13" source="document"/></apply></definition></symbol>
<symbol name="s15" type="function" encoding="OSML"><definition name="s15"><apply><function name="s14" source="document"/></apply></definition></symbol>
<symbol name="s16" type="function" encoding="OSML"><definition name="s16"><apply><function name="s15" source="document"/></apply></definition></symbol>
<symbol name="s17" type="function" encoding="OSML"><definition name="s17"><apply><function name="s16" source="document"/></apply></definition></symbol>
<symbol name="s18" type="function" encoding="OSML"><definition name="s18"><apply><function name="s17" source="document"/></apply></definition></symbol>
<symbol name="s19" type="function" encoding="OSML"><definition name="s19"><apply><function name="s18" source="document"/></apply></definition></symbol>
<symbol name="s20" type="function" encoding="OSML"><definition name="s20"><apply><function name="s19" source="document"/></apply></definition></symbol>
<symbol name="s21" type="function" encoding="OSML"><definition name="s21"><apply><function name="s20" source="document"/></apply></definition></symbol>
<symbol name="s22" type="function" encoding="OSML"><definition name="s22"><apply><function name="s21" source="document"/></apply></definition></symbol>
<symbol name="s23" type="function" encoding="OSML"><definition name="s23"><apply><function name="s22" source="document"/></apply></definition></symbol>
<symbol name="s24" type="function" encoding="OSML"><definition name="s24"><apply><function name="s23" source="document"/></apply></definition></symbol>
<symbol name="s25" type="function" encoding="OSML"><definition name="s25"><apply><function name="s24" source="document"/></apply></definition></symbol>
<symbol name="s26" type="function" encoding="OSML"><definition name="s26"><apply><function name="s25" source="document"/></apply></definition></symbol>
<symbol name="s27" type="function" encoding="OSML"><definition name="s27"><apply><function name="s26" source="document"/></apply></definition></symbol>
<symbol name="s28" type="function" encoding="OSML"><definition name="s28"><apply><function name="s27" source="document"/></apply></definition></symbol>
<symbol name="s29" type="function" encoding="OSML"><definition name="s29"><apply><function name="s28" source="document"/></apply></definition></symbol>
<symbol name="s30" type="function" encoding="OSML"><definition name="s30"><apply><function name="s29" source="document"/></apply></definition></symbol>
<symbol name="s31" type="function" encoding="OSML"><definition name="s31"><apply><function name="s30" source="document"/></apply></definition></symbol>
<symbol name="s32" type="function" encoding="OSML"><definition name="s32"><apply><function name="s31" source="document"/></apply></definition></symbol>
<symbol name="s33" type="function" encoding="OSML"><definition name="s33"><apply><function name="s32" source="document"/></apply></definition></symbol>
<symbol name="s34" type="function" encoding="OSML"><definition name="s34"><apply><function name="s33" source="document"/></apply></definition></symbol>
<symbol name="s35" type="function" encoding="OSML"><definition name="s35"><apply><function name="s34" source="document"/></apply></definition></symbol>
<symbol name="s36" type="function" encoding="OSML"><definition name="s36"><apply><function name="s35" source="document"/></apply></definition></symbol>
<symbol name="s37" type="function" encoding="OSML"><definition name="s37"><apply><function name="s36" source="document"/></apply></definition></symbol>
<symbol name="s38" type="function" encoding="OSML"><definition name="s38"><apply><function name="s37" source="document"/></apply></definition></symbol>
<symbol name="s39" type="function" encoding="OSML"><definition name="s39"><apply><function name="s38" source="document"/></apply></definition></symbol>
<symbol name="s40" type="function" encoding="OSML"><definition name="s40"><apply><function name="s39" source="document"/></apply></definition></symbol>
<symbol name="s41" type="function" encoding="OSML"><definition name="s41"><apply><function name="s40" source="document"/></apply></definition></symbol>
<symbol name="s42" type="function" encoding="OSML"><definition name="s42"><apply><function name="s41" source="document"/></apply></definition></symbol>
<symbol name="s43" type="function" encoding="OSML"><definition name="s43"><apply><function name="s42" source="document"/></apply></definition></symbol>
<symbol name="s44" type="function" encoding="OSML"><definition name="s44"><apply><function name="s43" source="document"/></apply></definition></symbol>
<symbol name="s45" type="function" encoding="OSML"><definition name="s45"><apply><function name="s44" source="document"/></apply></definition></symbol>
<symbol name="s46" type="function" encoding="OSML"><definition name="s46"><apply><function name="s45" source="document"/></apply></definition></symbol>
<symbol name="s47" type="function" encoding="OSML"><definition name="s47"><apply><function name="s46" source="document"/></apply></definition></symbol>
<symbol name="s48" type="function" encoding="OSML"><definition name="s48"><apply><function name="s47" source="document"/></apply></definition></symbol>
<symbol name="s49" type="function" encoding="OSML"><definition name="s49"><apply><function name="s48" source="document"/></apply></definition></symbol>
<symbol name="s50" type="function" encoding="OSML"><definition name="s50"><apply><function name="s49" source="document"/></apply></definition></symbol>
<symbol name="s51" type="function" encoding="OSML"><definition name="s51"><apply><function name="s50" source="document"/></apply></definition></symbol>
<symbol name="s52" type="function" encoding="OSML"><definition name="s52"><apply><function name="s51" source="document"/></apply></definition></symbol>
<symbol name="s53" type="function" encoding="OSML"><definition name="s53"><apply><function name="s52" source="document"/></apply></definition></symbol>
<symbol name="s54" type="function" encoding="OSML"><definition name="s54"><apply><function name="s53" source="document"/></apply></definition></symbol>
<symbol name="s55" type="function" encoding="OSML"><definition name="s55"><apply><function name="s54" source="document"/></apply></definition></symbol>
<symbol name="s56" type="function" encoding="OSML"><definition name="s56"><apply><function name="s55" source="document"/></apply></definition></symbol>
<symbol name="s57" type="function" encoding="OSML"><definition name="s57"><apply><function name="s56" source="document"/></apply></definition></symbol>
<symbol name="s58" type="function" encoding="OSML"><definition name="s58"><apply><function name="s57" source="document"/></apply></definition></symbol>
<symbol name="s59" type="function" encoding="OSML"><definition name="s59"><apply><function name="s58" source="document"/></apply></definition></symbol>
<symbol name="s60" type="function" encoding="OSML"><definition name="s60"><apply><function name="s59" source="document"/></apply></definition></symbol>
<symbol name="s61" type="function" encoding="OSML"><definition name="s61"><apply><function name="s60" source="document"/></apply></definition></symbol>
<symbol name="s62" type="function" encoding="OSML"><definition name="s62"><apply><function name="s61" source="document"/></apply></definition></symbol>
<symbol name="s63" type="function" encoding="OSML"><definition name="s63"><apply><function name="s62" source="document"/></apply></definition></symbol>
<symbol name="s64" type="function" encoding="OSML"><definition name="s64"><apply><function name="s63" source="document"/></apply></definition></symbol>
<symbol name="s65" type="function" encoding="OSML"><definition name="s65"><apply><function name="s64" source="document"/></apply></definition></symbol>
<symbol name="s66" type="function" encoding="OSML"><definition name="s66"><apply><function name="s65" source="document"/></apply></definition></symbol>
<symbol name="s67" type="function" encoding="OSML"><definition name="s67"><apply><function name="s66" source="document"/></apply></definition></symbol>
<symbol name="s68" type="function" encoding="OSML"><definition name="s68"><apply><function name="s67" source="document"/></apply></definition></symbol>
<symbol name="s69" type="function" encoding="OSML"><definition name="s69"><apply><function name="s68" source="document"/></apply></definition></symbol>
<symbol name="s70" type="function" encoding="OSML"><definition name="s70"><apply><function name="s69" source="document"/></apply></definition></symbol>
<symbol name="s71" type="function" encoding="OSML"><definition name="s71"><apply><function name="s70" source="document"/></apply></definition></symbol>
<symbol name="s72" type="function" encoding="OSML"><definition name="s72"><apply><function name="s71" source="document"/></apply></definition></symbol>
<symbol name="s73" type="function" encoding="OSML"><definition name="s73"><apply><function name="s72" source="document"/></apply></definition></symbol>
<symbol name="s74" type="function" encoding="OSML"><definition name="s74"><apply><function name="s73" source="document"/></apply></definition></symbol>
<symbol name="s75" type="function" encoding="OSML"><definition name="s75"><apply><function name="s74" source="document"/></apply></definition></symbol>
<symbol name="s76" type="function" encoding="OSML"><definition name="s76"><apply><function name="s75" source="document"/></apply></definition></symbol>
<symbol name="s77" type="function" encoding="OSML"><definition name="s77"><apply><function name="s76" source="document"/></apply></definition></symbol>
<symbol name="s78" type="function" encoding="OSML"><definition name="s78"><apply><function name="s77" source="document"/></apply></definition></symbol>
<symbol name="s79" type="function" encoding="OSML"><definition name="s79"><apply><function name="s78" source="document"/></apply></definition></symbol>
<symbol name="s80" type="function" encoding="OSML"><definition name="s80"><apply><function name="s79" source="document"/></apply></definition></symbol>
<symbol name="s81" type="function" encoding="OSML"><definition name="s81"><apply><function name="s80" source="document"/></apply></definition></symbol>
<symbol name="s82" type="function" encoding="OSML"><definition name="s82"><apply><function name="s81" source="document"/></apply></definition></symbol>
<symbol name="s83" type="function" encoding="OSML"><definition name="s83"><apply><function name="s82" source="document"/></apply></definition></symbol>
<symbol name="s84" type="function" encoding="OSML"><definition name="s84"><apply><function name="s83" source="document"/></apply></definition></symbol>
<symbol name="s85" type="function" encoding="OSML"><definition name="s85"><apply><function name="s84" source="document"/></apply></definition></symbol>
<symbol name="s86" type="function" encoding="OSML"><definition name="s86"><apply><function name="s85" source="document"/></apply></definition></symbol>
<symbol name="s87" type="function" encoding="OSML"><definition name="s87"><apply><function name="s86" source="document"/></apply></definition></symbol>
<symbol name="s88" type="function" encoding="OSML"><definition name="s88"><apply><function name="s87" source="document"/></apply></definition></symbol>
<symbol name="s89" type="function" encoding="OSML"><definition name="s89"><apply><function name="s88" source="document"/></apply></definition></symbol>
<symbol name="s90" type="function" encoding="OSML"><definition name="s90"><apply><function name="s89" source="document"/></apply></definition></symbol>
<symbol name="s91" type="function" encoding="OSML"><definition name="s91"><apply><function name="s90" source="document"/></apply></definition></symbol>
<symbol name="s92" type="function" encoding="OSML"><definition name="s92"><apply><function name="s91" source="document"/></apply></definition></symbol>
<symbol name="s93" type="function" encoding="OSML"><definition name="s93"><apply><function name="s92" source="document"/></apply></definition></symbol>
<symbol name="s94" type="function" encoding="OSML"><definition name="s94"><apply><function name="s93" source="document"/></apply></definition></symbol>
<symbol name="s95" type="function" encoding="OSML"><definition name="s95"><apply><function name="s94" source="document"/></apply></definition></symbol>
<symbol name="s96" type="function" encoding="OSML"><definition name="s96"><apply><function name="s95" source="document"/></apply></definition></symbol>
<symbol name="s97" type="function" encoding="OSML"><definition name="s97"><apply><function name="s96" source="document"/></apply></definition></symbol>
<symbol name="s98" type="function" encoding="OSML"><definition name="s98"><apply><function name="s97" source="document"/></apply></definition></symbol>
</semantics>
<math>
<definition name="x">
<number> 0.5 </number>
</definition>
<definition name="y">
<apply><function name="opposite" source="core"/><apply><function name="s98" source="document"/></apply></apply>
</definition>
</math>
</osml>
