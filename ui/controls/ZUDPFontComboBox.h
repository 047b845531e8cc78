#pragma once
// CZUDPFontComboBox: a library combo box that lists the installed fonts,
// with an icon for TrueType and device fonts.  It fills itself from the
// library's font enumeration, except on a toolbar, where the toolbar's
// font button owns the items.  Each item keeps a copy of its font's
// description (CZUDPFontDesc) as item data, which the combo box deletes.
// The combo needs CBS_HASSTRINGS (it adds it when it makes its window; a
// window without it is not filled) and is drawn by the class when it is
// owner-drawn (CBS_OWNERDRAWFIXED).
#include "ui/controls/ZUDPComboBox.h"
#include "framework/win/ImageList.h"

class CZUDPFontDesc;

class CZUDPFontComboBox : public CZUDPComboBox {
    DECLARE_DYNCREATE(CZUDPFontComboBox)
public:
    CZUDPFontComboBox();
    ~CZUDPFontComboBox() override;

    // Lists the fonts of the types, character set and pitch, each face
    // once; FALSE on a toolbar or without CBS_HASSTRINGS.
    BOOL FillFonts(int nFontType = DEVICE_FONTTYPE | RASTER_FONTTYPE | TRUETYPE_FONTTYPE,
                   BYTE nCharSet = DEFAULT_CHARSET, BYTE nPitchAndFamily = DEFAULT_PITCH);
    // Empties the list and deletes the font descriptions (not on a
    // toolbar).
    void ClearItems();
    // The font description of an item, null when it has none.
    CZUDPFontDesc* GetFontDesc(int nIndex) const;
    BOOL IsOnToolBar() const { return m_bToolBarMode; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    int CompareItem(LPCOMPAREITEMSTRUCT lpCIS) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PreSubclassWindow() override;
    void SetUp();

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();

    CImageList m_Images;
    BOOL m_bToolBarMode = FALSE;

    DECLARE_MESSAGE_MAP()
};
