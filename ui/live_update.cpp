// OnInfoRefresh: the pass that follows the host as the operator types: the earlier QSOs with the typed call on
// every band, the band of the host's frequency, the captions, the grid's marks, the DXCC panel.
#include <cmath>
#include <optional>
#include <string>

#include "engine/contest_settings.h"
#include "ui/master_panel.h"
#include "ui/texts.h"
#include "ui/window_globals.h"

namespace ui {

namespace {

// One for the library's life, not one per main window: a main window that the operator closed and a later pass
// opens again goes on from where the last one left off (at the same frequency it sends no second "<SP1>").
LiveUpdateState liveUpdate;

const char* bandName(int band) { return jidx::kBands[band].name; }

// The band index of a frequency in hertz: its whole megahertz, truncated toward zero; -1 off the six bands.
int bandOfFrequency(double hertz) {
    if (!std::isfinite(hertz) || std::fabs(hertz) > 1e15) return -1;
    return jidx::bandOfMegahertz(static_cast<long long>(hertz / 1000000.0));
}

// A grid's multiplier code: k is 1..50.
std::string twoDigits(int k) { return {static_cast<char>('0' + k / 10), static_cast<char>('0' + k % 10)}; }

} // namespace

LiveUpdateState& MasterPanel::keptLiveUpdate() { return liveUpdate; }

void resetWindowHalf() {
    liveUpdate = LiveUpdateState();
    g_windowLeft = g_windowTop = 0;
    g_countyWindow = g_zoneWindow = nullptr;
    g_dxccWindow = nullptr;
}

widgets::DxccPanelState MasterPanel::panelState() const {
    widgets::DxccPanelState state;
    for (int b = 0; b < jidx::kBandCount; ++b) state.rows[b].assign(m_rows[b].begin(), m_rows[b].end());
    state.currentCall = m_live.currentCall;
    state.infoBand = m_live.infoBand;
    state.ownIsJA = m_door.passView().ownIsJA;
    if (m_live.infoBand >= 0) state.bandDxcc = m_door.bandWorked(m_live.infoBand).dxcc;
    return state;
}

void MasterPanel::markGrid(widgets::MultiplierGridWindow& grid, int band, const std::vector<std::string>& codes) {
    const int count = grid.layout().count;
    int* worked = grid.worked();
    // Marks only grow while the band stays; a new band starts again from its list.
    if (m_live.gridBand != band) {
        m_live.gridBand = band;
        for (int k = 1; k <= count; ++k) {
            worked[k - 1] = 0;
            widgets::showMark(grid.button(k - 1), false);
        }
    }
    for (const std::string& code : codes)
        for (int k = 1; k <= count; ++k)
            if (!worked[k - 1] && code == twoDigits(k)) {
                worked[k - 1] = 1;
                widgets::showMark(grid.button(k - 1), true);
            }
}

void MasterPanel::ResetGrids() {
    forgetEndedWindows();
    for (widgets::MultiplierGridWindow* grid : {g_zoneWindow, g_countyWindow}) {
        if (!grid) continue;
        for (int k = 0; k < grid->layout().count; ++k) {
            grid->worked()[k] = 0;
            widgets::showMark(grid->button(k), false);
        }
    }
}

// Each view the operator wants is open: one not open (at the window's start, or after it ended by itself) opens
// now. Returns the DXCC window's caption as the pass starts it.
std::string MasterPanel::openWantedViews(const PassView& pass) {
    std::string dxccCaption;
    if (m_viewDxcc) {
        if (!g_dxccWindow) {
            openDxcc();
            settingsWrite("setup_view_dxcc", "1");
        }
        dxccCaption = texts::dxccCaption(pass.russianUi, pass.ownIsJA, pass.contestMode, pass.startYear);
        if (g_dxccWindow) g_dxccWindow->setCaption(dxccCaption);
    }
    if (m_viewZone && !stationGrid()) {
        openStationGrid();
        settingsWrite("setup_view_zone", "1");
    }
    return dxccCaption;
}

// The call typed in the host, and the rows of its earlier QSOs. False when the pass ends here: the host did not
// answer, or one or two characters are typed (they change nothing).
bool MasterPanel::lookUpTypedCall(const PassView& pass, std::string& dxccCaption) {
    m_live.currentCall.clear();
    const std::optional<std::string> typed = m_host.entryText(kCallField);
    if (!typed) return false;
    m_live.currentCall = *typed;
    if (m_live.currentCall.size() == 1 || m_live.currentCall.size() == 2) return false;

    for (auto& row : m_rows) row[1] = row[2] = "   -", row[3] = " -";
    if (!m_live.currentCall.empty()) {
        const PreviousQsos previous = m_door.previousQsos(m_live.currentCall);
        for (int b = 0; b < jidx::kBandCount; ++b)
            if (previous[b].found) m_rows[b] = {bandName(b), previous[b].time, previous[b].mode, previous[b].code};
        dxccCaption = texts::dxccCaptionWith(pass.russianUi, pass.contestMode, pass.startYear, m_live.currentCall);
        if (g_dxccWindow) g_dxccWindow->setCaption(dxccCaption);
    }
    return true;
}

// The band of the host's frequency, the host told "<SP1>" when the frequency moved more than 300 Hz since it was
// last told. None when the pass ends here: the host did not answer or did not take the command, or the frequency
// is on none of the six bands.
std::optional<int> MasterPanel::followFrequency() {
    const std::optional<double> frequency = m_host.frequency();
    if (!frequency) return std::nullopt;
    if (std::fabs(*frequency - m_live.lastFrequency) > 300) {
        if (!m_host.sendCommand("<SP1>")) return std::nullopt;
        m_live.lastFrequency = *frequency;
    }
    const int band = bandOfFrequency(*frequency);
    if (band < 0) return std::nullopt;
    m_live.infoBand = band;
    return band;
}

// The station's grid and captions for the band: zones and the DXCC count for a JA station, counties otherwise.
void MasterPanel::showBand(const PassView& pass, int band, std::string& dxccCaption) {
    const BandWorked worked = m_door.bandWorked(band);
    if (pass.ownIsJA) {
        if (m_live.currentCall.empty())
            dxccCaption = texts::dxccWorkedOn(pass.contestMode, pass.startYear, bandName(band), worked.dxcc.size());
        if (g_zoneWindow) {
            g_zoneWindow->setCaption(texts::zoneCaption(bandName(band)));
            markGrid(*g_zoneWindow, band, worked.multipliers);
            g_zoneWindow->updateControls();
        }
        if (g_dxccWindow && !dxccCaption.empty()) g_dxccWindow->setCaption(dxccCaption);
    } else {
        const std::string caption =
            texts::countyCaption(pass.contestMode, pass.startYear, bandName(band), worked.multipliers.size());
        if (g_countyWindow) {
            g_countyWindow->setCaption(caption);
            markGrid(*g_countyWindow, band, worked.multipliers);
            g_countyWindow->updateControls();
        }
    }
}

void MasterPanel::refreshPass(bool& bandFound) {
    if (!m_host.linked()) return;
    forgetEndedWindows();
    const PassView pass = m_door.passView();
    std::string dxccCaption = openWantedViews(pass);
    if (!lookUpTypedCall(pass, dxccCaption)) return;
    const std::optional<int> band = followFrequency();
    if (!band) return;
    bandFound = true;
    showBand(pass, *band, dxccCaption);
}

// A failed call to the host ends the pass where it was made, but the gate opens again all the same: one failure
// must not leave the window deaf to the operator's typing for the rest of the contest. The guards are for the
// unexpected: nothing escapes into the window procedure.
void MasterPanel::OnInfoRefresh() {
    bool bandFound = false;
    try {
        refreshPass(bandFound);
    } catch (...) {
    }
    try {
        if (bandFound && g_dxccWindow) g_dxccWindow->repaintPanel();
    } catch (...) {
    }
    try {
        m_door.setRefreshGate(true);
    } catch (...) {
    }
}

} // namespace ui
