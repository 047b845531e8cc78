#include "ui/commandbars/ZUDPToolbarButton.h"

#include "framework/Archive.h"
#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPVisualManager.h"

IMPLEMENT_SERIAL(CZUDPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CZUDPToolbarComboBoxButton, CZUDPToolbarButton, 1)

CString g_buttonClipboardFormatName;
CLIPFORMAT g_buttonClipboardFormat = 0;

CLIPFORMAT CZUDPToolbarButton::ButtonClipboardFormat()
{
    if (g_buttonClipboardFormat == 0) {
        CString strName = g_buttonClipboardFormatName;
        if (strName.IsEmpty())
            strName.Format("ZUDToolbarButton%lx", (unsigned long)(ULONG_PTR)AfxGetInstanceHandle());
        g_buttonClipboardFormat = CLIPFORMAT(::RegisterClipboardFormatA(strName));
    }
    return g_buttonClipboardFormat;
}

CZUDPToolbarButton::CZUDPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton)
    : m_nID(uiID), m_strText(lpszText != nullptr ? lpszText : "")
{
    if (bUserButton) {
        m_bUserButton = TRUE;
        m_iUserImage = iImage;
    } else {
        m_iImage = iImage;
    }
}

void CZUDPToolbarButton::CopyFrom(const CZUDPToolbarButton& src)
{
    m_nID = src.m_nID;
    m_nStyle = src.m_nStyle;
    m_iImage = src.m_iImage;
    m_iUserImage = src.m_iUserImage;
    m_bUserButton = src.m_bUserButton;
    m_bText = src.m_bText;
    m_bImage = src.m_bImage;
    m_bDragFromCollection = src.m_bDragFromCollection;
    m_strText = src.m_strText;
    m_rect = src.m_rect;
}

// The button's archive form belongs to the command bars; until they save
// buttons, only the class travels (an archive names it and re-creates it).
void CZUDPToolbarButton::Serialize(CArchive& ar) { CObject::Serialize(ar); }

void CZUDPToolbarButton::DrawButton(CDC*, const CRect&, CZUDPToolBarImages*, BOOL, BOOL, BOOL, BOOL, BOOL) {}

int CZUDPToolbarButton::DrawInCommandList(CDC*, const CRect&, BOOL, CZUDPToolBarImages*, BOOL) { return 0; }

void CZUDPToolbarButton::PaintBackground(CDC* pDC, const CRect& rect, BOOL bHighlight, int nReserved)
{
    (void)nReserved;
    if (pDC == nullptr)
        return;
    // 0 normal, 1 pushed (checked or pressed), 2 highlighted.
    const int state = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0 ? 1 : bHighlight ? 2 : 0;
    CZUDPVisualManager::GetActiveManager()->FillButtonInterior(pDC, this, rect, state);
}
