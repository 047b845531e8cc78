#include "ui/commandbars/ZUDPCommandBarsSeams.h"

namespace {

int CALLBACK CollectFont(const LOGFONTA* pLogFont, const TEXTMETRICA*, DWORD dwFontType, LPARAM lParam)
{
    auto* pFonts = reinterpret_cast<std::vector<CZUDPFontDesc>*>(lParam);
    const ENUMLOGFONTEXA* pInfo = reinterpret_cast<const ENUMLOGFONTEXA*>(pLogFont);
    // The record's texts are fixed arrays: read them within their size.
    char szScript[LF_FACESIZE + 1] = "";
    ::lstrcpynA(szScript, reinterpret_cast<const char*>(pInfo->elfScript), LF_FACESIZE);
    char szFace[LF_FACESIZE + 1] = "";
    ::lstrcpynA(szFace, pLogFont->lfFaceName, LF_FACESIZE);
    pFonts->emplace_back(szFace, szScript, pLogFont->lfCharSet, pLogFont->lfPitchAndFamily, (int)dwFontType);
    return 1;
}

void RealInstalledFonts(BYTE nCharSet, std::vector<CZUDPFontDesc>& fonts)
{
    HDC hDC = ::GetDC(nullptr);
    if (hDC == nullptr)
        return;
    LOGFONTA lf = {};
    lf.lfCharSet = nCharSet;
    ::EnumFontFamiliesExA(hDC, &lf, (FONTENUMPROCA)CollectFont, (LPARAM)&fonts, 0);
    ::ReleaseDC(nullptr, hDC);
}

} // namespace

CommandBarsSeams::CommandBarsSeams() : installedFonts(RealInstalledFonts) {}

CommandBarsSeams g_commandBarsSeams;
