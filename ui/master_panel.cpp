// The main window's handlers: settings, the CW/SSB pair, the views and "Window on top".
#include "ui/master_panel.h"

#include "engine/contest_mode.h"
#include "engine/contest_settings.h"
#include "platform/message_box.h"
#include "ui/texts.h"
#include "ui/widgets/window_place.h"
#include "ui/window_globals.h"

namespace ui {

namespace {

// The main window remembers its place as the secondary windows do; 0 stands for 0.
constexpr widgets::WindowPlace kMasterPlace{"master_x", "master_y", 0, 0};

} // namespace

MasterPanel::MasterPanel(MasterWindow& window, SecondaryWindows& windows, HostLink& host, ContestDoor& door)
    : m_window(window), m_windows(windows), m_host(host), m_door(door), m_live(keptLiveUpdate()) {
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
    m_window.setTitle(texts::masterCaption(pass.russianUi, pass.contestMode, pass.startYear));
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
    const widgets::Point place = widgets::loadWindowPlace(kMasterPlace);
    m_windowOnTop = settingsReadInt("setup_window_on_top") != 0;
    const int startMode = windowStartMode();
    m_viewZone = settingsReadInt("setup_view_zone") != 0;
    m_viewDxcc = settingsReadInt("setup_view_dxcc") != 0;

    const PassView pass = m_door.passView();
    if (pass.russianUi) {
        const texts::MasterLabels& labels = texts::masterLabels(true);
        m_window.setItemText(kModeLabel, labels.mode);
        m_window.moveItem(kViewLabel, 140, 18, 150, 20);
        m_window.setItemText(kViewLabel, labels.view);
    }
    // A settings file that does not take the window's mode keeps the stored one, for the window and the pass alike.
    m_door.changeContestMode(startMode, ModeChange::windowStart);
    const int contestMode = m_door.passView().contestMode;
    setModeCaption();
    setStationLabels();
    m_window.showChecks(checks());
    m_window.placeOnTop(place.x, place.y);
    if (!tellHostMode(contestMode)) return hostCallFailed();
    // The keyer's speed goes with CW at the window's start only, not with the operator's switch: the host's own
    // behaviour.
    if (jidx::isCwMode(contestMode) && !m_host.sendCommand("<BAUDRATE:27>")) return hostCallFailed();
    postRefresh(false);
}

void MasterPanel::OnModeCw() { switchMode(0); }
void MasterPanel::OnModeSsb() { switchMode(1); }

bool MasterPanel::tellHostMode(int contestMode) {
    if (!m_host.sendCommand(jidx::modeRow(contestMode).hostCommand)) {
        m_hostMode = HostMode::unknown;
        return false;
    }
    m_hostMode = jidx::isCwMode(contestMode) ? HostMode::cw : HostMode::ssb;
    return true;
}

// Both boxes are one operation. The plug-in's own state changes first and together: the settings, the contest
// mode and the pass's bad-QSO file restarted with the new mode's title (every line that follows is judged in the
// mode its file's title names), then the window. A settings file that does not take the new mode refuses the
// switch whole: what the window shows, what is stored and what every pass judges in stay one. The host hears of
// it last, so that a host that fails the call leaves nothing half switched, and it hears again at the next click
// until it has taken the mode.
void MasterPanel::switchMode(int contestMode) {
    const bool cw = jidx::isCwMode(contestMode);
    const bool judgedInIt = jidx::isCwMode(m_door.passView().contestMode) == cw;
    if (judgedInIt && m_hostMode == (cw ? HostMode::cw : HostMode::ssb)) {
        m_window.showChecks(checks()); // the box clicked off is checked again
        return;
    }
    if (!judgedInIt) {
        if (!m_door.changeContestMode(contestMode, ModeChange::operatorSwitch)) {
            m_window.showChecks(checks());
            platform::showMessage(texts::modeNotStored(m_door.passView().contestMode), "VU-VO",
                                  platform::MessageIcon::information);
            return;
        }
        setModeCaption();
        setStationLabels();
    }
    m_window.showChecks(checks());
    if (!tellHostMode(contestMode)) return hostCallFailed();
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
    g_dxccWindow = m_windows.openDxcc([this] { return panelState(); }, m_windowOnTop);
}

void MasterPanel::openStationGrid() {
    widgets::MultiplierGridWindow*& grid = stationGrid();
    grid = &grid == &g_zoneWindow ? m_windows.openZone(m_windowOnTop) : m_windows.openCounty(m_windowOnTop);
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
