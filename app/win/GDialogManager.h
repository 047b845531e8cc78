#pragma once
// Anchor layout of a resizable dialog: the dialog records its client
// rectangle once its controls exist, registers the controls that follow its
// size with their anchor flags, and on every size change has them moved and
// sized by the change of the client size.  Dialogs use it as a second base.
#include "framework/win/Wnd.h"

class CGDialogManager {
public:
    // Anchor flags.
    enum {
        kAnchorGrowWidth = 1,  // the width grows with the dialog's width
        kAnchorGrowHeight = 2, // the height grows with the dialog's height
        kAnchorMoveRight = 4,  // the control moves right with the width
        kAnchorMoveDown = 8,   // the control moves down with the height
    };

    CGDialogManager() = default;
    virtual ~CGDialogManager();
    CGDialogManager(const CGDialogManager&) = delete;
    CGDialogManager& operator=(const CGDialogManager&) = delete;

    // Records the dialog's client rectangle in screen coordinates; the
    // registered rectangles and the size changes are measured from it.
    void RecordClientRect(CWnd* dialog);
    const CRect& GetRecordedClientRect() const { return m_clientRect; }

    // Stores the control's rectangle relative to the recorded client origin
    // with its flags at the head of the chain.  A control without a window
    // is not registered (FALSE).
    BOOL RegisterControl(CWnd* control, UINT anchorFlags);
    // Places every registered control (z-order kept) from its registered
    // rectangle: left + dx with flag 4, top + dy with flag 8, width + dx
    // with flag 1, height + dy with flag 2.  A size never goes below 0.
    void ApplySizeChange(int dx, int dy);
    // The same for a new client size (as WM_SIZE gives it).
    void ApplyClientSize(int cx, int cy) { ApplySizeChange(cx - m_clientRect.Width(), cy - m_clientRect.Height()); }

    // Forgets every registered control.
    void RemoveAllControls();
    int GetControlCount() const;

protected:
    struct CControlAnchor {
        CWnd* m_control = nullptr;
        CRect m_rect;       // in the dialog's client coordinates at registration
        UINT m_flags = 0;
        CControlAnchor* m_next = nullptr;
    };
    CControlAnchor* m_firstControl = nullptr;
    CRect m_clientRect;     // client rectangle in screen coordinates at recording
};
