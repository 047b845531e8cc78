#pragma once
// CZUDPToolbarEditBoxButton: a toolbar button that hosts a single-line
// edit (a CZUDPToolbarEditCtrl) on its bar.  It keeps the edit's text while
// it has no window, makes the edit when it enters a bar, shows it only on
// horizontal bars, draws the frame round it through the visual manager, and
// keeps every button of the same command in step: what the user types in
// one copy shows in all of them, and only the typing copy reports it.  The
// edit can be made in the calculator mode of the library's edit.
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/controls/ZUDPEdit.h"

class CZUDPToolbarEditBoxButton;

// The edit of an edit-box button.
class CZUDPToolbarEditCtrl : public CZUDPEdit {
public:
    explicit CZUDPToolbarEditCtrl(CZUDPToolbarEditBoxButton& button);
    ~CZUDPToolbarEditCtrl() override;

    BOOL PreTranslateMessage(MSG* pMsg) override;

    CZUDPToolbarEditBoxButton& ownerButton;
    BOOL trackingMouse = FALSE;

protected:
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    // A change the button writes itself is nobody else's news.
    BOOL OnTextNotification();
    DECLARE_MESSAGE_MAP()
};

class CZUDPToolbarEditBoxButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CZUDPToolbarEditBoxButton)
public:
    CZUDPToolbarEditBoxButton();
    CZUDPToolbarEditBoxButton(UINT uiID, int iImage, DWORD dwStyle = ES_AUTOHSCROLL, int nWidth = 0);
    ~CZUDPToolbarEditBoxButton() override;

    void SetHotEdit(BOOL bHot = TRUE);
    BOOL IsHotEdit() const { return hot; }
    CEdit* GetEditBox() const { return editWnd; }
    const CString& GetContents() const { return contents; }
    int GetWidth() const { return width; }

    // --- overrides, in the base's order
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CZUDPToolbarButton& src) override;
    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    SIZE CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    void RepositionControl() override;
    void SetWidth(int nWidth) override;
    HWND GetControlHwnd() const override;
    BOOL HasEmbeddedControl() const override { return TRUE; }
    BOOL NotifyControlEvent(int nEvent) override;
    void SyncWithOtherCopies() override;
    HBRUSH GetCtlColorBrush(CDC* pDC, UINT nCtlColor) override;
    BOOL HasBorder() const override;
    void UpdateFont() override;
    int DrawInCommandList(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    void ShowControl(BOOL bShow) override;
    CRect GetInvalidateRect() const override;
    void SetStyle(UINT nStyle) override;
    BOOL UpdateToolTip(CWnd* pWndParent, int iButtonIndex, CToolTipCtrl& wndToolTip, CString& strTipText) override;
    BOOL UsesCallerTextColor() const override { return TRUE; }
    BOOL FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data) override;

    // --- new virtual operations
    virtual CEdit* CreateEdit(CWnd* pWndParent, const CRect& rect);
    virtual void SetContents(const CString& strContents);
    virtual CRect GetEditBorder() const;
    virtual void OnShowEditor(BOOL bShow) { (void)bShow; }

    // --- fields, in order
    DWORD editStyle = 0x50000080;
    CEdit* editWnd = nullptr;   // owned
    CString contents;
    BOOL settingText = FALSE;   // the button itself writes the text
    int width = 150;
    BOOL horizontal = TRUE;
    BOOL hot = FALSE;
    UINT contextMenuId = 0;
    BOOL calculatorMode = FALSE;

protected:
    BOOL HasTextLabel() const { return textBelowImage && !text.IsEmpty(); }
    BOOL IsEditVisible() const;
    void DestroyEdit();
};

// Edit boxes are exactly as high as the text (TRUE, the default) with a
// frame highlighted only while hot; FALSE: 4 pixels higher, frame always
// highlighted.
extern BOOL g_flatEditBoxButtons;
