#pragma once
// CZUDPColorDialog: the library's colour chooser on its own template
// ("Colors"): a swatch of the new colour above the current one, an
// eyedropper that picks a colour off the screen, and Ctrl+C (or
// Ctrl+Insert) to copy the new colour as text.  On screens of fewer than 8
// bits per pixel it hands the job to the system's colour dialog.  The new
// colour is always an RGB value; on 8-bit screens only its painting goes
// through the palette.
//
// The sheet of the "Standard" and "Custom" pages lies on the placeholder
// of the template; SetStandardPageRGB and SetCustomPageRGB are where the
// pages take every colour picked elsewhere.
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPColorPickerCtrl.h"
#include "ui/controls/ZUDPDialog.h"

class CZUDPColorDialog : public CZUDPDialog {
    DECLARE_DYNAMIC(CZUDPColorDialog)
public:
    // dwFlags is kept for callers of the system's dialog and not used; a
    // palette given by the caller stays the caller's.
    explicit CZUDPColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr,
                              HPALETTE hPal = nullptr);
    ~CZUDPColorDialog() override;

    // The colour chosen so far (the dialog's result).
    COLORREF GetColor() const { return m_NewColor; }
    void SetNewColor(COLORREF colour);
    void SetStandardPageRGB(BYTE red, BYTE green, BYTE blue);
    void SetCustomPageRGB(BYTE red, BYTE green, BYTE blue);
    BOOL IsPicking() const { return m_bPickerMode; }
    CPalette* GetPalette() const { return m_pPalette; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnInitDialog() override;

    // The text Ctrl+C puts on the clipboard for a colour.
    static CString ColorText(COLORREF colour);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    void OnColorSelect();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnSysColorChange();
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

    // Runs the system's colour dialog instead of this one and ends this
    // one with its answer.
    void HandOverToSystemDialog();
    // A palette of the system palette's entries (none when the system
    // reports none, as it does on screens without a palette).
    void BuildSystemPalette();
    void ReleasePalette();

    CZUDPButton m_btnColorSelect;
    CStatic m_wndStaticPlaceHolder;
    CZUDPColorPickerCtrl m_wndColors;
    COLORREF m_CurrentColor;
    COLORREF m_NewColor;
    CPalette* m_pPalette = nullptr;
    CPalette m_palette;  // the palette m_pPalette points to, ours or the caller's handle
    BOOL m_bIsMyPalette = TRUE;
    BOOL m_bPickerMode = FALSE;
    HCURSOR m_hcurPicker = nullptr;
};
