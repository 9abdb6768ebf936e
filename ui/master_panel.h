// The main information window's decisions: its settings, the CW/SSB pair, the views, "Window on top", and the
// live update that follows the host (OnInfoRefresh). Written against ports, so that it runs the same on Win32
// and in native tests; window thread only.
#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "resources/resource.h"
#include "ui/contest_door.h"
#include "ui/host_link.h"
#include "ui/widgets/dxcc_panel.h"
#include "ui/widgets/multiplier_grid.h"

namespace ui {

// Control ids of template 105, as resources/resource.h numbers them for the template.
inline constexpr int kModeCwBox = IDC_MASTER_MODE_CW;
inline constexpr int kModeSsbBox = IDC_MASTER_MODE_SSB;
inline constexpr int kViewDxccBox = IDC_MASTER_VIEW_DXCC;
inline constexpr int kViewZoneBox = IDC_MASTER_VIEW_ZONE;
inline constexpr int kWindowOnTopBox = IDC_MASTER_WINDOW_ON_TOP;
inline constexpr int kModeLabel = IDC_MASTER_MODE_LABEL;
inline constexpr int kViewLabel = IDC_MASTER_VIEW_LABEL;

struct MasterChecks {
    bool modeCw = false, modeSsb = false, viewDxcc = false, viewZone = false, windowOnTop = false;
    bool operator==(const MasterChecks&) const = default;
};

// The main window itself. Texts are Windows-1251 bytes; positions are screen pixels (items: the window's own).
class MasterWindow {
public:
    virtual ~MasterWindow() = default;
    virtual void setTitle(std::string_view text) = 0;
    virtual void setItemText(int id, std::string_view text) = 0;
    virtual void moveItem(int id, int x, int y, int width, int height) = 0;
    // The five check boxes show these states.
    virtual void showChecks(const MasterChecks& checks) = 0;
    // Moves the window's top-left corner there and puts it above every window that is not topmost.
    virtual void placeOnTop(int left, int top) = 0;
    // The window's top-left corner as it stands.
    virtual widgets::Point corner() const = 0;
    // Posts the window a live update (queued).
    virtual void postRefresh() = 0;
};

// Opens the secondary windows, each at its stored place, and topmost when onTop (the main window's "Window on top").
class SecondaryWindows {
public:
    virtual ~SecondaryWindows() = default;
    virtual widgets::DxccWindowView* openDxcc(widgets::DxccPanelSource source, bool onTop) = 0;
    virtual widgets::MultiplierGridWindow* openCounty(bool onTop) = 0;
    virtual widgets::MultiplierGridWindow* openZone(bool onTop) = 0;
};

// What the live update keeps from one pass to the next, as the panel paints it.
struct LiveUpdateState {
    std::string currentCall;  // the call typed in the host at the latest pass
    int infoBand = -1;        // band index of the host's frequency; -1 before the first
    int gridBand = 10;        // band whose marks the open grid shows; 10: none yet
    double lastFrequency = 0; // where "<SP1>" was last sent
};

// The live update's and the window globals' part of the plug-in's one reset (no window may be open); behind
// resetWindowState.
void resetWindowHalf();

class MasterPanel {
public:
    MasterPanel(MasterWindow& window, SecondaryWindows& windows, HostLink& host, ContestDoor& door);
    ~MasterPanel();

    // The window's start: settings, texts, place, the mode told to the host, the first refresh.
    void OnInitDialog();
    void OnModeCw();
    void OnModeSsb();
    void OnViewDxcc();
    void OnViewZone();
    void OnWindowOnTop();
    // The pointer passed over the window: a moved window's place is saved.
    void OnSetCursor();
    // One live-update pass. Never throws.
    void OnInfoRefresh();
    // Closes the secondary windows (the main window is ending).
    void CloseSecondaryWindows();
    // A QSO left the log: the open grids show no multiplier worked until the next refresh marks them again.
    void ResetGrids();

    // The mode boxes show the mode the contest is judged in, as the door tells it.
    MasterChecks checks() const {
        const bool cw = jidx::isCwMode(m_door.passView().contestMode);
        return {cw, !cw, m_viewDxcc, m_viewZone, m_windowOnTop};
    }
    // What the DXCC panel paints, copied at paint time.
    widgets::DxccPanelState panelState() const;

private:
    void postRefresh(bool gateOpen);
    // A host call failed: what was under way ends, and the gate opens so that typing still reaches the window.
    void hostCallFailed();
    void switchMode(int contestMode);
    bool tellHostMode(int contestMode);
    template <class Window, class Open>
    void toggleView(Window*& window, bool& wanted, const char* key, Open open);
    void setModeCaption();
    void setStationLabels();
    void forgetEndedWindows();
    widgets::MultiplierGridWindow*& stationGrid();
    void openDxcc();
    void openStationGrid();
    void refreshPass(bool& bandFound);
    std::string openWantedViews(const PassView& pass);
    bool lookUpTypedCall(const PassView& pass, std::string& dxccCaption);
    std::optional<int> followFrequency();
    void showBand(const PassView& pass, int band, std::string& dxccCaption);
    void markGrid(widgets::MultiplierGridWindow& grid, int band, const std::vector<std::string>& codes);

    // The library's one live-update state, kept across main windows.
    static LiveUpdateState& keptLiveUpdate();

    MasterWindow& m_window;
    SecondaryWindows& m_windows;
    HostLink& m_host;
    ContestDoor& m_door;
    LiveUpdateState& m_live;
    // The mode the host last confirmed it took (a command it answered), or none: a click on a mode the host has
    // not confirmed tells it again.
    enum class HostMode { unknown, cw, ssb } m_hostMode = HostMode::unknown;
    bool m_viewDxcc = false;
    bool m_viewZone = false;
    bool m_windowOnTop = false;
    // The window's own rows, kept across passes: a new pass must not blank what the operator is looking at before
    // the next live update looks the typed call up again.
    std::array<std::array<std::string, 4>, jidx::kBandCount> m_rows;
};

} // namespace ui
