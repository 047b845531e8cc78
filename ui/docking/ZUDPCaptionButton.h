#pragma once
// Caption buttons: the small buttons in the caption of a docking pane or
// floating frame (close, pin, menu ...) and, derived, the buttons of the
// library's owner-drawn frame and dialog captions.  This version holds the
// fields the visual manager and the dialog caption read and write.
#include "framework/Object.h"
#include "framework/Rect.h"
#include "framework/win/WinSdk.h"

class CZUDPCaptionButton : public CObject {
    DECLARE_DYNAMIC(CZUDPCaptionButton)
public:
    CZUDPCaptionButton() = default;
    explicit CZUDPCaptionButton(UINT nHit) : m_nHit(nHit) {}
    ~CZUDPCaptionButton() override = default;

    // The button's rectangle (window coordinates of its owner).
    virtual CRect GetRect() const { return m_rect; }
    // The menu glyph the button shows for the two orientation values, -1
    // for none.
    virtual int GetMenuImageId(BOOL bHorz, BOOL bMaximized) const;
    // The hit-test code of the button (HTCLOSE, HTMINBUTTON ...).
    UINT GetHitCode() const { return m_nHit; }

    CRect m_rect;
    UINT m_nHit = 0;
    BOOL m_bEnabled = TRUE;
    BOOL m_bPushed = FALSE;
    BOOL m_bFocused = FALSE;       // highlighted (under the mouse)
    BOOL m_bDroppedDown = FALSE;   // its menu is open
    COLORREF m_clrForeground = (COLORREF)-1; // glyph colour (-1: none)
};

// A button of an owner-drawn frame or dialog caption, made with its hit
// code and an empty rectangle; its owner deletes it.
class CZUDPFrameCaptionButton : public CZUDPCaptionButton {
    DECLARE_DYNAMIC(CZUDPFrameCaptionButton)
public:
    explicit CZUDPFrameCaptionButton(UINT nHit) : CZUDPCaptionButton(nHit) {}
};
