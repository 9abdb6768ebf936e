#include "ui/win32/secondary_window_win32.h"

#include <string>

#include "resources/resource.h"
#include "ui/colours.h"
#include "ui/window_globals.h"

CPluginWindow::CPluginWindow(UINT templateId)
    : CDialog(templateId), m_backgroundBrush(CreateSolidBrush(ui::kWindowBackground)) {}

CPluginWindow::~CPluginWindow() {
    if (m_backgroundBrush) DeleteObject(m_backgroundBrush);
}

void CPluginWindow::giveWindowLook() {
    if (HICON icon = LoadIconW(CDialog::ResourceModule(), MAKEINTRESOURCEW(IDI_VUVO)))
        SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    // Disabling the system menu's Close disables the caption's close box too.
    if (HMENU menu = GetSystemMenu(m_hWnd, FALSE)) EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_DISABLED | MF_GRAYED);
}

HBRUSH CPluginWindow::OnCtlColor(HDC dc, HWND, UINT) {
    SetTextColor(dc, ui::kWindowText);
    SetBkColor(dc, ui::kWindowBackground);
    return m_backgroundBrush;
}

bool CPluginWindow::OnMessage(UINT message, WPARAM wParam, LPARAM, INT_PTR& result) {
    if (message != WM_SYSCOMMAND || (wParam & 0xFFF0) != SC_CLOSE) return false;
    result = TRUE;
    return true;
}

CSecondaryWindow::CSecondaryWindow(UINT templateId, const widgets::WindowPlace& place)
    : CPluginWindow(templateId), m_place(place) {}

bool CSecondaryWindow::createAndShow(bool onTop) {
    m_onTop = onTop; // read by OnInitDialog, which runs inside Create
    if (!Create()) return false;
    ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

void CSecondaryWindow::endWindow() { EndDialog(IDCANCEL); }

void CSecondaryWindow::setCaptionText(std::string_view text) { setWindowText(std::string(text), kCyrillicCodePage); }

BOOL CSecondaryWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    const widgets::Point corner = widgets::loadWindowPlace(m_place);
    setupControls();
    SetWindowPos(m_hWnd, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_onTop) SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    giveWindowLook();
    return TRUE;
}

bool CSecondaryWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_SETCURSOR: {
        // Saved as the pointer passes over the window or any of its controls; the default handling follows.
        RECT frame;
        if (GetWindowRect(m_hWnd, &frame)) widgets::saveWindowPlace(m_place, {frame.left, frame.top});
        return false;
    }
    case WM_CLOSE:
        // The owner's close ends the window before SendMessage returns, so that the object can go right after.
        OnCancel();
        result = TRUE;
        return true;
    default:
        return CPluginWindow::OnMessage(message, wParam, lParam, result);
    }
}
