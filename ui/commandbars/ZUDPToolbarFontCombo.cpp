#include "ui/commandbars/ZUDPToolbarFontCombo.h"

#include "framework/Archive.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/controls/ZUDPFontComboBox.h"

IMPLEMENT_SERIAL(CZUDPToolbarFontCombo, CZUDPToolbarComboBoxButton, 1)
IMPLEMENT_SERIAL(CZUDPToolbarFontSizeCombo, CZUDPToolbarComboBoxButton, 1)

CZUDPFontList g_toolbarFontList;

namespace {

int s_fontComboCount = 0;

CComboBox* MakeFontComboBox(DWORD dwStyle, const CRect& rect, CWnd* pWndParent, UINT uiID)
{
    auto* pCombo = new CZUDPFontComboBox;
    if (!pCombo->Create(dwStyle, rect, pWndParent, uiID)) {
        delete pCombo;
        return nullptr;
    }
    return pCombo;
}

} // namespace

int CZUDPToolbarFontCombo::GetInstanceCount() { return s_fontComboCount; }

CZUDPToolbarFontCombo::CZUDPToolbarFontCombo() { ++s_fontComboCount; }

CZUDPToolbarFontCombo::CZUDPToolbarFontCombo(UINT uiID, int iImage, int nFontType, BYTE nCharSet, DWORD dwStyle,
                                             int nWidth, BYTE nPitchAndFamily)
    : CZUDPToolbarComboBoxButton(uiID, iImage, dwStyle, nWidth), fontTypes(nFontType), charSet(nCharSet),
      pitchAndFamily(nPitchAndFamily)
{
    if (s_fontComboCount++ == 0)
        EnumerateFonts();
    FillFontItems();
}

CZUDPToolbarFontCombo::~CZUDPToolbarFontCombo()
{
    // The windows go first: the owner-drawn list may still draw an item.
    DestroyWindows();
    if (--s_fontComboCount == 0)
        g_toolbarFontList.RemoveAll();
}

BOOL CZUDPToolbarFontCombo::AddFont(const LOGFONTA* pLogFont, int nFontType, LPCTSTR lpszScript)
{
    if (pLogFont == nullptr)
        return FALSE;
    char szFace[LF_FACESIZE + 1] = "";
    ::lstrcpynA(szFace, pLogFont->lfFaceName, LF_FACESIZE);
    const CZUDPFontDesc font(szFace, lpszScript, pLogFont->lfCharSet, pLogFont->lfPitchAndFamily, nFontType);
    return g_toolbarFontList.Add(font, pitchAndFamily);
}

void CZUDPToolbarFontCombo::EnumerateFonts()
{
    std::vector<CZUDPFontDesc> reported;
    g_commandBarsSeams.installedFonts(charSet, reported);
    g_commandBarsSeams.printerFonts(charSet, reported);
    for (const CZUDPFontDesc& font : reported) {
        LOGFONTA lf = {};
        ::lstrcpynA(lf.lfFaceName, font.faceName, LF_FACESIZE);
        lf.lfCharSet = font.charSet;
        lf.lfPitchAndFamily = font.pitchAndFamily;
        AddFont(&lf, font.fontType, font.script);
    }
}

void CZUDPToolbarFontCombo::FillFontItems()
{
    for (int i = 0; i < g_toolbarFontList.GetCount(); i++) {
        CZUDPFontDesc* pDesc = g_toolbarFontList.GetAt(i);
        if ((pDesc->fontType & fontTypes) == 0)
            continue;
        const CString strText =
            g_toolbarFontList.CountFace(pDesc->faceName) > 1 ? pDesc->GetFullName() : pDesc->faceName;
        AddItem(strText, (DWORD_PTR)pDesc);
    }
}

const CZUDPFontDesc* CZUDPToolbarFontCombo::GetFontDesc(int iIndex) const
{
    return reinterpret_cast<const CZUDPFontDesc*>(GetItemData(iIndex));
}

CComboBox* CZUDPToolbarFontCombo::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    return MakeFontComboBox(comboStyle | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS, rect, pWndParent, commandId);
}

void CZUDPToolbarFontCombo::CopyFrom(const CZUDPToolbarButton& src)
{
    CZUDPToolbarComboBoxButton::CopyFrom(src);
    if (const auto* pSrc = DYNAMIC_DOWNCAST(CZUDPToolbarFontCombo, const_cast<CZUDPToolbarButton*>(&src))) {
        fontTypes = pSrc->fontTypes;
        charSet = pSrc->charSet;
        pitchAndFamily = pSrc->pitchAndFamily;
    }
}

void CZUDPToolbarFontCombo::Serialize(CArchive& ar)
{
    // The button's fields, then the combo's own without its items: the
    // items are the installed fonts, never stored state.
    CZUDPToolbarButton::Serialize(ar);
    if (ar.IsStoring()) {
        ar << width << comboStyle << selIndex << editText << dropDownHeight << fontTypes << charSet;
        return;
    }
    ar >> width >> comboStyle >> selIndex >> editText >> dropDownHeight >> fontTypes >> charSet;
    rect.right = rect.left + width;
    if (g_toolbarFontList.IsEmpty())
        EnumerateFonts();
    const int iStored = selIndex;
    const CString strText = editText;
    RemoveAllItems();
    editText = strText;
    FillFontItems();
    if (!SelectItem(iStored))
        selIndex = -1;
}

CComboBox* CZUDPToolbarFontSizeCombo::CreateCombo(CWnd* pWndParent, const CRect& rect)
{
    return MakeFontComboBox(comboStyle, rect, pWndParent, commandId);
}
