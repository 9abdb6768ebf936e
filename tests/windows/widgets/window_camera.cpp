#include "window_camera.h"

#include <cstdio>
#include <cstdlib>

void pumpFor(DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
            if (root && IsDialogMessageW(root, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

COLORREF Picture::at(int x, int y) const {
    const int cx = x - frame.left, cy = y - frame.top;
    if (cx < 0 || cy < 0 || cx >= width || cy >= height) return CLR_INVALID;
    return pixels[static_cast<std::size_t>(cy) * width + cx];
}

int Picture::count(const RECT& area, COLORREF colour) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += at(x, y) == colour;
    return n;
}

// The screen is read on this thread once the window's drawing has reached it (Wine hands a window's pixels to
// the display while the thread waits for messages).
Picture takePicture(HWND window) {
    Picture picture;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    pumpFor(100);
    SetForegroundWindow(window);  // a fresh session's first window may miss the first request
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pumpFor(400);
    GetWindowRect(window, &picture.frame);
    picture.width = picture.frame.right - picture.frame.left;
    picture.height = picture.frame.bottom - picture.frame.top;
    if (picture.width <= 0 || picture.height <= 0) return picture;
    // The display gives nothing for a rectangle that reaches beyond the screen.
    RECT screenArea{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT visible{};
    if (!IntersectRect(&visible, &picture.frame, &screenArea) || !EqualRect(&visible, &picture.frame)) return picture;

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = -picture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = bitmap && BitBlt(memory, 0, 0, picture.width, picture.height, screen, picture.frame.left,
                                         picture.frame.top, SRCCOPY);
    GdiFlush();
    if (copied) {
        const auto* p = static_cast<const unsigned char*>(bits);
        picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height);
        for (std::size_t i = 0; i < picture.pixels.size(); ++i, p += 4) picture.pixels[i] = RGB(p[2], p[1], p[0]);
    }
    SelectObject(memory, old);
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return picture;
}

bool savePicture(const Picture& picture, const std::string& name) {
    const char* folder = std::getenv("VUVO_ARTIFACTS");
    if (!folder || !*folder) return true;
    if (!picture.valid()) return false;
    // 24-bit, bottom-up rows padded to four bytes, as BMP files store them.
    const int stride = (picture.width * 3 + 3) & ~3;
    std::vector<unsigned char> rows(static_cast<std::size_t>(stride) * picture.height);
    for (int y = 0; y < picture.height; ++y) {
        unsigned char* row = rows.data() + static_cast<std::size_t>(picture.height - 1 - y) * stride;
        for (int x = 0; x < picture.width; ++x) {
            const COLORREF c = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            row[x * 3] = GetBValue(c);
            row[x * 3 + 1] = GetGValue(c);
            row[x * 3 + 2] = GetRValue(c);
        }
    }
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = picture.width;
    header.biHeight = picture.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
    const std::string path = std::string(folder) + "\\" + name + ".bmp";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return false;
    bool saved = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                 std::fwrite(rows.data(), rows.size(), 1, out) == 1;
    saved = std::fclose(out) == 0 && saved;
    return saved;
}

RECT screenRect(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    return r;
}

RECT inset(const RECT& r, int d) { return RECT{r.left + d, r.top + d, r.right - d, r.bottom - d}; }
