// The county grid (`CCountyGridWindow`, template 106) and the CQ zone grid (`CZoneGridWindow`, template 111): one
// elliptic drawn button per multiplier, coloured by the owner.
#pragma once
#include <windows.h>

#include "engine/jidx_rules.h"
#include "resources/resource.h"
#include "ui/widgets/multiplier_grid.h"
#include "ui/win32/advanced_button_win32.h"
#include "ui/win32/secondary_window_win32.h"

template <int N>
class CGridWindow : public CSecondaryWindow, public widgets::MultiplierGridWindow {
public:
    CGridWindow(UINT templateId, const widgets::GridSpec& grid);

    const widgets::GridSpec& layout() const override { return m_grid; }
    int* worked() override { return m_worked; }
    widgets::CAdvancedComponent& button(int index) override { return m_buttons[index]; }
    void setCaption(std::string_view text) override { setCaptionText(text); }
    void updateControls() override { DoDataExchange(false); }
    bool isOpen() const override { return windowOpen(); }
    void close() override { endWindow(); }

    // Entry k - 1 is multiplier k.
    int m_worked[N] = {};
    CAdvancedButton m_buttons[N];

protected:
    // Each flag with its control's check state, in multiplier order; towards the controls unless saving.
    void DoDataExchange(bool saving);
    void setupControls() override;

private:
    const widgets::GridSpec& m_grid;
};

class CCountyGridWindow : public CGridWindow<jidx::kCountyCount> {
public:
    CCountyGridWindow() : CGridWindow(IDD_COUNTY_GRID, widgets::kCountyGrid) {}
};

class CZoneGridWindow : public CGridWindow<jidx::kZoneCount> {
public:
    CZoneGridWindow() : CGridWindow(IDD_ZONE_GRID, widgets::kZoneGrid) {}
};

// The grid windows made with no parent and shown; nullptr when the window cannot be made. The owner deletes
// them (closeAndForget).
widgets::MultiplierGridWindow* openCountyWindow(bool onTop);
widgets::MultiplierGridWindow* openZoneWindow(bool onTop);
