#include "ui/commandbars/ZUDPToolbarDropSource.h"

#include "res/ui/commandbars.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarButton.h"

// ---------------------------------------------------------------------------
// The drop source

SCODE CZUDPToolbarDropSource::QueryContinueDrag(BOOL bEscapePressed, DWORD dwKeyState)
{
    if (m_bDeleteOnDrop && m_hcurDelete != nullptr)
        ::SetCursor(m_hcurDelete);
    m_dwKeyState = dwKeyState;
    m_bEscapePressed = bEscapePressed;
    return COleDropSource::QueryContinueDrag(bEscapePressed, dwKeyState);
}

SCODE CZUDPToolbarDropSource::GiveFeedback(DROPEFFECT dropEffect)
{
    HCURSOR hCursor = nullptr;
    switch (dropEffect & ~DROPEFFECT_SCROLL) {
    case DROPEFFECT_COPY:
        hCursor = m_hcurCopy;
        break;
    case DROPEFFECT_MOVE:
        hCursor = m_hcurMove;
        break;
    default:
        hCursor = m_hcurDelete;
        break;
    }
    if (hCursor == nullptr)
        return COleDropSource::GiveFeedback(dropEffect);
    ::SetCursor(hCursor);
    return S_OK;
}

BOOL CZUDPToolbarDropSource::StartDrag(CWnd* pWnd)
{
    if (m_hcurDelete == nullptr) {
        HINSTANCE hResources = AfxGetResourceHandle();
        m_hcurDelete = ::LoadCursorA(hResources, MAKEINTRESOURCEA(IDC_ZUDP_DRAG_DELETE));
        m_hcurMove = ::LoadCursorA(hResources, MAKEINTRESOURCEA(IDC_ZUDP_DRAG_MOVE));
        m_hcurCopy = ::LoadCursorA(hResources, MAKEINTRESOURCEA(IDC_ZUDP_DRAG_COPY));
    }
    m_bDragBegan = TRUE;
    return COleDropSource::StartDrag(pWnd);
}

// ---------------------------------------------------------------------------
// The drop target

BOOL CZUDPToolbarDropTarget::Accepts(COleDataObject* pDataObject) const
{
    return g_customizeMode && m_pOwner != nullptr && pDataObject != nullptr &&
           pDataObject->IsDataAvailable(CZUDPToolbarButton::ButtonClipboardFormat());
}

DROPEFFECT CZUDPToolbarDropTarget::OnDragEnter(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!Accepts(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->TrackDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPToolbarDropTarget::OnDragOver(CWnd*, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!Accepts(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->TrackDragOver(pDataObject, dwKeyState, point);
}

DROPEFFECT CZUDPToolbarDropTarget::OnDropEx(CWnd*, COleDataObject* pDataObject, DROPEFFECT dropDefault, DROPEFFECT,
                                            CPoint point)
{
    if (!Accepts(pDataObject))
        return DROPEFFECT_NONE;
    return m_pOwner->DropButton(pDataObject, dropDefault, point) ? dropDefault : DROPEFFECT_NONE;
}

void CZUDPToolbarDropTarget::OnDragLeave(CWnd*)
{
    if (m_pOwner != nullptr)
        m_pOwner->RemoveInsertMark();
}
