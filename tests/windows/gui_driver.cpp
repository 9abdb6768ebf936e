#include "gui_driver.h"

#include <set>
#include <vector>

#include "window_picture.h"

namespace {

struct Search {
    const char* caption;
    HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (process == GetCurrentProcessId() && std::string(className) == "#32770" && IsWindowVisible(window) &&
        windowText(window) == search->caption) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND waitForDialog(const char* caption, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        Search search{caption, nullptr};
        EnumWindows(matchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

bool waitUntilClosed(HWND window, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (IsWindow(window)) {
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool waitForFocus(HWND control, DWORD timeoutMs) {
    const DWORD thread = GetWindowThreadProcessId(control, nullptr);
    const DWORD start = GetTickCount();
    for (;;) {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        if (GetGUIThreadInfo(thread, &info) && info.hwndFocus == control) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(20);
    }
}

DialogDriver::DialogDriver(const char* caption, std::function<void(HWND)> act)
    : m_thread([this, caption = std::string(caption), act = std::move(act)] {
          HWND dialog = waitForDialog(caption.c_str());
          if (!dialog) {
              m_failure = "no dialog \"" + caption + "\" appeared";
              return;
          }
          act(dialog);
          if (!waitUntilClosed(dialog)) {
              m_failure = "the dialog was still open after the driver's last step";
              PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
          }
      }) {}

DialogDriver::~DialogDriver() { finish(); }

std::string DialogDriver::finish() {
    if (!m_finished && m_thread.joinable()) m_thread.join();
    m_finished = true;
    return m_failure;
}

std::string windowText(HWND window) {
    // WM_GETTEXT answers across threads (GetWindowText would not ask another thread's edit control).
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const LRESULT got = SendMessageA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    return std::string(buffer.data(), got > 0 ? static_cast<std::size_t>(got) : 0);
}

std::string itemText(HWND dialog, int id) { return windowText(GetDlgItem(dialog, id)); }

void setItemText(HWND dialog, int id, const std::string& text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool focusControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    // Other programs of the same Wine session may take the foreground meanwhile: ask again a few times.
    for (int attempt = 0; attempt < 3; ++attempt) {
        SetForegroundWindow(dialog);
        PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
        if (waitForFocus(control, 2000) && GetForegroundWindow() == dialog) {
            // The caret after the text, nothing selected: typed keys add to the end.
            SendMessageA(control, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
            return true;
        }
    }
    return false;
}

void pressKey(WORD key, bool ctrl) {
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, MAPVK_VK_TO_VSC));
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    if (ctrl) add(VK_CONTROL, false);
    add(key, false);
    add(key, true);
    if (ctrl) add(VK_CONTROL, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void clickButton(HWND dialog, int id) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

bool saveWindowPicture(HWND window, const std::string& path, int& distinctColours, COLORREF& clientCorner) {
    distinctColours = 0;
    // The window's own thread paints it meanwhile: this is another thread.
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    // What the screen shows at the window's place (the window is in front: it was just made foreground).
    window_picture::Picture picture;
    std::string why;
    if (!window_picture::readWindow(window, picture, why)) return false;
    distinctColours = static_cast<int>(std::set<COLORREF>(picture.pixels.begin(), picture.pixels.end()).size());
    POINT corner{2, 2};
    ClientToScreen(window, &corner);
    clientCorner = picture.at(corner.x, corner.y);
    return window_picture::saveBmp(picture, path, why);
}
