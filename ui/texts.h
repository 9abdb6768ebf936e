// The window texts, English and Russian. Every text is bytes: the Russian ones in Windows-1251, as the windows
// show them through an explicit conversion, whatever the system's code page.
#pragma once
#include <string>
#include <string_view>

namespace texts {

// Check-box and label texts of the main window.
struct MasterLabels {
    const char* mode;         // static 1123
    const char* view;         // static 1124
    const char* previousQso;  // check box 1108 of a DX station
    const char* jaCounty;     // check box 1109 of a DX station
    const char* windowOnTop;  // check box 1110 of a DX station
};
const MasterLabels& masterLabels(bool russian);

// "Setup JIDX-CW-2026" and its Russian twin.
std::string masterCaption(bool russian, int contestMode, std::string_view year);
// The DXCC window's title while no call is shown: previous QSOs (a DX station), DXCC worked (a JA station).
std::string dxccCaption(bool russian, bool ownIsJA, int contestMode, std::string_view year);
// The DXCC window's title for the earlier QSOs with a call.
std::string dxccCaptionWith(bool russian, int contestMode, std::string_view year, std::string_view call);
// A JA station's DXCC window title with nothing typed: the band's DXCC count.
std::string dxccWorkedOn(int contestMode, std::string_view year, std::string_view band, std::size_t count);
// The zone grid's title.
std::string zoneCaption(std::string_view band);
// The county grid's title with the band's county count.
std::string countyCaption(int contestMode, std::string_view year, std::string_view band, std::size_t count);

// The operator's switch refused, because the settings file did not take the new mode: the mode it stays in.
std::string modeNotStored(int contestMode);

} // namespace texts
