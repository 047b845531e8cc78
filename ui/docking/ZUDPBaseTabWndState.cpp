// The base tab window's saved state (the archive of its tabs and the
// restoring of re-created tabs), its automatic tab colours and its tab
// images (image lists and per-tab icons) with the tab height they give.
#include "ui/docking/ZUDPBaseTabWnd.h"

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "ui/docking/ZUDPBaseTabbedBar.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>

// --- saved state -------------------------------------------------------------

namespace {

// The least a stored tab takes: a label's length byte and five ints.
const ULONGLONG kMinStoredTabBytes = 1 + 5 * 4;

} // namespace

void CZUDPBaseTabWnd::Serialize(CArchive& ar)
{
    if (ar.IsStoring()) {
        ar << int32_t(m_arTabs.GetSize());
        for (INT_PTR i = 0; i < m_arTabs.GetSize(); ++i) {
            const CZUDPTabInfo* pTab = m_arTabs[i];
            // A tab without a window stores -1, the id no tab's window has.
            const int32_t nCtrlId = pTab->m_pWnd != nullptr && pTab->m_pWnd->GetSafeHwnd() != nullptr
                                        ? int32_t(pTab->m_pWnd->GetDlgCtrlID())
                                        : -1;
            ar << pTab->m_strText;
            ar << int32_t(pTab->m_bVisible) << nCtrlId << int32_t(pTab->m_bIsDetachable)
               << int32_t(pTab->m_clrText) << int32_t(pTab->m_clrBack);
        }
        ar << int32_t(m_iActiveTab) << int32_t(m_location);
        return;
    }

    // Read whole before anything changes: a damaged archive leaves the
    // saved tabs read earlier as they were.
    CList<CZUDPRestoredTabInfo*, CZUDPRestoredTabInfo*> restored;
    try {
        int32_t nTabs = 0;
        ar >> nTabs;
        if (nTabs < 0)
            AfxThrowArchiveException(CArchiveException::badIndex);
        ar.CheckCount(ULONGLONG(nTabs), kMinStoredTabBytes);
        for (int32_t i = 0; i < nTabs; ++i) {
            CZUDPRestoredTabInfo* pInfo = new CZUDPRestoredTabInfo;
            restored.AddTail(pInfo);
            int32_t nVisible = 0, nCtrlId = 0, nDetachable = 0, nText = 0, nBack = 0;
            ar >> pInfo->m_strText;
            ar >> nVisible >> nCtrlId >> nDetachable >> nText >> nBack;
            pInfo->m_bVisible = nVisible;
            pInfo->m_nControlID = nCtrlId;
            pInfo->m_bDetachable = nDetachable;
            pInfo->m_clrText = COLORREF(nText);
            pInfo->m_clrBack = COLORREF(nBack);
        }
        int32_t nActive = 0, nLocation = 0;
        ar >> nActive >> nLocation;
        DeleteRestoredTabs();
        while (!restored.IsEmpty())
            m_lstRestoredTabs.AddTail(restored.RemoveHead());
        m_iRestoredActiveTab = nActive;
        m_iRestoredLocation = nLocation;
    } catch (...) {
        while (!restored.IsEmpty())
            delete restored.RemoveHead();
        throw;
    }
}

void CZUDPBaseTabWnd::ApplyRestoredTabs(BOOL bReorder)
{
    // Panes that now sit elsewhere (in another tabbed pane, a floating
    // frame, auto-hidden) are brought back as tabs by the docking panes;
    // here the tabs the application re-created take their saved state.
    CZUDPTabInfo* pActive = GetTab(m_iActiveTab);
    int nVisible = 0;
    int j = 0;
    for (POSITION pos = m_lstRestoredTabs.GetHeadPosition(); pos != nullptr; ++j) {
        const CZUDPRestoredTabInfo* pInfo = m_lstRestoredTabs.GetNext(pos);
        CZUDPTabInfo* pTab = nullptr;
        int iTab = FindTabInfoByCtrlId(pInfo->m_nControlID, pTab);
        if (pTab == nullptr)
            continue;
        pTab->m_strText = pInfo->m_strText;
        pTab->m_clrText = pInfo->m_clrText;
        pTab->m_clrBack = pInfo->m_clrBack;
        pTab->m_bIsDetachable = pInfo->m_bDetachable;
        ShowTabAt(iTab, pInfo->m_bVisible, FALSE, FALSE);
        if (pInfo->m_bVisible)
            ++nVisible;
        if (bReorder && iTab != j && SwapTabs(iTab, j))
            iTab = j;
        if (j == m_iRestoredActiveTab && iTab == j && pTab->m_pWnd != nullptr &&
            pTab->m_pWnd->GetSafeHwnd() != nullptr)
            pTab->m_pWnd->ShowWindow(SW_SHOW);
    }
    // Swapping moved records: the active index follows the active tab.
    for (int i = 0; i < m_iTabsNum && pActive != nullptr; ++i)
        if (m_arTabs[i] == pActive)
            m_iActiveTab = i;

    if (nVisible > 0) {
        if (!ActivateTab(m_iRestoredActiveTab))
            ActivateTab(0);
        RecalcLayout();
        return;
    }
    CWnd* pParent = m_hWnd != nullptr ? GetParent() : nullptr;
    if (pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPBaseTabbedBar)))
        pParent->ShowWindow(SW_HIDE);
    RecalcLayout();
}

// --- automatic colours -------------------------------------------------------

void CZUDPBaseTabWnd::GetDefaultAutoColors(int nBitsPerPixel, CArray<COLORREF, COLORREF>& colors)
{
    static const COLORREF kTrueColor[] = {
        RGB(197, 212, 242), RGB(255, 220, 120), RGB(190, 206, 161), RGB(240, 160, 161),
        RGB(188, 168, 225), RGB(156, 193, 182), RGB(247, 184, 134), RGB(217, 173, 194),
        RGB(165, 194, 215), RGB(179, 166, 190), RGB(234, 214, 163), RGB(246, 250, 125),
        RGB(181, 233, 157), RGB(95, 195, 207),  RGB(193, 131, 131), RGB(202, 202, 213),
    };
    static const COLORREF kFewColors[] = {
        RGB(0, 255, 0), RGB(0, 255, 255), RGB(255, 0, 255), RGB(192, 192, 192), RGB(255, 255, 0),
    };
    colors.RemoveAll();
    if (nBitsPerPixel > 8) {
        for (COLORREF clr : kTrueColor)
            colors.Add(clr);
    } else {
        for (COLORREF clr : kFewColors)
            colors.Add(clr);
    }
}

COLORREF CZUDPBaseTabWnd::GetTabBackColor(int iTab) const
{
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return (COLORREF)-1;
    if (pTab->m_clrBack != (COLORREF)-1 || !m_bAutoColor || m_arAutoColors.GetSize() == 0)
        return pTab->m_clrBack;
    // The tab keeps the colour its place gave it, wherever it moves later.
    pTab->m_clrBack = m_arAutoColors[iTab % m_arAutoColors.GetSize()];
    return pTab->m_clrBack;
}

void CZUDPBaseTabWnd::EnableAutoColor(BOOL bEnable)
{
    if (m_bAutoColor && !bEnable)
        for (int i = 0; i < m_iTabsNum; ++i)
            m_arTabs[i]->m_clrBack = (COLORREF)-1;
    m_bAutoColor = bEnable;
    InitAutoColors();
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPBaseTabWnd::SetAutoColors(const CArray<COLORREF, COLORREF>& colors)
{
    for (int i = 0; i < m_iTabsNum; ++i)
        m_arTabs[i]->m_clrBack = (COLORREF)-1;
    m_arAutoColors.RemoveAll();
    if (colors.GetSize() == 0) {
        m_bDefaultAutoColors = TRUE;
        InitAutoColors();
    } else {
        m_bDefaultAutoColors = FALSE;
        for (INT_PTR i = 0; i < colors.GetSize(); ++i)
            m_arAutoColors.Add(colors[i]);
    }
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPBaseTabWnd::InitAutoColors()
{
    if (!m_bDefaultAutoColors)
        return;
    GetDefaultAutoColors(g_uiEnvironment.m_bitsPerPixel, m_arAutoColors);
}

// --- images ------------------------------------------------------------------

BOOL CZUDPBaseTabWnd::LoadImageList(UINT uiBitmapId, int cx, COLORREF clrMask)
{
    HBITMAP hBitmap =
        (HBITMAP)::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(uiBitmapId), IMAGE_BITMAP, 0, 0, 0);
    if (hBitmap == nullptr)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof(bm), &bm);
    UINT nFlags = ILC_COLOR4;
    switch (bm.bmBitsPixel) {
    case 8: nFlags = ILC_COLOR8; break;
    case 16: nFlags = ILC_COLOR16; break;
    case 24: nFlags = ILC_COLOR24; break;
    case 32: nFlags = ILC_COLOR32; break;
    default: break;
    }
    if (clrMask != (COLORREF)-1)
        nFlags |= ILC_MASK;
    m_Images.DeleteImageList();
    BOOL bCreated = cx > 0 && m_Images.Create(cx, bm.bmHeight, nFlags, 0, 0);
    if (bCreated) {
        if (clrMask != (COLORREF)-1)
            ImageList_AddMasked(m_Images.m_hImageList, hBitmap, clrMask);
        else
            ImageList_Add(m_Images.m_hImageList, hBitmap, nullptr);
    }
    ::DeleteObject(hBitmap);
    if (!bCreated)
        return FALSE;
    m_sizeImage = CSize(cx, bm.bmHeight);
    RecalcTabHeight();
    return TRUE;
}

BOOL CZUDPBaseTabWnd::SetImageListHandle(HIMAGELIST hImageList)
{
    // The handle is tested before the own list goes: a bad handle leaves
    // the tabs' images as they were.
    int cx = 0, cy = 0;
    if (hImageList == nullptr || !ImageList_GetIconSize(hImageList, &cx, &cy))
        return FALSE;
    IMAGEINFO info = {};
    if (ImageList_GetImageCount(hImageList) > 0 && ImageList_GetImageInfo(hImageList, 0, &info)) {
        cx = info.rcImage.right - info.rcImage.left;
        cy = info.rcImage.bottom - info.rcImage.top;
    }
    m_Images.DeleteImageList();
    m_hImageList = hImageList;
    m_sizeImage = CSize(cx, cy);
    RecalcTabHeight();
    return TRUE;
}

void CZUDPBaseTabWnd::ClearImageList()
{
    m_Images.DeleteImageList();
    m_sizeImage = CSize(0, 0);
    RecalcTabHeight();
}

void CZUDPBaseTabWnd::ResetImageList()
{
    ClearImageList();
    m_hImageList = nullptr;
    m_mapIconIndexes.RemoveAll();
}

HIMAGELIST CZUDPBaseTabWnd::GetImageListHandle() const
{
    if (m_Images.m_hImageList != nullptr)
        return m_Images.m_hImageList;
    return m_hImageList;
}

BOOL CZUDPBaseTabWnd::SetTabIconHandle(int iTab, HICON hIcon)
{
    CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    pTab->SetIcon(hIcon);
    pTab->m_iImage = -1;
    m_sizeImage.cx = std::max<LONG>(m_sizeImage.cx, g_uiEnvironment.m_smallIconWidth);
    m_sizeImage.cy = std::max<LONG>(m_sizeImage.cy, g_uiEnvironment.m_smallIconHeight);
    RecalcTabHeight();
    return TRUE;
}

BOOL CZUDPBaseTabWnd::TabHasImage(int iTab) const
{
    const CZUDPTabInfo* pTab = GetTab(iTab);
    if (pTab == nullptr)
        return FALSE;
    return pTab->m_hIcon != nullptr || (GetImageListHandle() != nullptr && pTab->m_iImage != -1);
}

void CZUDPBaseTabWnd::RecalcTabHeight()
{
    const int nImageHeight = m_sizeImage.cy > 0 ? m_sizeImage.cy + 7 : 0;
    const int nCharHeight = g_uiEnvironment.m_textHeight - g_uiEnvironment.m_textMargin;
    m_nTabsHeight = std::max(nImageHeight, nCharHeight + 7);
}
