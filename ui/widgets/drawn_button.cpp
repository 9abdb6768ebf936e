#include "ui/widgets/drawn_button.h"

#include <climits>

namespace widgets {

using ui::BackgroundMode;
using ui::PenStyle;
using ui::rgb;

namespace {

constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kGrey = rgb(128, 128, 128);
constexpr Colour kNearBlack = rgb(1, 1, 1);

} // namespace

bool CAdvancedComponent::SetLabelColor(Colour colour) {
    m_labelColor = colour;
    Redraw();
    return true;
}

bool CAdvancedComponent::SetFaceColor(Colour colour) {
    m_faceColor = colour;
    Redraw();
    return true;
}

// The label goes over the shape with no background of its own; the surface's text colour is given back, so
// that the next paint starts from the control's own.
void DrawnObject::DrawLabel(Canvas& dc, Rect r, std::string_view text, Colour colour) {
    const Colour old = dc.setTextColour(colour);
    dc.setBackgroundMode(BackgroundMode::transparent);
    if (!text.empty()) dc.drawTextCentred(r, text);
    dc.setTextColour(old);
}

void DrawnRect::Fill(Canvas& dc, Rect r, Colour colour) { dc.fillSolidRect(r, colour); }

// One ring: white and mid-grey; more rings: greys that darken inwards, palette-relative as the system's 3-D
// colours are.
void DrawnRect::DrawFrame(Canvas& dc, Rect r, int depth) {
    if (depth == 0 || depth == INT_MIN) return;
    const int n = depth < 0 ? -depth : depth;
    for (int i = 1; i <= n; ++i) {
        Colour light = kWhite;
        Colour dark = kGrey;
        if (n >= 2) {
            const int lightLevel = 192 + 63 / i;
            const int darkLevel = 255 / (i + 1);
            light = ui::paletteRgb(lightLevel, lightLevel, lightLevel);
            dark = ui::paletteRgb(darkLevel, darkLevel, darkLevel);
        }
        if (depth > 0) {
            dc.frame3d(r, light, dark);
        } else {
            dc.frame3d(r, dark, light);
        }
        r = r.inflated(-1);
    }
}

void DrawnRect::DrawFocus(Canvas& dc, Rect r, Colour) { dc.focusRect(r); }

// Pressed without focus looks like rest: only a focused button shows that it is pressed.
void DrawnRect::Draw(Canvas& dc, Rect r, unsigned state, Colour face) {
    Fill(dc, r, face);
    DrawFrame(dc, r, 2);
    if (!(state & kItemFocused)) return;
    if (state & kItemSelected) DrawFrame(dc, r, -1);
    DrawFocus(dc, r.inflated(-2), face);
}

void DrawnEllipse::DrawFrame(Canvas& dc, Rect r, int depth) {
    dc.ellipse(r, PenStyle::solid, 2, depth >= 0 ? kGrey : kNearBlack);
}

// Concentric 3-pixel outlines one pixel apart overlap, so together they paint a solid disc.
void DrawnEllipse::Fill(Canvas& dc, Rect r, Colour colour) {
    while (!r.empty()) {
        r = r.inflated(-1);
        dc.ellipse(r, PenStyle::solid, 3, colour);
    }
}

// The gaps between the dots show the face: the background is made opaque in the face colour.
void DrawnEllipse::DrawFocus(Canvas& dc, Rect r, Colour colour) {
    dc.setBackgroundMode(BackgroundMode::opaque);
    dc.setBackgroundColour(colour);
    dc.ellipse(r, PenStyle::dot, 1, kNearBlack);
}

void DrawnEllipse::Draw(Canvas& dc, Rect rect, unsigned state, Colour face) {
    Rect r = rect.inflated(-1);
    DrawFrame(dc, r, 2);
    r = r.inflated(-1);
    Fill(dc, r, face);
    if (!(state & kItemFocused)) return;
    if (state & kItemSelected) {
        DrawFrame(dc, r.inflated(1), -1);
        DrawFrame(dc, r, -1);
    }
    Fill(dc, r, face);
    r = r.inflated(-2);
    DrawFocus(dc, r, face);
    r = r.inflated(-1);
    Fill(dc, r, face);
}

std::unique_ptr<DrawnObject> makeShape(int shape) {
    if (shape == ShapeEllipse) return std::make_unique<DrawnEllipse>();
    return std::make_unique<DrawnRect>();
}

// A new shape object for every paint: a shape is only a choice of behaviour.
void paintButton(Canvas& dc, Rect item, unsigned state, int shape, const ButtonColours& colours,
                 std::string_view label) {
    const std::unique_ptr<DrawnObject> drawn = makeShape(shape);
    drawn->Draw(dc, item, state, colours.face);
    const Colour text = (state & kItemDisabled) ? colours.disabledLabel : colours.label;
    drawn->DrawLabel(dc, item, label.substr(0, kMaxLabel), text);
}

} // namespace widgets
