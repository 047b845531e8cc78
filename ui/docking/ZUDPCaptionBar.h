#pragma once
// CZUDPCaptionBar: a full-width bar a frame docks along an edge, holding in
// one row an icon, a text of plain, bold and hyperlink parts, a command
// button (a drop-down one sends its command on the press) and, in
// message-bar mode, a close box that hides the bar.  It lays the elements
// out under their alignments in the room there is, paints through the
// visual manager, tracks the mouse over the button, the close box and the
// hyperlinks, and tells its owner of clicks: WM_COMMAND for the button,
// ZUDM_ON_CLICK_CAPTIONBAR_HYPERLINK for a hyperlink.  The owner is told
// last, after the bar's own state is settled, and the bar touches nothing
// afterwards unless its window still exists.
#include "framework/Array.h"
#include "framework/String.h"
#include "ui/commandbars/ZUDPControlBar.h"

class CToolTipCtrl;

class CZUDPCaptionBar : public CZUDPControlBar {
    DECLARE_DYNCREATE(CZUDPCaptionBar)
public:
    // Alignments of the image, the text and the button.
    enum { kAlignLeft = 1, kAlignRight = 2, kAlignCenter = 3 };
    // Kinds of text parts.
    enum { kPartPlain = 0, kPartHyperlink = 1, kPartBold = 2 };
    // Tooltip tools: the close box, the truncated text, the image, the button.
    enum { kToolCloseBox = 1, kToolText = 2, kToolImage = 3, kToolButton = 4 };

    CZUDPCaptionBar();
    ~CZUDPCaptionBar() override;

    // Creates the bar along the top (or another CBRS_ALIGN_ side) of the
    // frame; nHeight -1 computes the height from the contents.
    BOOL Create(DWORD dwStyle, CWnd* pParentWnd, UINT uiID, int nHeight = -1, BOOL bIsMessageBarMode = FALSE);

    BOOL IsMessageBarMode() const { return m_bMessageBarMode; }

    // --- contents
    // One plain part.
    void SetText(LPCTSTR lpszText, int nAlignment = kAlignLeft);
    // Appends a part of a kind to the text.
    void AppendTextPart(LPCTSTR lpszText, int nKind);
    void RemoveText();
    const CString& GetText() const { return m_strText; }
    // A button with its command (0: it sends nothing); a drop-down one
    // shows an arrow and sends its command on the press.
    void SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, int nAlignment = kAlignLeft, BOOL bHasDropDownArrow = TRUE);
    void RemoveButton();
    void EnableButton(BOOL bEnable = TRUE);
    // A latched button is drawn pressed.
    void SetButtonPressed(BOOL bPresed = TRUE);
    void SetButtonToolTip(LPCTSTR lpszToolTip, LPCTSTR lpszDescription = nullptr);
    void SetIcon(HICON hIcon, int nAlignment = kAlignLeft);
    void RemoveIcon();
    void SetImageToolTip(LPCTSTR lpszToolTip, LPCTSTR lpszDescription = nullptr);
    void SetStretchImage(BOOL bStretch) { m_bStretchImage = bStretch; }

    // --- look
    void SetMessageBarMode(BOOL bMessageBarMode);
    void SetTextColor(COLORREF clr) { m_clrBarText = clr; }
    void SetBarBackColor(COLORREF clr) { m_clrBarBackground = clr; }
    void SetBorderColor(COLORREF clr) { m_clrBarBorder = clr; }
    void SetBorderSize(int nSize) { m_nBorderSize = nSize; }
    void SetMargin(int nMargin) { m_nMargin = nMargin; }
    void SetFlatBorder(BOOL bFlat = TRUE) { m_bFlatBorder = bFlat; }
    int GetComputedHeight() const { return m_nCurrentHeight; }

    // --- replaced operations
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL CanDetach() const override { return FALSE; }
    void UpdateLayout() override;
    void RefreshPlacement() override { RecalcLayout(); }
    CSize CalcStretchSize(BOOL bStretch, BOOL bHorz) override;
    BOOL ShowDockingMenu(CPoint pt) override
    {
        (void)pt;
        return FALSE;
    }
    void PaintBar(CDC* pDC) override;

    // --- new operations, in order
    virtual void PaintBackground(CDC* pDC, CRect rect);
    virtual void PaintBorderStrip(CDC* pDC, CRect rect);
    virtual void PaintText(CDC* pDC, const CRect& rect, const CString& strText);
    virtual void PaintImage(CDC* pDC, CRect rect);
    virtual void PaintButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled);
    virtual CSize MeasureText(CDC* pDC, const CString& strText);

    // The layout into the client rectangle; the computed height first.
    void RecalcLayout();
    // The text a tooltip tool shows (FALSE: none).
    BOOL GetToolTipText(int nTool, CString& strText, CString& strDescription) const;

    // --- laid out (client coordinates)
    const CRect& GetImageRect() const { return m_rectImage; }
    const CRect& GetTextRect() const { return m_rectText; }
    const CRect& GetVisibleTextRect() const { return m_rectDrawText; }
    const CRect& GetButtonRect() const { return m_rectButton; }
    const CRect& GetCloseBoxRect() const { return m_rectClose; }
    BOOL IsTextTruncated() const { return m_bTextIsTruncated; }
    BOOL IsButtonHot() const { return m_bIsBtnHighligted; }
    BOOL IsButtonPressed() const { return m_bIsBtnPressed; }
    int GetHotHyperlink() const { return m_nHotHyperlink; }

    // --- fields read by the visual manager
    COLORREF m_clrBarText = (COLORREF)-1;
    COLORREF m_clrBarBackground = (COLORREF)-1;   // the message area's own colour (-1: the tooltip background)
    COLORREF m_clrBarBorder = (COLORREF)-1;
    BOOL m_bMessageBarMode = FALSE;

protected:
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnSize(UINT nType, int cx, int cy);
    void OnSysColorChange() {}
    void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    void OnNcPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnRButtonUp(UINT nFlags, CPoint point);
    void OnMouseLeave();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    LRESULT OnSetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    LRESULT OnUpdateToolTips(WPARAM wParam, LPARAM lParam);
    BOOL OnNeedToolTipText(UINT id, NMHDR* pNMH, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    BOOL HasImage() const { return m_hIcon != nullptr; }
    CSize GetImageSize() const;
    int HyperlinkAt(CPoint point) const;
    void RepaintRect(const CRect& rect);
    void UpdateToolTipRects();
    void CreateToolTip();
    // The owner hears of a click last: FALSE when the bar is gone after.
    BOOL NotifyOwner(UINT message, WPARAM wParam);

    CToolTipCtrl* m_pToolTip = nullptr;
    HICON m_hIcon = nullptr;
    BOOL m_bStretchImage = FALSE;
    int m_nImageAlignment = kAlignLeft;
    CRect m_rectImage;
    CString m_strImageToolTip;
    CString m_strImageDescription;
    HFONT m_hFont = nullptr;
    CString m_strText;
    CStringArray m_arTextParts;
    CArray<int, int> m_arPartKinds;
    CArray<CRect, CRect> m_arLinkRects;
    int m_nTextAlignment = kAlignLeft;
    CRect m_rectText;
    CRect m_rectDrawText;
    BOOL m_bTextIsTruncated = FALSE;
    int m_nHotHyperlink = -1;
    int m_nPressedHyperlink = -1;
    CString m_strBtnText;
    CString m_strButtonToolTip;
    CString m_strButtonDescription;
    UINT m_uiBtnID = 0;
    int m_nBtnAlignment = kAlignLeft;
    CRect m_rectButton;
    BOOL m_bIsBtnPressed = FALSE;
    BOOL m_bIsBtnHighligted = FALSE;
    BOOL m_bIsBtnForcePressed = FALSE;
    BOOL m_bTracked = FALSE;
    BOOL m_bBtnEnabled = TRUE;
    BOOL m_bBtnHasDropDownArrow = TRUE;
    int m_nBorderSize = 4;
    int m_nMargin = 4;
    int m_nHorzElementOffset = 4;
    int m_nDefaultHeight = -1;
    int m_nCurrentHeight = 0;
    BOOL m_bFlatBorder = FALSE;
    BOOL m_bIsCloseBtnPressed = FALSE;
    BOOL m_bIsCloseBtnHighlighted = FALSE;
    CRect m_rectClose;
    BOOL m_bButtonAfterText = FALSE;
};
