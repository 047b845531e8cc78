#pragma once
// CPropertySheet and CPropertyPage: the common property sheet with pages
// that are framework dialogs.
//
// A page is a CDialog made from its template by the sheet; its object is
// attached to its window when the sheet creates it (pages are created when
// first shown), and the sheet's PSN_ notifications arrive as the virtual
// calls OnSetActive, OnKillActive, OnApply, OnReset, OnQueryCancel and the
// wizard steps.  A sheet runs modal (DoModal: the framework's own modal
// loop, so PreTranslateMessage sees every message), modeless (Create) or
// as a child of another window (Create with WS_CHILD in the style: the
// sheet's template is turned into a control template before creation).
// Pages may be added before the sheet exists and afterwards.
#include "framework/win/Dialog.h"
#include "framework/win/TabCtrl.h"
#include "framework/Array.h"
#include "framework/String.h"

// The standard buttons of a property sheet.
#ifndef ID_APPLY_NOW
#define ID_APPLY_NOW 0x3021
#endif
#ifndef ID_WIZBACK
#define ID_WIZBACK 0x3023
#define ID_WIZNEXT 0x3024
#define ID_WIZFINISH 0x3025
#endif

class CPropertySheet;

// Gives a sheet's dialog template (either form) a style before the sheet
// is created: the template keeps its font bits; with WS_CHILD it becomes a
// control template (DS_CONTROL, WS_EX_CONTROLPARENT) for a sheet inside a
// dialog.  dwStyle (DWORD)-1 leaves the template alone.
void AfxSetSheetTemplateStyle(void* pTemplate, DWORD dwStyle, DWORD dwExStyle);

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    // The page record handed to the sheet (dwSize is sizeof the record;
    // lParam is this object).
    PROPSHEETPAGEA m_psp;

    // Enables (or disables) the sheet's Apply button for this page.
    void SetModified(BOOL bChanged = TRUE);
    // The sheet this page lies in, or null.
    CPropertySheet* GetParentSheet() const;

    // PSN_ notifications of the sheet.
    virtual BOOL OnSetActive();      // FALSE: the page is not shown
    virtual BOOL OnKillActive();     // FALSE: the page keeps the focus
    virtual BOOL OnApply();          // FALSE: the sheet stays open
    virtual void OnReset();
    virtual BOOL OnQueryCancel();    // FALSE: Cancel is refused
    virtual LRESULT OnWizardBack();  // 0 next page, -1 stay, or a template id
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();   // FALSE: the wizard stays open
    // A page ends nothing itself: OK and Cancel belong to the sheet.
    void OnOK() override;
    void OnCancel() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    // A page handle for the sheet (CreatePropertySheetPage of the record).
    HPROPSHEETPAGE CreatePageHandle();

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CString m_strCaption;
    BOOL m_bFirstSetActive = TRUE;

private:
    void InitRecord(LPCTSTR lpszTemplateName, UINT nIDCaption);
    static UINT CALLBACK PageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGEA ppsp);
    static INT_PTR CALLBACK PageDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // The sheet record; PSH_ flags may be changed before creation.
    PROPSHEETHEADERA m_psh;

    // Pages, in tab order.  After creation an added page gets its tab at
    // once; a removed page's window is destroyed by the sheet.
    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(const CPropertyPage* pPage) const;

    // The page shown (before creation: the one that will be shown first).
    int GetActiveIndex() const;
    CPropertyPage* GetActivePage() const;
    // FALSE when the page shown refuses to be left (or the index is bad).
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    // The sheet's tab control (null before creation).
    CTabCtrl* GetTabControl() const;

    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    void SetWizardMode() { m_psh.dwFlags |= PSH_WIZARD; }
    BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }
    void SetWizardButtons(DWORD dwFlags);
    void SetFinishText(LPCTSTR lpszText);
    // Stacked (multi-line) tabs are the default; off: one scrolling row.
    void EnableStackedTabs(BOOL bStacked) { m_bStacked = bStacked; }
    BOOL PressButton(int nButton);
    void EndDialog(int nEndID);

    // Modal: the sheet's result (IDOK, IDCANCEL, ID_WIZFINISH), -1 when it
    // could not be made.
    virtual INT_PTR DoModal();
    // Modeless; with WS_CHILD in dwStyle a child sheet inside the parent.
    // dwStyle (DWORD)-1 keeps the sheet's own style.
    virtual BOOL Create(CWnd* pParentWnd = nullptr, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    // Builds the page handles and creates the sheet window (modeless form).
    BOOL CreateSheet(HWND hWndParent, DWORD dwStyle, DWORD dwExStyle);

    CPtrArray m_pages;
    CString m_strCaption;
    CWnd* m_pParentWnd = nullptr;
    BOOL m_bStacked = TRUE;
    BOOL m_bModeless = TRUE;
    DWORD m_dwCreateStyle = (DWORD)-1;
    DWORD m_dwCreateExStyle = 0;

private:
    static int CALLBACK SheetCallback(HWND hWnd, UINT message, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
