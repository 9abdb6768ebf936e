// The drawn buttons: every state of both shapes as whole recorded drawings, the rings of each depth, the
// ellipse fill at its edges, the label's limit, and the colour setters' repaints.
#include <climits>
#include <string>
#include <vector>

#include "support/ui/recording_canvas.h"
#include "ui/widgets/drawn_button.h"
#include "ui/widgets/multiplier_grid.h"

#include <gtest/gtest.h>

namespace {

using namespace widgets;
using Lines = std::vector<std::string>;

const ButtonColours kGreen{ui::rgb(0, 255, 0), ui::rgb(1, 1, 1), ui::rgb(128, 128, 128)};

Lines paint(int shape, unsigned state, Rect item, const std::string& label = "34") {
    RecordingCanvas canvas;
    paintButton(canvas, item, state, shape, kGreen, label);
    return canvas.lines();
}

Lines concat(std::initializer_list<Lines> parts) {
    Lines all;
    for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

Lines label(const std::string& rect, const std::string& colour) {
    return {"text-colour " + colour, "background-mode transparent", "text-centred " + rect + " \"34\"",
            "text-colour (0,0,0)"};
}

// ---- rectangle, item 0,0,40,24

const Lines kRectRest = {
    "fill 0,0,40,24 (0,255,0)",
    "frame3d 0,0,40,24 pal(255,255,255) pal(127,127,127)",
    "frame3d 1,1,39,23 pal(223,223,223) pal(85,85,85)",
};

TEST(DrawnRect, EachStateOfTheButton) {
    const Rect item{0, 0, 40, 24};
    const Lines normal = label("0,0,40,24", "(1,1,1)");
    EXPECT_EQ(concat({kRectRest, normal}), paint(ShapeRect, 0, item));
    EXPECT_EQ(concat({kRectRest, {"focus 2,2,38,22"}, normal}), paint(ShapeRect, kItemFocused, item));
    EXPECT_EQ(concat({kRectRest, {"frame3d 0,0,40,24 (128,128,128) (255,255,255)", "focus 2,2,38,22"}, normal}),
              paint(ShapeRect, kItemFocused | kItemSelected, item));
    // Pressed without focus looks exactly like rest.
    EXPECT_EQ(concat({kRectRest, normal}), paint(ShapeRect, kItemSelected, item));
    EXPECT_EQ(concat({kRectRest, label("0,0,40,24", "(128,128,128)")}), paint(ShapeRect, kItemDisabled, item));
    // Any shape but the ellipse is a rectangle.
    EXPECT_EQ(concat({kRectRest, normal}), paint(7, 0, item));
    EXPECT_EQ(concat({kRectRest, normal}), paint(-1, 0, item));
}

TEST(DrawnRect, RingsOfEachDepth) {
    auto frame = [](int depth) {
        RecordingCanvas canvas;
        DrawnRect().DrawFrame(canvas, {0, 0, 10, 10}, depth);
        return canvas.lines();
    };
    EXPECT_EQ(Lines{}, frame(0));
    EXPECT_EQ(Lines{}, frame(INT_MIN));
    EXPECT_EQ(Lines{"frame3d 0,0,10,10 (255,255,255) (128,128,128)"}, frame(1));
    EXPECT_EQ(Lines{"frame3d 0,0,10,10 (128,128,128) (255,255,255)"}, frame(-1));
    EXPECT_EQ((Lines{"frame3d 0,0,10,10 pal(255,255,255) pal(127,127,127)",
                     "frame3d 1,1,9,9 pal(223,223,223) pal(85,85,85)"}),
              frame(2));
    EXPECT_EQ((Lines{"frame3d 0,0,10,10 pal(127,127,127) pal(255,255,255)",
                     "frame3d 1,1,9,9 pal(85,85,85) pal(223,223,223)"}),
              frame(-2));
    EXPECT_EQ((Lines{"frame3d 0,0,10,10 pal(255,255,255) pal(127,127,127)",
                     "frame3d 1,1,9,9 pal(223,223,223) pal(85,85,85)",
                     "frame3d 2,2,8,8 pal(213,213,213) pal(63,63,63)"}),
              frame(3));
}

// ---- ellipse, item 0,0,14,10

const Lines kEllipseFill = {
    "ellipse 3,3,11,7 pen=solid/3/(0,255,0)",
    "ellipse 4,4,10,6 pen=solid/3/(0,255,0)",
    "ellipse 5,5,9,5 pen=solid/3/(0,255,0)",
};
const Lines kEllipseRim = {"ellipse 1,1,13,9 pen=solid/2/(128,128,128)"};
const Lines kEllipseFocus = {"background-mode opaque", "background-colour (0,255,0)",
                             "ellipse 4,4,10,6 pen=dot/1/(1,1,1)"};

TEST(DrawnEllipse, EachStateOfTheButton) {
    const Rect item{0, 0, 14, 10};
    const Lines normal = label("0,0,14,10", "(1,1,1)");
    EXPECT_EQ(concat({kEllipseRim, kEllipseFill, normal}), paint(ShapeEllipse, 0, item));
    EXPECT_EQ(concat({kEllipseRim, kEllipseFill, kEllipseFill, kEllipseFocus, normal}),
              paint(ShapeEllipse, kItemFocused, item));
    EXPECT_EQ(concat({kEllipseRim, kEllipseFill,
                      {"ellipse 1,1,13,9 pen=solid/2/(1,1,1)", "ellipse 2,2,12,8 pen=solid/2/(1,1,1)"},
                      kEllipseFill, kEllipseFocus, normal}),
              paint(ShapeEllipse, kItemFocused | kItemSelected, item));
    EXPECT_EQ(concat({kEllipseRim, kEllipseFill, normal}), paint(ShapeEllipse, kItemSelected, item));
}

TEST(DrawnEllipse, DisabledChangesOnlyTheLabelColour) {
    const Rect item{0, 0, 14, 10};
    EXPECT_EQ(concat({kEllipseRim, kEllipseFill, label("0,0,14,10", "(128,128,128)")}),
              paint(ShapeEllipse, kItemDisabled, item));
    EXPECT_EQ(concat({kEllipseRim, kEllipseFill, kEllipseFill, kEllipseFocus, label("0,0,14,10", "(128,128,128)")}),
              paint(ShapeEllipse, kItemDisabled | kItemFocused, item));
}

TEST(DrawnEllipse, RimAndFillAtTheirEdges) {
    RecordingCanvas canvas;
    DrawnEllipse ellipse;
    ellipse.DrawFrame(canvas, {0, 0, 10, 10}, 0);
    ellipse.DrawFrame(canvas, {0, 0, 10, 10}, 3);
    ellipse.DrawFrame(canvas, {0, 0, 10, 10}, -1);
    ellipse.Fill(canvas, {5, 5, 5, 9}, ui::kWorkedFace);    // empty already: nothing
    ellipse.Fill(canvas, {0, 0, 10, 0}, ui::kWorkedFace);   // empty already: nothing
    ellipse.Fill(canvas, {0, 0, 1, 10}, ui::kWorkedFace);   // one ellipse on the shrunk, empty rectangle
    EXPECT_EQ((Lines{"ellipse 0,0,10,10 pen=solid/2/(128,128,128)", "ellipse 0,0,10,10 pen=solid/2/(128,128,128)",
                     "ellipse 0,0,10,10 pen=solid/2/(1,1,1)", "ellipse 1,1,0,9 pen=solid/3/(255,0,255)"}),
              canvas.lines());
}

// ---- labels

TEST(ButtonLabel, CutAt511AndNothingForAnEmptyOne) {
    const std::string long600 = std::string(511, '7') + std::string(89, '8');
    const Lines drawn = paint(ShapeRect, 0, {0, 0, 40, 24}, long600);
    ASSERT_EQ(7u, drawn.size());
    EXPECT_EQ("text-centred 0,0,40,24 \"" + std::string(511, '7') + "\"", drawn[5]);

    const Lines exact = paint(ShapeRect, 0, {0, 0, 40, 24}, std::string(511, '9'));
    EXPECT_EQ("text-centred 0,0,40,24 \"" + std::string(511, '9') + "\"", exact[5]);

    EXPECT_EQ(concat({kRectRest, {"text-colour (1,1,1)", "background-mode transparent", "text-colour (0,0,0)"}}),
              paint(ShapeRect, 0, {0, 0, 40, 24}, ""));
}

// ---- the colour setters

class RecordingButton : public CAdvancedComponent {
public:
    Lines repaints;
    void Redraw() override {
        repaints.push_back("redraw face=" + colourText(m_faceColor) + " label=" + colourText(m_labelColor));
    }
};

TEST(AdvancedComponent, EverySetterRepaintsAtOnceEvenWithTheSameColour) {
    RecordingButton button;
    EXPECT_TRUE(button.SetFaceColor(ui::kWorkedFace));
    EXPECT_TRUE(button.SetFaceColor(ui::kWorkedFace));
    EXPECT_TRUE(button.SetLabelColor(ui::kWorkedLabel));
    EXPECT_EQ((Lines{"redraw face=(255,0,255) label=(0,0,0)", "redraw face=(255,0,255) label=(0,0,0)",
                     "redraw face=(255,0,255) label=(255,255,0)"}),
              button.repaints);
    EXPECT_EQ(ui::kWorkedFace, button.faceColor());
    EXPECT_EQ(ui::kWorkedLabel, button.labelColor());
}

TEST(AdvancedComponent, AMarkSetsTheFaceFirstThenTheLabel) {
    RecordingButton button;
    showMark(button, true);
    showMark(button, false);
    EXPECT_EQ((Lines{"redraw face=(255,0,255) label=(0,0,0)", "redraw face=(255,0,255) label=(255,255,0)",
                     "redraw face=(0,255,0) label=(255,255,0)", "redraw face=(0,255,0) label=(1,1,1)"}),
              button.repaints);
}

} // namespace
