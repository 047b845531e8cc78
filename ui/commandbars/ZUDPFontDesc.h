#pragma once
// CZUDPFontDesc: one installed font of the library's font lists (the
// toolbar's font combo button and the dialogs' font combo box): its face
// name, script name, character set, pitch and family, and font type
// (RASTER_FONTTYPE, DEVICE_FONTTYPE, TRUETYPE_FONTTYPE bits).
//
// CZUDPFontList is an ordered list of owned descriptions, sorted by face
// name (then script), one per face.  The fonts enter it through one rule
// (CZUDPFontList::Add): Macintosh character-set fonts, fonts outside a
// pitch-and-family filter, faces already listed and, on systems with
// double-byte support, vertical faces ("@...") are refused.
//
// EnumerateFonts is the one enumeration of the installed fonts: the
// screen's, then the default printer's (which adds only faces the screen
// lacks), through the command bars' seams.
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

#include <memory>
#include <vector>

class CZUDPFontDesc : public CObject {
public:
    CZUDPFontDesc() = default;
    CZUDPFontDesc(LPCTSTR lpszName, LPCTSTR lpszScript, BYTE nCharSet, BYTE nPitchAndFamily, int nType)
        : faceName(lpszName), script(lpszScript), charSet(nCharSet), pitchAndFamily(nPitchAndFamily), fontType(nType)
    {
    }
    CZUDPFontDesc(const CZUDPFontDesc& src)
        : CObject(), faceName(src.faceName), script(src.script), charSet(src.charSet),
          pitchAndFamily(src.pitchAndFamily), fontType(src.fontType)
    {
    }
    CZUDPFontDesc& operator=(const CZUDPFontDesc& src)
    {
        faceName = src.faceName;
        script = src.script;
        charSet = src.charSet;
        pitchAndFamily = src.pitchAndFamily;
        fontType = src.fontType;
        return *this;
    }
    ~CZUDPFontDesc() override = default;

    // The face name, followed by " (script)" when there is a script.
    CString GetFullName() const;

    CString faceName;
    CString script;
    BYTE charSet = DEFAULT_CHARSET;
    BYTE pitchAndFamily = DEFAULT_PITCH;
    int fontType = 0;
};

class CZUDPFontList {
public:
    // Adds a copy of the font under the list's rule (see above); TRUE when
    // it was added.  nPitchFilter 0: any pitch and family.
    BOOL Add(const CZUDPFontDesc& font, BYTE nPitchFilter);
    // Fills the list from the screen's and the default printer's fonts of
    // the character set (DEFAULT_CHARSET: all).
    void Enumerate(BYTE nCharSet, BYTE nPitchFilter);
    void RemoveAll() { m_fonts.clear(); }
    BOOL IsEmpty() const { return m_fonts.empty(); }
    int GetCount() const { return int(m_fonts.size()); }
    CZUDPFontDesc* GetAt(int i) const { return m_fonts[size_t(i)].get(); }
    // How many descriptions carry the face name.
    int CountFace(const CString& strFace) const;

private:
    std::vector<std::unique_ptr<CZUDPFontDesc>> m_fonts;
};

// The installed fonts of the given types (any of RASTER_FONTTYPE,
// DEVICE_FONTTYPE, TRUETYPE_FONTTYPE; fonts of none of the kinds count as
// raster fonts), character set (DEFAULT_CHARSET: all) and pitch and
// family (DEFAULT_PITCH: any; else fonts sharing a bit with it), one per
// face, in face-name order.
std::vector<std::unique_ptr<CZUDPFontDesc>> EnumerateFonts(int nFontTypes, BYTE nCharSet, BYTE nPitchAndFamily);

// Settings of every font list: names drawn in their own fonts, and the
// lists' item height (0: the text height).
extern BOOL g_fontListDrawNamesInFont;
extern int g_fontListItemHeight;
