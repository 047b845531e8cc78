#pragma once
// CZUDPComboBox: the library's combo box.  The platform control keeps
// painting its content; in the visual-manager look (or on glass) the
// library draws the drop button and the frame through the visual manager,
// tracks the drop button's hot state, and wraps a drop-down combo's edit
// part in a CZUDPEdit.  Dialogs wrap their "ComboBox" children in it.
#include "ui/controls/ZUDPControlLook.h"
#include "ui/controls/ZUDPEdit.h"
#include "framework/win/Controls.h"

class CDC;

class CZUDPComboBox : public CZUDPControlLook<CComboBox> {
    DECLARE_DYNCREATE(CZUDPComboBox)
public:
    CZUDPComboBox();
    ~CZUDPComboBox() override;

    // The combo's edit part once attached (a drop-down combo switched into
    // the look); its window is null otherwise.
    CZUDPEdit& GetEditPart() { return m_wndEdit; }
    BOOL IsDroppedDown() const { return m_bIsDroppedDown; }
    BOOL IsButtonHot() const { return m_bIsButtonHighlighted; }
    BOOL IsTrackingHot() const { return m_bTracked; }
    const CRect& GetDropButtonRect() const { return m_rectBtn; }

    // The whole combo box into a DC in the library's look: the window
    // colour, the platform's content, the drop button and the frame.
    void PaintCombo(CDC* pDC);

protected:
    BOOL UsesLibraryPainting() const;
    void RedrawCombo();
    void ReleaseHotCapture();
    CRect ComputeDropButtonRect() const;

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT nFlags);
    void OnNcPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnCancelMode();
    BOOL OnDropDown();
    BOOL OnCloseUp();
    LRESULT OnSetControlVMModeAndEdit(WPARAM wParam, LPARAM lParam);

    CZUDPEdit m_wndEdit;
    BOOL m_bIsDroppedDown = FALSE;
    CRect m_rectBtn;
    BOOL m_bIsButtonHighlighted = FALSE;
    BOOL m_bTracked = FALSE;

    DECLARE_MESSAGE_MAP()
};
