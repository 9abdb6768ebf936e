#include "platform/message_box.h"

#include "platform/posix/message_log.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace platform {
namespace {

std::mutex shownMutex;
std::vector<std::string> shown;

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
}

std::vector<std::string> takeShownMessages() {
    std::lock_guard<std::mutex> lock(shownMutex);
    return std::exchange(shown, {});
}

} // namespace platform
