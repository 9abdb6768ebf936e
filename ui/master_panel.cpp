// The main window's handlers: settings, the CW/SSB pair, the views and "Window on top".
#include "ui/master_panel.h"

#include "engine/contest_state.h"
#include "plugin/window_door.h"
#include "ui/texts.h"
#include "ui/window_globals.h"

namespace ui {

std::string g_masterCaption;

int startupContestMode() { return settingsReadInt("setup_mode_cw") != 0 ? 0 : 1; }

MasterPanel::MasterPanel(MasterWindow& window, SecondaryWindows& windows, HostLink& host)
    : m_window(window), m_windows(windows), m_host(host) {
    for (int b = 0; b < jidx::kBandCount; ++b) m_rows[b] = {jidx::kBands[b].name, "-", "-", "-"};
}

MasterPanel::~MasterPanel() { CloseSecondaryWindows(); }

void MasterPanel::postRefresh(int gate) {
    window_door::setRefreshGate(gate);
    m_window.postRefresh();
}

void MasterPanel::setModeCaption() {
    const window_door::PassView pass = window_door::passView();
    g_masterCaption = texts::masterCaption(pass.russianUi, m_modeCw ? 0 : 1, pass.startYear);
    m_window.setTitle(g_masterCaption);
}

void MasterPanel::setStationLabels() {
    const window_door::PassView pass = window_door::passView();
    if (pass.ownIsJA) {
        m_window.setItemText(kViewDxccBox, "DXCC");
        m_window.setItemText(kViewZoneBox, "CQ Zone");
        return;
    }
    const texts::MasterLabels& labels = texts::masterLabels(pass.russianUi);
    m_window.moveItem(kViewDxccBox, 125, 38, 150, 20);
    m_window.setItemText(kViewDxccBox, labels.previousQso);
    m_window.moveItem(kViewZoneBox, 125, 58, 150, 20);
    m_window.setItemText(kViewZoneBox, labels.jaCounty);
    m_window.moveItem(kWindowOnTopBox, 20, 58, 100, 20);
    m_window.setItemText(kWindowOnTopBox, labels.windowOnTop);
}

void MasterPanel::OnInitDialog() {
    g_windowLeft = settingsReadInt("master_x");
    g_windowTop = settingsReadInt("master_y");
    m_windowOnTop = g_windowOnTop = settingsReadInt("setup_window_on_top");
    m_modeCw = settingsReadInt("setup_mode_cw");
    m_modeSsb = settingsReadInt("setup_mode_ssb");
    m_viewZone = settingsReadInt("setup_view_zone");
    m_viewDxcc = settingsReadInt("setup_view_dxcc");

    const window_door::PassView pass = window_door::passView();
    if (pass.russianUi) {
        const texts::MasterLabels& labels = texts::masterLabels(true);
        m_window.setItemText(kModeLabel, labels.mode);
        m_window.moveItem(kViewLabel, 140, 18, 150, 20);
        m_window.setItemText(kViewLabel, labels.view);
    }
    if (m_modeCw) {
        window_door::setContestMode(0);
        settingsWrite("Mode", "0");
    } else {
        m_modeSsb = 1;
        m_modeCw = 0;
        window_door::setContestMode(1);
        settingsWrite("Mode", "1");
    }
    setModeCaption();
    setStationLabels();
    m_window.showChecks(checks());
    m_window.placeOnTop(g_windowLeft, g_windowTop);
    if (m_modeCw) {
        m_host.sendCommand("<MODE:CW>");
        m_host.sendCommand("<BAUDRATE:27>");
    } else {
        m_host.sendCommand("<MODE:SSB>");
    }
    postRefresh(0);
}

// The switch restarts the pass's own bad-QSO file, titled for the new mode, in the same step as the mode changes:
// every line that follows is judged in the mode its file's title names.
void MasterPanel::restartBadQsoFile(int contestMode) { window_door::setContestMode(contestMode, true); }

void MasterPanel::OnModeCw() {
    m_modeCw = settingsReadInt("setup_mode_cw");
    if (m_modeCw) {
        m_window.showChecks(checks());
        return;
    }
    m_modeCw = 1;
    m_modeSsb = 0;
    settingsWrite("setup_mode_cw", "1");
    settingsWrite("Mode", "0");
    settingsWrite("setup_mode_ssb", "0");
    setModeCaption();
    setStationLabels();
    m_window.showChecks(checks());
    m_host.sendCommand("<MODE:CW>");
    restartBadQsoFile(0);
    postRefresh(0);
}

void MasterPanel::OnModeSsb() {
    m_modeSsb = settingsReadInt("setup_mode_ssb");
    if (m_modeSsb) {
        m_window.showChecks(checks());
        return;
    }
    m_modeSsb = 1;
    m_modeCw = 0;
    setModeCaption();
    setStationLabels();
    m_window.showChecks(checks());
    settingsWrite("setup_mode_ssb", "1");
    settingsWrite("Mode", "1");
    settingsWrite("setup_mode_cw", "0");
    restartBadQsoFile(1);
    m_host.sendCommand("<MODE:SSB>");
    postRefresh(0);
}

// A secondary window that ended by itself (Escape) is gone: its object goes with it.
void MasterPanel::forgetEndedWindows() {
    if (g_dxccWindow && !g_dxccWindow->isOpen()) closeAndForget(g_dxccWindow);
    if (g_countyWindow && !g_countyWindow->isOpen()) closeAndForget(g_countyWindow);
    if (g_zoneWindow && !g_zoneWindow->isOpen()) closeAndForget(g_zoneWindow);
}

widgets::MultiplierGridWindow*& MasterPanel::stationGrid() {
    return window_door::passView().ownIsJA ? g_zoneWindow : g_countyWindow;
}

void MasterPanel::openDxcc() {
    g_dxccWindow = m_windows.openDxcc([this] { return panelState(); });
}

void MasterPanel::openStationGrid() {
    widgets::MultiplierGridWindow*& grid = stationGrid();
    grid = &grid == &g_zoneWindow ? m_windows.openZone() : m_windows.openCounty();
}

void MasterPanel::OnViewDxcc() {
    forgetEndedWindows();
    if (g_dxccWindow) {
        closeAndForget(g_dxccWindow);
        m_viewDxcc = 0;
        settingsWrite("setup_view_dxcc", "0");
        return;
    }
    openDxcc();
    m_viewDxcc = 1;
    postRefresh(0);
    settingsWrite("setup_view_dxcc", "1");
}

void MasterPanel::OnViewZone() {
    forgetEndedWindows();
    widgets::MultiplierGridWindow*& grid = stationGrid();
    if (grid) {
        closeAndForget(grid);
        m_viewZone = 0;
        settingsWrite("setup_view_zone", "0");
        return;
    }
    openStationGrid();
    m_viewZone = 1;
    postRefresh(0);
    settingsWrite("setup_view_zone", "1");
}

void MasterPanel::OnWindowOnTop() {
    m_windowOnTop = m_windowOnTop ? 0 : 1;
    g_windowOnTop = m_windowOnTop;
    settingsWrite("setup_window_on_top", m_windowOnTop ? "1" : "0");
    CloseSecondaryWindows();
    m_window.showChecks(checks());
    postRefresh(1);
}

void MasterPanel::CloseSecondaryWindows() {
    closeAndForget(g_dxccWindow);
    closeAndForget(g_countyWindow);
    closeAndForget(g_zoneWindow);
}

void MasterPanel::OnSetCursor() {
    const widgets::Point at = m_window.corner();
    if (at.x != g_windowLeft) {
        g_windowLeft = at.x;
        settingsWrite("master_x", std::to_string(at.x));
    }
    if (at.y != g_windowTop) {
        g_windowTop = at.y;
        settingsWrite("master_y", std::to_string(at.y));
    }
}

} // namespace ui
