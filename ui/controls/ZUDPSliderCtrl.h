#pragma once
// CZUDPSliderCtrl: the library's slider over the platform trackbar.  In the
// visual-manager look its channel and thumb are painted by the visual
// manager, the thumb highlighted while hot or focused and drawn pressed
// while dragged, and its ticks in the manager's colours; otherwise the
// platform paints it.  Created by name.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

#include <vector>

class CZUDPSliderCtrl : public CZUDPControlLook<CSliderCtrl> {
    DECLARE_DYNCREATE(CZUDPSliderCtrl)
public:
    CZUDPSliderCtrl() = default;

    BOOL IsThumbHot() const { return m_bThumbHot; }
    BOOL IsThumbPressed() const { return m_bThumbPressed; }
    // The channel as the visual manager gets it: upright for a vertical
    // slider.
    CRect GetChannelRectUpright() const;

    // The ticks the slider has, as the look paints them: one at each end
    // of the range and one at each position the slider reports (set one by
    // one or every so many positions), each where the thumb's middle stands
    // at that position, on the thumb's tick side or sides, one pixel away
    // from the thumb rectangle.  None with TBS_NOTICKS.
    std::vector<CRect> GetTickRects(const CRect& rectChannel, const CRect& rectThumb) const;
    static constexpr int kTickLength = 3;
    static constexpr int kEndTickLength = 4;

    // A focus rectangle round the slider while it has the focus (in the
    // visual-manager look).
    BOOL m_bDrawFocus = TRUE;

protected:
    // The whole slider, the look's way (WM_PAINT and WM_PRINTCLIENT).
    void DrawSlider(CDC* pDC);
    void Redraw();
    BOOL PointInThumb(CPoint point) const;

    BOOL OnEraseBkgnd(CDC* pDC);
    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT uFlags);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    LRESULT OnSetLook(WPARAM wParam, LPARAM lParam);

    BOOL m_bThumbHot = FALSE;
    BOOL m_bThumbPressed = FALSE;
    BOOL m_bTracking = FALSE;

    DECLARE_MESSAGE_MAP()
};
