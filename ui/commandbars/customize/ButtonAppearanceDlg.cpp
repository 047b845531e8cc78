#include "ui/commandbars/customize/ButtonAppearanceDlg.h"

#include "framework/Exceptions.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "res/ui/commandbars.h"
#include "res/ui/foundation.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/customize/ZUDPImageEditDlg.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

BEGIN_MESSAGE_MAP(CButtonAppearanceDlg, CDialog)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_IMAGE_ONLY, &CButtonAppearanceDlg::OnImageOnly)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_TEXT_ONLY, &CButtonAppearanceDlg::OnTextOnly)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_IMAGE_TEXT, &CButtonAppearanceDlg::OnImageAndText)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_DEFAULT_IMAGE, &CButtonAppearanceDlg::OnDefaultImage)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_USER_IMAGE, &CButtonAppearanceDlg::OnUserImage)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_IMAGES, &CButtonAppearanceDlg::OnImageListSelection)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_NEW, &CButtonAppearanceDlg::OnNewImage)
    ON_BN_CLICKED(IDC_ZUDP_APPEARANCE_EDIT, &CButtonAppearanceDlg::OnEditImage)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CButtonAppearanceDlg::CButtonAppearanceDlg(CZUDPToolbarButton* pButton, CZUDPToolBarImages* pUserImages,
                                           CWnd* pParent, int iStartImage, BOOL bMenuMode)
    : CDialog(IDD_ZUDP_BUTTON_APPEARANCE, pParent), m_pButton(pButton), m_pImages(pUserImages),
      m_iStartImage(iStartImage), m_bMenuMode(bMenuMode)
{
    if (g_userToolsManager != nullptr)
        m_pUserTool = g_userToolsManager->FindToolByCommand(pButton->commandId);
    m_bUserButton = pButton->usesUserImage ||
                    (m_pUserTool == nullptr && GetCommandManager()->LookupCommandImage(pButton->commandId) < 0);
    m_iImage = pButton->usesUserImage ? pButton->userImageIndex : pButton->imageIndex;
    m_bImage = pButton->showImage;
    if (bMenuMode && GetCommandManager()->IsMenuItemWithoutImage(pButton->commandId))
        m_bImage = FALSE;
    m_bText = bMenuMode || pButton->textBelowImage ? TRUE : pButton->showText;
}

CButtonAppearanceDlg::~CButtonAppearanceDlg()
{
    while (!m_Buttons.IsEmpty())
        delete m_Buttons.RemoveHead();
}

void CButtonAppearanceDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ZUDP_APPEARANCE_DEFAULT_IMAGE, m_wndDefaultImageArea);
    DDX_Control(pDX, IDC_ZUDP_APPEARANCE_USER_IMAGE, m_wndUserImageArea);
    DDX_Control(pDX, IDC_ZUDP_APPEARANCE_DEFAULT_FRAME, m_wndDefaultImage);
    DDX_Control(pDX, IDC_ZUDP_APPEARANCE_TEXT, m_wndButtonText);
    DDX_Control(pDX, IDC_ZUDP_APPEARANCE_NEW, m_wndAddImage);
    DDX_Control(pDX, IDC_ZUDP_APPEARANCE_IMAGES, m_wndButtonList);
    DDX_Control(pDX, IDC_ZUDP_APPEARANCE_EDIT, m_wndEditImage);
    DDX_Text(pDX, IDC_ZUDP_APPEARANCE_TEXT, m_strButtonText);
    DDX_Text(pDX, IDC_ZUDP_APPEARANCE_DESCRIPTION, m_strButtonDescr);
}

BOOL CButtonAppearanceDlg::HasStandardImage() const
{
    return GetCommandManager()->LookupCommandImage(m_pButton->commandId) >= 0;
}

BOOL CButtonAppearanceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* pMain = AfxGetMainWnd()) {
        if (pMain->GetSafeHwnd() != nullptr && (pMain->GetExStyle() & WS_EX_LAYOUTRTL))
            ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    }
    if (m_pImages != nullptr) {
        m_wndButtonList.SetImages(m_pImages);
        FillImageList();
        m_wndButtonList.SelectButtonByImage(m_iImage);
    } else {
        m_wndButtonList.EnableWindow(FALSE);
        m_wndUserImageArea.EnableWindow(FALSE);
        if (m_iImage < 0) {
            if (CWnd* pImageOnly = GetDlgItem(IDC_ZUDP_APPEARANCE_IMAGE_ONLY))
                pImageOnly->EnableWindow(FALSE);
            if (CWnd* pImageText = GetDlgItem(IDC_ZUDP_APPEARANCE_IMAGE_TEXT))
                pImageText->EnableWindow(FALSE);
        }
    }
    if (!m_bUserButton || m_pButton->locked)
        m_wndDefaultImageArea.SetCheck(1);
    else
        m_wndUserImageArea.SetCheck(1);

    if (m_bImage) {
        CheckDlgButton(m_bText ? IDC_ZUDP_APPEARANCE_IMAGE_TEXT : IDC_ZUDP_APPEARANCE_IMAGE_ONLY, BST_CHECKED);
    } else {
        CheckDlgButton(IDC_ZUDP_APPEARANCE_TEXT_ONLY, BST_CHECKED);
        m_bText = TRUE;
        m_wndButtonList.EnableWindow(FALSE);
    }

    m_strButtonText = m_pButton->text;
    const int iTab = m_strButtonText.Find('\t');
    if (iTab >= 0) {
        m_strAccel = m_strButtonText.Mid(iTab + 1);
        m_strButtonText = m_strButtonText.Left(iTab);
    }

    if (CFrameWnd* pFrame = GetEnclosingFrame(this))
        pFrame->GetMessageString(m_pButton->commandId, m_strButtonDescr);
    else if (CFrameWnd* pMainFrame = DYNAMIC_DOWNCAST(CFrameWnd, AfxGetMainWnd()))
        pMainFrame->GetMessageString(m_pButton->commandId, m_strButtonDescr);

    if (m_bMenuMode || m_pButton->textBelowImage) {
        if (CWnd* pImageOnly = GetDlgItem(IDC_ZUDP_APPEARANCE_IMAGE_ONLY))
            pImageOnly->EnableWindow(FALSE);
    }

    m_wndDefaultImage.GetClientRect(&m_rectDefaultImage);
    m_wndDefaultImage.MapWindowPoints(this, &m_rectDefaultImage);
    const CSize sizeStandard = g_sharedToolbarImages.GetImageSize();
    int nMaxWidth = 16, nMaxHeight = 16;
    if (sizeStandard.cx > 0 && sizeStandard.cx < nMaxWidth)
        nMaxWidth = sizeStandard.cx;
    if (sizeStandard.cy > 0 && sizeStandard.cy < nMaxHeight)
        nMaxHeight = sizeStandard.cy;
    if (m_rectDefaultImage.Width() > nMaxWidth)
        m_rectDefaultImage.right = m_rectDefaultImage.left + nMaxWidth;
    if (m_rectDefaultImage.Height() > nMaxHeight)
        m_rectDefaultImage.bottom = m_rectDefaultImage.top + nMaxHeight;

    EnableControls();
    UpdateData(FALSE);
    return TRUE;
}

void CButtonAppearanceDlg::EnableControls()
{
    const BOOL bLocked = m_pButton->locked;
    const BOOL bHasImages = m_pImages != nullptr;
    m_wndButtonText.EnableWindow(m_bText && !(m_bMenuMode && m_pUserTool != nullptr));
    const BOOL bList = m_bImage && bHasImages && m_bUserButton && !bLocked;
    m_wndButtonList.EnableWindow(bList);
    const BOOL bNew = bList && !m_pImages->IsReadOnly();
    m_wndAddImage.EnableWindow(bNew);
    m_wndEditImage.EnableWindow(bNew && m_iImage >= 0);
    m_wndUserImageArea.EnableWindow(m_bImage && bHasImages && !bLocked);
    m_wndDefaultImageArea.EnableWindow(m_pUserTool != nullptr || (m_bImage && HasStandardImage() && !bLocked));
    InvalidateRect(&m_rectDefaultImage);
}

void CButtonAppearanceDlg::FillImageList()
{
    m_wndButtonList.RemoveButtons();
    while (!m_Buttons.IsEmpty())
        delete m_Buttons.RemoveHead();
    if (m_pImages == nullptr)
        return;
    for (int iImage = m_iStartImage; iImage < m_pImages->GetCount(); ++iImage) {
        CZUDPToolbarButton* pButton = new CZUDPToolbarButton;
        pButton->usesUserImage = TRUE;
        pButton->AssignImage(iImage);
        m_wndButtonList.AddButton(pButton);
        m_Buttons.AddTail(pButton);
    }
    m_wndButtonList.Invalidate();
}

// ---------------------------------------------------------------------------
// Choices

void CButtonAppearanceDlg::OnImageOnly()
{
    m_bImage = TRUE;
    m_bText = FALSE;
    EnableControls();
}

void CButtonAppearanceDlg::OnTextOnly()
{
    m_bImage = FALSE;
    m_bText = TRUE;
    EnableControls();
}

void CButtonAppearanceDlg::OnImageAndText()
{
    m_bImage = TRUE;
    m_bText = TRUE;
    EnableControls();
}

void CButtonAppearanceDlg::OnDefaultImage()
{
    m_iImage = m_pButton->usesUserImage ? m_pButton->userImageIndex : m_pButton->imageIndex;
    m_bUserButton = FALSE;
    m_wndUserImageArea.SetCheck(0);
    EnableControls();
}

void CButtonAppearanceDlg::OnUserImage()
{
    m_iImage = -1;
    m_bUserButton = TRUE;
    m_wndDefaultImageArea.SetCheck(0);
    EnableControls();
    m_wndButtonList.SelectButton(nullptr);
}

void CButtonAppearanceDlg::OnImageListSelection()
{
    CZUDPToolbarButton* pSelected = m_wndButtonList.GetSelectedButton();
    m_iImage = pSelected != nullptr ? pSelected->GetActiveImage() : -1;
    m_wndEditImage.EnableWindow(m_iImage >= 0 && m_pImages != nullptr && !m_pImages->IsReadOnly());
}

// ---------------------------------------------------------------------------
// New and edited images

INT_PTR CButtonAppearanceDlg::RunImageEditor(CBitmap& bitmap, int nBitsPerPixel)
{
    CZUDPImageEditDlg dialog(&bitmap, this, nBitsPerPixel);
    return dialog.DoModal();
}

BOOL CButtonAppearanceDlg::CreateImageBitmap(CBitmap& bitmap)
{
    if (m_pImages == nullptr)
        return FALSE;
    const CSize size = m_pImages->GetImageSize();
    CClientDC dc(&m_wndButtonList);
    return bitmap.CreateCompatibleBitmap(&dc, size.cx, size.cy);
}

void CButtonAppearanceDlg::OnNewImage()
{
    if (m_pImages == nullptr)
        return;
    try {
        CBitmap bitmap;
        if (!CreateImageBitmap(bitmap)) {
            AfxMessageBox(IDS_ZUDP_CANNOT_CREATE_IMAGE);
            return;
        }
        const CSize size = m_pImages->GetImageSize();
        {
            CClientDC dc(&m_wndButtonList);
            CDC memDC;
            memDC.CreateCompatibleDC(&dc);
            CBitmap* pOld = memDC.SelectObject(&bitmap);
            memDC.FillRect(CRect(CPoint(0, 0), size), &g_uiEnvironment.m_brushButtonFace);
            memDC.SelectObject(pOld);
        }
        BITMAP bm = {};
        ::GetObjectA(m_pImages->GetImageBitmap(), sizeof(bm), &bm);
        if (RunImageEditor(bitmap, bm.bmBitsPixel != 0 ? bm.bmBitsPixel : -1) != IDOK)
            return;
        const int iNew = m_pImages->AppendBitmap((HBITMAP)bitmap);
        if (iNew < 0) {
            AfxMessageBox(IDS_ZUDP_CANNOT_CREATE_IMAGE);
            return;
        }
        FillImageList();
        m_wndButtonList.SelectButtonByImage(iNew);
    } catch (CException* pException) {
        pException->Delete();
        AfxMessageBox(IDS_ZUDP_INTERNAL_ERROR);
    }
}

void CButtonAppearanceDlg::OnEditImage()
{
    if (m_pImages == nullptr || m_iImage < 0)
        return;
    try {
        CBitmap bitmap;
        if (!CreateImageBitmap(bitmap))
            return;
        const CSize size = m_pImages->GetImageSize();
        {
            CClientDC dc(&m_wndButtonList);
            CDC memDC;
            memDC.CreateCompatibleDC(&dc);
            CBitmap* pOld = memDC.SelectObject(&bitmap);
            memDC.FillSolidRect(0, 0, size.cx, size.cy, RGB(192, 192, 192));
            const COLORREF clrOldTransparent = m_pImages->SetTransparentColor(RGB(192, 192, 192));
            CZUDPImageDrawState ds;
            const BOOL bDrawing = m_pImages->BeginDrawing(ds);
            if (bDrawing) {
                m_pImages->RenderImage(&memDC, 0, 0, m_iImage);
                m_pImages->FinishDrawing(ds);
            }
            m_pImages->SetTransparentColor(clrOldTransparent);
            memDC.SelectObject(pOld);
            if (!bDrawing)
                return;
        }
        BITMAP bm = {};
        ::GetObjectA(m_pImages->GetImageBitmap(), sizeof(bm), &bm);
        if (RunImageEditor(bitmap, bm.bmBitsPixel != 0 ? bm.bmBitsPixel : -1) != IDOK)
            return;
        m_pImages->ReplaceImage(m_iImage, (HBITMAP)bitmap);
        m_wndButtonList.Invalidate();
    } catch (CException* pException) {
        pException->Delete();
        AfxMessageBox(IDS_ZUDP_INTERNAL_ERROR);
    }
}

// ---------------------------------------------------------------------------
// OK

void CButtonAppearanceDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    int iImage = m_iImage;
    if (!m_bUserButton)
        iImage = m_pUserTool != nullptr ? 0 : GetCommandManager()->LookupCommandImage(m_pButton->commandId);
    if (m_bImage && iImage < 0) {
        AfxMessageBox(IDS_ZUDP_SELECT_IMAGE);
        m_wndButtonList.SetFocus();
        return;
    }
    if (m_bText && m_strButtonText.IsEmpty()) {
        AfxMessageBox(IDS_ZUDP_ENTER_TEXT);
        m_wndButtonText.SetFocus();
        return;
    }
    if (!m_pButton->textBelowImage)
        m_pButton->showText = m_bText;
    if (m_bMenuMode)
        GetCommandManager()->SetMenuItemImage(m_pButton->commandId, m_bImage, iImage);
    else
        m_pButton->showImage = m_bImage;
    m_pButton->usesUserImage = m_bUserButton;
    m_pButton->AssignImage(iImage);
    m_pButton->text = m_strButtonText;
    if (!m_strAccel.IsEmpty())
        m_pButton->text += "\t" + m_strAccel;
    CDialog::OnOK();
}

// ---------------------------------------------------------------------------
// The preview

void CButtonAppearanceDlg::OnPaint()
{
    CPaintDC dc(this);
    PaintPreview(&dc);
}

void CButtonAppearanceDlg::PaintPreview(CDC* pDC)
{
    if (pDC == nullptr)
        return;
    if (m_pUserTool != nullptr) {
        m_pUserTool->DrawToolIcon(pDC, m_rectDefaultImage);
        return;
    }
    if (m_pButton->locked) {
        const BOOL bTextSaved = m_pButton->showText, bImageSaved = m_pButton->showImage;
        m_pButton->showText = FALSE;
        m_pButton->showImage = TRUE;
        m_pButton->DrawButton(pDC, m_rectDefaultImage, nullptr, TRUE, FALSE, FALSE, FALSE, TRUE);
        m_pButton->showText = bTextSaved;
        m_pButton->showImage = bImageSaved;
        return;
    }
    const int iStandard = GetCommandManager()->LookupCommandImage(m_pButton->commandId);
    if (iStandard < 0 || !m_bImage)
        return;
    CZUDPImageDrawState ds;
    if (!g_sharedToolbarImages.BeginDrawing(ds, m_rectDefaultImage.Width(), m_rectDefaultImage.Height()))
        return;
    g_sharedToolbarImages.RenderImage(pDC, m_rectDefaultImage.left, m_rectDefaultImage.top, iStandard);
    g_sharedToolbarImages.FinishDrawing(ds);
}
