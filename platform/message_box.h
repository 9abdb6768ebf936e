// The platform's message box.
#pragma once
#include <string>

namespace platform {

enum class MessageIcon { none, information };
// Whom the box belongs to: the plug-in's main information window while it is open (the box then stays in front
// of that always-on-top window and keeps it from input), or no window at all.
enum class MessageOwner { mainWindow, none };

// Shows text with caption (empty: the platform's default caption) and one OK button; returns when dismissed.
// Builds without windows print "[caption] text" (the text alone without a caption) on standard error instead; when
// VUVO_MESSAGE_LOG names a file they append the text to it as one line ('\' written as "\\", line breaks as "\n"
// and "\r") and print nothing, so that a host's stand-in can tell the user what the plug-in said, in its words.
void showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                 MessageOwner owner = MessageOwner::mainWindow);

} // namespace platform
