#pragma once
// CPropertySheetCtrl: a library property sheet that lives as a child
// control of a dialog (the colour dialog's "Standard" and "Custom" pages).
// Its tab control (or, in the looks that have it, the library's tab
// window without its row buttons) fills the sheet's client area and every
// page that exists fills the tab control's page area; both follow every size of the sheet
// and every page change.  The sheet's own OK, Cancel, Apply and Help
// buttons are hidden: the dialog around it has its own, and keyboard
// navigation (Tab, Enter, Esc, mnemonics) is the dialog's, which walks
// into the sheet and its pages.  Only the page-switching keys
// (Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PageUp, Ctrl+PageDown) stay the sheet's.
//
// Made with new and created as a child (Create with WS_CHILD), it deletes
// itself when its window is destroyed.
#include "ui/controls/ZUDPPropertySheet.h"

class CPropertySheetCtrl : public CZUDPPropertySheet {
    DECLARE_DYNAMIC(CPropertySheetCtrl)
public:
    CPropertySheetCtrl();
    explicit CPropertySheetCtrl(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheetCtrl() override;

    // Accelerators translated for the sheet's window before anything else
    // (null: none); the table stays the caller's.
    void SetAccelerators(HACCEL hAccel) { m_hAccel = hAccel; }
    HACCEL GetAccelerators() const { return m_hAccel; }

    // Places the tab control over the client area and sizes every page
    // that has a window to the tab control's page area.
    void LayoutPages();

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    void OnActivatePage(CPropertyPage* pPage) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    // The pages a key moves by (Ctrl+Tab and Ctrl+PageDown forward,
    // Ctrl+Shift+Tab and Ctrl+PageUp back); 0 for keys that are the
    // dialog's.
    static int PageSwitchStep(const MSG* pMsg);

    HACCEL m_hAccel = nullptr;
    // Set when the window is made as a child: such a sheet is owned by its
    // window.
    BOOL m_bDeleteWithWindow = FALSE;
};
