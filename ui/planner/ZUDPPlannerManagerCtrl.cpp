#include "ui/planner/ZUDPPlannerManagerCtrl.h"

#include "res/ui/planner.h"
#include "ui/foundation/ZUDPMemDC.h"
#include "ui/foundation/ZUDPPngImage.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/planner/ZUDPAppointmentMultiStorage.h"
#include "ui/planner/ZUDPAppointmentStorage.h"
#include "ui/planner/ZUDPPlannerClockIcons.h"
#include "ui/planner/ZUDPPlannerSeams.h"
#include "ui/planner/ZUDPPlannerView.h"
#include "ui/foundation/ZUDPMessages.h"

IMPLEMENT_DYNCREATE(CZUDPPlannerManagerCtrl, CZUDPWnd)

BEGIN_MESSAGE_MAP(CZUDPPlannerManagerCtrl, CZUDPWnd)
    ON_WM_CREATE()
    ON_WM_PAINT()
    ON_WM_PRINTCLIENT()
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_TIMER()
END_MESSAGE_MAP()

int CZUDPPlannerManagerCtrl::s_nFirstDayOfWeek = 0;
UINT CZUDPPlannerManagerCtrl::s_nClipboardFormat = 0;
CSize CZUDPPlannerManagerCtrl::s_sizeImages(0, 0);

namespace {

// The appointment images every planner shares; released at exit.
CImageList& SharedAppointmentImages()
{
    static CImageList images;
    return images;
}

} // namespace

CZUDPPlannerManagerCtrl::CZUDPPlannerManagerCtrl(CRuntimeClass* pStorageClass, CRuntimeClass* pClockIconsClass)
{
    SetStorageRTC(pStorageClass, TRUE);
    SetClockIconsRTC(pClockIconsClass, TRUE);

    CBitmap arrows;
    BOOL loaded;
    {
        CZUDPLocalResource resources;
        loaded = arrows.LoadBitmap(IDB_ZUDP_PLANNER_UP_DOWN);
    }
    BITMAP info = {};
    if (loaded && arrows.GetBitmap(&info) != 0 && info.bmWidth / 2 > 0 &&
        m_ilUpDown.Create(info.bmWidth / 2, info.bmHeight, ILC_MASK, 2, 0)) {
        m_ilUpDown.Add(&arrows, RGB(255, 0, 255));
        m_sizeUpDown = CSize(info.bmWidth / 2, info.bmHeight);
    }

    if (s_nClipboardFormat == 0)
        s_nClipboardFormat = ::RegisterClipboardFormatA(GetClipboardFormatName());
    s_nFirstDayOfWeek = GetLocaleFirstDayOfWeek();
    // A plain system scroll bar.
    m_wndScrollVert.SetDrawMode(CZUDPScrollBar::DrawPlatform);
}

CZUDPPlannerManagerCtrl::~CZUDPPlannerManagerCtrl()
{
    ClearQuery();
    delete m_pAppsStorage;
    delete m_pClockIcons;
}

BOOL CZUDPPlannerManagerCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CString className = g_uiEnvironment.RegisterWindowClass("ZUDPPlannerManagerCtrl");
    return CWnd::Create(className, "", dwStyle, rect, pParentWnd, nID);
}

int CZUDPPlannerManagerCtrl::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPWnd::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_wndScrollVert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(0, 0, 0, 0), this, 1);
    AdjustLayout(FALSE);
    return 0;
}

// ---- storage and clock icons ---------------------------------------------------------------

void CZUDPPlannerManagerCtrl::SetStorageRTC(CRuntimeClass* pStorageClass, BOOL bDeleteOld)
{
    if (bDeleteOld)
        delete m_pAppsStorage;
    m_pAppsStorage = nullptr;
    if (pStorageClass == nullptr || !pStorageClass->IsDerivedFrom(RUNTIME_CLASS(CZUDPAppointmentBaseStorage)))
        pStorageClass = m_bDefaultMultiResource ? RUNTIME_CLASS(CZUDPAppointmentMultiStorage)
                                                : RUNTIME_CLASS(CZUDPAppointmentStorage);
    CObject* pObject = pStorageClass->CreateObject();
    m_pAppsStorage = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseStorage, pObject);
    if (m_pAppsStorage == nullptr)
        delete pObject;
    m_bMultiResourceStorage = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseMultiStorage, m_pAppsStorage) != nullptr;
}

CZUDPPlannerClockIcons* CZUDPPlannerManagerCtrl::SetClockIconsRTC(CRuntimeClass* pClockIconsClass, BOOL bDeleteOld)
{
    if (bDeleteOld)
        delete m_pClockIcons;
    m_pClockIcons = nullptr;
    if (pClockIconsClass == nullptr || !pClockIconsClass->IsDerivedFrom(RUNTIME_CLASS(CZUDPPlannerClockIcons)))
        pClockIconsClass = RUNTIME_CLASS(CZUDPPlannerClockIcons);
    CObject* pObject = pClockIconsClass->CreateObject();
    m_pClockIcons = DYNAMIC_DOWNCAST(CZUDPPlannerClockIcons, pObject);
    if (m_pClockIcons == nullptr)
        delete pObject;
    return m_pClockIcons;
}

// ---- queries -----------------------------------------------------------------------------

void CZUDPPlannerManagerCtrl::AdjustLayout(BOOL bRedraw)
{
    if (m_pCurrentView != nullptr)
        m_pCurrentView->AdjustLayout(bRedraw);
}

void CZUDPPlannerManagerCtrl::QueryAppointments(CZUDPAppointmentArray& ar, const COleDateTime& dtFrom,
                                                const COleDateTime& dtTo)
{
    if (m_pAppsStorage != nullptr)
        m_pAppsStorage->Query(ar, dtFrom, dtTo);
}

void CZUDPPlannerManagerCtrl::RequeryAppointments()
{
    if (m_pCurrentView == nullptr)
        return;
    const COleDateTime start = m_pCurrentView->GetDateStart();
    const COleDateTime end = m_pCurrentView->GetDateEnd();
    ClearAppointmentSelection(FALSE);
    ClearQuery();
    QueryAppointments(m_QueryApps, start, end);
}

void CZUDPPlannerManagerCtrl::ClearQuery()
{
    for (INT_PTR i = 0; i < m_QueryApps.GetSize(); ++i) {
        CZUDPAppointment* pApp = m_QueryApps[i];
        if (pApp != nullptr && pApp->IsRecurrenceClone())
            delete pApp;
    }
    m_QueryApps.RemoveAll();
    ++m_nChangeCounter;
}

CScrollBar* CZUDPPlannerManagerCtrl::GetScrollBarCtrl(int nBar) const
{
    if (nBar != SB_VERT || m_wndScrollVert.GetSafeHwnd() == nullptr)
        return nullptr;
    return const_cast<CZUDPScrollBar*>(&m_wndScrollVert);
}

DWORD CZUDPPlannerManagerCtrl::GetDrawFlags() const
{
    return m_bDrawFlagsFromManager ? CZUDPVisualManager::GetActiveManager()->GetPlannerStyleOption() : m_dwDrawFlags;
}

HICON CZUDPPlannerManagerCtrl::GetUpDownIcon(int nIndex) const
{
    if (m_ilUpDown.GetSafeHandle() == nullptr || nIndex < 0 || nIndex >= m_ilUpDown.GetImageCount())
        return nullptr;
    return ImageList_GetIcon(m_ilUpDown, nIndex, ILD_NORMAL);
}

UINT CZUDPPlannerManagerCtrl::GetCurrentResourceID() const
{
    if (!m_bMultiResourceStorage)
        return 0;
    if (m_pCurrentView != nullptr && m_pCurrentView->GetCurrentResourceID() != 0)
        return m_pCurrentView->GetCurrentResourceID();
    auto* pMulti = DYNAMIC_DOWNCAST(CZUDPAppointmentBaseMultiStorage, m_pAppsStorage);
    return pMulti != nullptr ? pMulti->GetCurrentResourceID() : 0;
}

// ---- class-wide data -----------------------------------------------------------------------

int CZUDPPlannerManagerCtrl::GetLocaleFirstDayOfWeek()
{
    // The clock setting's first character: "0" a 12-hour locale, "1" a
    // 24-hour one.
    CString clock = g_plannerSeams.localeInfo(LOCALE_ITIME);
    return !clock.IsEmpty() && clock[0] == '1' ? 1 : 0;
}

void CZUDPPlannerManagerCtrl::InitImages()
{
    if (s_sizeImages.cx == 0 && s_sizeImages.cy == 0) {
        CZUDPLocalResource resources;
        SetImages(IDB_ZUDP_PLANNER_APP_IMAGES, 16, RGB(255, 0, 255));
    }
}

BOOL CZUDPPlannerManagerCtrl::SetImages(UINT nBitmapID, int cxImage, COLORREF clrMask)
{
    CImageList& images = SharedAppointmentImages();
    images.DeleteImageList();
    s_sizeImages = CSize(0, 0);
    if (nBitmapID == 0 || cxImage <= 0)
        return FALSE;
    HBITMAP hBitmap = static_cast<HBITMAP>(
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nBitmapID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    if (hBitmap == nullptr)
        return FALSE;
    CBitmap bitmap;
    bitmap.Attach(hBitmap);
    BITMAP info = {};
    bitmap.GetBitmap(&info);
    const BOOL masked = clrMask != 0xFFFFFFFF;
    UINT flags = masked ? ILC_MASK : 0;
    switch (info.bmBitsPixel) {
    case 4: flags |= ILC_COLOR4; break;
    case 8: flags |= ILC_COLOR8; break;
    case 16: flags |= ILC_COLOR16; break;
    case 24: flags |= ILC_COLOR24; break;
    case 32: flags |= ILC_COLOR32 | ILC_MASK; break;
    default: break;
    }
    if (info.bmHeight <= 0 || !images.Create(cxImage, info.bmHeight, flags, info.bmWidth / cxImage, 0))
        return FALSE;
    if (info.bmBitsPixel == 32 && !masked)
        images.Add(&bitmap, static_cast<CBitmap*>(nullptr));
    else
        images.Add(&bitmap, clrMask);
    s_sizeImages = CSize(cxImage, info.bmHeight);
    return TRUE;
}

int CZUDPPlannerManagerCtrl::GetImageCount()
{
    CImageList& images = SharedAppointmentImages();
    return images.GetSafeHandle() != nullptr ? images.GetImageCount() : 0;
}

void CZUDPPlannerManagerCtrl::DrawImageIcon(CDC* pDC, const CPoint& point, int nIndex)
{
    InitImages();
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr || nIndex < 0 || nIndex >= GetImageCount())
        return;
    ImageList_Draw(SharedAppointmentImages(), nIndex, pDC->GetSafeHdc(), point.x, point.y, ILD_NORMAL);
}

// ---- painting -------------------------------------------------------------------------------

CRect CZUDPPlannerManagerCtrl::GetPaintRect() const
{
    CRect rect;
    GetClientRect(rect);
    if (m_pCurrentView != nullptr && !m_pCurrentView->GetRect().IsRectEmpty())
        rect.right = m_pCurrentView->GetRect().right;
    return rect;
}

void CZUDPPlannerManagerCtrl::DoPaint(CDC* pDC)
{
    if (pDC == nullptr || pDC->GetSafeHdc() == nullptr)
        return;
    // The scroll bar keeps its own place.
    CRect client;
    GetClientRect(client);
    const CRect rectPaint = GetPaintRect();
    if (rectPaint.right < client.right)
        pDC->ExcludeClipRect(rectPaint.right, client.top, client.right, client.bottom);

    CZUDPMemDC memory(*pDC, this);
    CDC& dc = memory.GetDC();
    dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = m_pCurrentView != nullptr ? m_pCurrentView->SelectFont(&dc, FALSE) : nullptr;
    OnDraw(&dc);
    if (pOldFont != nullptr)
        dc.SelectObject(pOldFont);
}

void CZUDPPlannerManagerCtrl::OnDraw(CDC* pDC)
{
    if (m_pCurrentView != nullptr)
        m_pCurrentView->OnPaint(pDC, GetPaintRect());
    else
        pDC->FillRect(GetPaintRect(), &g_uiEnvironment.m_brushWindow);
}

void CZUDPPlannerManagerCtrl::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CZUDPPlannerManagerCtrl::OnPrintClient(CDC* pDC, UINT nFlags)
{
    if ((nFlags & PRF_CLIENT) != 0)
        DoPaint(pDC);
}

BOOL CZUDPPlannerManagerCtrl::OnEraseBkgnd(CDC* pDC)
{
    (void)pDC;
    return TRUE;
}

void CZUDPPlannerManagerCtrl::OnSize(UINT nType, int cx, int cy)
{
    CZUDPWnd::OnSize(nType, cx, cy);
    AdjustLayout(TRUE);
}

void CZUDPPlannerManagerCtrl::OnTimer(UINT_PTR nIDEvent)
{
    if (m_pCurrentView == nullptr || !m_pCurrentView->OnTimer(nIDEvent))
        Default();
}
