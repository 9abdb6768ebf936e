#include "ui/widgets/dxcc_panel.h"

#include <algorithm>

namespace widgets {

using ui::Canvas;
using ui::Rect;

namespace {

// Only a band of the six has a row to highlight and a list to show.
bool hasBand(const DxccPanelState& state) { return state.infoBand >= 0 && state.infoBand < jidx::kBandCount; }

// Empty texts draw nothing, so they are not drawn at all.
void text(Canvas& canvas, int x, int y, std::string_view s) {
    if (!s.empty()) canvas.textOut(x, y, s);
}

// The prefixes in ascending byte order, five to a line at W = 240: a new line starts when the next entry would
// begin within 40 pixels of the right edge. A long prefix runs under its neighbour.
void drawList(Canvas& canvas, const Rect& item, const DxccPanelState& state) {
    canvas.fillSolidRect(item, kListBackground);
    if (!hasBand(state)) return;
    canvas.setBackgroundMode(ui::BackgroundMode::transparent);
    // A copy: the list belongs to the owner's snapshot (std::string compares bytes as unsigned char).
    std::vector<std::string> prefixes = state.bandDxcc;
    std::sort(prefixes.begin(), prefixes.end());
    int x = 5;
    int y = 15;
    for (const std::string& prefix : prefixes) {
        text(canvas, x, y, prefix);
        x += 40;
        if (x > item.right - 40) {
            x = 5;
            y += 15;
        }
    }
}

// A row for the heading, then one per band, each of pitch H div the rows (seven rows); the current band's row is highlighted from 10
// pixels below its top line to the next.
void drawTable(Canvas& canvas, const Rect& item, const DxccPanelState& state) {
    canvas.fillSolidRect(item, kTableBackground);
    if (!hasBand(state)) return;
    const int pitch = item.bottom / (jidx::kBandCount + 1);
    const Rect highlight{0, (state.infoBand + 1) * pitch + 10, item.right, (state.infoBand + 2) * pitch};
    if (!highlight.empty()) canvas.fillSolidRect(highlight, kBandHighlight);
    canvas.setBackgroundMode(ui::BackgroundMode::transparent);
    text(canvas, 180, 0, state.currentCall);
    text(canvas, 100, 14, "TIME");
    text(canvas, 180, 14, "MODE");
    text(canvas, 250, 14, state.ownIsJA ? "Zone" : "COUNTY");
    constexpr int kColumns[] = {20, 100, 180, 270};
    for (int r = 1; r <= jidx::kBandCount; ++r) {
        const std::vector<std::string>& row = state.rows[r - 1];
        const std::size_t shown = std::min(row.size(), std::size(kColumns));
        for (std::size_t c = 0; c < shown; ++c) text(canvas, kColumns[c], r * pitch + 10, row[c]);
    }
}

} // namespace

DxccFace dxccFace(const DxccPanelState& state) {
    return state.currentCall.empty() && state.ownIsJA ? DxccFace::list : DxccFace::table;
}

void drawDxccFace(Canvas& canvas, const Rect& item, const DxccPanelState& state) {
    if (dxccFace(state) == DxccFace::list) {
        drawList(canvas, item, state);
    } else {
        drawTable(canvas, item, state);
    }
}

Rect dxccPanelPlace(const Rect& client) { return client.inflated(-5); }

// The whole panel is painted on every paint, so the owner's repaints need no erase and never flicker.
void paintDxccPanel(Canvas& canvas, const Rect& item, const DxccPanelState& state) {
    const std::unique_ptr<Canvas> buffer = canvas.offscreen();
    drawDxccFace(*buffer, item, state);
}

} // namespace widgets
