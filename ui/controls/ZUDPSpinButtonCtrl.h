#pragma once
// CZUDPSpinButtonCtrl: the library's spin button.  It paints both arrow
// buttons through the visual manager, each half hot under the mouse and
// pressed while held, and frames itself like the edit it is attached to
// (its buddy) in the visual-manager look.  A spin button with UDS_HORZ
// splits into a left and a right half with horizontal arrows.  Dialogs
// wrap their "msctls_updown32" children in it.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CDC;

class CZUDPSpinButtonCtrl : public CZUDPControlLook<CSpinButtonCtrl> {
    DECLARE_DYNCREATE(CZUDPSpinButtonCtrl)
public:
    CZUDPSpinButtonCtrl() = default;

    // Paints the frame, background and both halves into a DC (WM_PAINT
    // through an off-screen surface and WM_PRINTCLIENT both come here).
    virtual void DrawButtons(CDC* pDC);
    // The ribbon's spin button answers TRUE.
    virtual BOOL IsRibbonSpin() const { return FALSE; }

    BOOL IsHorizontal() const;
    // The first half (upper, or left with UDS_HORZ) and the second.
    void GetHalves(CRect& rectFirst, CRect& rectSecond) const;
    BOOL IsFirstPressed() const { return m_bIsButtonPressedUp; }
    BOOL IsSecondPressed() const { return m_bIsButtonPressedDown; }
    BOOL IsFirstHot() const { return m_bIsButtonHighlightedUp; }
    BOOL IsSecondHot() const { return m_bIsButtonHighlightedDown; }

protected:
    void ResetStates();
    void RedrawSpin();

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();

    BOOL m_bIsButtonPressedUp = FALSE;
    BOOL m_bIsButtonPressedDown = FALSE;
    BOOL m_bIsButtonHighlightedUp = FALSE;
    BOOL m_bIsButtonHighlightedDown = FALSE;
    BOOL m_bTracked = FALSE;

    DECLARE_MESSAGE_MAP()
};
