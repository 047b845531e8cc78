// The colour dialog over the system's common dialog.
#include "framework/win/ColorDialog.h"

#include "framework/win/WinApp.h"

IMPLEMENT_DYNAMIC(CColorDialog, CDialog)

namespace {

// White until the user defines colours of their own.
COLORREF g_customColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};

} // namespace

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : m_cc()
{
    m_pParentWnd = pParentWnd;
    m_cc.lStructSize = sizeof(m_cc);
    m_cc.lpCustColors = g_customColors;
    m_cc.Flags = dwFlags;
    m_cc.hInstance = (HWND)AfxGetResourceHandle();
    SetCurrentColor(clrInit);
}

CColorDialog::~CColorDialog() = default;

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    m_cc.rgbResult = clr;
    if (clr != 0)
        m_cc.Flags |= CC_RGBINIT;
}

COLORREF* CColorDialog::GetSavedCustomColors() { return g_customColors; }

INT_PTR CColorDialog::DoModal()
{
    HWND hWndTop = nullptr;
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop);
    m_cc.hwndOwner = AfxSafeHwnd(pOwner);
    if (m_cc.lpCustColors == nullptr)
        m_cc.lpCustColors = g_customColors;
    return ::ChooseColorA(&m_cc) ? IDOK : IDCANCEL;
}
