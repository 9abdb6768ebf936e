#include "support/ui/recording_windows.h"

#include <memory>

namespace test {
namespace {

class Button : public widgets::CAdvancedComponent {
public:
    explicit Button(int& repaints) : m_repaints(repaints) {}
    void Redraw() override { ++m_repaints; }

private:
    int& m_repaints;
};

class Grid : public widgets::MultiplierGridWindow {
public:
    Grid(const char* name, const widgets::GridSpec& layout, Log& log, int& repaints, int& live, bool onTop)
        : m_name(name), m_layout(layout), m_log(log), m_live(live), m_worked(layout.count, 0) {
        for (int k = 0; k < layout.count; ++k) m_buttons.push_back(std::make_unique<Button>(repaints));
        ++m_live;
        m_log.push_back(std::string("open ") + name + (onTop ? " on top" : ""));
    }
    ~Grid() override { --m_live; }
    const widgets::GridSpec& layout() const override { return m_layout; }
    int* worked() override { return m_worked.data(); }
    widgets::CAdvancedComponent& button(int index) override { return *m_buttons[index]; }
    void setCaption(std::string_view text) override { m_log.push_back(m_name + " caption " + std::string(text)); }
    void updateControls() override {
        std::string line = m_name + " shows";
        for (int k = 0; k < m_layout.count; ++k) {
            if (!m_worked[k]) continue;
            line += k < 9 ? " 0" : " ";
            line += std::to_string(k + 1);
            if (m_buttons[k]->faceColor() != ui::kWorkedFace || m_buttons[k]->labelColor() != ui::kWorkedLabel)
                line += "(wrong colours)";
        }
        m_log.push_back(line);
    }
    bool isOpen() const override { return true; }
    void close() override { m_log.push_back("close " + m_name); }

private:
    std::string m_name;
    const widgets::GridSpec& m_layout;
    Log& m_log;
    int& m_live;
    std::vector<int> m_worked;
    std::vector<std::unique_ptr<Button>> m_buttons;
};

class Dxcc : public widgets::DxccWindowView {
public:
    Dxcc(Log& log, int& live, bool onTop) : m_log(log), m_live(live) {
        ++m_live;
        m_log.push_back(onTop ? "open dxcc on top" : "open dxcc");
    }
    ~Dxcc() override { --m_live; }
    void setCaption(std::string_view text) override { m_log.push_back("dxcc caption " + std::string(text)); }
    void repaintPanel() override { m_log.push_back("dxcc repaint"); }
    bool isOpen() const override { return true; }
    void close() override { m_log.push_back("close dxcc"); }

private:
    Log& m_log;
    int& m_live;
};

} // namespace

std::optional<double> ScriptedHost::frequency() {
    if (failFrequency) return std::nullopt;
    return hertz;
}

std::optional<std::string> ScriptedHost::entryText(int field) {
    if (failEntry) return std::nullopt;
    return field == ui::kCallField ? call : "(field " + std::to_string(field) + ")";
}

bool ScriptedHost::sendCommand(std::string_view command) {
    m_log.push_back("host " + std::string(command) + (failCommands ? " failed" : ""));
    return !failCommands;
}

Log dxModeShown(const std::string& mode, const std::string& checks, const Log& then) {
    Log out{"title Setup JIDX-" + mode + "-2026", "move 1108 125,38 150x20", "text 1108 Previous QSO",
            "move 1109 125,58 150x20",           "text 1109 JA county",     "move 1110 20,58 100x20",
            "text 1110 Window on top",           "checks " + checks};
    out.insert(out.end(), then.begin(), then.end());
    return out;
}

ui::PreviousQsos FakeDoor::previousQsos(std::string_view call) {
    const auto found = previous.find(call);
    return found == previous.end() ? ui::PreviousQsos() : found->second;
}

ui::BandWorked FakeDoor::bandWorked(int band) {
    return band >= 0 && band < jidx::kBandCount ? worked[band] : ui::BandWorked();
}

bool FakeDoor::changeContestMode(int contestMode, ModeChange change) {
    if (refuseMode || !storeContestMode(contestMode, change)) return false;
    pass.contestMode = contestMode;
    if (change == ModeChange::operatorSwitch) ++badQsoRestarts;
    return true;
}

void RecordingMaster::setTitle(std::string_view text) { m_log.push_back("title " + std::string(text)); }

void RecordingMaster::setItemText(int id, std::string_view text) {
    m_log.push_back("text " + std::to_string(id) + " " + std::string(text));
}

void RecordingMaster::moveItem(int id, int x, int y, int width, int height) {
    m_log.push_back("move " + std::to_string(id) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
                    std::to_string(width) + "x" + std::to_string(height));
}

void RecordingMaster::showChecks(const ui::MasterChecks& c) {
    std::string line = "checks";
    for (auto [name, on] : {std::pair{" cw=", c.modeCw}, {" ssb=", c.modeSsb}, {" dxcc=", c.viewDxcc},
                            {" zone=", c.viewZone}, {" top=", c.windowOnTop}})
        line.append(name).push_back(on ? '1' : '0');
    m_log.push_back(line);
}

void RecordingMaster::placeOnTop(int left, int top) {
    m_log.push_back("place " + std::to_string(left) + "," + std::to_string(top));
}

void RecordingMaster::postRefresh() {
    ++posts;
    m_log.push_back("post");
}

widgets::DxccWindowView* RecordingWindows::openDxcc(widgets::DxccPanelSource source, bool onTop) {
    panel = std::move(source);
    return new Dxcc(m_log, liveWindows, onTop);
}

widgets::MultiplierGridWindow* RecordingWindows::openCounty(bool onTop) {
    return new Grid("county", widgets::kCountyGrid, m_log, repaints, liveWindows, onTop);
}

widgets::MultiplierGridWindow* RecordingWindows::openZone(bool onTop) {
    return new Grid("zone", widgets::kZoneGrid, m_log, repaints, liveWindows, onTop);
}

} // namespace test
