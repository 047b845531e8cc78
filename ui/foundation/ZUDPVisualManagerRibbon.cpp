// The visual manager's drawing of ribbon elements.
#include "ui/foundation/ZUDPVisualManager.h"

#include "ui/foundation/ZUDPUIEnvironment.h"

COLORREF CZUDPVisualManager::DrawRibbonHorizontalLine(CDC*, CZUDPBaseRibbonElement*, int, int, int)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRibbonMainButton(CDC*, CZUDPBaseRibbonElement*) {}

void CZUDPVisualManager::DrawRibbonCategoryBorder(CDC*, CZUDPRibbonCategory*, CRect) {}

void CZUDPVisualManager::DrawRibbonCategoryScroll(CDC*, CZUDPRibbonCategoryScroll*) {}

COLORREF CZUDPVisualManager::DrawRibbonCategoryTab(CDC*, CZUDPRibbonTab*, BOOL)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::FillRibbonPanel(CDC*, CZUDPRibbonPanel*, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRibbonPanelCaption(CDC*, CZUDPRibbonPanel*, CRect) {}

COLORREF CZUDPVisualManager::FillRibbonPanelCaption(CDC*, CZUDPRibbonPanel*, CRect)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRibbonLaunchButton(CDC*, CZUDPRibbonLaunchButton*, CZUDPRibbonPanel*) {}

void CZUDPVisualManager::DrawRibbonDefaultPanelButton(CDC*, CZUDPRibbonDefaultPanelButton*) {}

void CZUDPVisualManager::DrawRibbonDefaultPanelButtonContent(CDC*, CZUDPRibbonDefaultPanelButton*) {}

void CZUDPVisualManager::DrawRibbonDefaultPanelButtonArrow(CDC*, CZUDPBaseRibbonElement*, CRect) {}

COLORREF CZUDPVisualManager::FillRibbonButton(CDC*, CZUDPRibbonButton*)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::FillRibbonControlArea(CDC*, CZUDPBaseRibbonElement*, CRect, BOOL, BOOL) {}

void CZUDPVisualManager::DrawRibbonButtonBorder(CDC*, CZUDPRibbonButton*) {}

void CZUDPVisualManager::FillRibbonButtonMenuArea(CDC*, CZUDPRibbonButton*, CRect) {}

COLORREF CZUDPVisualManager::FillRibbonSubButton(CDC*, CZUDPRibbonButton*)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRibbonSubButtonBorder(CDC*, CZUDPRibbonButton*) {}

void CZUDPVisualManager::DrawRibbonCaption(CDC*, CZUDPBaseRibbonElement*) {}

void CZUDPVisualManager::DrawRibbonCaptionButton(CDC*, CZUDPRibbonCaptionButton*) {}

void CZUDPVisualManager::DrawDefaultImagePlaceholder(CDC*, CRect, BOOL) {}

void CZUDPVisualManager::DrawRibbonDoubleFrame(CDC*, CZUDPBaseRibbonElement*, CRect) {}

void CZUDPVisualManager::FillRibbonWindowArea(CDC*, CRect) {}

void CZUDPVisualManager::DrawRibbonEtchedBar(CDC*, CZUDPBaseRibbonElement*, CRect) {}

void CZUDPVisualManager::DrawRibbonLabelDecoration(CDC*, CZUDPRibbonLabel*, CRect) {}

void CZUDPVisualManager::DrawRibbonPaletteIcon(CDC*, CZUDPRibbonPaletteIcon*) {}

void CZUDPVisualManager::DrawRibbonPaletteButtonBorder(CDC*, CZUDPRibbonPaletteButton*, CRect) {}

COLORREF CZUDPVisualManager::GetRibbonContextCategoryColor(int)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::FillRibbonContextCaption(CDC*, CZUDPRibbonCategory*)
{
    return (COLORREF)-1;
}

COLORREF CZUDPVisualManager::DrawRibbonElementFrame(CDC*, CZUDPRibbonBar*, CZUDPBaseRibbonElement*)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRibbonSliderZoomButton(CDC*, CZUDPBaseRibbonElement*, CRect, BOOL, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::DrawRibbonSliderChannel(CDC*, CZUDPBaseRibbonElement*, CRect) {}

void CZUDPVisualManager::DrawRibbonSliderThumb(CDC*, CZUDPBaseRibbonElement*, CRect, BOOL, BOOL, BOOL) {}

void CZUDPVisualManager::FillRibbonPanelMenuBar(CDC*, CZUDPRibbonPanelMenuBar*, CRect) {}

void CZUDPVisualManager::DrawRibbonSeparator(CDC*, CZUDPRibbonSeparator*, CRect) {}

void CZUDPVisualManager::DrawRibbonKeyTip(CDC*, CZUDPBaseRibbonElement*, CRect, CString) {}

void CZUDPVisualManager::DrawRibbonCheckMark(CDC*, CZUDPBaseRibbonElement*, CRect) {}

void CZUDPVisualManager::DrawRibbonRadioMark(CDC*, CZUDPBaseRibbonElement*, CRect) {}

COLORREF CZUDPVisualManager::GetRibbonHyperlinkTextColor(CZUDPBaseRibbonElement*)
{
    return (COLORREF)-1;
}

void CZUDPVisualManager::DrawRibbonColorButton(CDC*, CZUDPBaseRibbonElement*, COLORREF, CRect, BOOL, BOOL, BOOL, BOOL)
{
}
