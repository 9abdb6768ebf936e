// Test support for the main window's logic: a scripted host, a recording main window and secondary windows that
// write one line per thing done to them into one shared log.
#pragma once
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
    bool failEntry = false, failFrequency = false;

    bool linked() const override { return isLinked; }
    double frequency() override;
    std::string entryText(int field) override;
    void sendCommand(std::string_view command) override;

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

// Opens recording windows: "county", "zone" and "dxcc" in the log. A grid logs its caption, its controls'
// update with the worked multipliers ("county shows 01 34"), and counts its buttons' repaints.
class RecordingWindows : public ui::SecondaryWindows {
public:
    explicit RecordingWindows(Log& log) : m_log(log) {}
    widgets::DxccWindowView* openDxcc(widgets::DxccPanelSource source) override;
    widgets::MultiplierGridWindow* openCounty() override;
    widgets::MultiplierGridWindow* openZone() override;
    int repaints = 0;          // button repaints of every grid
    int liveWindows = 0;       // objects made and not yet deleted
    widgets::DxccPanelSource panel; // the DXCC window's source of state, as it would paint

private:
    Log& m_log;
};

} // namespace test
