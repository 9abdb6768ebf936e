// The drawing port over a GDI device context, one GDI call per primitive; and CMemDC, the off-screen context
// that a buffered paint draws into before one copy to the screen.
#pragma once
#include <windows.h>

#include <memory>

#include "ui/canvas.h"

class GdiCanvas : public ui::Canvas {
public:
    explicit GdiCanvas(HDC dc) : m_dc(dc) {}

    void fillSolidRect(const ui::Rect& r, ui::Colour colour) override;
    void frame3d(const ui::Rect& r, ui::Colour topLeft, ui::Colour bottomRight) override;
    void ellipse(const ui::Rect& r, ui::PenStyle style, int width, ui::Colour colour) override;
    void focusRect(const ui::Rect& r) override;
    void textOut(int x, int y, std::string_view text) override;
    void drawTextCentred(const ui::Rect& r, std::string_view text) override;
    ui::Colour setTextColour(ui::Colour colour) override;
    void setBackgroundMode(ui::BackgroundMode mode) override;
    void setBackgroundColour(ui::Colour colour) override;
    std::unique_ptr<ui::Canvas> offscreen() override;

private:
    HDC m_dc;
};

// A drawing context compatible with a target, over the target's clip box and in its coordinates; its picture
// is copied to the target when it is destroyed.
class CMemDC {
public:
    explicit CMemDC(HDC target);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

private:
    HDC m_hDC = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HDC m_target;
    RECT m_area{};
};
