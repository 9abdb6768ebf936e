// The county and zone grids: which control shows which multiplier, the colours of a mark, and what a grid
// window offers its owner (the main window and the live update).
#pragma once
#include <string_view>

#include "ui/widgets/drawn_button.h"
#include "ui/widgets/window_place.h"

namespace widgets {

struct GridSpec {
    int count;          // multipliers 1 .. count
    const int* ids;     // control id of multiplier k at ids[k - 1]
    WindowPlace place;
};
extern const GridSpec kCountyGrid;  // the 50 Japanese counties
extern const GridSpec kZoneGrid;    // the 40 CQ zones

// The control id of multiplier k (1 .. count) of the grid; 0 for any other k.
int controlId(const GridSpec& grid, int k);
inline int countyControlId(int county) { return controlId(kCountyGrid, county); }
inline int zoneControlId(int zone) { return controlId(kZoneGrid, zone); }

struct MarkColours {
    Colour face;
    Colour label;
};
// What a button shows for a multiplier worked, or not worked, on the band in use.
MarkColours markColours(bool worked);
// A grid button's colours when its window opens: not worked, with a grey label while disabled.
ButtonColours initialGridColours();
// Gives the button the look of its state: face first, then label (each repaints).
void showMark(CAdvancedComponent& button, bool worked);

// A grid window as its owner sees it. Entry k - 1 of worked() and button() is multiplier k.
class MultiplierGridWindow {
public:
    virtual ~MultiplierGridWindow() = default;
    virtual const GridSpec& layout() const = 0;
    // m_worked: 1 when multiplier k is marked worked on the band in use, else 0.
    virtual int* worked() = 0;
    virtual CAdvancedComponent& button(int index) = 0;
    // The caption, bytes in Windows-1251.
    virtual void setCaption(std::string_view text) = 0;
    // Copies every m_worked flag into its control's check state.
    virtual void updateControls() = 0;
    // False once the window has ended (Escape or close); the object is then only fit for deleting.
    virtual bool isOpen() const = 0;
    // Ends the window; the owner then deletes the object (closeAndForget).
    virtual void close() = 0;
};

} // namespace widgets
