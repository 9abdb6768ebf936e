#include "gui_driver.h"

#include <cstdio>
#include <set>
#include <vector>

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
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    RECT frame;
    GetWindowRect(window, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    if (width <= 0 || height <= 0) return false;

    // What the screen shows at the window's place (the window is in front: it was just made foreground).
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, frame.left, frame.top, SRCCOPY) != 0;
    GdiFlush();
    const int stride = (width * 3 + 3) & ~3;
    const auto* pixels = static_cast<const unsigned char*>(bits);
    std::set<unsigned> colours;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = pixels + static_cast<std::size_t>(y) * stride + x * 3;
            colours.insert(p[0] | p[1] << 8 | p[2] << 16);
        }
    }
    distinctColours = copied ? static_cast<int>(colours.size()) : 0;
    POINT corner{2, 2};
    ClientToScreen(window, &corner);
    const int cx = corner.x - frame.left;
    const int cy = height - 1 - (corner.y - frame.top);
    const unsigned char* p = pixels + static_cast<std::size_t>(cy) * stride + cx * 3;
    clientCorner = RGB(p[2], p[1], p[0]);

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride) * height;
    bool saved = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        saved = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                std::fwrite(bits, static_cast<std::size_t>(stride) * height, 1, out) == 1;
        saved = std::fclose(out) == 0 && saved;
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return copied && saved;
}
