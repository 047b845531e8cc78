#pragma once
// CZUDPEdit: the library's single-line edit.  It can show a browse button
// in its non-client area at the right edge; a click on it (or Alt+Down,
// Alt+Right) runs the browse action of the edit's mode: a calculator popup
// that computes a value into the edit, the platform's open-file dialog,
// the shell's folder browser, or a derived class's own action.  In
// calculator mode it lets only numbers be typed; in file mode it warns
// when the text holds characters no file name can have.  In the
// visual-manager look its border comes from the visual manager, and on
// glass it repaints itself with opaque pixels.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/List.h"
#include "framework/win/Controls.h"
#include "framework/win/ImageList.h"

class CDC;
class CZUDPCalculator;
class CZUDPPopupMenu;

enum EditBrowseMode {
    BrowseMode_None = 0,
    BrowseMode_Custom = 1,
    BrowseMode_Calculator = 2,
    BrowseMode_File = 3,
    BrowseMode_Folder = 4,
};

class CZUDPEdit : public CZUDPControlLook<CEdit> {
    DECLARE_DYNCREATE(CZUDPEdit)
public:
    CZUDPEdit();
    ~CZUDPEdit() override;

    // The calculator popup comes from the command bars: they register a
    // factory that makes one for an edit (initial value, command id 0, the
    // owning edit, the extra calculator keys or null).  Until one is
    // registered the calculator mode shows its button and its browse
    // action only keeps the focus.  Answers the previous factory.
    typedef CZUDPPopupMenu* (*CalculatorPopupFactory)(double dblValue, UINT uiCmdID, CZUDPEdit* pOwner,
                                                      const CStringList* pExtraCommands);
    static CalculatorPopupFactory SetCalculatorPopupFactory(CalculatorPopupFactory pfnFactory);

    // --- browse modes
    // Custom mode (OnBrowse of a derived class) with a text button, or no
    // button.
    void EnableBrowseButton(BOOL bEnable = TRUE, LPCTSTR szLabel = "...");
    // Calculator mode; the extra keys of the calculator are copied (none
    // when null).
    void SetCalculatorMode(const CStringList* plstExtraCommands = nullptr);
    // File mode: the open-file dialog with this default extension and
    // filter ("Text files|*.txt||"), either may be null.
    void SetFileMode(LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFilter = nullptr);
    // Folder mode: the shell's folder browser.
    void SetFolderMode();
    EditBrowseMode GetBrowseMode() const { return m_Mode; }

    // --- operations a derived edit or the calculator uses (in this order
    // after those of CEdit)
    virtual void OnBrowse();
    virtual void DrawBrowseButton(CDC* pDC, CRect rect, BOOL bIsButtonPressed, BOOL bIsButtonHot);
    virtual void LayoutBrowseButton();
    // Posts the owner (the parent without one) EN_CHANGE, then EN_UPDATE.
    virtual void NotifyTextChanged();
    virtual BOOL IsCalculatorChar(UINT nChar);
    // An extra key of the calculator (ids from 100) was pressed.
    virtual void OnCalculatorCommand(CZUDPCalculator* pCalculator, UINT uiCmd);
    // Warns that the text cannot be a file name; TRUE to go on anyway.
    virtual BOOL ShowInvalidNameTip(const CString& strText);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The calculator closed (its window is being destroyed): the edit
    // forgets it and takes the focus back.
    void OnCalculatorClosed();

    // State of the browse button, for drawing and for derived edits.
    BOOL IsButtonPressed() const { return m_bIsButtonPressed; }
    BOOL IsButtonHot() const { return m_bIsButtonHighlighted; }
    BOOL IsButtonTracking() const { return m_bIsButtonCaptured; }
    const CRect& GetBrowseButtonRect() const { return m_rectBtn; }
    int GetBrowseButtonWidth() const { return m_nBrowseButtonWidth; }

    // The open calculator popup, null when none.
    CZUDPPopupMenu* m_pCalcPopup = nullptr;

protected:
    void LoadStandardImages();
    void ClearImages();
    void RedrawFrame();
    BOOL IsPointOnButton(CPoint ptClient) const;
    void StartButtonPress();
    void BrowseForFile();
    void BrowseForFolder();
    void OpenCalculator();

    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnCancelMode();
    void OnPaint();
    BOOL OnChange();

    CRect m_rectBtn;
    BOOL m_bIsButtonPressed = FALSE;
    BOOL m_bIsButtonHighlighted = FALSE;
    BOOL m_bIsButtonCaptured = FALSE;
    EditBrowseMode m_Mode = BrowseMode_None;
    CImageList m_ImageBrowse;
    BOOL m_bDefaultImage = TRUE;
    CSize m_sizeImage;
    CString m_strLabel;
    CString m_strDefFileExt;
    CString m_strFileFilter;
    int m_nBrowseButtonWidth = 20;
    CStringList m_lstCalcAdditionalCommands;

    DECLARE_MESSAGE_MAP()
};
