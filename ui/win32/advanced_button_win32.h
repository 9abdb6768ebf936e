// A dialog's check box taken over and painted as a drawn button (rectangle or ellipse) in three colours.
#pragma once
#include <windows.h>

#include "platform/win32/dialog_win32.h"
#include "ui/widgets/drawn_button.h"

class CAdvancedButton : public CButton, public widgets::CAdvancedComponent {
public:
    CAdvancedButton() = default;

    // Takes over the parent's control with this id as a rectangle in these colours; false, and nothing
    // changed, when there is no such control or it cannot be taken over.
    bool SetupDlgItem(UINT id, CDialog* parent, widgets::Colour face, widgets::Colour label,
                      widgets::Colour disabledLabel);
    // Repaints the control at once (nothing while it has no window).
    void Redraw() override;

    widgets::Colour m_disabledLabelColor = 0;
    int m_shape = widgets::ShapeRect;

protected:
    void PreSubclassWindow() override;
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};
