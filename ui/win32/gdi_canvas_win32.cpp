#include "ui/win32/gdi_canvas_win32.h"

#include <climits>
#include <cstddef>

namespace {

RECT toRect(const ui::Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

int textLength(std::string_view text) {
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

void fill(HDC dc, int left, int top, int right, int bottom, HBRUSH brush) {
    const RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush);
}

// The off-screen surface of a buffered paint: the canvas over a CMemDC, which copies itself when it goes.
class GdiBuffer : public ui::Canvas {
public:
    explicit GdiBuffer(HDC target) : m_memory(target), m_canvas(m_memory.GetSafeHdc()) {}

    void fillSolidRect(const ui::Rect& r, ui::Colour colour) override { m_canvas.fillSolidRect(r, colour); }
    void frame3d(const ui::Rect& r, ui::Colour tl, ui::Colour br) override { m_canvas.frame3d(r, tl, br); }
    void ellipse(const ui::Rect& r, ui::PenStyle style, int width, ui::Colour colour) override {
        m_canvas.ellipse(r, style, width, colour);
    }
    void focusRect(const ui::Rect& r) override { m_canvas.focusRect(r); }
    void textOut(int x, int y, std::string_view text) override { m_canvas.textOut(x, y, text); }
    void drawTextCentred(const ui::Rect& r, std::string_view text) override { m_canvas.drawTextCentred(r, text); }
    ui::Colour setTextColour(ui::Colour colour) override { return m_canvas.setTextColour(colour); }
    void setBackgroundMode(ui::BackgroundMode mode) override { m_canvas.setBackgroundMode(mode); }
    void setBackgroundColour(ui::Colour colour) override { m_canvas.setBackgroundColour(colour); }
    std::unique_ptr<ui::Canvas> offscreen() override { return m_canvas.offscreen(); }

private:
    CMemDC m_memory;
    GdiCanvas m_canvas;
};

} // namespace

void GdiCanvas::fillSolidRect(const ui::Rect& r, ui::Colour colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT area = toRect(r);
    FillRect(m_dc, &area, brush);
    DeleteObject(brush);
}

// The rule of MFC's Draw3dRect: the top row and left column stop one pixel short, so the right column (from the
// top) and the bottom row (from the left) hold the corners in the second colour.
void GdiCanvas::frame3d(const ui::Rect& r, ui::Colour topLeft, ui::Colour bottomRight) {
    HBRUSH first = CreateSolidBrush(topLeft);
    HBRUSH second = CreateSolidBrush(bottomRight);
    fill(m_dc, r.left, r.top, r.right - 1, r.top + 1, first);
    fill(m_dc, r.left, r.top, r.left + 1, r.bottom - 1, first);
    fill(m_dc, r.right - 1, r.top, r.right, r.bottom, second);
    fill(m_dc, r.left, r.bottom - 1, r.right, r.bottom, second);
    DeleteObject(second);
    DeleteObject(first);
}

void GdiCanvas::ellipse(const ui::Rect& r, ui::PenStyle style, int width, ui::Colour colour) {
    HPEN pen = CreatePen(style == ui::PenStyle::dot ? PS_DOT : PS_SOLID, width, colour);
    HGDIOBJ old = SelectObject(m_dc, pen);
    Ellipse(m_dc, r.left, r.top, r.right, r.bottom);
    SelectObject(m_dc, old);
    DeleteObject(pen);
}

void GdiCanvas::focusRect(const ui::Rect& r) {
    const RECT area = toRect(r);
    DrawFocusRect(m_dc, &area);
}

void GdiCanvas::textOut(int x, int y, std::string_view text) { TextOutA(m_dc, x, y, text.data(), textLength(text)); }

void GdiCanvas::drawTextCentred(const ui::Rect& r, std::string_view text) {
    RECT area = toRect(r);
    DrawTextA(m_dc, text.data(), textLength(text), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

ui::Colour GdiCanvas::setTextColour(ui::Colour colour) { return SetTextColor(m_dc, colour); }

void GdiCanvas::setBackgroundMode(ui::BackgroundMode mode) {
    SetBkMode(m_dc, mode == ui::BackgroundMode::transparent ? TRANSPARENT : OPAQUE);
}

void GdiCanvas::setBackgroundColour(ui::Colour colour) { SetBkColor(m_dc, colour); }

std::unique_ptr<ui::Canvas> GdiCanvas::offscreen() { return std::make_unique<GdiBuffer>(m_dc); }

// ---- CMemDC

CMemDC::CMemDC(HDC target) : m_target(target) {
    m_hDC = CreateCompatibleDC(target);
    GetClipBox(target, &m_area);
    m_bitmap = CreateCompatibleBitmap(target, m_area.right - m_area.left, m_area.bottom - m_area.top);
    m_oldBitmap = SelectObject(m_hDC, m_bitmap);
    // Callers draw in the target's coordinates.
    SetWindowOrgEx(m_hDC, m_area.left, m_area.top, nullptr);
}

CMemDC::~CMemDC() {
    BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left, m_area.bottom - m_area.top, m_hDC,
           m_area.left, m_area.top, SRCCOPY);
    SelectObject(m_hDC, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_hDC);
}
