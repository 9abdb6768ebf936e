// libFuzzer target: the Cabrillo reader, and the choice between the readers, on any bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/logs/log_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> messages;
    const Log log = readCabrillo(bytes, "f", messages);
    for (const LogQso& q : log.qsos) {
        if (q.call.empty() || q.time.m_status != COleDateTime::valid) std::abort();
        if (q.mode == "PH") std::abort();  // always the host's name, SSB
    }
    Log chosen;
    messages.clear();
    if (!readLog(bytes, "f", chosen, messages) && messages.empty()) std::abort();  // a refusal says why
    return 0;
}
