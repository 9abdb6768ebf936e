#include "platform/message_box.h"

#include <windows.h>

#include <atomic>

#include "platform/win32/message_owner_win32.h"

namespace platform {
namespace {

// Set on the window thread, read on the host's thread.
std::atomic<HWND> ownerWindow{nullptr};

} // namespace

void setMessageOwnerWindow(HWND window) { ownerWindow = window; }

HWND messageOwnerWindow() { return ownerWindow; }

void showMessage(const std::string& text, const std::string& caption, MessageIcon icon, MessageOwner owner) {
    const UINT style = MB_OK | (icon == MessageIcon::information ? MB_ICONINFORMATION : 0);
    HWND window = owner == MessageOwner::mainWindow ? ownerWindow.load() : nullptr;
    // A window closed meanwhile owns nothing.
    if (window && !IsWindow(window)) window = nullptr;
    // A null caption gets the system's default one.
    MessageBoxA(window, text.c_str(), caption.empty() ? nullptr : caption.c_str(), style);
}

} // namespace platform
