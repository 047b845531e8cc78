#pragma once
// CZUDPColorPage2: the colour dialog's "Custom" page: the hue/saturation
// picture, the lightness bar and six edits with up-down buttons for hue,
// saturation, lightness, red, green and blue, each from 0 to 255.  Every
// change on one of them reaches the others, the dialog's new colour and
// the "Standard" page.
//
// Colours handed over before the page has a window (the dialog hands its
// colour to both pages when only the first page exists) are kept in the
// pickers and the edit values and shown when the page is made.
#include "ui/controls/ZUDPColorPickerCtrl.h"
#include "ui/controls/ZUDPPropertyPage.h"

class CZUDPColorDialog;

class CZUDPColorPage2 : public CZUDPPropertyPage {
    DECLARE_DYNAMIC(CZUDPColorPage2)
public:
    CZUDPColorPage2();
    ~CZUDPColorPage2() override;

    // The colour picked elsewhere: pickers and edits show it.
    void SetRGB(BYTE red, BYTE green, BYTE blue);

    // The edits show a unit value v (hue, saturation or lightness in
    // [0, 1]) as e = round(v x 255) and read it back as v = e / 255, so
    // that a value read back shows as it was typed.
    static UINT UnitToEdit(double value);
    static double EditToUnit(UINT value);

    // The dialog the page serves; set before the page goes into the sheet.
    CZUDPColorDialog* m_pDialog = nullptr;

    BOOL OnSetActive() override;
    BOOL OnKillActive() override;

    CZUDPColorPickerCtrl& GetPicture() { return m_wndColorPicker; }
    CZUDPColorPickerCtrl& GetLightnessBar() { return m_wndLumPicker; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnLightnessChanged();
    void OnPictureChanged();
    void OnHLSEdited();
    void OnRGBEdited();
    void OnDoubleClicked();
    DECLARE_MESSAGE_MAP()

    // The edit values of hue, lightness and saturation from unit values.
    void SetHLSValues(double hue, double lightness, double saturation);
    void SetRGBValues(COLORREF colour);
    void TellDialog(COLORREF colour);
    void TakePickedColour(double hue, double lightness, double saturation);
    // Reads three edits, each limited to 0..255; FALSE (nothing read) when
    // one is empty or does not hold a number.
    BOOL ReadEdits(const int ids[3], int values[3]);
    // Writes the edit values into the edits that show another number; the
    // edit being typed in keeps its text and caret while its number stands.
    void ShowEditValues();

    CZUDPColorPickerCtrl m_wndLumPicker;
    CZUDPColorPickerCtrl m_wndColorPicker;
    int m_r = 0;
    int m_b = 0;
    int m_g = 0;
    UINT m_l = 0;
    UINT m_h = 0;
    UINT m_s = 0;
    BOOL m_bIsReady = FALSE;
    BOOL m_bInUpdate = FALSE;
};
