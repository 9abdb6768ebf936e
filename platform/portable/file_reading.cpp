#include "platform/portable/file_reading.h"

#include "platform/portable/text_lines.h"

#include <algorithm>

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

// Counted as the bytes go by, so that a long bad-QSO file is never held in memory just to be counted.
std::size_t countLines(const std::string& path) {
    std::size_t count = 0;
    char last = '\n';
    const ReadResult result = readChunks(path, [&](std::string_view chunk) {
        count += static_cast<std::size_t>(std::count(chunk.begin(), chunk.end(), '\n'));
        last = chunk.back();
    });
    if (result != ReadResult::read) return 0;
    return count + (last != '\n' ? 1 : 0);
}

} // namespace platform
