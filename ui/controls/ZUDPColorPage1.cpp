#include "ui/controls/ZUDPColorPage1.h"

#include "res/ui/controls.h"
#include "ui/controls/ZUDPColorDialog.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

IMPLEMENT_DYNAMIC(CZUDPColorPage1, CZUDPPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPColorPage1, CZUDPPropertyPage)
    ON_BN_CLICKED(IDC_ZUDP_COLORS_HEX, &CZUDPColorPage1::OnHexagonPicked)
    ON_BN_CLICKED(IDC_ZUDP_COLORS_GREY, &CZUDPColorPage1::OnGreyPicked)
    ON_BN_DOUBLECLICKED(IDC_ZUDP_COLORS_HEX, &CZUDPColorPage1::OnDoubleClicked)
    ON_BN_DOUBLECLICKED(IDC_ZUDP_COLORS_GREY, &CZUDPColorPage1::OnDoubleClicked)
END_MESSAGE_MAP()

CZUDPColorPage1::CZUDPColorPage1() : CZUDPPropertyPage(IDD_ZUDP_COLORS_STANDARD)
{
    SetVisualManagerLook(g_uiEnvironment.m_dialogsInVisualManagerStyle);
}

CZUDPColorPage1::~CZUDPColorPage1() = default;

void CZUDPColorPage1::DoDataExchange(CDataExchange* pDX)
{
    CZUDPPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_COLORS_HEX, m_hexpicker);
    DDX_Control(pDX, IDC_ZUDP_COLORS_GREY, m_hexpickerGrey);
}

BOOL CZUDPColorPage1::OnInitDialog()
{
    CZUDPPropertyPage::OnInitDialog();
    CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
    m_hexpicker.SetPalette(pPalette);
    m_hexpicker.SetPickerType(CZUDPColorPickerCtrl::PICKER_HEXAGON);
    m_hexpickerGrey.SetPalette(pPalette);
    m_hexpickerGrey.SetPickerType(CZUDPColorPickerCtrl::PICKER_GREY);
    return TRUE;
}

void CZUDPColorPage1::PassOn(COLORREF colour)
{
    if (m_pDialog == nullptr)
        return;
    m_pDialog->SetNewColor(colour);
    m_pDialog->SetCustomPageRGB(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

void CZUDPColorPage1::OnHexagonPicked()
{
    const COLORREF colour = m_hexpicker.GetColor();
    PassOn(colour);
    // The grey strip highlights a cell only when the colour is its grey.
    m_hexpickerGrey.SetColorRGB(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    m_hexpickerGrey.Invalidate();
}

void CZUDPColorPage1::OnGreyPicked()
{
    // The grey cell's own colour: white, a grey of equal channels or black
    // (saturation 0, lightness the grey over 255).
    const COLORREF colour = m_hexpickerGrey.GetColor();
    PassOn(colour);
    m_hexpicker.SetColorRGB(GetRValue(colour), GetGValue(colour), GetBValue(colour));
    m_hexpicker.Invalidate();
}

void CZUDPColorPage1::OnDoubleClicked()
{
    if (m_pDialog != nullptr && m_pDialog->GetSafeHwnd() != nullptr)
        m_pDialog->EndDialog(IDOK);
}
