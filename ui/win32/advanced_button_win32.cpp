#include "ui/win32/advanced_button_win32.h"

#include <string>
#include <vector>

#include "ui/win32/gdi_canvas_win32.h"

bool CAdvancedButton::SetupDlgItem(UINT id, CDialog* parent, widgets::Colour face, widgets::Colour label,
                                   widgets::Colour disabledLabel) {
    if (!SubclassDlgItem(id, parent)) return false;
    m_shape = widgets::ShapeRect;
    m_faceColor = face;
    m_labelColor = label;
    m_disabledLabelColor = disabledLabel;
    return true;
}

// Synchronous: the owner sees the new look as soon as a setter returns. The erase paints the corners outside
// an ellipse with the dialog's background brush.
void CAdvancedButton::Redraw() {
    if (m_hWnd) RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

// A check box of the template becomes owner-drawn: its type bits with BS_OWNERDRAW are BS_OWNERDRAW.
void CAdvancedButton::PreSubclassWindow() {
    const LONG_PTR style = GetWindowLongPtrW(m_hWnd, GWL_STYLE);
    SetWindowLongPtrW(m_hWnd, GWL_STYLE, style | BS_OWNERDRAW);
}

void CAdvancedButton::DrawItem(const DRAWITEMSTRUCT& item) {
    // The whole text: the drawing cuts it to its limit.
    const int length = GetWindowTextLengthA(item.hwndItem);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1);
    const int got = GetWindowTextA(item.hwndItem, text.data(), static_cast<int>(text.size()));
    GdiCanvas canvas(item.hDC);
    const ui::Rect rect{item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom};
    widgets::paintButton(canvas, rect, item.itemState, m_shape,
                         {m_faceColor, m_labelColor, m_disabledLabelColor},
                         std::string_view(text.data(), got > 0 ? static_cast<std::size_t>(got) : 0));
}
