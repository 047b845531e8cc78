#pragma once
// CZUDPCalculator: a small four-function calculator drawn as a command
// bar: a display row and a grid of keys, each key a button object.  It
// serves the calculator mode of the library's edit: the edit's browse
// button opens a CZUDPCalculatorPopup under the edit, the calculator starts
// with the edit's number, and "=" writes the result back and closes the
// popup.  It can also live as a plain control in a window (CreateControl),
// and a popup calculator can be torn off into a bar of its own.  An
// application adds keys of its own (extra commands, numbered from 100),
// which are reported to the owning edit.
//
// The arithmetic is CZUDPCalculatorArithmetic's; this class adds the keys,
// their layout and drawing, the keyboard and the owner edit.
#include "ui/commandbars/ZUDPCalculatorArithmetic.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPPopupMenuBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

class CZUDPEdit;
class CZUDPCalculator;

// One key of the calculator.
class CCalculatorButton : public CZUDPToolbarButton {
    DECLARE_SERIAL(CCalculatorButton)
public:
    CCalculatorButton() = default;
    // A digit key.
    explicit CCalculatorButton(int nDigit);
    CCalculatorButton(LPCTSTR lpszCaption, int nOperation, int nKey1, int nKey2 = 0, BOOL bKeyDown = FALSE,
                      BOOL bNeedsCtrl = FALSE);

    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    BOOL FillToolInfo(CWnd* pWndBar, TOOLINFOA* pTI) override { (void)pWndBar; (void)pTI; return FALSE; }

    short digit = -1;
    int operation = 0;
    int key1 = 0;
    int key2 = 0;
    BOOL keyDown = FALSE;
    BOOL needsCtrl = FALSE;
    BOOL isExtra = FALSE;
    CZUDPCalculator* calculator = nullptr;
};

// The display row of the calculator.
class CCalculatorDisplay : public CZUDPToolbarButton {
    DECLARE_SERIAL(CCalculatorDisplay)
public:
    CCalculatorDisplay();

    void DrawButton(CDC* pDC, const CRect& rect, CZUDPToolBarImages* pImages, BOOL bHorz = TRUE,
                    BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                    BOOL bGrayDisabledButtons = TRUE) override;
    void OnParentChanged(CWnd* pWndParent) override;
    BOOL FillToolInfo(CWnd* pWndBar, TOOLINFOA* pTI) override { (void)pWndBar; (void)pTI; return FALSE; }

    BOOL memoryShown = FALSE;
    CZUDPCalculator* calculator = nullptr;
};

class CZUDPCalculator : public CZUDPPopupMenuBar, public CZUDPCalculatorArithmetic {
    DECLARE_SERIAL(CZUDPCalculator)
public:
    CZUDPCalculator();
    CZUDPCalculator(double dblValue, UINT uiCommandID, CZUDPEdit* pOwnerEdit);
    ~CZUDPCalculator() override;

    void InitState();
    void SetValue(double dblValue);
    double GetValue() const { return value; }
    void SetExtraCommands(const CStringList& lstCommands);
    // The display shows the current text (or "Error") and the memory mark.
    void UpdateDisplay();
    const CRect& GetDisplayRect() const { return displayRect; }
    CCalculatorDisplay* GetDisplay() const;

    // --- overrides
    void Serialize(CArchive& ar) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CSize CalcSize(BOOL bVertDock) override;
    BOOL CreateBar(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP,
                   UINT nID = AFX_IDW_TOOLBAR) override;
    BOOL AllowShowTextLabels() const override { return FALSE; }
    void PositionButtons() override;
    BOOL HandleButtonClick(CZUDPToolbarButton* pButton) override;
    BOOL AppearsInToolbarList() const override { return TRUE; }
    void ShowCommandMessageString(UINT uiCmdId) override;

    // --- new virtual operations, in order
    virtual BOOL CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID);
    virtual void OnUserCommand(UINT uiCmd) { (void)uiCmd; }
    virtual BOOL DrawKey(CDC* pDC, const CRect& rect, CCalculatorButton* pKey, int nState, int nOperation);
    virtual BOOL DrawDisplay(CDC* pDC, const CRect& rect, const CString& strText, BOOL bMemory);
    virtual void RebuildButtons();
    virtual void PushDigit(int nDigit);
    // A key as WM_KEYDOWN (bKeyDown) or WM_CHAR sends it; TRUE when a key
    // of the calculator took it.  Ctrl is the key state of the message.
    virtual BOOL ProcessKey(int nKey, BOOL bKeyDown);

    UINT commandId = 0;
    CZUDPEdit* ownerEdit = nullptr;
    int vertMargin = 3;
    int horzMargin = 3;
    CRect displayRect;
    int rows = 5;
    int columns = 5;
    CStringList extraCommands;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL IsInPopup() const { return ownerEdit != nullptr; }
    void ClosePopup();
    DECLARE_MESSAGE_MAP()

public:
    // The font the keys are measured and labelled with, whatever font the
    // bar paints with (a popup's bar is not horizontal and would rotate
    // the labels).
    HFONT LayoutFont() const;
};

// The popup an edit in calculator mode opens: a calculator fills it.
class CZUDPCalculatorPopup : public CZUDPPopupMenu {
public:
    CZUDPCalculatorPopup(double dblValue, UINT uiCommandID, CZUDPEdit* pOwnerEdit);
    ~CZUDPCalculatorPopup() override;

    CZUDPPopupMenuBar* GetMenuBar() override { return &m_wndCalculator; }
    CZUDPCalculator& GetCalculator() { return m_wndCalculator; }
    CZUDPControlBar* CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName) override;

    // The edit's calculator factory: a popup for the edit with its extra
    // keys (none when null).
    static CZUDPPopupMenu* Make(double dblValue, UINT uiCommandID, CZUDPEdit* pOwnerEdit,
                                const CStringList* pExtraCommands);

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

    CZUDPCalculator m_wndCalculator;
};
