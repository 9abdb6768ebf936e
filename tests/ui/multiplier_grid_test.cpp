// The grids' tables (county k and zone z to their control ids), how a mark is drawn, and where the windows
// open and how they remember their place.
#include <filesystem>
#include <set>
#include <string>
#include <system_error>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "platform/settings.h"
#include "support/ui/recording_canvas.h"
#include "support/scratch_folder.h"
#include "ui/widgets/drawn_button.h"
#include "ui/widgets/multiplier_grid.h"
#include "ui/window_globals.h"

#include <gtest/gtest.h>

namespace {

using namespace widgets;

// The county grid as its template lays it out: row by row, five counties to a row.
const int kCountyTable[10][5] = {
    {1015, 1033, 1087, 1081, 1016}, {1034, 1052, 1088, 1082, 1017}, {1035, 1070, 1089, 1086, 1018},
    {1038, 1069, 1053, 1071, 1051}, {1019, 1036, 1090, 1084, 1020}, {1037, 1055, 1091, 1083, 1021},
    {1039, 1073, 1092, 1093, 1022}, {1040, 1074, 1056, 1072, 1054}, {1041, 1076, 1094, 1095, 1023},
    {1042, 1077, 1058, 1075, 1057},
};
// The zone grid: row by row, zones j+1, j+11, j+21, j+31.
const int kZoneTable[10][4] = {
    {1106, 1107, 1108, 1109}, {1023, 1024, 1025, 1026}, {1032, 1033, 1034, 1035}, {1041, 1042, 1043, 1044},
    {1050, 1051, 1052, 1053}, {1059, 1060, 1061, 1062}, {1068, 1069, 1070, 1071}, {1077, 1078, 1079, 1080},
    {1086, 1087, 1088, 1089}, {1095, 1096, 1097, 1098},
};

TEST(GridTables, CountyKHasTheIdOfItsPlace) {
    ASSERT_EQ(50, kCountyGrid.count);
    for (int k = 1; k <= 50; ++k) EXPECT_EQ(kCountyTable[(k - 1) / 5][(k - 1) % 5], countyControlId(k)) << k;
    EXPECT_EQ(1093, countyControlId(34));
    EXPECT_EQ(0, countyControlId(0));
    EXPECT_EQ(0, countyControlId(51));
    std::set<int> ids(kCountyGrid.ids, kCountyGrid.ids + kCountyGrid.count);
    EXPECT_EQ(50u, ids.size());
}

TEST(GridTables, ZoneZHasItsRowsBaseIdPlusItsColumn) {
    ASSERT_EQ(40, kZoneGrid.count);
    for (int z = 1; z <= 40; ++z) EXPECT_EQ(kZoneTable[(z - 1) % 10][(z - 1) / 10], zoneControlId(z)) << z;
    EXPECT_EQ(1052, zoneControlId(25));
    EXPECT_EQ(1106, zoneControlId(1));
    EXPECT_EQ(1098, zoneControlId(40));
    EXPECT_EQ(0, zoneControlId(0));
    EXPECT_EQ(0, zoneControlId(41));
    std::set<int> ids(kZoneGrid.ids, kZoneGrid.ids + kZoneGrid.count);
    EXPECT_EQ(40u, ids.size());
}

// A grid's cell as its window paints it: the colours its owner last gave it, an ellipse labelled with its code.
class Cell : public CAdvancedComponent {
public:
    Cell() {
        const ButtonColours initial = initialGridColours();
        SetFaceColor(initial.face);
        SetLabelColor(initial.label);
        repaints = 0;
    }
    void Redraw() override { ++repaints; }
    std::vector<std::string> drawn() const {
        RecordingCanvas canvas;
        paintButton(canvas, {0, 0, 14, 10}, 0, ShapeEllipse,
                    {m_faceColor, m_labelColor, initialGridColours().disabledLabel}, "34");
        return canvas.lines();
    }
    int repaints = 0;
};

std::vector<std::string> cellDrawing(const char* face, const char* label) {
    const std::string pen = std::string(" pen=solid/3/") + face;
    return {"ellipse 1,1,13,9 pen=solid/2/(128,128,128)", "ellipse 3,3,11,7" + pen, "ellipse 4,4,10,6" + pen,
            "ellipse 5,5,9,5" + pen, std::string("text-colour ") + label, "background-mode transparent",
            "text-centred 0,0,14,10 \"34\"", "text-colour (0,0,0)"};
}

TEST(GridMarks, AWorkedCellIsDrawnInTheWorkedColoursAndBackAgain) {
    Cell cell;
    const std::vector<std::string> notWorked = cellDrawing("(0,255,0)", "(1,1,1)");
    EXPECT_EQ(notWorked, cell.drawn());
    showMark(cell, true);
    EXPECT_EQ(cellDrawing("(255,0,255)", "(255,255,0)"), cell.drawn());
    EXPECT_EQ(2, cell.repaints); // face and label each repaint at once
    showMark(cell, false);
    EXPECT_EQ(notWorked, cell.drawn());
}

// ---- window places, in a folder of their own (the settings file is relative to the current folder)

class WindowPlaces : public ::testing::Test {
protected:
    void SetUp() override {
        g_windowLeft = 0;
        g_windowTop = 0;
    }
    static std::string stored(const char* key) {
        return platform::profileRead(g_settingsFile, g_settingsSection, key, "(absent)");
    }

private:
    test::ScratchFolder m_folder{test::ScratchFolder::current};
};

TEST_F(WindowPlaces, MissingKeysGiveEachWindowItsDefault) {
    EXPECT_EQ((Point{0, 0}), loadWindowPlace(kCountyPlace));
    EXPECT_EQ((Point{10, 400}), loadWindowPlace(kZonePlace));
    EXPECT_EQ(10, g_windowLeft);
    EXPECT_EQ(400, g_windowTop);
    EXPECT_EQ((Point{10, 400}), loadWindowPlace(kDxccPlace));
}

TEST_F(WindowPlaces, StoredPlacesEachAxisByItself) {
    settingsWrite("itu_x", "0");
    settingsWrite("itu_y", "250");
    settingsWrite("dxcc_x", "300");
    settingsWrite("dxcc_y", "abc");
    settingsWrite("oblast_x", " 77");
    settingsWrite("oblast_y", "0");
    EXPECT_EQ((Point{10, 250}), loadWindowPlace(kZonePlace));
    EXPECT_EQ((Point{300, 400}), loadWindowPlace(kDxccPlace));
    EXPECT_EQ((Point{77, 0}), loadWindowPlace(kCountyPlace));
    EXPECT_EQ(77, g_windowLeft);
    EXPECT_EQ(0, g_windowTop);
}

TEST_F(WindowPlaces, SavingWritesOnlyTheCoordinatesThatChanged) {
    loadWindowPlace(kZonePlace);  // (10, 400), nothing stored
    saveWindowPlace(kZonePlace, {10, 400});
    EXPECT_EQ("(absent)", stored("itu_x"));
    EXPECT_EQ("(absent)", stored("itu_y"));
    saveWindowPlace(kZonePlace, {10, 420});
    EXPECT_EQ("(absent)", stored("itu_x"));
    EXPECT_EQ("420", stored("itu_y"));
    EXPECT_EQ(420, g_windowTop);
    // The pair is shared: coming from another window's place, the keys are rewritten with this one's.
    loadWindowPlace(kDxccPlace);
    saveWindowPlace(kZonePlace, {10, 420});
    EXPECT_EQ("(absent)", stored("itu_x"));
    EXPECT_EQ("420", stored("itu_y"));
    saveWindowPlace(kZonePlace, {33, 420});
    EXPECT_EQ("33", stored("itu_x"));
    EXPECT_EQ("(absent)", stored("dxcc_x"));
}

TEST_F(WindowPlaces, CoordinatesOfAnyWidthAreStoredAndReadBack) {
    loadWindowPlace(kCountyPlace);
    saveWindowPlace(kCountyPlace, {-1200, 12345});
    EXPECT_EQ("-1200", stored("oblast_x"));
    EXPECT_EQ("12345", stored("oblast_y"));
    saveWindowPlace(kCountyPlace, {-2147483647, 2147483647});
    g_windowLeft = g_windowTop = 0;
    EXPECT_EQ((Point{-2147483647, 2147483647}), loadWindowPlace(kCountyPlace));
}

TEST(WindowGlobals, ClosingDeletesTheWindowAndForgetsIt) {
    struct Window {
        int* closes;
        int* deletes;
        void close() { ++*closes; }
        ~Window() { ++*deletes; }
    };
    int closes = 0, deletes = 0;
    Window* window = new Window{&closes, &deletes};
    closeAndForget(window);
    EXPECT_EQ(nullptr, window);
    EXPECT_EQ(1, closes);
    EXPECT_EQ(1, deletes);
    closeAndForget(window);  // already closed: nothing
    EXPECT_EQ(1, closes);
}

} // namespace
