#pragma once
// Ribbon elements: the base element with its state, and the button, edit
// and progress-bar elements.  This version holds the state queries and
// fields the visual manager's ribbon drawing, the tooltip control and the
// progress control read; the ribbon subsystem gives the elements their
// layout, drawing and clicks.
#include "framework/Object.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CDC;
class CZUDPRibbonBar;

class CZUDPBaseRibbonElement : public CObject {
    DECLARE_DYNAMIC(CZUDPBaseRibbonElement)
public:
    CZUDPBaseRibbonElement() = default;
    ~CZUDPBaseRibbonElement() override = default;

    virtual BOOL IsHighlighted() const { return m_bIsHighlighted; }
    virtual BOOL IsFocused() const { return m_bIsFocused; }
    virtual BOOL IsPressed() const { return m_bIsPressed; }
    virtual BOOL IsDisabled() const { return m_bIsDisabled; }
    virtual BOOL IsChecked() const { return m_bIsChecked; }
    virtual BOOL IsDroppedDown() const { return m_bIsDroppedDown; }
    // Non-zero when the element is shown in a popup panel menu in menu mode.
    virtual BOOL IsInMenuMode() const { return m_bMenuMode; }
    // In a menu-mode panel, whether the element keeps its button look
    // instead of the menu item's highlight row.
    virtual BOOL DrawsAsButtonInMenu() const { return FALSE; }
    // The ribbon bar that owns the element, null when none.
    virtual CZUDPRibbonBar* GetOwningRibbonBar() const { return m_pRibbonBar; }

    CRect m_rect;
    CRect m_rectMenu;                 // the menu part (empty: none)
    BOOL m_bMenuOnBottom = FALSE;     // the menu part lies below the image
    BOOL m_bImageOnly = FALSE;
    BOOL m_bMenuItemLayout = FALSE;   // laid out as a menu item
    CString m_strText;
    DWORD m_dwStyle = 0;              // slider elements: 0x2 vertical, 0x4 and 0x8 tick placement
    BOOL m_bIsHighlighted = FALSE;
    BOOL m_bIsFocused = FALSE;
    BOOL m_bIsPressed = FALSE;
    BOOL m_bIsDisabled = FALSE;
    BOOL m_bIsChecked = FALSE;
    BOOL m_bIsDroppedDown = FALSE;
    BOOL m_bMenuMode = FALSE;
    CZUDPRibbonBar* m_pRibbonBar = nullptr;
};

class CZUDPRibbonButton : public CZUDPBaseRibbonElement {
    DECLARE_DYNCREATE(CZUDPRibbonButton)
public:
    CZUDPRibbonButton() = default;
    CZUDPRibbonButton(UINT nID, LPCTSTR lpszText, int nSmallImageIndex = -1, int nLargeImageIndex = -1);

    enum ImageForm { kLargeImage = 0, kSmallImage = 1 };

    // The size of the button's image in a form: a button with its own icon
    // answers 32 (large) or 16 (small) pixels times the DPI scale; (0, 0)
    // without an image of that form.
    virtual CSize GetImageSize(int nForm) const;
    // Draws the button's image of a form into a rectangle.
    virtual void DrawImage(CDC* pDC, int nForm, const CRect& rectImage);
    // Every ribbon button can show an image.
    virtual BOOL HasImage() const { return TRUE; }
    // Draws (or with bCalcOnly measures) a large button's text under its
    // image; answers the height used.
    virtual int DrawBottomText(CDC* pDC, BOOL bCalcOnly);
    BOOL HasOwnIcon() const { return m_hIcon != nullptr; }
    BOOL IsLargeForm() const { return m_bIsLargeImage; }

    UINT m_nID = 0;
    HICON m_hIcon = nullptr;          // the button's own icon (not owned)
    BOOL m_bIsLargeImage = FALSE;     // laid out in its large form
    int m_nSmallImageIndex = -1;
    int m_nLargeImageIndex = -1;
};

class CZUDPRibbonEdit : public CZUDPRibbonButton {
    DECLARE_DYNCREATE(CZUDPRibbonEdit)
public:
    CZUDPRibbonEdit() = default;

    CRect m_rectEdit;                 // the edit box within the element
};

// The ribbon's progress bar; made without arguments it has range 0 to 100,
// position 0, width 100 and height 22.
class CZUDPRibbonProgressBar : public CZUDPBaseRibbonElement {
    DECLARE_DYNCREATE(CZUDPRibbonProgressBar)
public:
    CZUDPRibbonProgressBar() = default;

    int m_nMin = 0;
    int m_nMax = 100;
    int m_nPos = 0;
    int m_nWidth = 100;
    int m_nHeight = 22;
    BOOL m_bInfiniteMode = FALSE;
};

// Element kinds the visual manager's ribbon drawing takes with nothing of
// their own yet; the kinds whose drawing reads fields of their own are in
// ZUDPRibbonElements.h.
#define ZUDP_DECLARE_RIBBON_ELEMENT(class_name, base_name) \
    class class_name : public base_name { \
        DECLARE_DYNCREATE(class_name) \
    public: \
        class_name() = default; \
    };
ZUDP_DECLARE_RIBBON_ELEMENT(CZUDPRibbonLabel, CZUDPRibbonButton)
ZUDP_DECLARE_RIBBON_ELEMENT(CZUDPRibbonPaletteButton, CZUDPRibbonButton)      // a gallery
ZUDP_DECLARE_RIBBON_ELEMENT(CZUDPRibbonSeparator, CZUDPBaseRibbonElement)
#undef ZUDP_DECLARE_RIBBON_ELEMENT
