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

// One line per text, whatever it holds: a backslash and the line breaks are written out.
void logMessage(const char* path, const std::string& text) {
    std::string line;
    for (const char c : text) {
        if (c == '\\') line += "\\\\";
        else if (c == '\n') line += "\\n";
        else if (c == '\r') line += "\\r";
        else line += c;
    }
    line += '\n';
    if (std::FILE* log = std::fopen(path, "ab")) {
        std::fwrite(line.data(), 1, line.size(), log);
        std::fclose(log);
    }
}

} // namespace

void showMessage(const std::string& text, const std::string& caption, MessageIcon /*icon*/, MessageOwner) {
    // One lock around both so that messages from several threads come out whole and in the logged order.
    std::lock_guard<std::mutex> lock(shownMutex);
    shown.push_back(text);
    if (caption.empty()) {
        std::fprintf(stderr, "%s\n", text.c_str());
    } else {
        std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    }
    std::fflush(stderr);
    const char* log = std::getenv("VUVO_MESSAGE_LOG");
    if (log != nullptr && *log != '\0') logMessage(log, text);
}

std::vector<std::string> takeShownMessages() {
    std::lock_guard<std::mutex> lock(shownMutex);
    return std::exchange(shown, {});
}

} // namespace platform
