// The operator at the plug-in's windows during an export pass.
#pragma once
#include <string>
#include <utility>
#include <vector>

// Hands the header dialog's answers to whoever answers the dialog. Natively the plug-in's dialog port reads them
// from the answers file itself and this does nothing more. On Windows the dialog is real: a thread of hostsim's
// finds it, types the answers into its boxes (a "\n" in a value, or a line break, starts a new line) and presses
// OK, or CANCEL when cancel is set; it keeps the text of every message box the plug-in shows and presses its OK.
// With VUVO_ARTIFACTS naming a folder, it saves a picture of each filled dialog there (VUVO_PICTURE_NAME, default
// "hostsim", then the dialog's number and ".bmp"). Either way, from now on the message boxes are watched.
void answerHeaderDialogs(const std::vector<std::pair<std::string, std::string>>& answers, bool cancel);

// From now on, keeps the texts of the message boxes the plug-in shows: natively its message port appends them to
// a temporary file named by VUVO_MESSAGE_LOG instead of printing them, on Windows the operator above reads each box.
void watchMessages();
// The texts kept since the last call, oldest first.
std::vector<std::string> takeMessages();
// takeMessages(), each text told on standard error in hostsim's words: "hostsim: the plug-in said: TEXT".
std::vector<std::string> tellMessages();
