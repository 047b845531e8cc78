// The visual manager's drawing of the parts dialog controls delegate: header, list box, check and radio boxes, control
// frames, spin, browse, clear and calculator buttons, progress bar, scroll bar hooks, group box and slider.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

void CZUDPVisualManager::FillHeaderBackground(CZUDPHeaderCtrl*, CDC*, CRect) {}

void CZUDPVisualManager::DrawHeaderItemBorder(CZUDPHeaderCtrl*, CDC*, CRect&, BOOL, BOOL) {}

void CZUDPVisualManager::DrawHeaderSortArrow(CZUDPHeaderCtrl*, CDC*, CRect, BOOL) {}

COLORREF CZUDPVisualManager::FillListBoxItem(CDC*, CZUDPListBox*, int, CRect, BOOL, BOOL)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::GetControlFaceColor(CWnd*)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::GetControlDarkColor(CWnd*)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawControlSunkenFrame(CDC*, CWnd*, CRect) {}

void CZUDPVisualManager::DrawControlRaisedFrame(CDC*, CWnd*, CRect) {}

void CZUDPVisualManager::FillControlFace(CDC*, CWnd*, CRect) {}

COLORREF CZUDPVisualManager::FillControlCaption(CDC*, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawCheckBox(CDC*, CRect, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawCheckBoxEx(CDC*, CRect, int, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawRadioButton(CDC*, CRect, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawControlFrame(CDC*, CRect, CWnd*, BOOL) {}

void CZUDPVisualManager::DrawWindowBorder(CWnd*) {}

BOOL CZUDPVisualManager::DrawCalculatorButton(CDC*, CRect, CZUDPToolbarButton*, int)
{
    return TRUE;
}

BOOL CZUDPVisualManager::DrawCalculatorDisplay(CDC*, CRect, const CString&, BOOL)
{
    return TRUE;
}

BOOL CZUDPVisualManager::DrawEditBrowseButton(CDC*, CRect, CZUDPEdit*, int)
{
    return TRUE;
}

BOOL CZUDPVisualManager::DrawClearButton(CDC*, CZUDPButton*, CRect)
{
    return TRUE;
}

void CZUDPVisualManager::DrawSpinButton(CDC*, CRect, int, BOOL, CZUDPSpinButtonCtrl*) {}

void CZUDPVisualManager::FillCheckedItemBackground(CDC*, CRect, CZUDPButton*) {}

void CZUDPVisualManager::DrawItemStateFrame(CDC*, CRect, CZUDPButton*) {}

void CZUDPVisualManager::DrawProgressBar(CDC*, CZUDPRibbonProgressBar*, CRect, CRect, BOOL) {}

void CZUDPVisualManager::DrawScrollBarThumb(CDC*, CZUDPScrollBar*, CRect, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawScrollBarButton(CDC*, CZUDPScrollBar*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawScrollBarTrack(CDC*, CZUDPScrollBar*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawGroupBox(CDC*, CZUDPGroup*, CRect, const CString&) {}

void CZUDPVisualManager::DrawSliderChannel(CDC*, CZUDPSliderCtrl*, BOOL, CRect, BOOL) {}

BOOL CZUDPVisualManager::DrawSliderThumb(CDC*, CZUDPSliderCtrl*, CRect, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    return TRUE;
}
