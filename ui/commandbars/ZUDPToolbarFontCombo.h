#pragma once
// The font combo buttons of formatting toolbars.
//
// CZUDPToolbarFontCombo lists the fonts installed for the screen and the
// default printer, filtered by font type, character set and pitch and
// family; each item's data is the address of its description in the one
// font list all font combos share (g_toolbarFontList), which the first
// font combo fills and the last one empties, so an item's data stays valid
// while any font combo lives.  The items are never archived.
//
// CZUDPToolbarFontSizeCombo is a combo button whose window is a plain font
// combo box; it adds nothing else.
#include "ui/commandbars/ZUDPFontDesc.h"
#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"

class CZUDPToolbarFontCombo : public CZUDPToolbarComboBoxButton {
    DECLARE_SERIAL(CZUDPToolbarFontCombo)
public:
    // Made by name: filled when it is loaded.
    CZUDPToolbarFontCombo();
    CZUDPToolbarFontCombo(UINT uiID, int iImage, int nFontType = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE,
                          BYTE nCharSet = DEFAULT_CHARSET, DWORD dwStyle = CBS_DROPDOWN, int nWidth = 0,
                          BYTE nPitchAndFamily = DEFAULT_PITCH);
    ~CZUDPToolbarFontCombo() override;

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;

    // Adds a font to the shared list under its rule (this combo's pitch
    // filter); TRUE when added.
    virtual BOOL AddFont(const LOGFONTA* pLogFont, int nFontType, LPCTSTR lpszScript);
    // Fills the shared list from the screen and the default printer.
    void EnumerateFonts();
    // The items: the shared list's fonts of this combo's types.
    void FillFontItems();
    // The description of an item (-1: the selection), null when none.
    const CZUDPFontDesc* GetFontDesc(int iIndex = -1) const;
    // Live font combos (the shared list lives while there is one).
    static int GetInstanceCount();

    int fontTypes = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE;
    BYTE charSet = DEFAULT_CHARSET;
    BYTE pitchAndFamily = 0;
};

class CZUDPToolbarFontSizeCombo : public CZUDPToolbarComboBoxButton {
    DECLARE_SERIAL(CZUDPToolbarFontSizeCombo)
public:
    CZUDPToolbarFontSizeCombo() = default;
    CZUDPToolbarFontSizeCombo(UINT uiID, int iImage, DWORD dwStyle = CBS_DROPDOWN, int nWidth = 0)
        : CZUDPToolbarComboBoxButton(uiID, iImage, dwStyle, nWidth)
    {
    }
    ~CZUDPToolbarFontSizeCombo() override = default;

    CComboBox* CreateCombo(CWnd* pWndParent, const CRect& rect) override;
};

// The fonts every font combo lists from.
extern CZUDPFontList g_toolbarFontList;
