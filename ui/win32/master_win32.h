// The main information window (`CMasterWindow`, template 105): messages and handles only; its decisions are
// ui::MasterPanel's.
#pragma once
#include <windows.h>

#include "platform/win32/dialog_win32.h"
#include "ui/master_panel.h"
#include "ui/win32/host_link_win32.h"
#include "ui/win32/secondary_window_win32.h"

// The main window's private messages, posted by the host's thread (or by the window to itself).
constexpr UINT WM_INFO_REFRESH = WM_USER + 500;  // a live update; both parameters 0
constexpr UINT WM_GRID_RESET = WM_USER + 501;    // the open grids back to no multiplier worked
constexpr UINT WM_CLOSE_WINDOWS = WM_USER + 502; // every plug-in window closes, the main window last

class CMasterWindow : public CPluginWindow, private ui::MasterWindow, private ui::SecondaryWindows {
public:
    explicit CMasterWindow(ui::ContestDoor& door);
    ~CMasterWindow() override;

    // The window as the live update leaves it: link to the host and panel, for its thread's message loop.
    bool open();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override {}
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
    widgets::DxccWindowView* openDxcc(widgets::DxccPanelSource source, bool onTop) override;
    widgets::MultiplierGridWindow* openCounty(bool onTop) override;
    widgets::MultiplierGridWindow* openZone(bool onTop) override;

    CHostLink m_hostLink;
    ui::MasterPanel m_panel;
};
