#include "ui/controls/ZUDPColorPage2.h"

#include "res/ui/controls.h"
#include "ui/controls/ZUDPColorDialog.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

IMPLEMENT_DYNAMIC(CZUDPColorPage2, CZUDPPropertyPage)

BEGIN_MESSAGE_MAP(CZUDPColorPage2, CZUDPPropertyPage)
    ON_BN_CLICKED(IDC_ZUDP_COLORS_LUM, &CZUDPColorPage2::OnLightnessChanged)
    ON_BN_CLICKED(IDC_ZUDP_COLORS_COLOR, &CZUDPColorPage2::OnPictureChanged)
    ON_BN_DOUBLECLICKED(IDC_ZUDP_COLORS_LUM, &CZUDPColorPage2::OnDoubleClicked)
    ON_BN_DOUBLECLICKED(IDC_ZUDP_COLORS_COLOR, &CZUDPColorPage2::OnDoubleClicked)
    ON_EN_CHANGE(IDC_ZUDP_COLORS_HUE_EDIT, &CZUDPColorPage2::OnHLSEdited)
    ON_EN_CHANGE(IDC_ZUDP_COLORS_SAT_EDIT, &CZUDPColorPage2::OnHLSEdited)
    ON_EN_CHANGE(IDC_ZUDP_COLORS_LUM_EDIT, &CZUDPColorPage2::OnHLSEdited)
    ON_EN_CHANGE(IDC_ZUDP_COLORS_RED, &CZUDPColorPage2::OnRGBEdited)
    ON_EN_CHANGE(IDC_ZUDP_COLORS_GREEN, &CZUDPColorPage2::OnRGBEdited)
    ON_EN_CHANGE(IDC_ZUDP_COLORS_BLUE, &CZUDPColorPage2::OnRGBEdited)
END_MESSAGE_MAP()

namespace {

const int kHLSEdits[3] = {IDC_ZUDP_COLORS_HUE_EDIT, IDC_ZUDP_COLORS_SAT_EDIT, IDC_ZUDP_COLORS_LUM_EDIT};
const int kRGBEdits[3] = {IDC_ZUDP_COLORS_RED, IDC_ZUDP_COLORS_GREEN, IDC_ZUDP_COLORS_BLUE};
const int kSpins[6] = {IDC_ZUDP_COLORS_HUE_SPIN, IDC_ZUDP_COLORS_SAT_SPIN,   IDC_ZUDP_COLORS_LUM_SPIN,
                       IDC_ZUDP_COLORS_RED_SPIN, IDC_ZUDP_COLORS_GREEN_SPIN, IDC_ZUDP_COLORS_BLUE_SPIN};
const int kMaxEditValue = 255;

// Sets a flag for a scope and puts back what it was.
class ScopedFlag {
public:
    explicit ScopedFlag(BOOL& flag) : m_flag(flag), m_saved(flag) { m_flag = TRUE; }
    ~ScopedFlag() { m_flag = m_saved; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

private:
    BOOL& m_flag;
    BOOL m_saved;
};

// Whether the edit's text is the number (surrounding blanks and leading
// zeros allowed).
BOOL EditShows(HWND hEdit, long long value)
{
    char text[64] = {};
    ::GetWindowTextA(hEdit, text, sizeof(text));
    char* end = nullptr;
    const long long shown = std::strtoll(text, &end, 10);
    if (end == text)
        return FALSE;
    while (*end == ' ' || *end == '\t')
        end++;
    return *end == '\0' && shown == value;
}

} // namespace

CZUDPColorPage2::CZUDPColorPage2() : CZUDPPropertyPage(IDD_ZUDP_COLORS_CUSTOM)
{
    SetVisualManagerLook(g_uiEnvironment.m_dialogsInVisualManagerStyle);
}

CZUDPColorPage2::~CZUDPColorPage2() = default;

UINT CZUDPColorPage2::UnitToEdit(double value)
{
    if (!(value > 0.0))
        return 0;
    return std::min(UINT(std::lround(value * kMaxEditValue)), UINT(kMaxEditValue));
}

double CZUDPColorPage2::EditToUnit(UINT value) { return double(std::min(value, UINT(kMaxEditValue))) / kMaxEditValue; }

void CZUDPColorPage2::DoDataExchange(CDataExchange* pDX)
{
    CZUDPPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_COLORS_LUM, m_wndLumPicker);
    DDX_Control(pDX, IDC_ZUDP_COLORS_COLOR, m_wndColorPicker);
    DDX_Text(pDX, IDC_ZUDP_COLORS_RED, m_r);
    DDX_Text(pDX, IDC_ZUDP_COLORS_GREEN, m_g);
    DDX_Text(pDX, IDC_ZUDP_COLORS_BLUE, m_b);
    DDX_Text(pDX, IDC_ZUDP_COLORS_LUM_EDIT, m_l);
    DDX_Text(pDX, IDC_ZUDP_COLORS_HUE_EDIT, m_h);
    DDX_Text(pDX, IDC_ZUDP_COLORS_SAT_EDIT, m_s);
}

BOOL CZUDPColorPage2::OnInitDialog()
{
    // The edits show the values kept so far (a colour handed over before
    // the page was made); their changes are not input yet.
    CZUDPPropertyPage::OnInitDialog();
    CPalette* pPalette = m_pDialog != nullptr ? m_pDialog->GetPalette() : nullptr;
    m_wndColorPicker.SetPalette(pPalette);
    m_wndColorPicker.SetPickerType(CZUDPColorPickerCtrl::PICKER_PICTURE);
    m_wndLumPicker.SetPalette(pPalette);
    m_wndLumPicker.SetPickerType(CZUDPColorPickerCtrl::PICKER_LIGHTNESS);
    double hue = 0.0, lightness = 0.0, saturation = 0.0;
    m_wndColorPicker.GetHLS(&hue, &lightness, &saturation);
    m_wndLumPicker.SetHLS(hue, lightness, saturation, TRUE);
    m_wndLumPicker.SetBarWidth(14);
    for (int nID : kSpins) {
        HWND hSpin = ::GetDlgItem(m_hWnd, nID);
        if (hSpin == nullptr)
            break;
        ::SendMessageA(hSpin, UDM_SETRANGE, 0, MAKELPARAM(kMaxEditValue, 0));
    }
    m_bIsReady = TRUE;
    return TRUE;
}

BOOL CZUDPColorPage2::OnSetActive()
{
    // Showing the page again writes the kept values into the edits; those
    // writes are not input.
    ScopedFlag updating(m_bInUpdate);
    return CZUDPPropertyPage::OnSetActive();
}

BOOL CZUDPColorPage2::OnKillActive()
{
    // Every edit is applied as it changes; an emptied edit shows its value
    // again when the page comes back, and never keeps the page.
    return TRUE;
}

void CZUDPColorPage2::SetRGB(BYTE red, BYTE green, BYTE blue)
{
    const COLORREF colour = RGB(red, green, blue);
    double hue = 0.0, saturation = 0.0, lightness = 0.0;
    CZUDPDrawManager::RgbToHlsUnitHue(colour, &hue, &saturation, &lightness);
    // Without windows the pickers keep the values and show them when the
    // page is made.
    m_wndColorPicker.SetHLS(hue, lightness, saturation, TRUE);
    m_wndLumPicker.SetHLS(hue, lightness, saturation, TRUE);
    SetHLSValues(hue, lightness, saturation);
    SetRGBValues(colour);
    if (m_hWnd != nullptr) {
        // Each edit written sends a change; with the other edits still
        // showing the old colour that would mix the two.
        ScopedFlag updating(m_bInUpdate);
        ShowEditValues();
    }
}

void CZUDPColorPage2::SetHLSValues(double hue, double lightness, double saturation)
{
    m_h = UnitToEdit(hue);
    m_l = UnitToEdit(lightness);
    m_s = UnitToEdit(saturation);
}

void CZUDPColorPage2::SetRGBValues(COLORREF colour)
{
    m_r = GetRValue(colour);
    m_g = GetGValue(colour);
    m_b = GetBValue(colour);
}

void CZUDPColorPage2::ShowEditValues()
{
    if (m_hWnd == nullptr)
        return;
    const struct {
        int nID;
        long long value;
    } edits[] = {{IDC_ZUDP_COLORS_RED, m_r},         {IDC_ZUDP_COLORS_GREEN, m_g},    {IDC_ZUDP_COLORS_BLUE, m_b},
                 {IDC_ZUDP_COLORS_LUM_EDIT, m_l}, {IDC_ZUDP_COLORS_HUE_EDIT, m_h}, {IDC_ZUDP_COLORS_SAT_EDIT, m_s}};
    for (const auto& edit : edits) {
        HWND hEdit = ::GetDlgItem(m_hWnd, edit.nID);
        if (hEdit == nullptr || EditShows(hEdit, edit.value))
            continue;
        char text[32];
        std::snprintf(text, sizeof(text), "%lld", edit.value);
        ::SetWindowTextA(hEdit, text);
    }
}

BOOL CZUDPColorPage2::ReadEdits(const int ids[3], int values[3])
{
    // Read on every keystroke: text that is not a number yet ("", "-",
    // pasted words) changes nothing and is not reported; a number out of
    // range (pasted) counts as the nearest end of 0..255.
    for (int i = 0; i < 3; ++i) {
        HWND hEdit = ::GetDlgItem(m_hWnd, ids[i]);
        if (hEdit == nullptr)
            return FALSE;
        char text[64] = {};
        ::GetWindowTextA(hEdit, text, sizeof(text));
        const char* p = text;
        while (*p == ' ' || *p == '\t')
            p++;
        char* end = nullptr;
        const long long value = std::strtoll(p, &end, 10);
        if (end == p)
            return FALSE;
        while (*end == ' ' || *end == '\t')
            end++;
        if (*end != '\0')
            return FALSE;
        values[i] = int(std::min(std::max(value, 0LL), (long long)kMaxEditValue));
    }
    return TRUE;
}

// The dialog's swatch and the standard page follow this page's colour.
void CZUDPColorPage2::TellDialog(COLORREF colour)
{
    if (m_pDialog != nullptr) {
        m_pDialog->SetNewColor(colour);
        m_pDialog->SetStandardPageRGB(BYTE(m_r), BYTE(m_g), BYTE(m_b));
    }
}

// A colour chosen on the picture or the lightness bar reaches the edits
// and the dialog.
void CZUDPColorPage2::TakePickedColour(double hue, double lightness, double saturation)
{
    SetHLSValues(hue, lightness, saturation);
    const COLORREF colour = CZUDPDrawManager::HlsToRgbUnitHue(hue, lightness, saturation);
    SetRGBValues(colour);
    TellDialog(colour);
    ShowEditValues();
}

void CZUDPColorPage2::OnLightnessChanged()
{
    ScopedFlag updating(m_bInUpdate);
    double hue = 0.0, lightness = 0.0, saturation = 0.0;
    m_wndLumPicker.GetHLS(nullptr, &lightness, nullptr);
    m_wndColorPicker.SetHLS(-1, lightness, -1, TRUE);
    m_wndColorPicker.GetHLS(&hue, &lightness, &saturation);
    TakePickedColour(hue, lightness, saturation);
}

void CZUDPColorPage2::OnPictureChanged()
{
    ScopedFlag updating(m_bInUpdate);
    double hue = 0.0, lightness = 0.0, saturation = 0.0;
    m_wndColorPicker.GetHLS(&hue, &lightness, &saturation);
    m_wndLumPicker.SetHLS(hue, -1, saturation, FALSE);
    if (m_wndLumPicker.GetSafeHwnd() != nullptr)
        m_wndLumPicker.Invalidate();
    TakePickedColour(hue, lightness, saturation);
}

void CZUDPColorPage2::OnHLSEdited()
{
    if (!m_bIsReady || m_bInUpdate)
        return;
    int values[3] = {};
    if (!ReadEdits(kHLSEdits, values))
        return;
    // The same three numbers again (an edit emptied and typed back) stand
    // for the colour already shown: going through them would round it.
    if (UINT(values[0]) == m_h && UINT(values[1]) == m_s && UINT(values[2]) == m_l) {
        ScopedFlag updating(m_bInUpdate);
        ShowEditValues();
        return;
    }
    ScopedFlag updating(m_bInUpdate);
    m_h = UINT(values[0]);
    m_s = UINT(values[1]);
    m_l = UINT(values[2]);
    const double hue = EditToUnit(m_h);
    const double saturation = EditToUnit(m_s);
    const double lightness = EditToUnit(m_l);
    const COLORREF colour = CZUDPDrawManager::HlsToRgbUnitHue(hue, lightness, saturation);
    SetRGBValues(colour);
    ShowEditValues();
    TellDialog(colour);
    m_wndColorPicker.SetHLS(hue, lightness, saturation, TRUE);
    m_wndLumPicker.SetHLS(hue, lightness, saturation, TRUE);
}

void CZUDPColorPage2::OnRGBEdited()
{
    if (!m_bIsReady || m_bInUpdate)
        return;
    int values[3] = {};
    if (!ReadEdits(kRGBEdits, values))
        return;
    ScopedFlag updating(m_bInUpdate);
    // Negative numbers (pasted) count as 0, numbers above 255 as 255; the
    // edits show what counts.
    m_r = values[0];
    m_g = values[1];
    m_b = values[2];
    const COLORREF colour = RGB(m_r, m_g, m_b);
    TellDialog(colour);
    double hue = 0.0, saturation = 0.0, lightness = 0.0;
    CZUDPDrawManager::RgbToHlsUnitHue(colour, &hue, &saturation, &lightness);
    SetHLSValues(hue, lightness, saturation);
    ShowEditValues();
    m_wndColorPicker.SetHLS(hue, lightness, saturation, TRUE);
    m_wndLumPicker.SetHLS(hue, lightness, saturation, TRUE);
}

void CZUDPColorPage2::OnDoubleClicked()
{
    if (m_pDialog != nullptr && m_pDialog->GetSafeHwnd() != nullptr)
        m_pDialog->EndDialog(IDOK);
}
