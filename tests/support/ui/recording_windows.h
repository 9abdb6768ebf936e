// Test support for the main window's logic: a scripted host, a recording main window and secondary windows that
// write one line per thing done to them into one shared log, and a door into a contest state of the test's own.
#pragma once
#include <array>
#include <map>
#include <string>
#include <vector>

#include "ui/master_panel.h"

namespace test {

using Log = std::vector<std::string>;

class ScriptedHost : public ui::HostLink {
public:
    explicit ScriptedHost(Log& log) : m_log(log) {}
    bool isLinked = true;
    std::string call;
    double hertz = 14025000;
    // Calls the host answers with an error; a failed command is logged "host <...> failed".
    bool failEntry = false, failFrequency = false, failCommands = false;

    bool linked() const override { return isLinked; }
    std::optional<double> frequency() override;
    std::optional<std::string> entryText(int field) override;
    bool sendCommand(std::string_view command) override;

private:
    Log& m_log;
};

class RecordingMaster : public ui::MasterWindow {
public:
    explicit RecordingMaster(Log& log) : m_log(log) {}
    widgets::Point at;
    int posts = 0;

    void setTitle(std::string_view text) override;
    void setItemText(int id, std::string_view text) override;
    void moveItem(int id, int x, int y, int width, int height) override;
    void showChecks(const ui::MasterChecks& checks) override;
    void placeOnTop(int left, int top) override;
    widgets::Point corner() const override { return at; }
    void postRefresh() override;

private:
    Log& m_log;
};

// Opens recording windows: "county", "zone" and "dxcc" in the log ("open dxcc on top" when topmost). A grid logs its caption, its controls'
// update with the worked multipliers ("county shows 01 34"), and counts its buttons' repaints.
class RecordingWindows : public ui::SecondaryWindows {
public:
    explicit RecordingWindows(Log& log) : m_log(log) {}
    widgets::DxccWindowView* openDxcc(widgets::DxccPanelSource source, bool onTop) override;
    widgets::MultiplierGridWindow* openCounty(bool onTop) override;
    widgets::MultiplierGridWindow* openZone(bool onTop) override;
    int repaints = 0;          // button repaints of every grid
    int liveWindows = 0;       // objects made and not yet deleted
    widgets::DxccPanelSource panel; // the DXCC window's source of state, as it would paint

private:
    Log& m_log;
};

// What a DX station's main window logs in English when its mode is set: the title in that mode, the labels, the
// boxes ("cw=1 ssb=0 dxcc=0 zone=0 top=0"), then the lines that follow.
Log dxModeShown(const std::string& mode, const std::string& checks, const Log& then);

// The contest state as the window sees it, set by the test: what the door hands out, and what the window changed.
class FakeDoor : public ui::ContestDoor {
public:
    ui::PassView pass{1, false, false, "2026"};
    std::map<std::string, ui::PreviousQsos, std::less<>> previous; // by call
    std::array<ui::BandWorked, jidx::kBandCount> worked;
    bool gateOpen = true;
    int badQsoRestarts = 0; // mode changes that restarted the bad-QSO file
    bool refuseMode = false; // the settings file takes no mode

    ui::PassView passView() override { return pass; }
    ui::PreviousQsos previousQsos(std::string_view call) override;
    ui::BandWorked bandWorked(int band) override;
    // Stores the mode in the settings as the plug-in's door does, unless refuseMode.
    bool changeContestMode(int contestMode, ModeChange change) override;
    void setRefreshGate(bool open) override { gateOpen = open; }
};

} // namespace test
