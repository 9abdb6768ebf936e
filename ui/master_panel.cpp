// The main window's handlers: settings, the CW/SSB pair, the views and "Window on top".
#include "ui/master_panel.h"

#include "engine/contest_settings.h"
#include "ui/texts.h"
#include "ui/widgets/window_place.h"
#include "ui/window_globals.h"

namespace ui {

std::string g_masterCaption;

namespace {

// The main window remembers its place as the secondary windows do; 0 stands for 0.
constexpr widgets::WindowPlace kMasterPlace{"master_x", "master_y", 0, 0};

// The setting of a mode's own check box.
const char* modeBoxKey(int contestMode) { return jidx::isCwMode(contestMode) ? "setup_mode_cw" : "setup_mode_ssb"; }

} // namespace

MasterPanel::MasterPanel(MasterWindow& window, SecondaryWindows& windows, HostLink& host, ContestDoor& door)
    : m_window(window), m_windows(windows), m_host(host), m_door(door) {
    for (int b = 0; b < jidx::kBandCount; ++b) m_rows[b] = {jidx::kBands[b].name, "-", "-", "-"};
}

MasterPanel::~MasterPanel() { CloseSecondaryWindows(); }

void MasterPanel::postRefresh(bool gateOpen) {
    m_door.setRefreshGate(gateOpen);
    m_window.postRefresh();
}

void MasterPanel::hostCallFailed() { m_door.setRefreshGate(true); }

void MasterPanel::setModeCaption() {
    const PassView pass = m_door.passView();
    g_masterCaption = texts::masterCaption(pass.russianUi, m_contestMode, pass.startYear);
    m_window.setTitle(g_masterCaption);
}

void MasterPanel::setStationLabels() {
    const PassView pass = m_door.passView();
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
    widgets::loadWindowPlace(kMasterPlace);
    m_windowOnTop = settingsReadInt("setup_window_on_top") != 0;
    g_windowOnTop = m_windowOnTop ? 1 : 0;
    m_contestMode = startupContestMode();
    m_viewZone = settingsReadInt("setup_view_zone") != 0;
    m_viewDxcc = settingsReadInt("setup_view_dxcc") != 0;

    const PassView pass = m_door.passView();
    if (pass.russianUi) {
        const texts::MasterLabels& labels = texts::masterLabels(true);
        m_window.setItemText(kModeLabel, labels.mode);
        m_window.moveItem(kViewLabel, 140, 18, 150, 20);
        m_window.setItemText(kViewLabel, labels.view);
    }
    const jidx::ModeRow& mode = jidx::modeRow(m_contestMode);
    m_door.setContestMode(m_contestMode, false);
    settingsWrite("Mode", mode.settingsValue);
    setModeCaption();
    setStationLabels();
    m_window.showChecks(checks());
    m_window.placeOnTop(g_windowLeft, g_windowTop);
    if (!m_host.sendCommand(mode.hostCommand)) return hostCallFailed();
    // The keyer's speed goes with CW at the window's start only, not with the operator's switch: the host's own
    // behaviour.
    if (jidx::isCwMode(m_contestMode) && !m_host.sendCommand("<BAUDRATE:27>")) return hostCallFailed();
    postRefresh(false);
}

void MasterPanel::OnModeCw() { switchMode(0); }
void MasterPanel::OnModeSsb() { switchMode(1); }

// Both boxes are one operation. The plug-in's own state changes first and together: the settings, the contest
// mode and the pass's bad-QSO file restarted with the new mode's title (every line that follows is judged in the
// mode its file's title names), then the window. The host hears of it last, so that a host that fails the call
// leaves nothing half switched.
void MasterPanel::switchMode(int contestMode) {
    if (jidx::isCwMode(m_contestMode) == jidx::isCwMode(contestMode)) {
        m_window.showChecks(checks()); // the box clicked off is checked again
        return;
    }
    const int previous = m_contestMode;
    m_contestMode = contestMode;
    const jidx::ModeRow& mode = jidx::modeRow(contestMode);
    settingsWrite(modeBoxKey(contestMode), "1");
    settingsWrite("Mode", mode.settingsValue);
    settingsWrite(modeBoxKey(previous), "0");
    m_door.setContestMode(contestMode, true);
    setModeCaption();
    setStationLabels();
    m_window.showChecks(checks());
    if (!m_host.sendCommand(mode.hostCommand)) return hostCallFailed();
    postRefresh(false);
}

// A secondary window that ended by itself (Escape) is gone: its object goes with it.
void MasterPanel::forgetEndedWindows() {
    if (g_dxccWindow && !g_dxccWindow->isOpen()) closeAndForget(g_dxccWindow);
    if (g_countyWindow && !g_countyWindow->isOpen()) closeAndForget(g_countyWindow);
    if (g_zoneWindow && !g_zoneWindow->isOpen()) closeAndForget(g_zoneWindow);
}

widgets::MultiplierGridWindow*& MasterPanel::stationGrid() {
    return m_door.passView().ownIsJA ? g_zoneWindow : g_countyWindow;
}

void MasterPanel::openDxcc() {
    g_dxccWindow = m_windows.openDxcc([this] { return panelState(); });
}

void MasterPanel::openStationGrid() {
    widgets::MultiplierGridWindow*& grid = stationGrid();
    grid = &grid == &g_zoneWindow ? m_windows.openZone() : m_windows.openCounty();
}

// What decides is the window's existence, not the box.
template <class Window, class Open>
void MasterPanel::toggleView(Window*& window, bool& wanted, const char* key, Open open) {
    if (window) {
        closeAndForget(window);
        wanted = false;
        settingsWrite(key, "0");
        return;
    }
    open();
    wanted = true;
    postRefresh(false);
    settingsWrite(key, "1");
}

void MasterPanel::OnViewDxcc() {
    forgetEndedWindows();
    toggleView(g_dxccWindow, m_viewDxcc, "setup_view_dxcc", [this] { openDxcc(); });
}

void MasterPanel::OnViewZone() {
    forgetEndedWindows();
    toggleView(stationGrid(), m_viewZone, "setup_view_zone", [this] { openStationGrid(); });
}

void MasterPanel::OnWindowOnTop() {
    m_windowOnTop = !m_windowOnTop;
    g_windowOnTop = m_windowOnTop ? 1 : 0;
    settingsWrite("setup_window_on_top", m_windowOnTop ? "1" : "0");
    CloseSecondaryWindows();
    m_window.showChecks(checks());
    postRefresh(true);
}

void MasterPanel::CloseSecondaryWindows() {
    closeAndForget(g_dxccWindow);
    closeAndForget(g_countyWindow);
    closeAndForget(g_zoneWindow);
}

void MasterPanel::OnSetCursor() { widgets::saveWindowPlace(kMasterPlace, m_window.corner()); }

} // namespace ui
