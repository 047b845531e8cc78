#include "ui/controls/ZUDPColorDialog.h"

#include "res/ui/controls.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "ui/controls/ZUDPScreenWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "framework/win/Clipboard.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/WinApp.h"

#include <vector>

IMPLEMENT_DYNAMIC(CZUDPColorDialog, CZUDPDialog)

BEGIN_MESSAGE_MAP(CZUDPColorDialog, CZUDPDialog)
    ON_BN_CLICKED(IDC_ZUDP_COLORS_SELECT, &CZUDPColorDialog::OnColorSelect)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CZUDPColorDialog::CZUDPColorDialog(COLORREF clrInit, DWORD, CWnd* pParentWnd, HPALETTE hPal)
    : CZUDPDialog(IDD_ZUDP_COLORS, pParentWnd), m_CurrentColor(clrInit), m_NewColor(clrInit)
{
    if (hPal != nullptr) {
        m_palette.Attach(hPal);
        m_pPalette = &m_palette;
        m_bIsMyPalette = FALSE;
    }
    SetVisualManagerLook(g_uiEnvironment.m_dialogsInVisualManagerStyle, TRUE);
}

CZUDPColorDialog::~CZUDPColorDialog() { ReleasePalette(); }

void CZUDPColorDialog::DoDataExchange(CDataExchange* pDX)
{
    CZUDPDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_COLORS_SELECT, m_btnColorSelect);
    DDX_Control(pDX, IDC_ZUDP_COLORS_PLACEHOLDER, m_wndStaticPlaceHolder);
    DDX_Control(pDX, IDC_ZUDP_COLORS_COLOR, m_wndColors);
}

BOOL CZUDPColorDialog::OnInitDialog()
{
    CZUDPDialog::OnInitDialog();
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr && (pMainWnd->GetExStyle() & WS_EX_LAYOUTRTL))
        ModifyStyleEx(0, WS_EX_LAYOUTRTL);

    if (g_uiEnvironment.m_bitsPerPixel < 8) {
        HandOverToSystemDialog();
        return TRUE;
    }
    if (m_pPalette == nullptr)
        BuildSystemPalette();

    m_wndColors.SetPickerType(CZUDPColorPickerCtrl::PICKER_SWATCH);
    m_wndColors.SetPalette(m_pPalette);
    m_wndColors.SetOriginalColor(m_CurrentColor);
    m_wndColors.SelectColor(m_NewColor);

    SetStandardPageRGB(GetRValue(m_CurrentColor), GetGValue(m_CurrentColor), GetBValue(m_CurrentColor));
    SetCustomPageRGB(GetRValue(m_CurrentColor), GetGValue(m_CurrentColor), GetBValue(m_CurrentColor));

    m_hcurPicker = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_EYEDROPPER));
    return TRUE;
}

void CZUDPColorDialog::HandOverToSystemDialog()
{
    COLORREF chosen = m_CurrentColor;
    HWND hOwner = m_pParentWnd != nullptr ? m_pParentWnd->GetSafeHwnd() : ::GetParent(m_hWnd);
    INT_PTR result = g_colorChooserSeams.systemColorDialog(hOwner, m_CurrentColor, &chosen);
    if (result == IDOK)
        m_NewColor = chosen;
    EndDialog(int(result));
}

// The system palette as a logical palette.  The record is cleared first and
// only the entries the system returned are used: screens without a palette
// return none, and then there is no palette at all.
void CZUDPColorDialog::BuildSystemPalette()
{
    const UINT kEntries = 256;
    std::vector<BYTE> record(sizeof(LOGPALETTE) + kEntries * sizeof(PALETTEENTRY), 0);
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(record.data());
    pLogPalette->palVersion = 0x300;
    HDC hScreen = ::GetDC(nullptr);
    UINT count = hScreen != nullptr ? ::GetSystemPaletteEntries(hScreen, 0, kEntries, pLogPalette->palPalEntry) : 0;
    if (hScreen != nullptr)
        ::ReleaseDC(nullptr, hScreen);
    if (count == 0 || count > kEntries)
        return;
    pLogPalette->palNumEntries = WORD(count);
    if (m_palette.CreatePalette(pLogPalette)) {
        m_pPalette = &m_palette;
        m_bIsMyPalette = TRUE;
    }
}

void CZUDPColorDialog::ReleasePalette()
{
    if (m_palette.GetSafeHandle() != nullptr) {
        if (m_bIsMyPalette)
            m_palette.DeleteObject();
        else
            m_palette.Detach();
    }
    m_pPalette = nullptr;
}

void CZUDPColorDialog::SetNewColor(COLORREF colour)
{
    // The result stays RGB on every screen; the swatch paints it through
    // the palette where there is one.
    m_NewColor = colour;
    if (m_wndColors.GetSafeHwnd() == nullptr)
        return;
    m_wndColors.SelectColor(colour);
    m_wndColors.InvalidateRect(nullptr);
    m_wndColors.UpdateWindow();
}

void CZUDPColorDialog::SetStandardPageRGB(BYTE, BYTE, BYTE)
{
    // The standard page's hexagon and grey pickers take the colour here
    // once the page sheet is built.
}

void CZUDPColorDialog::SetCustomPageRGB(BYTE, BYTE, BYTE)
{
    // The custom page's pickers and edits take the colour here once the
    // page sheet is built.
}

CString CZUDPColorDialog::ColorText(COLORREF colour)
{
    CString text;
    text.Format("RGB (%d, %d, %d)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

BOOL CZUDPColorDialog::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == 'C' || pMsg->wParam == VK_INSERT) &&
        (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) != 0) {
        AfxClipboardPutText(m_hWnd, ColorText(m_NewColor));
    }
    return CZUDPDialog::PreTranslateMessage(pMsg);
}

// The eyedropper: a window over the whole screen keeps the pointer's moves
// coming to this dialog, which holds the capture and shows the screen's
// colour under the pointer as the new colour until the pick ends.
void CZUDPColorDialog::OnColorSelect()
{
    if (m_bPickerMode)
        return;
    m_bPickerMode = TRUE;
    if (m_hcurPicker != nullptr)
        ::SetCursor(m_hcurPicker);

    CZUDPScreenWnd* pScreen = new CZUDPScreenWnd(this);
    if (!pScreen->CreateOverDesktop(m_hcurPicker)) {
        // Picking stays on until the next click in the dialog.
        delete pScreen;
        return;
    }
    const HWND hWnd = m_hWnd;
    SetForegroundWindow();
    BringWindowToTop();
    SetCapture();
    const COLORREF before = m_NewColor;

    const CZUDPEyedropperLoop::EndReason reason = CZUDPEyedropperLoop::Run(hWnd, &m_bPickerMode);

    if (::GetCapture() == hWnd)
        ::ReleaseCapture();
    pScreen->DestroyWindow();
    delete pScreen;
    m_bPickerMode = FALSE;
    if (reason == CZUDPEyedropperLoop::PICK_DESTROYED || !::IsWindow(hWnd))
        return;
    if (reason == CZUDPEyedropperLoop::PICK_RESTORE) {
        SetNewColor(before);
    } else if (reason == CZUDPEyedropperLoop::PICK_KEPT) {
        // The kept colour reaches the pages as a click would bring it.
        SetStandardPageRGB(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
        SetCustomPageRGB(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
    }
    CWnd* pMainWnd = AfxGetMainWnd();
    if (pMainWnd != nullptr && pMainWnd->GetSafeHwnd() != nullptr)
        pMainWnd->SetForegroundWindow();
}

void CZUDPColorDialog::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bPickerMode) {
        COLORREF colour = SampleScreenColor(m_hWnd, point);
        if (colour != CLR_INVALID)
            SetNewColor(colour);
    }
    CZUDPDialog::OnMouseMove(nFlags, point);
}

void CZUDPColorDialog::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_bPickerMode = FALSE;
    SetStandardPageRGB(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
    SetCustomPageRGB(GetRValue(m_NewColor), GetGValue(m_NewColor), GetBValue(m_NewColor));
    CZUDPDialog::OnLButtonDown(nFlags, point);
}

BOOL CZUDPColorDialog::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bPickerMode && m_hcurPicker != nullptr) {
        ::SetCursor(m_hcurPicker);
        return TRUE;
    }
    return CZUDPDialog::OnSetCursor(pWnd, nHitTest, message);
}

void CZUDPColorDialog::OnSysColorChange()
{
    CZUDPDialog::OnSysColorChange();
    g_uiEnvironment.UpdateSysColors();
    if (!m_bIsMyPalette)
        return;
    if (g_uiEnvironment.m_bitsPerPixel >= 8) {
        m_wndColors.SetPalette(nullptr);
        ReleasePalette();
        BuildSystemPalette();
        m_wndColors.SetPalette(m_pPalette);
        Invalidate();
        UpdateWindow();
    } else {
        ShowWindow(SW_HIDE);
        HandOverToSystemDialog();
    }
}

void CZUDPColorDialog::OnDestroy()
{
    // The swatch lets go of the palette before it goes.
    if (m_wndColors.GetSafeHwnd() != nullptr)
        m_wndColors.SetPalette(nullptr);
    if (m_bIsMyPalette)
        ReleasePalette();
    CZUDPDialog::OnDestroy();
}
