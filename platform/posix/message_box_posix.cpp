#include "platform/message_box.h"

#include "platform/posix/message_log.h"

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <utility>

namespace platform {
namespace {

std::mutex shownMutex;
std::vector<std::string> shown;

// One line per text, whatever it holds: a backslash and the line breaks are written out. False when the log
// cannot be written.
bool logMessage(const char* path, const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\\') line += "\\\\";
        else if (c == '\n') line += "\\n";
        else if (c == '\r') line += "\\r";
        else line += c;
    }
    line += '\n';
    std::FILE* log = std::fopen(path, "ab");
    if (log == nullptr) return false;
    const bool written = std::fwrite(line.data(), 1, line.size(), log) == line.size();
    return std::fclose(log) == 0 && written;
}

} // namespace

void showMessage(const std::string& text, const std::string& caption, MessageIcon /*icon*/, MessageOwner) {
    // One lock around all of it so that messages from several threads come out whole and in the order kept.
    std::lock_guard<std::mutex> lock(shownMutex);
    shown.push_back(text);
    // A host's stand-in that keeps the log tells the user itself; a text it cannot be given is printed here.
    const char* log = std::getenv("VUVO_MESSAGE_LOG");
    if (log != nullptr && *log != '\0' && logMessage(log, text)) return;
    if (caption.empty()) {
        std::fprintf(stderr, "%s\n", text.c_str());
    } else {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    }
    std::fflush(stderr);
}

std::vector<std::string> takeShownMessages() {
    std::lock_guard<std::mutex> lock(shownMutex);
    return std::exchange(shown, {});
}

} // namespace platform
