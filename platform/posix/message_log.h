// What the posix message box has shown, for tests that check what the user was told.
#pragma once
#include <string>
#include <vector>

namespace platform {

// The texts shown by showMessage since the last call, oldest first; clears them.
std::vector<std::string> takeShownMessages();

} // namespace platform
