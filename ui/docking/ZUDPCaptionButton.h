#pragma once
// Caption buttons: the small buttons in the caption of a docking pane or
// floating frame (close, pin, menu, "Toolbar Options") and, derived, the
// buttons of the library's owner-drawn frame and dialog captions.  A button
// is a plain object, not a window: its owner places it, tracks the mouse
// over it, sets its state flags and asks it to draw through the visual
// manager.
#include "framework/Object.h"
#include "framework/Rect.h"
#include "framework/String.h"
#include "framework/win/WinSdk.h"

class CDC;

class CZUDPCaptionButton : public CObject {
    DECLARE_DYNAMIC(CZUDPCaptionButton)
public:
    CZUDPCaptionButton() = default;
    explicit CZUDPCaptionButton(UINT nHit, BOOL bLeftAlign = FALSE) : m_nHit(nHit), m_bLeftAlign(bLeftAlign) {}
    ~CZUDPCaptionButton() override = default;

    // The button's rectangle in its owner's coordinates: its position with
    // the button size; an empty rectangle at the position when hidden.
    virtual CRect GetRect() const;
    // Draws the button through the visual manager (nothing when hidden);
    // bDisabled greys it whatever its enabled flag says.
    virtual void Draw(CDC* pDC, BOOL bActive, BOOL bHorz = TRUE, BOOL bMaximized = TRUE, BOOL bDisabled = FALSE);
    // The menu glyph the button shows for its hit code, -1 for none.
    virtual int GetMenuImageId(BOOL bHorz, BOOL bMaximized) const;
    // Reserved for derived buttons: 0.
    virtual int ExtensionHook(int nArg) { (void)nArg; return 0; }
    // A tooltip text of the button's own; FALSE: the owner's text by hit
    // code.
    virtual BOOL GetCustomToolTip(CString& strText) const { (void)strText; return FALSE; }

    // The hit-test code of the button (HTCLOSE, HTMINBUTTON ...).
    UINT GetHitCode() const { return m_nHit; }
    // The size of every caption button: the menu glyph with a margin of 3
    // pixels left and right and 4 at the top and bottom, plus the visual
    // manager's extra size.
    static CSize GetSize();

    BOOL m_bPushed = FALSE;        // the mouse button is down on it
    BOOL m_bFocused = FALSE;       // hot: the mouse is over it
    BOOL m_bHidden = FALSE;        // takes no room and is not drawn
    BOOL m_bEnabled = TRUE;
    BOOL m_bDroppedDown = FALSE;   // its menu is open
    COLORREF m_clrForeground = (COLORREF)-1; // colour the glyph is drawn for (-1: the caption's)
    UINT m_nHit = 0;
    BOOL m_bLeftAlign = FALSE;     // placed on the caption's left side
    CPoint m_ptOrigin;             // top-left corner, owner's coordinates
};

// A button of an owner-drawn frame or dialog caption, made with its hit
// code and an empty rectangle that the owner sets; its owner deletes it.
class CZUDPFrameCaptionButton : public CZUDPCaptionButton {
    DECLARE_DYNAMIC(CZUDPFrameCaptionButton)
public:
    explicit CZUDPFrameCaptionButton(UINT nHit) : CZUDPCaptionButton(nHit) {}
    CRect GetRect() const override { return m_rect; }

    CRect m_rect;
};

// A caption button that drops down a menu (the floating toolbar's
// "Toolbar Options" button).
class CZUDPCaptionMenuButton : public CZUDPCaptionButton {
    DECLARE_DYNAMIC(CZUDPCaptionMenuButton)
public:
    CZUDPCaptionMenuButton() = default;
    explicit CZUDPCaptionMenuButton(UINT nHit, BOOL bLeftAlign = FALSE) : CZUDPCaptionButton(nHit, bLeftAlign) {}

    void Draw(CDC* pDC, BOOL bActive, BOOL bHorz = TRUE, BOOL bMaximized = TRUE, BOOL bDisabled = FALSE) override;
    // Opens the menu at the button's bottom-right corner (the owner's
    // window coordinates of the button) and keeps the chosen command in
    // m_nMenuResult; the button shows pushed while the menu is open.
    virtual void ShowMenu(HMENU hMenu, CWnd* pWndOwner);

    int m_nMenuResult = 0;
    // TRUE: the system's popup menu; FALSE: the library's context-menu
    // manager when there is one.
    BOOL m_bOSMenu = TRUE;
    BOOL m_bMenuIsActive = FALSE;
};
