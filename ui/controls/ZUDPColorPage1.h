#pragma once
// CZUDPColorPage1: the colour dialog's "Standard" page, a hexagon palette
// of 127 colours above a strip of white, fifteen greys and black.  A cell
// picked on either becomes the dialog's new colour and reaches the
// "Custom" page and the other picker of this page; a double click on a
// cell ends the dialog with OK.
#include "ui/controls/ZUDPColorPickerCtrl.h"
#include "ui/controls/ZUDPPropertyPage.h"

class CZUDPColorDialog;

class CZUDPColorPage1 : public CZUDPPropertyPage {
    DECLARE_DYNAMIC(CZUDPColorPage1)
public:
    CZUDPColorPage1();
    ~CZUDPColorPage1() override;

    // The dialog the page serves; set before the page goes into the sheet.
    CZUDPColorDialog* m_pDialog = nullptr;

    CZUDPColorPickerCtrl& GetHexagonPicker() { return m_hexpicker; }
    CZUDPColorPickerCtrl& GetGreyPicker() { return m_hexpickerGrey; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnHexagonPicked();
    void OnGreyPicked();
    void OnDoubleClicked();
    DECLARE_MESSAGE_MAP()

    // The dialog's new colour and the custom page take a picked colour.
    void PassOn(COLORREF colour);

    CZUDPColorPickerCtrl m_hexpicker;
    CZUDPColorPickerCtrl m_hexpickerGrey;
};
