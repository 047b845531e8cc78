#include "ui/commandbars/ZUDPFontDesc.h"

#include "ui/commandbars/ZUDPCommandBarsSeams.h"

BOOL g_fontListDrawNamesInFont = FALSE;
int g_fontListItemHeight = 0;

std::vector<std::unique_ptr<CZUDPFontDesc>> EnumerateFonts(int nFontTypes, BYTE nCharSet, BYTE nPitchAndFamily)
{
    std::vector<CZUDPFontDesc> reported;
    g_commandBarsSeams.installedFonts(nCharSet, reported);

    const int nPitch = nPitchAndFamily & 0x3;
    std::vector<std::unique_ptr<CZUDPFontDesc>> fonts;
    for (const CZUDPFontDesc& font : reported) {
        if (font.m_strName.IsEmpty() || font.m_strName[0] == '@')
            continue;
        // Vector fonts (of no kind) go with the raster fonts.
        const int nKinds = font.m_nType & (RASTER_FONTTYPE | DEVICE_FONTTYPE | TRUETYPE_FONTTYPE);
        if (((nKinds != 0 ? nKinds : RASTER_FONTTYPE) & nFontTypes) == 0)
            continue;
        if (nPitch != DEFAULT_PITCH && (font.m_nPitchAndFamily & 0x3) != nPitch)
            continue;
        fonts.push_back(std::make_unique<CZUDPFontDesc>(font));
    }
    return fonts;
}
