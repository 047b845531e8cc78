#pragma once
// CZUDPComboEdit: the edit window a flat drop-down combo button puts over
// the combo it draws.  It takes the typing, tells its button of focus,
// hover and changes, shows the button's grey prompt while it is empty and
// unfocused, and handles the keys a combo box would handle itself: the
// list keys, Enter (the button's command), Escape and Tab.
#include "ui/controls/ZUDPEdit.h"

class CZUDPToolbarComboBoxButton;

class CZUDPComboEdit : public CZUDPEdit {
public:
    explicit CZUDPComboEdit(CZUDPToolbarComboBoxButton& button);
    ~CZUDPComboEdit() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Whether the prompt shows instead of the text: an empty, unfocused
    // edit whose button has a prompt.
    BOOL IsPromptShown() const;
    // Paints the client area (the prompt, or the edit's own painting) into
    // a DC.
    void PaintClient(CDC* pDC);

    CZUDPToolbarComboBoxButton& ownerButton;
    BOOL trackingMouse = FALSE;

protected:
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnEditChange();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnPaint();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    void DrawPrompt(CDC* pDC);

    DECLARE_MESSAGE_MAP()
};

// The context menu of an edit on a toolbar: the first sub-menu of the
// menu resource, shown at the screen point with the edit's parent as
// owner (through the context-menu manager when there is one).  FALSE when
// there is no such menu: the edit's own menu is the one to show.
BOOL ShowToolbarEditContextMenu(CWnd* pEdit, UINT uiMenuResId, CPoint ptScreen);
