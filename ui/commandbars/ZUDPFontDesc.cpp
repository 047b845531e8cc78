#include "ui/commandbars/ZUDPFontDesc.h"

#include "ui/commandbars/ZUDPCommandBarsSeams.h"

#include <cstring>

BOOL g_fontListDrawNamesInFont = FALSE;
int g_fontListItemHeight = 0;

namespace {

const BYTE kMacCharSet = 77;

int CompareBytes(const CString& a, const CString& b) { return std::strcmp((LPCSTR)a, (LPCSTR)b); }

} // namespace

CString CZUDPFontDesc::GetFullName() const
{
    if (script.IsEmpty())
        return faceName;
    CString strName = faceName;
    strName += " (";
    strName += script;
    strName += ")";
    return strName;
}

int CZUDPFontList::CountFace(const CString& strFace) const
{
    int n = 0;
    for (const auto& pFont : m_fonts)
        n += CompareBytes(pFont->faceName, strFace) == 0;
    return n;
}

BOOL CZUDPFontList::Add(const CZUDPFontDesc& font, BYTE nPitchFilter)
{
    if (font.charSet == kMacCharSet || font.faceName.IsEmpty())
        return FALSE;
    if (nPitchFilter != 0 && (font.pitchAndFamily & nPitchFilter) == 0)
        return FALSE;
    if (CountFace(font.faceName) > 0)
        return FALSE;
    if (font.faceName[0] == '@' && g_commandBarsSeams.dbcsEnabled())
        return FALSE;
    // After the last description that sorts before the new one.
    size_t iInsert = m_fonts.size();
    while (iInsert > 0) {
        const CZUDPFontDesc& before = *m_fonts[iInsert - 1];
        const int nCompare = CompareBytes(before.faceName, font.faceName);
        if (nCompare < 0 || (nCompare == 0 && CompareBytes(before.script, font.script) < 0))
            break;
        --iInsert;
    }
    m_fonts.insert(m_fonts.begin() + std::ptrdiff_t(iInsert), std::make_unique<CZUDPFontDesc>(font));
    return TRUE;
}

void CZUDPFontList::Enumerate(BYTE nCharSet, BYTE nPitchFilter)
{
    std::vector<CZUDPFontDesc> reported;
    g_commandBarsSeams.installedFonts(nCharSet, reported);
    // Faces already listed are refused: the printer adds only its own.
    g_commandBarsSeams.printerFonts(nCharSet, reported);
    for (const CZUDPFontDesc& font : reported)
        Add(font, nPitchFilter);
}

std::vector<std::unique_ptr<CZUDPFontDesc>> EnumerateFonts(int nFontTypes, BYTE nCharSet, BYTE nPitchAndFamily)
{
    CZUDPFontList list;
    list.Enumerate(nCharSet, nPitchAndFamily);
    std::vector<std::unique_ptr<CZUDPFontDesc>> fonts;
    for (int i = 0; i < list.GetCount(); i++) {
        const CZUDPFontDesc& font = *list.GetAt(i);
        // Vector fonts (of no kind) go with the raster fonts.
        const int nKinds = font.fontType & (RASTER_FONTTYPE | DEVICE_FONTTYPE | TRUETYPE_FONTTYPE);
        if (((nKinds != 0 ? nKinds : RASTER_FONTTYPE) & nFontTypes) == 0)
            continue;
        fonts.push_back(std::make_unique<CZUDPFontDesc>(font));
    }
    return fonts;
}
