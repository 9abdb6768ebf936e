// The drawn buttons of the multiplier grids: their colours as the owner sets them, and the two shapes that
// paint them on a canvas.
#pragma once
#include <cstddef>
#include <memory>
#include <string_view>

#include "ui/canvas.h"

namespace widgets {

using ui::Canvas;
using ui::Colour;
using ui::Rect;

// The platform's owner-draw item state bits that the buttons read (the check-state bit is never read).
inline constexpr unsigned kItemSelected = 0x0001;
inline constexpr unsigned kItemDisabled = 0x0004;
inline constexpr unsigned kItemFocused = 0x0010;

// Longest label drawn; the rest of a longer text is cut.
inline constexpr std::size_t kMaxLabel = 511;

enum ButtonShape { ShapeRect = 0, ShapeEllipse = 1 };

// The colours a button shows, as its owner sets them. Each setter repaints at once, even with an unchanged
// colour.
class CAdvancedComponent {
public:
    virtual ~CAdvancedComponent() = default;
    virtual bool SetLabelColor(Colour colour);
    virtual bool SetFaceColor(Colour colour);
    virtual void Redraw() = 0;

    Colour faceColor() const { return m_faceColor; }
    Colour labelColor() const { return m_labelColor; }

protected:
    Colour m_faceColor = 0;
    Colour m_labelColor = 0;
};

// How one shape paints; a shape object holds no state.
class DrawnObject {
public:
    virtual ~DrawnObject() = default;
    virtual void Draw(Canvas& dc, Rect r, unsigned state, Colour face) = 0;
    virtual void DrawLabel(Canvas& dc, Rect r, std::string_view text, Colour colour);
    // depth > 0 raised, < 0 sunken; |depth| one-pixel rings.
    virtual void DrawFrame(Canvas& dc, Rect r, int depth) = 0;
    virtual void Fill(Canvas& dc, Rect r, Colour colour) = 0;
    virtual void DrawFocus(Canvas& dc, Rect r, Colour colour) = 0;
};

class DrawnRect : public DrawnObject {
public:
    void Draw(Canvas& dc, Rect r, unsigned state, Colour face) override;
    void DrawFrame(Canvas& dc, Rect r, int depth) override;
    void Fill(Canvas& dc, Rect r, Colour colour) override;
    void DrawFocus(Canvas& dc, Rect r, Colour colour) override;
};

class DrawnEllipse : public DrawnObject {
public:
    void Draw(Canvas& dc, Rect r, unsigned state, Colour face) override;
    void DrawFrame(Canvas& dc, Rect r, int depth) override;
    void Fill(Canvas& dc, Rect r, Colour colour) override;
    void DrawFocus(Canvas& dc, Rect r, Colour colour) override;
};

// The shape object for a button's m_shape: an ellipse for ShapeEllipse, a rectangle for any other value.
std::unique_ptr<DrawnObject> makeShape(int shape);

struct ButtonColours {
    Colour face = 0;
    Colour label = 0;
    Colour disabledLabel = 0;
};

// One paint of a button: its shape, then its label (cut to kMaxLabel) over the whole item rectangle.
void paintButton(Canvas& dc, Rect item, unsigned state, int shape, const ButtonColours& colours,
                 std::string_view label);

} // namespace widgets
