// What the county grid, the zone grid and the DXCC window share as windows: opened at their stored place (on top
// when asked), light yellow with black text, icon 110, no close of their own (the system menu's Close and the
// close box disabled, Enter ignored), their place saved whenever the pointer passes over them. Escape and the
// owner's close end the window; the owner then deletes the object.
#pragma once
#include <windows.h>

#include <string_view>

#include "platform/win32/dialog_win32.h"
#include "ui/widgets/window_place.h"

// What the main window and the secondary windows share as windows: black text on light yellow (the brush lives as
// long as the object, since the controls ask for their colours as soon as they are taken over), icon 110, and a
// system menu whose Close (and so the close box, and Alt+F4) is disabled: the window ends only on Escape or when
// the plug-in closes it.
class CPluginWindow : public CDialog {
public:
    explicit CPluginWindow(UINT templateId);
    ~CPluginWindow() override;

protected:
    // Icon and disabled Close, once the window exists.
    void giveWindowLook();
    HBRUSH OnCtlColor(HDC dc, HWND control, UINT type) override;
    // Refuses the system menu's Close; every other message is the derived window's.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    HBRUSH m_backgroundBrush;
};

class CSecondaryWindow : public CPluginWindow {
public:
    CSecondaryWindow(UINT templateId, const widgets::WindowPlace& place);

    // Makes the window from its template with no parent and shows it, topmost when onTop; false when it cannot be
    // made.
    bool createAndShow(bool onTop);
    bool windowOpen() const { return m_hWnd != nullptr; }
    // Ends the window at once (it is destroyed, not hidden).
    void endWindow();
    // The caption, bytes in Windows-1251.
    void setCaptionText(std::string_view text);

protected:
    // Takes the controls over; runs inside OnInitDialog before the window is placed.
    virtual void setupControls() {}

    BOOL OnInitDialog() override;
    void OnOK() override {}
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;

private:
    const widgets::WindowPlace& m_place;
    bool m_onTop = false;
};
