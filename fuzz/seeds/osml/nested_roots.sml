<?xml version="1.0" ?>
<osml>
<secure algorithm="SHA-256"> 115255B7 2447B63B A31EEDC F67E90B1 F0909F8D FCF70BB 500C707D D8F80BC9 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 236CEF85 F3BEA012 75B549F0 10D33C23 D51E2D19 2CC678E0 8D164C85 42A14481 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 8B9C6A06 ACD87D83 C6FC559F 6A7C9644 5A0E1CF5 95C6F06B EAB7A592 F0C93221 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> C940B5E3 44AACBDB AA5721A4 AA336536 785A31F1 FB9DEC31 4FD6AE9E E74E366E </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> E2D37800 B5F11012 7690D25C 674F7D05 B234C7A7 5DBCF816 BA060887 ECD96B9E </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 4FD9148 61FC3C04 59229CCF A95B017E 7E4C5094 E8DC00C 6F465BC8 9ECFEEF5 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> EA4CF726 5FBCE273 77083FEC A7E73942 7950C2D8 DA0595CA 93DB284D E95B41B3 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 3028F60F AE4BAE91 E6736EB3 3F3DF42A F3B4F8E5 673ACB67 2008299C BEB603D2 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 52142DB6 FFD70B79 4B780B6E C06B713F DFAA340 54E3C0D2 1BE7CD0E D749D695 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 3E52E003 70F86D17 EB87088D 985E2370 289DC1E4 6441E9AD B005FB2B 4102EA4B </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 7A74EFB4 45CF552A BDDB2869 509E5DFD 9443618F 61B535EC 7AA4452E 1DA7F37F </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 9E7E1FBC 89A7CFC7 9117FC72 93F1577C 24D2EFCF CE98F802 168C4480 67DD586A </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 53F17020 2BDEFFEC 37C7AF9D 5D479FCC F04C2AEB 76A3C184 B188B54 2B7D2F78 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> F967B7C3 EB72C66A 3BDE946B 7F2816DF 7FC75A4D 956ED257 CB429DCA 7D2A536A </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 56034A45 54FB21D3 54713E25 1B015919 E9E308CA 2F076ED8 EE750749 3D3F2D7E </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> B46A5FBE 3B15724A 11BB09D8 692310DA 70459D11 B1ABEA20 CE6D1E26 94E77268 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> AD45F1F0 F233E8B7 AAD47E72 ECE01AEA F6F366B1 8D81DD74 F3DE48C 3432F06F </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 4EABF137 981442A1 7F73BBFD 7D5D21BE BB435B73 CB953499 BAF9852A 3A242667 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 99C7BC1E C663B857 A0A0D33D 32B3649A 5112019F DF853550 F98E2151 11C0E1D8 </secure>
<annotation>
nnnnnnnnnn
</annotation>
<osml>
<secure algorithm="SHA-256"> 773EB7AF A63C4A2B 2BC17CDE 28D97B7A 5A413799 4C749EAC A0A5C19E 15C55FDC </secure>
<annotation>
nnnnnnnnnn
</annotation>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
</osml>
