// The DXCC panel as whole recorded drawings: the list's order and wrap, the table's rows and highlight, no
// band, short rows, and which face a state gets.
#include <string>
#include <vector>

#include "support/ui/recording_canvas.h"
#include "ui/widgets/dxcc_panel.h"

#include <gtest/gtest.h>

namespace {

using namespace widgets;
using Lines = std::vector<std::string>;

Lines paint(const DxccPanelState& state, ui::Rect item) {
    RecordingCanvas canvas(item);
    paintDxccPanel(canvas, item, state);
    return canvas.lines();
}

DxccPanelState japaneseList(int band) {
    DxccPanelState state;
    state.ownIsJA = true;
    state.infoBand = band;
    state.bandDxcc = {"W", "DL", "UA", "R\xC9", "K", "VK", "RA", "BY", "9A"};
    return state;
}

TEST(DxccList, SortedByBytesFiveToALineAtWidth240) {
    const DxccPanelState state = japaneseList(2);
    EXPECT_EQ((Lines{"offscreen 0,0,240,100", "fill 0,0,240,100 (255,250,198)", "background-mode transparent",
                     "text 5,15 \"9A\"", "text 45,15 \"BY\"", "text 85,15 \"DL\"", "text 125,15 \"K\"",
                     "text 165,15 \"RA\"", "text 5,30 \"R\xC9\"", "text 45,30 \"UA\"", "text 85,30 \"VK\"",
                     "text 125,30 \"W\"", "copy 0,0,240,100"}),
              paint(state, {0, 0, 240, 100}));
    // The panel sorts a copy: the owner's snapshot keeps its order.
    EXPECT_EQ((std::vector<std::string>{"W", "DL", "UA", "R\xC9", "K", "VK", "RA", "BY", "9A"}), state.bandDxcc);
}

TEST(DxccList, AnEntryMayStartExactly40PixelsFromTheRightEdge) {
    DxccPanelState state = japaneseList(1);
    state.bandDxcc.resize(7);  // W, DL, UA, R\xC9, K, VK, RA
    EXPECT_EQ((Lines{"offscreen 0,0,245,50", "fill 0,0,245,50 (255,250,198)", "background-mode transparent",
                     "text 5,15 \"DL\"", "text 45,15 \"K\"", "text 85,15 \"RA\"", "text 125,15 \"R\xC9\"",
                     "text 165,15 \"UA\"", "text 205,15 \"VK\"", "text 5,30 \"W\"", "copy 0,0,245,50"}),
              paint(state, {0, 0, 245, 50}));
}

TEST(DxccList, AWiderPanelHasLongerLines) {
    const Lines drawn = paint(japaneseList(0), {0, 0, 290, 60});
    // x runs 5 .. 245 while x <= W - 40 = 250: seven entries on the first line.
    EXPECT_EQ((Lines{"offscreen 0,0,290,60", "fill 0,0,290,60 (255,250,198)", "background-mode transparent",
                     "text 5,15 \"9A\"", "text 45,15 \"BY\"", "text 85,15 \"DL\"", "text 125,15 \"K\"",
                     "text 165,15 \"RA\"", "text 205,15 \"R\xC9\"", "text 245,15 \"UA\"", "text 5,30 \"VK\"",
                     "text 45,30 \"W\"", "copy 0,0,290,60"}),
              drawn);
}

DxccPanelState table(int band) {
    DxccPanelState state;
    state.currentCall = "JA1XYZ";
    state.infoBand = band;
    state.rows = {{
        {},                               // a row with no texts at all
        {"80m", "   -", "   -", " -"},
        {"40m", "12:03", "CW", "13"},
        {"20m", "13:15", "CW", "13"},
        {"15m", "14:20", "SSB", "13", "ignored"},
        {"10m", "   -"},                  // short: the texts it has
    }};
    return state;
}

TEST(DxccTable, RowsAndHighlightAtHeight224) {
    EXPECT_EQ((Lines{"offscreen 0,0,355,224", "fill 0,0,355,224 (255,255,198)", "fill 0,106,355,128 (198,255,255)",
                     "background-mode transparent", "text 180,0 \"JA1XYZ\"", "text 100,14 \"TIME\"",
                     "text 180,14 \"MODE\"", "text 250,14 \"COUNTY\"",
                     "text 20,74 \"80m\"", "text 100,74 \"   -\"", "text 180,74 \"   -\"", "text 270,74 \" -\"",
                     "text 20,106 \"40m\"", "text 100,106 \"12:03\"", "text 180,106 \"CW\"", "text 270,106 \"13\"",
                     "text 20,138 \"20m\"", "text 100,138 \"13:15\"", "text 180,138 \"CW\"", "text 270,138 \"13\"",
                     "text 20,170 \"15m\"", "text 100,170 \"14:20\"", "text 180,170 \"SSB\"", "text 270,170 \"13\"",
                     "text 20,202 \"10m\"", "text 100,202 \"   -\"", "copy 0,0,355,224"}),
              paint(table(2), {0, 0, 355, 224}));
}

TEST(DxccTable, JapaneseStationWithACallReadsZone) {
    DxccPanelState state = table(5);
    state.ownIsJA = true;
    state.rows = {};
    // Pitch 12: the highlight of band 5 is y 82 .. 83.
    EXPECT_EQ((Lines{"offscreen 0,0,300,84", "fill 0,0,300,84 (255,255,198)", "fill 0,82,300,84 (198,255,255)",
                     "background-mode transparent", "text 180,0 \"JA1XYZ\"", "text 100,14 \"TIME\"",
                     "text 180,14 \"MODE\"", "text 250,14 \"Zone\"", "copy 0,0,300,84"}),
              paint(state, {0, 0, 300, 84}));
}

TEST(DxccTable, ADxStationGetsTheTableEvenWithNothingTyped) {
    DxccPanelState state = table(0);
    state.currentCall.clear();
    state.rows = {};
    EXPECT_EQ(DxccFace::table, dxccFace(state));
    // Pitch 10: the highlight of band 0 is y 20 .. 19, nothing.
    EXPECT_EQ((Lines{"offscreen 0,0,300,70", "fill 0,0,300,70 (255,255,198)", "background-mode transparent",
                     "text 100,14 \"TIME\"", "text 180,14 \"MODE\"", "text 250,14 \"COUNTY\"", "copy 0,0,300,70"}),
              paint(state, {0, 0, 300, 70}));
}

TEST(DxccPanel, NoBandDrawsOnlyTheBackgroundOfItsFace) {
    for (int band : {-1, -7, 6}) {
        SCOPED_TRACE(band);
        EXPECT_EQ((Lines{"offscreen 0,0,240,224", "fill 0,0,240,224 (255,250,198)", "copy 0,0,240,224"}),
                  paint(japaneseList(band), {0, 0, 240, 224}));
        EXPECT_EQ((Lines{"offscreen 0,0,240,224", "fill 0,0,240,224 (255,255,198)", "copy 0,0,240,224"}),
                  paint(table(band), {0, 0, 240, 224}));
    }
}

TEST(DxccPanel, TheBufferCoversTheClipBoxAndTheFaceTheWholeItem) {
    RecordingCanvas canvas({0, 100, 240, 150});
    paintDxccPanel(canvas, {0, 0, 240, 224}, japaneseList(-1));
    EXPECT_EQ((Lines{"offscreen 0,100,240,150", "fill 0,0,240,224 (255,250,198)", "copy 0,100,240,150"}),
              canvas.lines());
}

TEST(DxccPanel, KeepsAFivePixelMarginInTheWindow) {
    EXPECT_EQ((ui::Rect{5, 5, 358, 224}), dxccPanelPlace({0, 0, 363, 229}));
    EXPECT_EQ((ui::Rect{5, 5, 795, 595}), dxccPanelPlace({0, 0, 800, 600}));
}

TEST(DxccPanel, FaceOfEachState) {
    DxccPanelState state;
    EXPECT_EQ(DxccFace::table, dxccFace(state));
    state.ownIsJA = true;
    EXPECT_EQ(DxccFace::list, dxccFace(state));
    state.currentCall = "W1AW";
    EXPECT_EQ(DxccFace::table, dxccFace(state));
}

} // namespace
