// libFuzzer target: the country-file parser and the resolver. The input is a country file, then after a NUL
// byte one call sign a line, each resolved against it (and a few fixed ones).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/logs/cty.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t nul = bytes.find('\0');
    CtyDatabase db;
    std::vector<std::string> messages;
    const bool loaded = db.load(bytes.substr(0, nul), "f", messages);
    if (!loaded && messages.empty()) std::abort();
    std::string_view calls = nul == std::string_view::npos ? std::string_view() : bytes.substr(nul + 1);
    for (std::string_view call : {std::string_view("JA1ABC/1"), std::string_view("VE3/JA1ABC/P"),
                                  std::string_view("/"), std::string_view("K1ABC/MM"), std::string_view("//9/")}) {
        const CtyDatabase::Match m = db.resolve(call);
        if (m.found && m.maritime) std::abort();
    }
    while (!calls.empty()) {
        const std::size_t eol = calls.find('\n');
        const CtyDatabase::Match m = db.resolve(calls.substr(0, eol));
        if (!m.found && !m.prefix.empty()) std::abort();
        calls = eol == std::string_view::npos ? std::string_view() : calls.substr(eol + 1);
    }
    return 0;
}
