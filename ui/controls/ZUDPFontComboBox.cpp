#include "ui/controls/ZUDPFontComboBox.h"

#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/GdiObject.h"
#include "res/ui/controls.h"
#include "ui/commandbars/ZUDPFontDesc.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <mbstring.h>

IMPLEMENT_DYNCREATE(CZUDPFontComboBox, CZUDPComboBox)

BEGIN_MESSAGE_MAP(CZUDPFontComboBox, CZUDPComboBox)
    ON_WM_CREATE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

constexpr int kImageSize = 16;
constexpr int kImageDevice = 0;
constexpr int kImageTrueType = 1;
// The text of every font item starts this far right of the item's edge.
constexpr int kTextIndent = 22;

} // namespace

CZUDPFontComboBox::CZUDPFontComboBox() = default;

CZUDPFontComboBox::~CZUDPFontComboBox() = default;

BOOL CZUDPFontComboBox::PreCreateWindow(CREATESTRUCT& cs)
{
    // Without strings the combo box would store the name's pointer as the
    // item and compare item data to find a name.
    cs.style |= CBS_HASSTRINGS;
    return CZUDPComboBox::PreCreateWindow(cs);
}

void CZUDPFontComboBox::PreSubclassWindow()
{
    CZUDPComboBox::PreSubclassWindow();
    // A combo box made through the framework is set up at WM_CREATE.
    if (AfxGetThreadState()->m_pWndInit == nullptr)
        SetUp();
}

int CZUDPFontComboBox::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPComboBox::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetUp();
    return 0;
}

void CZUDPFontComboBox::SetUp()
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    m_bToolBarMode = pParent != nullptr && pParent->IsKindOf(RUNTIME_CLASS(CZUDPToolBar));
    if (!m_bToolBarMode)
        FillFonts(DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE, DEFAULT_CHARSET, DEFAULT_PITCH);
}

void CZUDPFontComboBox::OnDestroy()
{
    ClearItems();
    CZUDPComboBox::OnDestroy();
}

BOOL CZUDPFontComboBox::FillFonts(int nFontType, BYTE nCharSet, BYTE nPitchAndFamily)
{
    if (m_bToolBarMode || m_hWnd == nullptr || (GetStyle() & CBS_HASSTRINGS) == 0)
        return FALSE;
    ClearItems();
    for (const auto& pFont : EnumerateFonts(nFontType, nCharSet, nPitchAndFamily)) {
        if (FindStringExact(-1, pFont->faceName) != CB_ERR)
            continue;
        const int nIndex = AddString(pFont->faceName);
        if (nIndex < 0)
            continue;
        if (SetItemDataPtr(nIndex, new CZUDPFontDesc(*pFont)) == CB_ERR)
            delete static_cast<CZUDPFontDesc*>(GetItemDataPtr(nIndex));
    }
    return TRUE;
}

CZUDPFontDesc* CZUDPFontComboBox::GetFontDesc(int nIndex) const
{
    const DWORD_PTR dwData = GetItemData(nIndex);
    if (dwData == 0 || dwData == (DWORD_PTR)CB_ERR)
        return nullptr;
    return reinterpret_cast<CZUDPFontDesc*>(dwData);
}

void CZUDPFontComboBox::ClearItems()
{
    if (m_bToolBarMode || m_hWnd == nullptr)
        return;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; i++) {
        delete GetFontDesc(i);
        SetItemData(i, 0);
    }
    ResetContent();
}

// ---------------------------------------------------------------------------
// Owner drawing

void CZUDPFontComboBox::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr)
        return;
    if (m_Images.GetSafeHandle() == nullptr) {
        CZUDPLocalResource localResource;
        m_Images.Create(IDB_ZUDP_FONT_TYPES, kImageSize, 0, RGB(255, 255, 255));
    }

    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    const int nSaved = pDC->SaveDC();
    CRect rc = lpDIS->rcItem;
    if (lpDIS->itemState & ODS_SELECTED) {
        pDC->FillSolidRect(rc, g_uiEnvironment.m_colorHighlight);
        pDC->SetTextColor(g_uiEnvironment.m_colorHighlightText);
    } else {
        pDC->FillSolidRect(rc, pDC->GetBkColor());
    }
    pDC->SetBkMode(TRANSPARENT);

    const int nIndex = (int)lpDIS->itemID;
    CZUDPFontDesc* pDesc = nIndex >= 0 ? GetFontDesc(nIndex) : nullptr;
    CFont fontName;
    if (pDesc != nullptr) {
        const int nType = pDesc->fontType;
        if ((nType & (TRUETYPE_FONTTYPE | DEVICE_FONTTYPE)) && m_Images.GetSafeHandle() != nullptr) {
            const int iImage = (nType & DEVICE_FONTTYPE) ? kImageDevice : kImageTrueType;
            CPoint pt(rc.left, rc.top + (rc.Height() - kImageSize) / 2);
            m_Images.Draw(pDC, iImage, pt, ILD_NORMAL);
        }
        rc.left += kTextIndent;

        if (g_fontListDrawNamesInFont && pDesc->charSet != SYMBOL_CHARSET) {
            LOGFONTA lf = {};
            g_uiEnvironment.m_fontRegular.GetLogFont(&lf);
            ::lstrcpynA(lf.lfFaceName, pDesc->faceName, LF_FACESIZE);
            if (pDesc->charSet != DEFAULT_CHARSET)
                lf.lfCharSet = pDesc->charSet;
            lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight - 4 : lf.lfHeight + 4;
            if (fontName.CreateFontIndirect(&lf))
                pDC->SelectObject(&fontName);
        }
    }

    if (nIndex >= 0) {
        CString strText;
        GetLBText(nIndex, strText);
        pDC->DrawText(strText, &rc, DT_SINGLELINE | DT_VCENTER);
    }
    // The DC gives the font back before the font goes.
    pDC->RestoreDC(nSaved);

    if (lpDIS->itemState & ODS_FOCUS)
        pDC->DrawFocusRect(&lpDIS->rcItem);
}

void CZUDPFontComboBox::MeasureItem(LPMEASUREITEMSTRUCT lpMIS)
{
    if (lpMIS == nullptr)
        return;
    // A combo box still being made is not asked for its size.
    if (m_hWnd != nullptr) {
        CRect rect;
        GetWindowRect(&rect);
        lpMIS->itemWidth = (UINT)rect.Width();
    }
    lpMIS->itemHeight = (UINT)std::max({kImageSize, g_fontListItemHeight, g_uiEnvironment.m_textHeight});
}

int CZUDPFontComboBox::CompareItem(LPCOMPAREITEMSTRUCT lpCIS)
{
    if (lpCIS == nullptr)
        return 0;
    // An item being added is known by the text it is added with.
    auto text = [this](UINT itemID, ULONG_PTR itemData) {
        CString str;
        if (itemID != (UINT)-1 && (int)itemID < GetCount())
            GetLBText((int)itemID, str);
        else if (itemData != 0)
            str = reinterpret_cast<LPCSTR>(itemData);
        return str;
    };
    const CString str1 = text(lpCIS->itemID1, lpCIS->itemData1);
    const CString str2 = text(lpCIS->itemID2, lpCIS->itemData2);
    return _mbscoll(reinterpret_cast<const unsigned char*>((LPCSTR)str1),
                    reinterpret_cast<const unsigned char*>((LPCSTR)str2));
}

// ---------------------------------------------------------------------------
// Keys on a toolbar

BOOL CZUDPFontComboBox::PreTranslateMessage(MSG* pMsg)
{
    if (m_bToolBarMode && !g_toolbarComboKeysFlag && pMsg->message == WM_KEYDOWN) {
        switch (pMsg->wParam) {
        case VK_TAB:
            if (CWnd* pParent = GetParent()) {
                if (CWnd* pNext = pParent->GetNextDlgTabItem(this))
                    pNext->SetFocus();
                return TRUE;
            }
            break;
        case VK_ESCAPE:
            if (CFrameWnd* pFrame = GetTopLevelFrameOrInPlace(this)) {
                pFrame->SetFocus();
                return TRUE;
            }
            break;
        case VK_UP:
        case VK_DOWN:
            if ((g_frameworkSeams.keyState(VK_MENU) & 0x8000) == 0 && (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) == 0
                && !GetDroppedState()) {
                ShowDropDown(TRUE);
                return TRUE;
            }
            break;
        default:
            break;
        }
    }
    return CZUDPComboBox::PreTranslateMessage(pMsg);
}
