#include "ui/win32/master_win32.h"

#include "resources/resource.h"
#include "ui/win32/dxcc_window_win32.h"
#include "ui/win32/grid_windows_win32.h"
#include "ui/win32/secondary_window_win32.h"
#include "ui/win32/window_thread_win32.h"
#include "ui/window_globals.h"

CMasterWindow::CMasterWindow(ui::ContestDoor& door)
    : CPluginWindow(IDD_MASTER), m_panel(*this, *this, m_hostLink, door) {}

CMasterWindow::~CMasterWindow() {
    m_panel.CloseSecondaryWindows();
    if (m_hWnd) DestroyWindow(m_hWnd);
    m_hostLink.Release();
}

bool CMasterWindow::open() { return Create(); }

BOOL CMasterWindow::OnInitDialog() {
    CDialog::OnInitDialog();
    giveWindowLook();
    m_hostLink.LinkToHost();
    m_panel.OnInitDialog();
    ShowWindow(m_hWnd, SW_SHOWNOACTIVATE);
    return TRUE;
}

bool CMasterWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) {
    switch (message) {
    case WM_INFO_REFRESH:
        // A refresh still queued when the library's unload asks the windows to close would open windows.
        if (!windowThreadUnloading()) m_panel.OnInfoRefresh();
        result = 0;
        return true;
    case WM_GRID_RESET:
        m_panel.ResetGrids();
        return true;
    case WM_CLOSE_WINDOWS:
        m_panel.CloseSecondaryWindows();
        EndDialog(IDCANCEL);
        return true;
    case WM_SETCURSOR:
        m_panel.OnSetCursor();
        return false; // the default handling sets the cursor
    case WM_DESTROY:
        m_panel.CloseSecondaryWindows();
        PostQuitMessage(0);
        return false;
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED || windowThreadUnloading()) return false;
        switch (LOWORD(wParam)) {
        case ui::kModeCwBox: m_panel.OnModeCw(); return true;
        case ui::kModeSsbBox: m_panel.OnModeSsb(); return true;
        case ui::kViewDxccBox: m_panel.OnViewDxcc(); return true;
        case ui::kViewZoneBox: m_panel.OnViewZone(); return true;
        case ui::kWindowOnTopBox: m_panel.OnWindowOnTop(); return true;
        default: return false;
        }
    default:
        return CPluginWindow::OnMessage(message, wParam, lParam, result);
    }
}

void CMasterWindow::setTitle(std::string_view text) { setWindowText(std::string(text), kCyrillicCodePage); }

void CMasterWindow::setItemText(int id, std::string_view text) {
    CDialog::setItemText(id, std::string(text), kCyrillicCodePage);
}

void CMasterWindow::moveItem(int id, int x, int y, int width, int height) {
    if (HWND item = GetDlgItem(id)) MoveWindow(item, x, y, width, height, TRUE);
}

void CMasterWindow::showChecks(const ui::MasterChecks& c) {
    CheckDlgButton(m_hWnd, ui::kModeCwBox, c.modeCw ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, ui::kModeSsbBox, c.modeSsb ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, ui::kViewDxccBox, c.viewDxcc ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, ui::kViewZoneBox, c.viewZone ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(m_hWnd, ui::kWindowOnTopBox, c.windowOnTop ? BST_CHECKED : BST_UNCHECKED);
}

void CMasterWindow::placeOnTop(int left, int top) {
    SetWindowPos(m_hWnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

widgets::Point CMasterWindow::corner() const {
    RECT r{};
    GetWindowRect(m_hWnd, &r);
    return {r.left, r.top};
}

void CMasterWindow::postRefresh() { PostMessageW(m_hWnd, WM_INFO_REFRESH, 0, 0); }

widgets::DxccWindowView* CMasterWindow::openDxcc(widgets::DxccPanelSource source, bool onTop) {
    return openDxccWindow(std::move(source), onTop);
}
widgets::MultiplierGridWindow* CMasterWindow::openCounty(bool onTop) { return openCountyWindow(onTop); }
widgets::MultiplierGridWindow* CMasterWindow::openZone(bool onTop) { return openZoneWindow(onTop); }
