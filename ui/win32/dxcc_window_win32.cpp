#include "ui/win32/dxcc_window_win32.h"

#include <memory>
#include <utility>

#include "resources/resource.h"
#include "ui/win32/gdi_canvas_win32.h"

// The copy is taken before the first pixel is drawn: no lock is held while the panel paints.
void CDxccPanel::DrawItem(const DRAWITEMSTRUCT& item) {
    const widgets::DxccPanelState state = m_source ? m_source() : widgets::DxccPanelState{};
    GdiCanvas canvas(item.hDC);
    widgets::paintDxccPanel(canvas, {item.rcItem.left, item.rcItem.top, item.rcItem.right, item.rcItem.bottom},
                            state);
}

CDxccWindow::CDxccWindow(widgets::DxccPanelSource source)
    : CSecondaryWindow(IDD_DXCC, widgets::kDxccPlace) {
    m_panel.m_source = std::move(source);
}

void CDxccWindow::DoDataExchange() {
    if (!m_panel.GetSafeHwnd()) m_panel.SubclassDlgItem(IDC_DXCC_PANEL, this);
}

// Without erasing: the panel paints every pixel of itself.
void CDxccWindow::repaintPanel() {
    if (HWND panel = GetDlgItem(IDC_DXCC_PANEL)) InvalidateRect(panel, nullptr, FALSE);
}

bool CDxccWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    if (message == WM_SIZE) {
        RECT client;
        HWND panel = GetDlgItem(IDC_DXCC_PANEL);
        if (panel && GetClientRect(m_hWnd, &client)) {
            const ui::Rect place = widgets::dxccPanelPlace({client.left, client.top, client.right, client.bottom});
            MoveWindow(panel, place.left, place.top, place.right - place.left, place.bottom - place.top, TRUE);
        }
        return false;
    }
    return CSecondaryWindow::OnMessage(message, wParam, lParam, result);
}

widgets::DxccWindowView* openDxccWindow(widgets::DxccPanelSource source, bool onTop) {
    auto window = std::make_unique<CDxccWindow>(std::move(source));
    if (!window->createAndShow(onTop)) return nullptr;
    return window.release();
}
