// The fixed pieces of the HTML result page.
#pragma once

inline constexpr const char* g_htmlHead =
    "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; border-collapse: collapse; }"
    "th, td{ padding: 1px; text-align: middle; }th,td{ background-color: #fffac6; color: black}</style></head>"
    "<body>";
inline constexpr const char* g_htmlTitle =
    "<center><b>%s</b></center><center>Contestant:  <b>%s</center></b><table>";
inline constexpr const char* g_htmlHeader4 = "<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th></tr>";
inline constexpr const char* g_htmlHeader5 =
    "<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th></tr>";
inline constexpr const char* g_htmlRow4 =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%lld</center></td>"
    "<td><center>%i</center></td></tr>";
inline constexpr const char* g_htmlTotal4 = g_htmlRow4;
inline constexpr const char* g_htmlRow5 =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%lld</center></td>"
    "<td><center>%i</center></td><td><center>%i</center></td></tr>";
inline constexpr const char* g_htmlTotal5 = g_htmlRow5;
inline constexpr const char* g_htmlDupeRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td colspan=8> </td></tr>";
inline constexpr const char* g_htmlBadRow = g_htmlDupeRow;
inline constexpr const char* g_htmlScore = "<tr><th>%s</th><td colspan=9><center>%lld * %i = %lld</center></td></tr>";
inline constexpr const char* g_htmlScoreJA =
    "<tr><th>%s</th><td colspan=9><center>%lld * (%i + %i) = %lld</center></td></tr>";
inline constexpr const char* g_htmlLastRow = "<tr><th>%s</small></th><td colspan=9><center>%5i</center></td></tr>";
inline constexpr const char* g_htmlRateHeader = "<th colspan=10><center>%s</center></th></tr>";
inline constexpr const char* g_htmlRateRow = "<tr><th> %s </th><td colspan=9><center>%5lld /%lld</center></td></tr>";
inline constexpr const char* g_creditLine = "VU-VO contest statistics for JIDX";
inline constexpr const char* g_htmlFooterStart = "</table><h6 align=right>";
inline constexpr const char* g_htmlFooterEnd = "</h6></body></html>";
