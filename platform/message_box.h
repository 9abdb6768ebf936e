// The platform's message box, with no owner window unless the UI has one.
#pragma once
#include <string>

namespace platform {

enum class MessageIcon { none, information };

// Shows text with caption (empty: the platform's default caption) and one OK button; returns when dismissed.
void showMessage(const std::string& text, const std::string& caption, MessageIcon icon);

} // namespace platform
