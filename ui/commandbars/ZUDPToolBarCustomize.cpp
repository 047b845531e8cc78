// The toolbar in customization mode: selecting buttons, dragging them
// between bars (or off every bar to delete them), resizing buttons with
// controls, starting and ending groups by dragging, the button context
// menu and its commands, and the drop target's side: the insertion mark
// and the drop.  Alt+drag gives the same drag outside customization.
#include "ui/commandbars/ZUDPToolBar.h"

#include <algorithm>
#include <cstdlib>

#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/GdiObject.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/Menu.h"
#include "framework/win/Ole.h"
#include "res/ui/commandbars.h"
#include "res/ui/docking.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/docking/ZUDPTabWnd.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"

BOOL g_altCustomization = FALSE;

namespace {

// How near the right edge of a button with a control a press starts a
// resize, how far a group move must go, and the insertion mark's width.
const int kResizeEdge = 6;
const int kGroupMoveDistance = 6;
const int kInsertMarkWidth = 6;
// Walks of the toolbar list restart when a bar joins or leaves it; never
// more often than this.
const int kMaxListWalks = 16;

BOOL IsLiveCustomizeBar(const CZUDPToolBar* pBar)
{
    return pBar != nullptr && pBar->m_hWnd != nullptr && CWnd::FromHandlePermanent(pBar->m_hWnd) == pBar;
}

HCURSOR ResizeCursor()
{
    static HCURSOR s_hCursor = nullptr;
    if (s_hCursor == nullptr)
        s_hCursor = ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_ZUDP_SPLIT_HORZ));
    return s_hCursor;
}

// The toolbar that holds a bar living in a tab window (a tabbed toolbar's
// page), or null.
CZUDPToolBar* TabbedToolbarOf(CZUDPToolBar* pBar)
{
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(pBar->m_hWnd));
    if (DYNAMIC_DOWNCAST(CZUDPTabWnd, pParent) == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CZUDPToolBar, CWnd::FromHandlePermanent(::GetParent(pParent->m_hWnd)));
}

BOOL IsUserToolCmd(UINT uiCmd)
{
    return g_userToolsManager != nullptr && uiCmd >= g_userToolsManager->GetToolsFirstCmdId() &&
           uiCmd <= g_userToolsManager->GetToolsLastCmdId();
}

} // namespace

// ---------------------------------------------------------------------------
// The mode

BOOL CZUDPToolBar::SetCustomizeMode(BOOL bSet)
{
    bSet = bSet ? TRUE : FALSE;
    if ((g_customizeMode ? TRUE : FALSE) == bSet)
        return FALSE;
    for (int nWalk = 0; nWalk < kMaxListWalks; ++nWalk) {
        const INT_PTR nCount = g_toolbarList.GetCount();
        BOOL bChanged = FALSE;
        for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
            CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
            if (!IsLiveCustomizeBar(pBar))
                continue;
            pBar->ApplyCustomizeMode(bSet);
            if (g_toolbarList.GetCount() != nCount) {
                bChanged = TRUE;
                break;
            }
        }
        if (!bChanged)
            break;
    }
    g_customizeMode = bSet;

    std::vector<CZUDPToolBar*> bars;
    for (POSITION pos = g_toolbarList.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolBar* pBar = static_cast<CZUDPToolBar*>(g_toolbarList.GetNext(pos));
        if (IsLiveCustomizeBar(pBar))
            bars.push_back(pBar);
    }
    for (CZUDPToolBar* pBar : bars) {
        if (!pBar->m_bLocked)
            pBar->UpdateLayout();
    }
    for (CZUDPToolBar* pBar : bars) {
        if (!(pBar->GetStyle() & WS_VISIBLE))
            continue;
        if (CFrameWnd* pFrame = DYNAMIC_DOWNCAST(CFrameWnd, pBar->GetDockSiteFrame())) {
            pFrame->RecalcLayout();
            break;
        }
    }
    for (CZUDPToolBar* pBar : bars) {
        if (IsLiveCustomizeBar(pBar))
            pBar->RedrawWindow(nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
    if (!bSet)
        g_customizeSelectedBar = nullptr;
    return TRUE;
}

void CZUDPToolBar::ApplyCustomizeMode(BOOL bCustomize)
{
    m_iButtonCapture = -1;
    m_iHot = -1;
    m_iSelected = -1;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        pButton->CancelMode();
        if (!(pButton->style & TBBS_DISABLED))
            pButton->EnableControl(!bCustomize);
    }
}

void CZUDPToolBar::SelectCustomizeButton(int iIndex)
{
    if (g_customizeSelectedBar != this) {
        CZUDPToolBar* pPrevious = g_customizeSelectedBar;
        g_customizeSelectedBar = this;
        if (IsLiveCustomizeBar(pPrevious)) {
            const int iOld = pPrevious->m_iSelected;
            pPrevious->m_iSelected = -1;
            pPrevious->InvalidateButton(iOld);
            pPrevious->UpdateWindow();
        }
    }
    if (iIndex == m_iSelected)
        return;
    const int iOld = m_iSelected;
    m_iSelected = GetButtonAt(iIndex) != nullptr ? iIndex : -1;
    InvalidateButton(iOld);
    InvalidateButton(m_iSelected);
    if (m_hWnd != nullptr)
        UpdateWindow();
}

void CZUDPToolBar::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CZUDPBaseToolBar::OnShowWindow(bShow, nStatus);
    if (!g_customizeMode || m_bLocked || bShow)
        return;
    if (g_customizeSelectedBar == this) {
        g_customizeSelectedBar = nullptr;
        m_iSelected = -1;
    }
}

// ---------------------------------------------------------------------------
// Pressing a button in customization (or with Alt)

BOOL CZUDPToolBar::HandleCustomizeLButtonDown(UINT nFlags, CPoint point)
{
    if (m_bLocked || m_bDisableCustomize)
        return FALSE;
    BOOL bQuick = FALSE;
    if (!g_customizeMode) {
        if (!g_altCustomization || !AllowAltCustomization() || g_frameworkSeams.keyState(VK_MENU) >= 0)
            return FALSE;
        const int iHit = HitTest(point);
        if (iHit < 0)
            return FALSE;
        bQuick = TRUE;
        g_quickCustomize = TRUE;
        m_iHot = -1;
        SelectCustomizeButton(iHit);
    } else {
        SelectCustomizeButton(m_iSelected);
        if (HitTest(point) < 0) {
            SelectCustomizeButton(-1);
            m_iHot = -1;
            if (CanFloat())
                ::SetCursor(::LoadCursorA(nullptr, IDC_SIZEALL));
            CZUDPBaseToolBar::OnLButtonDown(nFlags, point);
            return TRUE;
        }
    }

    const int iHit = HitTest(point);
    SelectCustomizeButton(iHit);
    CZUDPToolbarButton* pButton = GetButtonAt(iHit);
    m_pDragButton = pButton;
    m_bIsDragCopy = (nFlags & MK_CONTROL) != 0;
    if (pButton == nullptr || !pButton->IsCustomizable()) {
        SelectCustomizeButton(-1);
        m_pDragButton = nullptr;
        if (bQuick)
            EndQuickCustomize();
        return TRUE;
    }

    if (pButton->HasEmbeddedControl() && point.x >= pButton->rect.right - kResizeEdge && !bQuick) {
        m_bStretchButton = TRUE;
        m_rectTrack = pButton->rect;
        if (pButton->GetControlHwnd() != nullptr)
            m_rectTrack.InflateRect(2, 2);
        m_rectResizeShown.SetRectEmpty();
        m_pWndLastCapture = CWnd::GetCapture();
        SetCapture();
        ::SetCursor(ResizeCursor());
        return TRUE;
    }

    if (pButton->CanBeDragged() && pButton->ClosePopup())
        DragButton(pButton, point);
    m_pDragButton = nullptr;
    m_ptStartDrag = CPoint(-1, -1);
    if (bQuick)
        EndQuickCustomize();
    return TRUE;
}

void CZUDPToolBar::DragButton(CZUDPToolbarButton* pButton, CPoint point)
{
    const BOOL bQuick = g_quickCustomize;
    COleDataSource data;
    if (!pButton->ExportDragData(data))
        return;
    ShowCommandMessageString(pButton->commandId);
    g_toolbarDropSource.m_bDragBegan = FALSE;
    g_toolbarDropSource.m_bEscapePressed = FALSE;
    // Over no bar until a bar takes the drag.
    g_toolbarDropSource.m_bDeleteOnDrop = TRUE;
    m_ptStartDrag = point;
    if (bQuick)
        g_customizeMode = TRUE;

    const HWND hWnd = m_hWnd;
    CRect rectStart = pButton->rect;
    ClientToScreen(&rectStart);
    const DROPEFFECT dropEffect =
        data.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, &rectStart, &g_toolbarDropSource);
    if (!::IsWindow(hWnd) || CWnd::FromHandlePermanent(hWnd) != this) {
        if (bQuick) {
            g_customizeMode = FALSE;
            g_quickCustomize = FALSE;
            g_customizeSelectedBar = nullptr;
        }
        return;
    }

    // A drop on this bar took the dragged button (the field is cleared):
    // it is somewhere else on the bar now, and the pointer is kept only
    // while the field holds it.
    CZUDPToolbarButton* pDragged = m_pDragButton;
    const int iDragged = IndexOfButton(pDragged);
    if (!g_toolbarDropSource.m_bDragBegan) {
        // A plain click.
        if (iDragged >= 0) {
            m_iHot = iDragged;
            InvalidateButton(iDragged);
        }
        return;
    }
    CPoint ptNow;
    g_frameworkSeams.cursorPos(&ptNow);
    ScreenToClient(&ptNow);
    if (iDragged >= 0 && pDragged->rect.PtInRect(ptNow)) {
        m_iHot = iDragged;
        InvalidateButton(iDragged);
        return;
    }
    // Moved to another bar, or released over none; a bar that refused the
    // drop leaves the button where it was.
    const BOOL bGone = (dropEffect & DROPEFFECT_MOVE) != 0 ||
                       (dropEffect == DROPEFFECT_NONE && g_toolbarDropSource.m_bDeleteOnDrop);
    if (iDragged >= 0 && bGone && !g_toolbarDropSource.m_bEscapePressed &&
        AllowRemoveDraggedButton(pDragged, dropEffect)) {
        // Moved to another bar, or dropped over none: it leaves this bar.
        m_pDragButton = nullptr;
        RemoveButton(iDragged);
        m_iSelected = -1;
        PositionButtons();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        RecalcSizeInParent(TRUE);
        if (CWnd* pParent = GetParent())
            pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (!bQuick)
            UpdateLayout();
        if (CZUDPToolBar* pTabbed = TabbedToolbarOf(this))
            pTabbed->RefreshPlacement();
        return;
    }
    if (iDragged >= 0)
        InvalidateButton(iDragged);
}

void CZUDPToolBar::EndQuickCustomize()
{
    g_quickCustomize = FALSE;
    g_customizeSelectedBar = nullptr;
    m_iSelected = -1;
    SetCustomizeMode(FALSE);
    if (m_hWnd != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

// ---------------------------------------------------------------------------
// Resizing a button with a control

BOOL CZUDPToolBar::TrackButtonResize(CPoint point)
{
    if (!m_bStretchButton)
        return FALSE;
    CZUDPToolbarButton* pButton = m_pDragButton;
    if (pButton != nullptr && point.x > pButton->rect.left + 4) {
        CRect rectNew = m_rectTrack;
        rectNew.right = point.x;
        m_rectTrack = rectNew;
        CClientDC dc(this);
        const CSize sizeFrame(2, 2);
        dc.DrawDragRect(&rectNew, sizeFrame, m_rectResizeShown.IsRectEmpty() ? nullptr : &m_rectResizeShown,
                        sizeFrame);
        m_rectResizeShown = rectNew;
    }
    ::SetCursor(ResizeCursor());
    return TRUE;
}

BOOL CZUDPToolBar::EndButtonResize(CPoint point)
{
    if (!m_bStretchButton)
        return FALSE;
    CZUDPToolbarButton* pButton = m_pDragButton;
    if (!m_rectResizeShown.IsRectEmpty()) {
        CClientDC dc(this);
        dc.DrawDragRect(CRect(0, 0, 0, 0), CSize(0, 0), &m_rectResizeShown, CSize(2, 2));
    }
    if (pButton != nullptr && IndexOfButton(pButton) >= 0) {
        const int nLeft = pButton->rect.left;
        if (point.x - nLeft >= 5 && std::abs(point.x - pButton->rect.right) > kResizeEdge) {
            pButton->SetWidth(point.x - nLeft);
            UpdateLayout();
        }
    }
    m_rectTrack.SetRectEmpty();
    m_rectResizeShown.SetRectEmpty();
    m_pDragButton = nullptr;
    m_bStretchButton = FALSE;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    if (CWnd::GetCapture() == this)
        ::ReleaseCapture();
    if (m_pWndLastCapture != nullptr && ::IsWindow(m_pWndLastCapture->GetSafeHwnd()))
        m_pWndLastCapture->SetCapture();
    m_pWndLastCapture = nullptr;
    RecalcSizeInParent(TRUE);
    return TRUE;
}

BOOL CZUDPToolBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (m_bStretchButton) {
        ::SetCursor(ResizeCursor());
        return TRUE;
    }
    if (g_customizeMode && !m_bLocked) {
        const CZUDPToolbarButton* pSelected = GetButtonAt(m_iSelected);
        if (pSelected != nullptr && pSelected->HasEmbeddedControl()) {
            CPoint point;
            g_frameworkSeams.cursorPos(&point);
            ScreenToClient(&point);
            if (point.y >= pSelected->rect.top && point.y < pSelected->rect.bottom &&
                point.x >= pSelected->rect.right - kResizeEdge && point.x <= pSelected->rect.right) {
                ::SetCursor(ResizeCursor());
                return TRUE;
            }
        }
    }
    return CZUDPBaseToolBar::OnSetCursor(pWnd, nHitTest, message);
}

// ---------------------------------------------------------------------------
// Dropping buttons

DROPEFFECT CZUDPToolBar::TrackDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_bDisableCustomize)
        return DROPEFFECT_NONE;
    return TrackDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPToolBar::TrackDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (m_bLocked || m_bDisableCustomize)
        return DROPEFFECT_NONE;
    CZUDPToolbarButton* pProbe = CZUDPToolbarButton::CreateFromOleData(pDataObject);
    if (pProbe == nullptr)
        return DROPEFFECT_NONE;
    const BOOL bAllowed = pProbe->CanBeDroppedOn(this);
    delete pProbe;
    if (!bAllowed)
        return DROPEFFECT_NONE;
    // Over a bar the button is not deleted when dropped.
    g_toolbarDropSource.m_bDeleteOnDrop = FALSE;

    m_bIsDragCopy = (dwKeyState & MK_CONTROL) != 0;
    if (m_pDragButton == nullptr && m_iSelected >= 0) {
        const int iOld = m_iSelected;
        m_iSelected = -1;
        InvalidateButton(iOld);
        UpdateWindow();
    }

    CRect rectMark;
    const int iIndex = FindDropIndex(point, rectMark);
    m_iDragIndex = iIndex;
    if (rectMark != m_rectDrag) {
        CRect rectOld = m_rectDrag;
        rectOld.InflateRect(2, 2);
        m_rectDrag = rectMark;
        CRect rectNew = m_rectDrag;
        rectNew.InflateRect(2, 2);
        InvalidateRect(&rectOld);
        InvalidateRect(&rectNew);
        UpdateWindow();
    }

    const int iHot = HitTest(point);
    if (iHot != m_iHot) {
        const int iOldHot = m_iHot;
        m_iHot = iHot;
        InvalidateButton(iOldHot);
        InvalidateButton(iHot);
        SetHotButton(iHot);
    }

    if (iIndex < 0)
        return DROPEFFECT_NONE;
    return (dwKeyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
}

void CZUDPToolBar::RemoveInsertMark()
{
    if (m_bDisableCustomize)
        return;
    // The dragged button is over no toolbar now.
    g_toolbarDropSource.m_bDeleteOnDrop = TRUE;
    CRect rectMark = m_rectDrag;
    rectMark.InflateRect(2, 2);
    if (m_hWnd != nullptr && !m_rectDrag.IsRectEmpty()) {
        InvalidateRect(&rectMark);
        UpdateWindow();
    }
    m_rectDrag.SetRectEmpty();
    m_iDragIndex = -1;
}

BOOL CZUDPToolBar::DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    if (m_bDisableCustomize || m_iDragIndex < 0)
        return FALSE;
    CZUDPToolbarButton* pDragged = m_pDragButton;
    m_pDragButton = nullptr;
    int iInsertAt = m_iDragIndex;
    RemoveInsertMark();
    // Released over a bar: whatever it makes of the drop, the button is not
    // deleted for being over none.
    g_toolbarDropSource.m_bDeleteOnDrop = FALSE;

    const int iUnder = HitTest(point);
    if (pDragged != nullptr && iUnder >= 0 && GetButtonAt(iUnder) == pDragged) {
        // Dropped onto itself: nothing changes.
        return FALSE;
    }

    CZUDPToolbarButton* pNew = CreateButtonFromDrop(pDataObject);
    if (pNew == nullptr)
        return FALSE;
    if (!pNew->OnBeforeDrop(this)) {
        // The button refused this bar: the source keeps its own.
        delete pNew;
        return FALSE;
    }
    pNew->fromCommandList = FALSE;

    const int iOld = IndexOfButton(pDragged);
    if (iOld >= 0 && dropEffect != DROPEFFECT_COPY) {
        if (iInsertAt == iOld || iInsertAt == iOld + 1) {
            // Dropped at its own place: starts or ends a group.
            MoveButtonGroup(pDragged, m_ptStartDrag, point);
            delete pNew;
            return TRUE;
        }
        RemoveButton(iOld);
        if (iInsertAt > iOld)
            --iInsertAt;
        iInsertAt = std::min(iInsertAt, GetCount());
    }
    if (InsertButton(pNew, iInsertAt) < 0) {
        delete pNew;
        return FALSE;
    }

    UpdateLayout();
    if (CZUDPToolBar* pTabbed = TabbedToolbarOf(this))
        pTabbed->RefreshPlacement();
    if (g_quickCustomize)
        pNew->SaveMenuChainItems();
    m_iSelected = -1;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    if (CWnd* pParent = GetParent()) {
        if (pParent->IsKindOf(RUNTIME_CLASS(CZUDPPopupMenu)))
            pParent->RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    }
    return TRUE;
}

CZUDPToolbarButton* CZUDPToolBar::CreateButtonFromDrop(COleDataObject* pDataObject)
{
    CZUDPToolbarButton* pButton = CZUDPToolbarButton::CreateFromOleData(pDataObject);
    if (pButton == nullptr)
        return nullptr;
    const int nTab = pButton->text.Find('\t');
    if (nTab >= 0)
        pButton->text = pButton->text.Left(nTab);
    if (pButton->fromCommandList) {
        pButton->showImage = TRUE;
        pButton->showText = FALSE;
        if (pButton->GetActiveImage() < 0 && pButton->text.IsEmpty()) {
            if (g_commandBarsSeams.buttonAppearanceDialog(pButton, g_sharedUserImages, this, 0,
                                                          IsMenuStyleFor(pButton)) != IDOK) {
                delete pButton;
                return nullptr;
            }
        }
    }
    if (pButton->GetActiveImage() < 0) {
        pButton->showText = TRUE;
        pButton->showImage = FALSE;
    }
    return pButton;
}

int CZUDPToolBar::FindDropIndex(CPoint point, CRect& rectDrag) const
{
    CRect rectClient;
    GetClientRect(&rectClient);
    const int y = std::max(0, int(point.y));
    const int x = point.x;
    const int nCount = GetCount();
    rectDrag.SetRectEmpty();
    if (nCount == 0 || (nCount == 1 && m_pCustomizeBtn != nullptr)) {
        rectDrag = rectClient;
        return 0;
    }

    const BOOL bHorz = IsHorizontal();
    int iIndex = -1;
    int nEdge = 0;
    if (!bHorz) {
        int i = 0;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
            const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
            if (pButton->rect.bottom < y)
                continue;
            if (y < pButton->rect.top) {
                iIndex = i;
                nEdge = pButton->rect.top;
            } else if (pButton->rect.bottom - y < y - pButton->rect.top) {
                iIndex = i + 1;
                nEdge = pButton->rect.bottom;
            } else {
                iIndex = i;
                nEdge = pButton->rect.top;
            }
            break;
        }
    } else {
        // The rows: the gap between them from the first two rows' visible
        // buttons, the row height from the bar.
        const int nRowHeight = std::max(1, GetRowHeight());
        const CZUDPToolbarButton* pFirst = nullptr;
        const CZUDPToolbarButton* pSecondRow = nullptr;
        const CZUDPToolbarButton* pPrevious = nullptr;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
            const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
            if (!pButton->visible || pButton->overflowHidden || pButton->rect.IsRectEmpty())
                continue;
            if (pFirst == nullptr)
                pFirst = pButton;
            else if (pSecondRow == nullptr && pPrevious != nullptr && pButton->rect.top >= pPrevious->rect.bottom)
                pSecondRow = pButton;
            pPrevious = pButton;
        }
        const int nGap = pFirst != nullptr && pSecondRow != nullptr ? std::max(0, int(pSecondRow->rect.top - pFirst->rect.bottom))
                                                                      : nRowHeight;
        const int nTargetRow = y / std::max(1, nRowHeight + nGap);
        int nRow = 0;
        pPrevious = nullptr;
        const CZUDPToolbarButton* pLastInTarget = nullptr;
        int iLastInTarget = -1;
        int i = 0;
        BOOL bDecided = FALSE;
        for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++i) {
            const CZUDPToolbarButton* pButton = static_cast<const CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
            if (!pButton->visible || pButton->overflowHidden || pButton->rect.IsRectEmpty())
                continue;
            if (pPrevious != nullptr && pButton->rect.top >= pPrevious->rect.bottom)
                ++nRow;
            pPrevious = pButton;
            if (nRow > nTargetRow) {
                if (pLastInTarget != nullptr) {
                    iIndex = iLastInTarget + 1;
                    nEdge = pLastInTarget->rect.right;
                }
                bDecided = TRUE;
                break;
            }
            if (nRow < nTargetRow)
                continue;
            if (x < pButton->rect.left) {
                iIndex = i;
                nEdge = pButton->rect.left;
                bDecided = TRUE;
                break;
            }
            if (x <= pButton->rect.right) {
                if (pButton->rect.right - x < x - pButton->rect.left) {
                    iIndex = i + 1;
                    nEdge = pButton->rect.right;
                } else {
                    iIndex = i;
                    nEdge = pButton->rect.left;
                }
                bDecided = TRUE;
                break;
            }
            pLastInTarget = pButton;
            iLastInTarget = i;
        }
        if (!bDecided && pPrevious != nullptr && pLastInTarget == pPrevious) {
            iIndex = nCount;
            nEdge = pPrevious->rect.right;
        }
    }
    if (iIndex < 0)
        return -1;
    if (iIndex >= nCount && m_pCustomizeBtn != nullptr)
        iIndex = nCount - 1;
    if (iIndex > nCount)
        iIndex = nCount;

    // A mark 6 pixels thick across the row, never outside the client area.
    if (bHorz) {
        int nLeft = std::max(int(rectClient.left), nEdge - kInsertMarkWidth / 2);
        if (nLeft + kInsertMarkWidth > rectClient.right)
            nLeft = std::max(int(rectClient.left), int(rectClient.right) - kInsertMarkWidth);
        const CZUDPToolbarButton* pRowButton = GetButtonAt(std::min(iIndex, nCount - 1));
        int nTop = rectClient.top, nBottom = rectClient.bottom;
        if (pRowButton != nullptr && !pRowButton->rect.IsRectEmpty()) {
            nTop = pRowButton->rect.top;
            nBottom = pRowButton->rect.bottom;
        }
        rectDrag = CRect(nLeft, nTop, nLeft + kInsertMarkWidth, nBottom);
    } else {
        int nTop = std::max(int(rectClient.top), nEdge - kInsertMarkWidth / 2);
        if (nTop + kInsertMarkWidth > rectClient.bottom)
            nTop = std::max(int(rectClient.top), int(rectClient.bottom) - kInsertMarkWidth);
        rectDrag = CRect(rectClient.left, nTop, rectClient.right, nTop + kInsertMarkWidth);
    }
    return iIndex;
}

void CZUDPToolBar::MoveButtonGroup(CZUDPToolbarButton* pButton, CPoint ptStart, CPoint ptEnd)
{
    const int iIndex = IndexOfButton(pButton);
    if (iIndex <= 0)
        return;
    const int nDelta = IsHorizontal() ? ptEnd.x - ptStart.x : ptEnd.y - ptStart.y;
    if (std::abs(nDelta) < kGroupMoveDistance)
        return;
    CZUDPToolbarButton* pPrevious = GetButtonAt(iIndex - 1);
    if (nDelta < 0) {
        // Back: the group joins the one before.
        if (pPrevious == nullptr || !pPrevious->IsSeparator() || !pPrevious->visible)
            return;
        RemoveButton(iIndex - 1);
    } else {
        // Forward: a new group starts here.
        if (pPrevious == nullptr || pPrevious->IsSeparator())
            return;
        InsertSeparator(iIndex);
    }
    UpdateLayout();
    m_iSelected = -1;
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

// ---------------------------------------------------------------------------
// The button context menu

BOOL CZUDPToolBar::ShowButtonContextMenu(CPoint point)
{
    SetFocus();
    const BOOL bKeyboard = point.x == -1 && point.y == -1;
    if (!bKeyboard) {
        CPoint ptClient = point;
        ScreenToClient(&ptClient);
        SelectCustomizeButton(HitTest(ptClient));
    } else {
        SelectCustomizeButton(m_iSelected);
    }
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return FALSE;
    if (!pButton->IsCustomizable()) {
        SelectCustomizeButton(-1);
        return FALSE;
    }
    if (!pButton->CanBeDragged())
        return FALSE;
    if (bKeyboard) {
        CRect rectWindow;
        GetWindowRect(&rectWindow);
        point = CPoint(rectWindow.left + 5, rectWindow.top + 5);
    }

    CMenu menu;
    if (!menu.LoadMenu(IDR_ZUDP_BUTTON_MENU))
        return FALSE;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (pPopup == nullptr)
        return FALSE;
    if (pButton->locked)
        pPopup->EnableMenuItem(ID_ZUDP_BUTTON_RESET, MF_BYCOMMAND | MF_GRAYED);
    PrepareButtonContextMenu(pButton, pPopup);
    const CZUDPToolbarButton* pPrevious = GetButtonAt(m_iSelected - 1);
    if (pPrevious != nullptr && !pPrevious->visible)
        pPopup->EnableMenuItem(ID_ZUDP_BUTTON_START_GROUP, MF_BYCOMMAND | MF_GRAYED);
    const UINT uiCmd = UINT(g_frameworkSeams.trackPopupMenu(pPopup->GetSafeHmenu(),
                                                            TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, point.x,
                                                            point.y, m_hWnd, nullptr));
    if (uiCmd != 0 && m_hWnd != nullptr)
        SendMessage(WM_COMMAND, uiCmd, 0);
    return TRUE;
}

BOOL CZUDPToolBar::PrepareButtonContextMenu(CZUDPToolbarButton* pButton, CMenu* pPopup)
{
    if (pButton == nullptr || pPopup == nullptr)
        return TRUE;
    if (!pButton->PrepareContextMenu(pPopup)) {
        if (!pButton->showImage || pButton->GetActiveImage() < 0)
            pPopup->EnableMenuItem(ID_ZUDP_BUTTON_COPY_IMAGE, MF_BYCOMMAND | MF_GRAYED);
        if (pButton->commandId == 0 || pButton->commandId == (UINT)-1)
            pPopup->EnableMenuItem(ID_ZUDP_BUTTON_RESET, MF_BYCOMMAND | MF_GRAYED);
        const BOOL bTextBelow = pButton->textBelowImage && IsHorizontal();
        const BOOL bText = pButton->showText || bTextBelow;
        UINT uiRadio = ID_ZUDP_BUTTON_IMAGE;
        if (bText && pButton->showImage)
            uiRadio = ID_ZUDP_BUTTON_IMAGE_TEXT;
        else if (bText)
            uiRadio = ID_ZUDP_BUTTON_TEXT;
        pPopup->CheckMenuRadioItem(ID_ZUDP_BUTTON_IMAGE, ID_ZUDP_BUTTON_IMAGE_TEXT, uiRadio, MF_BYCOMMAND);
        if (bTextBelow)
            pPopup->EnableMenuItem(ID_ZUDP_BUTTON_IMAGE, MF_BYCOMMAND | MF_GRAYED);
        if (IsMenuStyleFor(pButton)) {
            pPopup->EnableMenuItem(ID_ZUDP_BUTTON_IMAGE, MF_BYCOMMAND | MF_GRAYED);
            pPopup->EnableMenuItem(ID_ZUDP_BUTTON_TEXT, MF_BYCOMMAND | MF_GRAYED);
            pPopup->EnableMenuItem(ID_ZUDP_BUTTON_IMAGE_TEXT, MF_BYCOMMAND | MF_GRAYED);
            pButton->showText = TRUE;
        }
    }
    const int iIndex = IndexOfButton(pButton);
    if (iIndex == 0)
        pPopup->EnableMenuItem(ID_ZUDP_BUTTON_START_GROUP, MF_BYCOMMAND | MF_GRAYED);
    const CZUDPToolbarButton* pPrevious = GetButtonAt(iIndex - 1);
    if (pPrevious != nullptr && pPrevious->IsSeparator())
        pPopup->CheckMenuItem(ID_ZUDP_BUTTON_START_GROUP, MF_BYCOMMAND | MF_CHECKED);
    return TRUE;
}

// ---------------------------------------------------------------------------
// The context menu's commands (on the selected button)

INT_PTR CZUDPToolBar::RunAppearanceDialog(CZUDPToolbarButton* pButton)
{
    return g_commandBarsSeams.buttonAppearanceDialog(pButton, g_sharedUserImages, this, 0, IsMenuStyleFor(pButton));
}

void CZUDPToolBar::OnResetButton()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return;
    const UINT uiCmd = pButton->commandId;
    if (!IsUserToolCmd(uiCmd)) {
        int iImage = -1;
        if (g_defaultCommandImages.Lookup(uiCmd, iImage)) {
            pButton->usesUserImage = FALSE;
            pButton->AssignImage(iImage);
            pButton->showImage = TRUE;
        } else {
            pButton->showImage = FALSE;
        }
    }
    if (IsMenuStyleFor(pButton) || !pButton->showImage)
        pButton->showText = TRUE;
    UpdateButtonText(pButton);
    UpdateLayout();
    g_commandManager.ClearUserCommandImage(uiCmd);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CZUDPToolBar::OnCopyButtonImage()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return;
    if (!pButton->usesUserImage && IsUserToolCmd(pButton->commandId)) {
        if (CZUDPUserTool* pTool = g_userToolsManager->FindToolByCommand(pButton->commandId))
            CopyToolIcon(*pTool);
        return;
    }
    if (pButton->usesUserImage) {
        if (g_sharedUserImages != nullptr)
            g_sharedUserImages->PutImageOnClipboard(pButton->userImageIndex);
        return;
    }
    (m_bLocked ? m_ImagesLocked : g_sharedToolbarImages).PutImageOnClipboard(pButton->imageIndex);
}

void CZUDPToolBar::CopyToolIcon(const CZUDPUserTool& tool)
{
    const CSize sizeImage = GetImageSize();
    CClientDC dcScreen(this);
    CDC dc;
    if (!dc.CreateCompatibleDC(&dcScreen))
        return;
    CBitmap bitmap;
    if (!bitmap.CreateCompatibleBitmap(&dcScreen, sizeImage.cx, sizeImage.cy))
        return;
    CBitmap* pOld = dc.SelectObject(&bitmap);
    const CRect rect(CPoint(0, 0), sizeImage);
    dc.FillSolidRect(&rect, g_uiEnvironment.m_colorButtonFace);
    tool.DrawToolIcon(&dc, rect);
    dc.SelectObject(pOld);
    if (g_commandBarsSeams.clipboardPutBitmap(m_hWnd, HBITMAP(bitmap.GetSafeHandle())))
        bitmap.Detach();
}

void CZUDPToolBar::OnDeleteButton()
{
    if (GetButtonAt(m_iSelected) == nullptr)
        return;
    RemoveButton(m_iSelected);
    m_iSelected = -1;
    RecalcLayoutNow();
}

void CZUDPToolBar::OnButtonAppearance()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return;
    if (pButton->text.IsEmpty())
        UpdateButtonText(pButton);
    if (RunAppearanceDialog(pButton) == IDOK) {
        UpdateLayout();
        RecalcSizeInParent(TRUE);
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CZUDPToolBar::OnButtonImageOnly()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return;
    const BOOL bText = pButton->showText, bImage = pButton->showImage;
    pButton->showText = FALSE;
    pButton->showImage = TRUE;
    if (pButton->GetActiveImage() < 0 && RunAppearanceDialog(pButton) != IDOK) {
        pButton->showText = bText;
        pButton->showImage = bImage;
        return;
    }
    UpdateLayout();
    RecalcSizeInParent(TRUE);
}

void CZUDPToolBar::OnButtonTextOnly()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return;
    pButton->showText = TRUE;
    pButton->showImage = FALSE;
    if (pButton->text.IsEmpty())
        UpdateButtonText(pButton);
    if (pButton->text.IsEmpty()) {
        ::MessageBeep((UINT)-1);
        pButton->showImage = TRUE;
        pButton->showText = FALSE;
    }
    UpdateLayout();
    RecalcSizeInParent(TRUE);
}

void CZUDPToolBar::OnButtonImageAndText()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr)
        return;
    const BOOL bText = pButton->showText, bImage = pButton->showImage;
    pButton->showText = TRUE;
    pButton->showImage = TRUE;
    if (pButton->GetActiveImage() < 0 && RunAppearanceDialog(pButton) != IDOK) {
        pButton->showText = bText;
        pButton->showImage = bImage;
        return;
    }
    if (pButton->text.IsEmpty())
        UpdateButtonText(pButton);
    if (pButton->text.IsEmpty()) {
        ::MessageBeep((UINT)-1);
        pButton->showText = FALSE;
        pButton->showImage = TRUE;
    }
    UpdateLayout();
}

void CZUDPToolBar::OnStartGroup()
{
    CZUDPToolbarButton* pButton = GetButtonAt(m_iSelected);
    if (pButton == nullptr || m_iSelected == 0)
        return;
    const CZUDPToolbarButton* pPrevious = GetButtonAt(m_iSelected - 1);
    if (pPrevious == nullptr)
        return;
    if (!pPrevious->IsSeparator()) {
        const int iSelected = m_iSelected;
        if (InsertSeparator(iSelected) >= 0)
            m_iSelected = iSelected + 1;
    } else if (pPrevious->visible) {
        const int iSelected = m_iSelected;
        RemoveButton(iSelected - 1);
        m_iSelected = IndexOfButton(pButton);
    }
    UpdateLayout();
}

void CZUDPToolBar::OnInsertMenuButton()
{
    auto* pMenuButton = new CZUDPToolbarMenuButton(0, nullptr, -1, nullptr, FALSE);
    pMenuButton->showText = TRUE;
    pMenuButton->showImage = FALSE;
    if (RunAppearanceDialog(pMenuButton) != IDOK) {
        delete pMenuButton;
        return;
    }
    const int iIndex = InsertButton(pMenuButton, m_iSelected >= 0 ? m_iSelected : -1);
    if (iIndex < 0) {
        delete pMenuButton;
        return;
    }
    m_iSelected = iIndex;
    UpdateLayout();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    pMenuButton->OnClick(this, FALSE);
}
