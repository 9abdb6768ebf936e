// The platform's message box.
#pragma once
#include <string>

namespace platform {

enum class MessageIcon { none, information };
// Whom the box belongs to: the plug-in's main information window while it is open (the box then stays in front
// of that always-on-top window and keeps it from input), or no window at all.
enum class MessageOwner { mainWindow, none };

// Shows text with caption (empty: the platform's default caption) and one OK button; returns when dismissed.
void showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageOwner owner = MessageOwner::mainWindow);

} // namespace platform
