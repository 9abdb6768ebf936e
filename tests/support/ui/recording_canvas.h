// A canvas that draws nothing and writes one line per primitive, with its arguments, so that tests compare
// whole drawings:
//   fill 0,0,40,24 (0,255,0)              frame3d 0,0,40,24 pal(255,255,255) pal(127,127,127)
//   ellipse 2,2,38,22 pen=solid/3/(0,255,0)   focus 2,2,38,22
//   text 5,15 "JA"                        text-centred 0,0,40,24 "34"
//   text-colour (1,1,1)                   background-mode transparent     background-colour (0,255,0)
//   offscreen 0,0,240,224  ...the buffer's lines...  copy 0,0,240,224
// Colours are (r,g,b); a palette-relative one is pal(r,g,b), any other flag byte shows as flags=0xNN(r,g,b).
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/canvas.h"

class RecordingCanvas : public ui::Canvas {
public:
    // clipBox: the region an off-screen buffer covers.
    explicit RecordingCanvas(ui::Rect clipBox = {}) : m_log(std::make_shared<std::vector<std::string>>()), m_clip(clipBox) {}

    const std::vector<std::string>& lines() const { return *m_log; }
    void clear() { m_log->clear(); }

    void fillSolidRect(const ui::Rect& r, ui::Colour colour) override;
    void frame3d(const ui::Rect& r, ui::Colour topLeft, ui::Colour bottomRight) override;
    void ellipse(const ui::Rect& r, ui::PenStyle style, int width, ui::Colour colour) override;
    void focusRect(const ui::Rect& r) override;
    void textOut(int x, int y, std::string_view text) override;
    void drawTextCentred(const ui::Rect& r, std::string_view text) override;
    ui::Colour setTextColour(ui::Colour colour) override;
    void setBackgroundMode(ui::BackgroundMode mode) override;
    void setBackgroundColour(ui::Colour colour) override;
    std::unique_ptr<ui::Canvas> offscreen() override;

private:
    class Buffer;
    RecordingCanvas(std::shared_ptr<std::vector<std::string>> log, ui::Rect clipBox) : m_log(std::move(log)), m_clip(clipBox) {}
    void add(std::string line) { m_log->push_back(std::move(line)); }

    std::shared_ptr<std::vector<std::string>> m_log;
    ui::Rect m_clip;
    ui::Colour m_textColour = 0;  // a new surface's: black
};

std::string colourText(ui::Colour colour);
std::string rectText(const ui::Rect& r);
