// The DXCC window's panel: what it draws for a given state (the table of earlier QSOs with the typed call, or
// for a Japanese station with nothing typed the DXCC prefixes worked on the band), and what the window offers
// its owner.
#pragma once
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/jidx_rules.h"
#include "ui/canvas.h"

namespace widgets {

// A copy of the shared state the panel paints, taken by its owner through the window thread's door: the
// panel never sees the shared lists themselves.
struct DxccPanelState {
    // Row b is band b's: band name, time, mode, county or zone code (a shorter row draws what it has).
    std::array<std::vector<std::string>, jidx::kBandCount> rows;
    std::vector<std::string> bandDxcc;  // the DXCC prefixes worked on band infoBand, in any order
    std::string currentCall;            // the call being typed in the host
    int infoBand = -1;                  // band index 0 .. 5 of the host's frequency; no band otherwise
    bool ownIsJA = false;
};
using DxccPanelSource = std::function<DxccPanelState()>;

enum class DxccFace { list, table };
// The list for a Japanese station with nothing typed, the table otherwise.
DxccFace dxccFace(const DxccPanelState& state);

inline constexpr ui::Colour kListBackground = ui::kWindowBackground;
inline constexpr ui::Colour kTableBackground = ui::rgb(255, 255, 198);
inline constexpr ui::Colour kBandHighlight = ui::rgb(198, 255, 255);

// The face for the state on the canvas, over the item rectangle (left and top 0). The list is drawn sorted;
// the state is left as it was.
void drawDxccFace(ui::Canvas& canvas, const ui::Rect& item, const DxccPanelState& state);
// One paint: the face drawn off-screen, then copied to the canvas at once.
void paintDxccPanel(ui::Canvas& canvas, const ui::Rect& item, const DxccPanelState& state);

// Where the panel stands in the window's client rectangle: the whole of it less a 5-pixel margin on every side.
ui::Rect dxccPanelPlace(const ui::Rect& client);

// The DXCC window as its owner sees it.
class DxccWindowView {
public:
    virtual ~DxccWindowView() = default;
    // The caption, bytes in Windows-1251.
    virtual void setCaption(std::string_view text) = 0;
    // The panel repaints from a fresh copy of the state at the next paint, without erasing first.
    virtual void repaintPanel() = 0;
    // False once the window has ended (Escape or close); the object is then only fit for deleting.
    virtual bool isOpen() const = 0;
    // Ends the window; the owner then deletes the object (closeAndForget).
    virtual void close() = 0;
};

} // namespace widgets
