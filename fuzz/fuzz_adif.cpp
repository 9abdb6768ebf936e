// libFuzzer target: the ADIF reader on any bytes. It must return, and what it reads must be usable.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/logs/log_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> messages;
    const Log log = readAdif(bytes, "f", messages);
    std::size_t lines = 1;
    for (char c : bytes) lines += c == '\n';
    for (const LogQso& q : log.qsos) {
        if (q.call.empty() || q.time.m_status != COleDateTime::valid) std::abort();
        if (q.line < 1 || static_cast<std::size_t>(q.line) > lines) std::abort();
    }
    for (const std::string& m : messages)
        if (m.compare(0, 2, "f:") != 0) std::abort();
    return 0;
}
