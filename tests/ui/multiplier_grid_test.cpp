// The grids' tables (county k and zone z to their control ids) held to the templates of the resource script, how
// a mark is drawn, and where the windows open and how they remember their place.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "engine/contest_settings.h"
#include "engine/contest_state.h"
#include "engine/jidx_rules.h"
#include "platform/settings.h"
#include "support/ui/recording_canvas.h"
#include "support/scratch_folder.h"
#include "ui/widgets/drawn_button.h"
#include "ui/widgets/multiplier_grid.h"
#include "ui/window_globals.h"

#include <gtest/gtest.h>

namespace {

using namespace widgets;

// The grid's template as the resource script writes it: its buttons in the order they stand, each with its label
// and control id.
struct TemplateButton {
    std::string label;
    int id;
};
std::vector<TemplateButton> templateButtons(const char* templateName) {
    std::ifstream script(VUVO_RESOURCE_SCRIPT);
    EXPECT_TRUE(script.good()) << VUVO_RESOURCE_SCRIPT;
    const std::regex start(std::string("^") + templateName + " DIALOGEX");
    const std::regex button(R"re(^\s*CONTROL\s+"([^"]*)",\s*(\d+),)re");
    std::vector<TemplateButton> buttons;
    bool inside = false;
    for (std::string line; std::getline(script, line);) {
        std::smatch m;
        if (!inside) {
            inside = std::regex_search(line, start);
        } else if (line.rfind("END", 0) == 0) {
            break;
        } else if (std::regex_search(line, m, button)) {
            buttons.push_back({m[1], std::stoi(m[2])});
        }
    }
    return buttons;
}

// Multiplier k is the template's k-th button, labelled with its number, and the table gives it that button's id.
void expectTableMatchesTemplate(const GridSpec& grid, const char* templateName, bool twoDigitLabels) {
    const std::vector<TemplateButton> buttons = templateButtons(templateName);
    ASSERT_EQ(static_cast<std::size_t>(grid.count), buttons.size());
    for (int k = 1; k <= grid.count; ++k) {
        char label[8];
        std::snprintf(label, sizeof label, twoDigitLabels ? "%02d" : "%d", k);
        EXPECT_EQ(label, buttons[k - 1].label) << k;
        EXPECT_EQ(buttons[k - 1].id, controlId(grid, k)) << k;
    }
    EXPECT_EQ(0, controlId(grid, 0));
    EXPECT_EQ(0, controlId(grid, grid.count + 1));
    std::set<int> ids(grid.ids, grid.ids + grid.count);
    EXPECT_EQ(static_cast<std::size_t>(grid.count), ids.size());
}

TEST(GridTables, CountyKHasTheIdOfTheTemplatesButtonLabelledK) {
    EXPECT_EQ(jidx::kCountyCount, kCountyGrid.count);
    expectTableMatchesTemplate(kCountyGrid, "IDD_COUNTY_GRID", true);
}

TEST(GridTables, ZoneZHasTheIdOfTheTemplatesButtonLabelledZ) {
    EXPECT_EQ(jidx::kZoneCount, kZoneGrid.count);
    expectTableMatchesTemplate(kZoneGrid, "IDD_ZONE_GRID", false);
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
