#pragma once
// CZUDPPropertyPage: a property page that draws its background and
// controls through the visual manager, takes part in popup-menu handling
// like a dialog, and tells the library's property sheet when it becomes
// active or applies its changes.
#include "framework/win/PropertySheet.h"
#include "ui/controls/ZUDPDlgImpl.h"

class CZUDPPopupMenu;

class CZUDPPropertyPage : public CPropertyPage {
    DECLARE_DYNCREATE(CZUDPPropertyPage)
public:
    CZUDPPropertyPage();
    explicit CZUDPPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CZUDPPropertyPage() override;

    // The look of the page's controls (pages never paint their frame);
    // applied again to the controls when the page's window is made.
    void SetVisualManagerLook(BOOL bEnable, const CList<UINT, UINT>* pExcluded = nullptr);
    BOOL IsVisualManagerStyle() const { return m_Impl.IsVisualManagerStyle(); }
    void SetOpenPopupMenu(CZUDPPopupMenu* pMenu) { m_Impl.SetOpenPopupMenu(pMenu); }
    CZUDPDlgImpl& GetImpl() { return m_Impl; }

    BOOL OnSetActive() override;
    BOOL OnApply() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // The page's place in the sheet's tree navigation.
    void* m_pCategory = nullptr;   // page group (never created: null)
    int m_nIcon = -1;              // image index
    int m_nSelIconNum = -1;        // image index while the page is active
    HTREEITEM m_hTreeNode = nullptr;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnNcPaint();

    CZUDPDlgImpl m_Impl{*this};

    DECLARE_MESSAGE_MAP()
};
