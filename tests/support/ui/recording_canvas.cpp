#include "support/ui/recording_canvas.h"

#include <cstdio>

std::string colourText(ui::Colour colour) {
    char text[48];
    const unsigned flags = colour >> 24;
    const unsigned r = colour & 0xFF, g = (colour >> 8) & 0xFF, b = (colour >> 16) & 0xFF;
    if (flags == 0) {
        std::snprintf(text, sizeof text, "(%u,%u,%u)", r, g, b);
    } else if (flags == 0x02) {
        std::snprintf(text, sizeof text, "pal(%u,%u,%u)", r, g, b);
    } else {
        std::snprintf(text, sizeof text, "flags=0x%02X(%u,%u,%u)", flags, r, g, b);
    }
    return text;
}

std::string rectText(const ui::Rect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

// The buffer writes into the same list; its copy to the surface below is the line "copy" when it goes.
class RecordingCanvas::Buffer : public RecordingCanvas {
public:
    Buffer(std::shared_ptr<std::vector<std::string>> log, ui::Rect clipBox) : RecordingCanvas(std::move(log), clipBox) {
        add("offscreen " + rectText(clipBox));
    }
    ~Buffer() override { add("copy " + rectText(m_clip)); }
};

void RecordingCanvas::fillSolidRect(const ui::Rect& r, ui::Colour colour) {
    add("fill " + rectText(r) + " " + colourText(colour));
}

void RecordingCanvas::frame3d(const ui::Rect& r, ui::Colour topLeft, ui::Colour bottomRight) {
    add("frame3d " + rectText(r) + " " + colourText(topLeft) + " " + colourText(bottomRight));
}

void RecordingCanvas::ellipse(const ui::Rect& r, ui::PenStyle style, int width, ui::Colour colour) {
    add("ellipse " + rectText(r) + " pen=" + (style == ui::PenStyle::solid ? "solid" : "dot") + "/" +
        std::to_string(width) + "/" + colourText(colour));
}

void RecordingCanvas::focusRect(const ui::Rect& r) { add("focus " + rectText(r)); }

void RecordingCanvas::textOut(int x, int y, std::string_view text) {
    add("text " + std::to_string(x) + "," + std::to_string(y) + " \"" + std::string(text) + "\"");
}

void RecordingCanvas::drawTextCentred(const ui::Rect& r, std::string_view text) {
    add("text-centred " + rectText(r) + " \"" + std::string(text) + "\"");
}

ui::Colour RecordingCanvas::setTextColour(ui::Colour colour) {
    add("text-colour " + colourText(colour));
    const ui::Colour old = m_textColour;
    m_textColour = colour;
    return old;
}

void RecordingCanvas::setBackgroundMode(ui::BackgroundMode mode) {
    add(std::string("background-mode ") + (mode == ui::BackgroundMode::transparent ? "transparent" : "opaque"));
}

void RecordingCanvas::setBackgroundColour(ui::Colour colour) { add("background-colour " + colourText(colour)); }

std::unique_ptr<ui::Canvas> RecordingCanvas::offscreen() { return std::make_unique<Buffer>(m_log, m_clip); }
