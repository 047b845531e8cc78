#pragma once
// CZUDPToolbarButton: one button of a library toolbar or menu: its command,
// image and text, its state bits (TBBS_CHECKED, _PRESSED, _DISABLED,
// _INDETERMINATE) and where it lies on its bar.  This version holds the
// fields and the queries that the visual manager, the tooltip control and
// the colour menu button read; the command-bar subsystem gives the button
// its drawing, sizing and clicks.
#include "framework/Object.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/BarStyles.h"
#include "framework/win/WinSdk.h"

class CArchive;
class CDC;
class CWnd;
class CZUDPToolBarImages;

class CZUDPToolbarButton : public CObject {
    DECLARE_SERIAL(CZUDPToolbarButton)
public:
    CZUDPToolbarButton() = default;
    CZUDPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE);
    ~CZUDPToolbarButton() override = default;

    // Copies the fields of another button (the button is not on a bar then).
    virtual void CopyFrom(const CZUDPToolbarButton& src);
    void Serialize(CArchive& ar) override;

    // The library's fonts changed: the button takes the new ones.
    virtual void OnGlobalFontsChanged() {}
    // Non-zero when the button may be changed in customization mode.
    virtual BOOL IsCustomizable() const { return TRUE; }
    // Draws the button (background, image, text as its flags say); the
    // command-bar subsystem draws it.
    virtual void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                            BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                            BOOL bGrayDisabledButtons = TRUE);
    // Draws the button as an entry of the customization command list;
    // answers the width used.
    virtual int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected, CZUDPToolBarImages* pImages,
                                  BOOL bDrawImage = TRUE);
    // Fills the button's background (normal, pushed or highlighted).
    virtual void PaintBackground(CDC* pDC, const CRect& rect, BOOL bHighlight, int nReserved = 0);

    // The registered clipboard format of dragged buttons: the name in
    // g_buttonClipboardFormatName, or "ZUDToolbarButton%lx" with the module
    // instance handle; registered on first use.
    static CLIPFORMAT ButtonClipboardFormat();

    BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }
    const CRect& Rect() const { return m_rect; }
    void SetRect(const CRect& rect) { m_rect = rect; }
    int GetImage() const { return m_iImage; }
    void SetImage(int iImage) { m_iImage = iImage; }

    UINT m_nID = 0;              // command id (0: none)
    UINT m_nStyle = TBBS_BUTTON; // TBBS_ kind and state bits
    int m_iImage = -1;           // standard image index (-1: none)
    int m_iUserImage = -1;       // user-defined image index (-1: none)
    BOOL m_bUserButton = FALSE;  // the image comes from the user images
    BOOL m_bText = FALSE;        // the text is shown
    BOOL m_bImage = TRUE;        // the image is shown
    BOOL m_bDragFromCollection = FALSE;
    CString m_strText;
    CWnd* m_pWndParent = nullptr; // the bar that holds the button (null: none)

protected:
    CRect m_rect;                // on the parent bar, client coordinates
};

// The name of the dragged buttons' clipboard format (empty: the default
// name) and the format, registered on first use.
extern CString g_buttonClipboardFormatName;
extern CLIPFORMAT g_buttonClipboardFormat;

// The toolbar's combo-box button: a button that hosts a combo box.  This
// version creates no window; the combo box of the dialogs makes one only
// to pass it to the visual manager's combo drawing.
class CZUDPToolbarComboBoxButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPToolbarComboBoxButton)
public:
    CZUDPToolbarComboBoxButton() = default;
};
