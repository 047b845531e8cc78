#pragma once
// CButtonAppearanceDlg ("Button Appearance"): how one toolbar or menu
// button looks: image only, text only, or both; the default image of its
// command or one of the user-defined images (with New and Edit through
// the image editor); and the button's text.  OK changes the button (in
// menu mode the image choice goes to the command manager instead).
#include "framework/List.h"
#include "framework/win/Controls.h"
#include "framework/win/Dialog.h"
#include "framework/win/GdiObject.h"
#include "ui/commandbars/customize/ButtonsList.h"

class CZUDPToolbarButton;
class CZUDPToolBarImages;
class CZUDPUserTool;

class CButtonAppearanceDlg : public CDialog {
public:
    CButtonAppearanceDlg(CZUDPToolbarButton* pButton, CZUDPToolBarImages* pUserImages, CWnd* pParent = nullptr,
                         int iStartImage = 0, BOOL bMenuMode = FALSE);
    ~CButtonAppearanceDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    void EnableControls();
    void FillImageList();

    CButtonsList& GetImageList() { return m_wndButtonList; }
    int GetCurrentImage() const { return m_iImage; }
    BOOL UsesUserImage() const { return m_bUserButton; }
    const CRect& GetPreviewRect() const { return m_rectDefaultImage; }
    // Paints the preview of the default image (the WM_PAINT part).
    void PaintPreview(CDC* pDC);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Runs the image editor on the bitmap; IDOK when the edit is accepted.
    virtual INT_PTR RunImageEditor(CBitmap& bitmap, int nBitsPerPixel);

    void OnImageOnly();
    void OnTextOnly();
    void OnImageAndText();
    void OnDefaultImage();
    void OnUserImage();
    void OnImageListSelection();
    void OnNewImage();
    void OnEditImage();
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    BOOL HasStandardImage() const;
    // A bitmap of the user images' size (screen depth), or FALSE.
    BOOL CreateImageBitmap(CBitmap& bitmap);

    CButton m_wndDefaultImageArea;
    CButton m_wndUserImageArea;
    CStatic m_wndDefaultImage;
    CEdit m_wndButtonText;
    CButton m_wndAddImage;
    CButtonsList m_wndButtonList;
    CButton m_wndEditImage;
    CString m_strButtonText;
    CString m_strButtonDescr;
    CZUDPToolbarButton* m_pButton = nullptr;
    CZUDPToolBarImages* m_pImages = nullptr;
    int m_iStartImage = 0;
    CObList m_Buttons;
    int m_iImage = -1;
    BOOL m_bImage = FALSE;
    BOOL m_bText = FALSE;
    BOOL m_bMenuMode = FALSE;
    BOOL m_bUserButton = FALSE;
    CRect m_rectDefaultImage;
    CString m_strAccel;
    CZUDPUserTool* m_pUserTool = nullptr;
};
