// The drawing port: what the drawn buttons and the DXCC panel draw, and nothing more.
// Contract (every adapter keeps it):
//  - Coordinates are pixels of the surface; a Rect's right and bottom are exclusive.
//  - Colours are the platform's 32-bit values: red bits 0-7, green 8-15, blue 16-23, a flag byte in bits 24-31
//    (0 plain, 0x02 palette-relative); they reach the surface unchanged.
//  - Each primitive makes the pen or brush it needs and releases it before it returns; nothing is cached.
//  - Texts are bytes in the system's code page, drawn at their full length.
//  - The text colour, the background mode and the background colour are state of the surface: they hold until
//    set again and are used by the text primitives (and by the gaps of a dotted pen).
#pragma once
#include <memory>
#include <string_view>

#include "ui/colours.h"

namespace ui {

inline constexpr Colour kPaletteRelative = 0x02000000;
// A palette-relative colour value of (r, g, b).
constexpr Colour paletteRgb(int r, int g, int b) { return kPaletteRelative | rgb(r, g, b); }

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool empty() const { return right <= left || bottom <= top; }
    // Grown by d pixels on every side (shrunk for a negative d).
    Rect inflated(int d) const { return {left - d, top - d, right + d, bottom + d}; }
    bool operator==(const Rect&) const = default;
};

enum class PenStyle { solid, dot };
enum class BackgroundMode { transparent, opaque };

class Canvas {
public:
    virtual ~Canvas() = default;

    // The rectangle filled with a solid colour.
    virtual void fillSolidRect(const Rect& r, Colour colour) = 0;
    // A one-pixel frame on the rectangle's edge: top and left in the first colour, right and bottom in the
    // second, which owns the top-right and bottom-left corner pixels.
    virtual void frame3d(const Rect& r, Colour topLeft, Colour bottomRight) = 0;
    // The ellipse inscribed in the rectangle, outlined with a pen of this style, width and colour; the inside
    // takes whatever brush the surface holds.
    virtual void ellipse(const Rect& r, PenStyle style, int width, Colour colour) = 0;
    // The system's dotted focus rectangle, drawn by inverting pixels.
    virtual void focusRect(const Rect& r) = 0;
    // Text with its top-left corner at (x, y).
    virtual void textOut(int x, int y, std::string_view text) = 0;
    // Text on one line, centred horizontally and vertically in the rectangle.
    virtual void drawTextCentred(const Rect& r, std::string_view text) = 0;
    // Returns the previous text colour.
    virtual Colour setTextColour(Colour colour) = 0;
    virtual void setBackgroundMode(BackgroundMode mode) = 0;
    virtual void setBackgroundColour(Colour colour) = 0;

    // An off-screen surface over this surface's clip box, in this surface's coordinates, with the default
    // state of a new surface; what is drawn on it reaches this surface in one copy when it is destroyed.
    virtual std::unique_ptr<Canvas> offscreen() = 0;
};

} // namespace ui
