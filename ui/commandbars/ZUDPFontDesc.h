#pragma once
// CZUDPFontDesc: one font of the library's font lists (the toolbar's font
// button and the font combo box): its face name, script name, character
// set, pitch and family, and font type (RASTER_FONTTYPE, DEVICE_FONTTYPE,
// TRUETYPE_FONTTYPE bits).  The font lists keep copies as item data.
//
// EnumerateFonts is the one enumeration of the installed fonts that the
// font lists share.
#include "framework/String.h"
#include "framework/win/WinSdk.h"

#include <memory>
#include <vector>

class CZUDPFontDesc {
public:
    CZUDPFontDesc() = default;
    CZUDPFontDesc(LPCTSTR lpszName, LPCTSTR lpszScript, BYTE nCharSet, BYTE nPitchAndFamily, int nType)
        : m_strName(lpszName), m_strScript(lpszScript), m_nCharSet(nCharSet), m_nPitchAndFamily(nPitchAndFamily),
          m_nType(nType)
    {
    }
    CZUDPFontDesc(const CZUDPFontDesc& src) = default;
    CZUDPFontDesc& operator=(const CZUDPFontDesc& src) = default;
    virtual ~CZUDPFontDesc() = default;

    CString m_strName;
    CString m_strScript;
    BYTE m_nCharSet = DEFAULT_CHARSET;
    BYTE m_nPitchAndFamily = DEFAULT_PITCH;
    int m_nType = 0;
};

// The installed fonts of the given types (any of RASTER_FONTTYPE,
// DEVICE_FONTTYPE, TRUETYPE_FONTTYPE; fonts of none of the kinds count as
// raster fonts), character set (DEFAULT_CHARSET: all) and pitch
// (DEFAULT_PITCH: any), in the order the system reports them.  A face the
// system reports once per character set appears once per report; vertical
// faces ("@...") are left out.
std::vector<std::unique_ptr<CZUDPFontDesc>> EnumerateFonts(int nFontTypes, BYTE nCharSet, BYTE nPitchAndFamily);

// Settings of every font list: names drawn in their own fonts, and the
// lists' item height (0: the text height).
extern BOOL g_fontListDrawNamesInFont;
extern int g_fontListItemHeight;
