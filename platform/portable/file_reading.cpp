#include "platform/portable/file_reading.h"

#include "platform/portable/text_lines.h"

namespace platform {

ReadResult readWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const ReadResult result = readChunks(path, [&bytes](std::string_view chunk) { bytes.append(chunk); });
    if (result != ReadResult::read) bytes.clear();
    return result;
}

bool readLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes;
    if (readWholeFile(path, bytes) != ReadResult::read) return false;
    text::splitLines(bytes, lines);
    return true;
}

} // namespace platform
