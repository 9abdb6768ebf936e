#include "window_picture.h"

#include <cstdio>

namespace window_picture {

COLORREF Picture::at(int x, int y) const {
    const int cx = x - frame.left, cy = y - frame.top;
    if (cx < 0 || cy < 0 || cx >= width || cy >= height || !valid()) return CLR_INVALID;
    return pixels[static_cast<std::size_t>(cy) * width + cx];
}

int Picture::count(const RECT& area, COLORREF colour) const {
    int n = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x) n += at(x, y) == colour;
    return n;
}

RECT wholeScreen() { return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

void bringToFront(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

bool readScreen(const RECT& area, Picture& picture, std::string& why) {
    picture = Picture{};
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return why = "the screen could not be read", false;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    // 32 bits a pixel, top-down: each pixel one aligned word, rows in screen order.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        copied = BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
        GdiFlush();
        if (copied) {
            picture.frame = area;
            picture.width = width;
            picture.height = height;
            picture.pixels.resize(static_cast<std::size_t>(width) * height);
            const auto* p = static_cast<const unsigned char*>(bits);
            for (COLORREF& pixel : picture.pixels) {
                pixel = RGB(p[2], p[1], p[0]);
                p += 4;
            }
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied) return why = "the screen could not be read", false;
    return true;
}

bool readWindow(HWND window, Picture& picture, std::string& why) {
    picture = Picture{};
    RECT frame;
    if (!GetWindowRect(window, &frame)) return why = "the window is gone", false;
    const RECT screen = wholeScreen();
    RECT visible{};
    if (!IntersectRect(&visible, &frame, &screen) || !EqualRect(&visible, &frame))
        return why = "the window reaches beyond the screen", false;
    return readScreen(frame, picture, why);
}

bool saveBmp(const Picture& picture, const std::string& path, std::string& why) {
    if (!picture.valid()) return why = "nothing was read from the screen for " + path, false;
    const int stride = (picture.width * 3 + 3) & ~3;
    std::vector<unsigned char> rows(static_cast<std::size_t>(stride) * picture.height, 0);
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
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rows.size());
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return why = "cannot write " + path, false;
    bool saved = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
                 std::fwrite(rows.data(), rows.size(), 1, out) == 1;
    saved = std::fclose(out) == 0 && saved;
    if (!saved) return why = "cannot write " + path, false;
    return true;
}

} // namespace window_picture
