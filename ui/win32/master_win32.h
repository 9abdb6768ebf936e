// The main information window `master` (template 105): messages and handles only; its decisions are
// ui::MasterPanel's.
#pragma once
#include <windows.h>

#include "platform/win32/dialog_win32.h"
#include "ui/master_panel.h"
#include "ui/win32/host_link_win32.h"

// Private messages of the main window beside WM_INFO_REFRESH, posted by the host's thread.
constexpr UINT WM_GRID_RESET = WM_USER + 501;    // the open grids back to no multiplier worked
constexpr UINT WM_CLOSE_WINDOWS = WM_USER + 502; // every plug-in window closes, the main window last

class master : public CDialog, private ui::MasterWindow, private ui::SecondaryWindows {
public:
    master();
    ~master() override;

    // The window as the live update leaves it: link to the host and panel, for its thread's message loop.
    bool open();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    // ui::MasterWindow
    void setTitle(std::string_view text) override;
    void setItemText(int id, std::string_view text) override;
    void moveItem(int id, int x, int y, int width, int height) override;
    void showChecks(const ui::MasterChecks& checks) override;
    void placeOnTop(int left, int top) override;
    widgets::Point corner() const override;
    void postRefresh() override;
    // ui::SecondaryWindows
    widgets::DxccWindowView* openDxcc(widgets::DxccPanelSource source) override;
    widgets::MultiplierGridWindow* openCounty() override;
    widgets::MultiplierGridWindow* openZone() override;

    CHostLink m_hostLink;
    ui::MasterPanel m_panel;
    HBRUSH m_backgroundBrush = nullptr;
};
