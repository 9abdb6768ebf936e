#include "ui/texts.h"

#include "engine/jidx_rules.h"
#include "platform/portable/text_format.h"

namespace texts {
namespace {

// Windows-1251 bytes.
const MasterLabels kRussian{"\xC2\xE8\xE4 \xF0\xE0\xE1\xEE\xF2\xFB", "\xCE\xF2\xEE\xE1\xF0\xE0\xE6\xE0\xF2\xFC",
                            "\xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO",
                            "JA \xEF\xF0\xE5\xF4\xE5\xEA\xF2\xF3\xF0\xFB", "\xCF\xEE\xE2\xE5\xF0\xF5 \xEE\xEA\xEE\xED"};
const MasterLabels kEnglish{"Mode", "View", "Previous QSO", "JA county", "Window on top"};

const char* mode(int contestMode) { return jidx::modeRow(contestMode).name; }

} // namespace

const MasterLabels& masterLabels(bool russian) { return russian ? kRussian : kEnglish; }

std::string masterCaption(bool russian, int contestMode, std::string_view year) {
    return text::format(russian ? "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE8 JIDX-%s-%.*s" : "Setup JIDX-%s-%.*s",
                        mode(contestMode), static_cast<int>(year.size()), year.data());
}

std::string dxccCaption(bool russian, bool ownIsJA, int contestMode, std::string_view year) {
    const char* format = ownIsJA   ? "JIDX-%s-%.*s DXCC worked"
                         : russian ? "JIDX-%s-%.*s \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO QSO"
                                   : "JIDX-%s-%.*s Previous QSO";
    return text::format(format, mode(contestMode), static_cast<int>(year.size()), year.data());
}

std::string dxccCaptionWith(bool russian, int contestMode, std::string_view year, std::string_view call) {
    // "\xCF\xF0\xE5\xF0\xE4\xFB..." with its doubled letter is the system's own spelling, as its users know it.
    const char* format = russian ? "JIDX-%s-%.*s \xCF\xF0\xE5\xF0\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO c %.*s"
                                 : "JIDX-%s-%.*s Previous QSO with %.*s";
    return text::format(format, mode(contestMode), static_cast<int>(year.size()), year.data(),
                        static_cast<int>(call.size()), call.data());
}

std::string dxccWorkedOn(int contestMode, std::string_view year, std::string_view band, std::size_t count) {
    return text::format("JIDX-%s-%.*s DXCC worked on %.*s %zu of %d", mode(contestMode),
                        static_cast<int>(year.size()), year.data(), static_cast<int>(band.size()), band.data(), count,
                        jidx::kDxccEntities);
}

std::string zoneCaption(std::string_view band) {
    return text::format("Zone on %.*s", static_cast<int>(band.size()), band.data());
}

std::string countyCaption(int contestMode, std::string_view year, std::string_view band, std::size_t count) {
    return text::format("JIDX-%s-%.*s CNT on %.*s %zu of %d", mode(contestMode), static_cast<int>(year.size()),
                        year.data(), static_cast<int>(band.size()), band.data(), count, jidx::kCountyCount);
}

std::string modeNotStored(int contestMode) {
    return std::string("The contest stays in ") + jidx::modeRow(contestMode).name +
           ": the settings file Plugins\\VU-VO.ini cannot be written now (another program may hold it). Click "
           "the mode again in a moment.";
}

} // namespace texts
