#include "ui/win32/grid_windows_win32.h"

#include <memory>

template <int N>
CGridWindow<N>::CGridWindow(UINT templateId, const widgets::GridSpec& grid)
    : CSecondaryWindow(templateId, grid.place), m_grid(grid) {
    static_assert(N > 0);
}

// As MFC's check-box exchange: a flag outside 0 .. 2 becomes 0 before it is shown.
template <int N>
void CGridWindow<N>::DoDataExchange(bool saving) {
    if (!m_hWnd) return;
    for (int k = 1; k <= N; ++k) {
        const int id = widgets::controlId(m_grid, k);
        int& flag = m_worked[k - 1];
        if (saving) {
            flag = static_cast<int>(IsDlgButtonChecked(m_hWnd, id));
        } else {
            if (flag < 0 || flag > 2) flag = 0;
            CheckDlgButton(m_hWnd, id, static_cast<UINT>(flag));
        }
    }
}

template <int N>
void CGridWindow<N>::setupControls() {
    DoDataExchange(false);
    const widgets::ButtonColours colours = widgets::initialGridColours();
    for (int k = 1; k <= N; ++k) {
        CAdvancedButton& button = m_buttons[k - 1];
        button.SetupDlgItem(static_cast<UINT>(widgets::controlId(m_grid, k)), this, colours.face, colours.label,
                            colours.disabledLabel);
        button.m_shape = widgets::ShapeEllipse;
        button.Redraw();
    }
}

template class CGridWindow<jidx::kCountyCount>;
template class CGridWindow<jidx::kZoneCount>;

namespace {

template <class Window>
widgets::MultiplierGridWindow* open(bool onTop) {
    auto window = std::make_unique<Window>();
    if (!window->createAndShow(onTop)) return nullptr;
    return window.release();
}

} // namespace

widgets::MultiplierGridWindow* openCountyWindow(bool onTop) { return open<CCountyGridWindow>(onTop); }
widgets::MultiplierGridWindow* openZoneWindow(bool onTop) { return open<CZoneGridWindow>(onTop); }
