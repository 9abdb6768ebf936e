// The DXCC window (`CDxccWindow`, template 108): one painted panel (`CDxccPanel`, control 1003) over the client
// area less a 5-pixel margin, painted from a copy of the shared state that its source takes.
#pragma once
#include <windows.h>

#include "ui/widgets/dxcc_panel.h"
#include "ui/win32/secondary_window_win32.h"

class CDxccPanel : public CButton {
public:
    // Each paint asks the source for a fresh copy; without one the panel shows no band.
    widgets::DxccPanelSource m_source;

protected:
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};

class CDxccWindow : public CSecondaryWindow, public widgets::DxccWindowView {
public:
    explicit CDxccWindow(widgets::DxccPanelSource source = {});

    void setCaption(std::string_view text) override { setCaptionText(text); }
    void repaintPanel() override;
    bool isOpen() const override { return windowOpen(); }
    void close() override { endWindow(); }

    CDxccPanel m_panel;

protected:
    // Binds m_panel to control 1003: the first exchange takes the control over, later ones do nothing.
    void DoDataExchange();
    void setupControls() override { DoDataExchange(); }
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) override;
};

// The DXCC window made with no parent and shown; nullptr when the window cannot be made. The owner deletes it
// (closeAndForget).
widgets::DxccWindowView* openDxccWindow(widgets::DxccPanelSource source, bool onTop);
