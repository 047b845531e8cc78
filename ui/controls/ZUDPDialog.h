#pragma once
// CZUDPDialog: the dialog base of the library and of every dialog of the
// application.  It is the framework's dialog with an embedded dialog
// implementation (CZUDPDlgImpl) to which it forwards its messages: a
// derived dialog gets the visual-manager look, the popup-menu cooperation
// and the owner-drawn caption by deriving and by one call of
// SetVisualManagerLook (normally in its constructor; the look is applied
// to the controls at initialisation).
#include "framework/win/Dialog.h"
#include "framework/List.h"
#include "ui/controls/ZUDPDlgImpl.h"

class CZUDPLocalResource;
class CZUDPPopupMenu;

class CZUDPDialog : public CDialog {
    DECLARE_DYNAMIC(CZUDPDialog)
public:
    CZUDPDialog();
    explicit CZUDPDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    explicit CZUDPDialog(LPCTSTR lpszTemplateName, CWnd* pParent = nullptr);
    ~CZUDPDialog() override;

    // Switches the visual-manager look (bNCArea: also the caption and
    // frame, where the visual manager paints them).  Called in a
    // constructor it is applied at OnInitDialog.  pLstNonSubclassedItems:
    // control ids that are left alone (kept for that later application).
    void SetVisualManagerLook(BOOL bEnable, BOOL bNCArea = FALSE, const CList<UINT, UINT>* pLstNonSubclassedItems = nullptr);
    BOOL IsVisualManagerStyle() const { return m_Impl.IsVisualManagerStyle(); }
    BOOL IsVisualManagerNCArea() const { return m_Impl.IsVisualManagerNCArea(); }
    // Extends the glass frame into the client area (TRUE when it was, or
    // when the window does not exist yet).
    BOOL EnableAero(int nLeft, int nRight, int nTop, int nBottom) { return m_Impl.SetGlassMargins(nLeft, nRight, nTop, nBottom); }
    // Called by the library's popup menus when they open (a menu) or close
    // (null) over the dialog.
    void SetOpenPopupMenu(CZUDPPopupMenu* pMenu) { m_Impl.SetOpenPopupMenu(pMenu); }
    CZUDPDlgImpl& GetImpl() { return m_Impl; }

    INT_PTR DoModal() override;
    BOOL OnInitDialog() override;
    void PreInitDialog() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // Message handlers (derived dialogs call them as their base's).
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    BOOL OnNcActivate(BOOL bActive);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnDestroy();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnSysColorChange();
    void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    void OnSize(UINT nType, int cx, int cy);
    void OnNcPaint();
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    LRESULT OnNcHitTest(CPoint point);
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnGetMinMaxInfo(MINMAXINFO* lpMMI);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDWMCompositionChanged(WPARAM, LPARAM);
    LRESULT OnChangeVisualManager(WPARAM, LPARAM);
    LRESULT OnSetText(WPARAM, LPARAM);

    BOOL m_bWasMaximized = FALSE;
    CZUDPDlgImpl m_Impl{*this};
    // The template is one of the library's own resources.
    BOOL m_bIsLocal = FALSE;
    // The library's resources are current from DoModal until the dialog's
    // controls exist.
    CZUDPLocalResource* m_pLocaRes = nullptr;

    DECLARE_MESSAGE_MAP()
};
