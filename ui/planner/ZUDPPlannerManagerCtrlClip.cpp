// The planner control's clipboard commands and the stream helpers they and
// drag and drop share.
#include "ui/planner/ZUDPPlannerManagerCtrl.h"

#include <cstring>

#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/win/WinApp.h"
#include "ui/planner/AppointmentStream.h"
#include "ui/planner/ZUDPPlannerView.h"

namespace {

// A moveable global block holding the bytes (null when it cannot be made).
HGLOBAL GlobalBlockOf(const void* data, SIZE_T size)
{
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size == 0 ? 1 : size);
    if (block == nullptr)
        return nullptr;
    void* p = ::GlobalLock(block);
    if (p == nullptr) {
        ::GlobalFree(block);
        return nullptr;
    }
    if (size > 0)
        std::memcpy(p, data, size);
    ::GlobalUnlock(block);
    return block;
}

// Hands a block to the clipboard; the block is freed when it is refused.
BOOL PutClipboardBlock(UINT format, HGLOBAL block)
{
    if (block == nullptr)
        return FALSE;
    if (::SetClipboardData(format, block) != nullptr)
        return TRUE;
    ::GlobalFree(block);
    return FALSE;
}

} // namespace

CWnd* CZUDPPlannerManagerCtrl::GetInPlaceEdit() const
{
    if (GetSafeHwnd() == nullptr)
        return nullptr;
    HWND edit = ::GetDlgItem(GetSafeHwnd(), 2);
    return edit != nullptr ? CWnd::FromHandle(edit) : nullptr;
}

BOOL CZUDPPlannerManagerCtrl::IsEditCopyEnabled() const
{
    if (GetInPlaceEdit() != nullptr)
        return TRUE;
    return s_nClipboardFormat != 0 && !m_SelectedApps.IsEmpty();
}

BOOL CZUDPPlannerManagerCtrl::IsEditCutEnabled() const { return IsEditCopyEnabled() && !m_bReadOnly; }

BOOL CZUDPPlannerManagerCtrl::IsEditPasteEnabled() const
{
    if (m_bReadOnly)
        return FALSE;
    if (GetInPlaceEdit() != nullptr)
        return ::IsClipboardFormatAvailable(CF_TEXT);
    return s_nClipboardFormat != 0 && ::IsClipboardFormatAvailable(s_nClipboardFormat);
}

BOOL CZUDPPlannerManagerCtrl::SaveAppointmentsToArchive(CArchive& ar, CZUDPAppointmentArray& apps,
                                                        CZUDPAppointmentArray* pWritten)
{
    try {
        return AppointmentStream::Write(ar, apps, pWritten) > 0;
    } catch (CException* e) {
        e->Delete();
        if (pWritten != nullptr)
            pWritten->RemoveAll();
        return FALSE;
    }
}

BOOL CZUDPPlannerManagerCtrl::LoadAppointmentsFromArchive(CArchive& ar, CZUDPAppointmentArray& apps, int nViewType,
                                                          const COleDateTime& place)
{
    if (!AppointmentStream::Read(ar, apps))
        return FALSE;
    AppointmentStream::Place(apps, nViewType, place);
    return TRUE;
}

void CZUDPPlannerManagerCtrl::ShiftAppointments(CZUDPAppointmentArray& apps, const COleDateTimeSpan& span,
                                                BOOL bForward)
{
    AppointmentStream::Shift(apps, span, bForward);
}

BOOL CZUDPPlannerManagerCtrl::PasteAppointments(CZUDPAppointmentArray& apps)
{
    BOOL added = FALSE;
    BOOL whole = FALSE;
    for (INT_PTR i = 0; i < apps.GetSize(); ++i) {
        CZUDPAppointment* pApp = apps[i];
        if (pApp->IsRecurrence())
            pApp->ClearRecurrence();
        pApp->SetResourceID(0);   // adding gives it the current resource
        whole = whole || NeedsWholeLayout(pApp);
        if (AddAppointment(pApp, FALSE, FALSE))
            added = TRUE;
        else
            delete pApp;   // refused: the control made it
    }
    apps.RemoveAll();
    if (!m_bDragDrop) {
        ClearAppointmentSelection(FALSE);
        RequeryAppointments();
        RefreshAfterChange(whole);
    }
    return added;
}

BOOL CZUDPPlannerManagerCtrl::EditCopy()
{
    if (CWnd* pEdit = GetInPlaceEdit()) {
        pEdit->SendMessage(WM_COPY);
        return FALSE;
    }
    if (!IsEditCopyEnabled())
        return FALSE;

    // The stream first: the clipboard is left as it was when nothing can
    // be copied.
    CZUDPAppointmentArray selected, written;
    for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;)
        selected.Add(m_SelectedApps.GetNext(pos));
    CMemFile file(4096);
    {
        CArchive ar(&file, CArchive::store, 4096);
        if (!SaveAppointmentsToArchive(ar, selected, &written))
            return FALSE;
        try {
            ar.Close();
        } catch (CException* e) {
            e->Delete();
            return FALSE;
        }
    }
    CString text;
    for (INT_PTR i = 0; i < written.GetSize(); ++i) {
        CString one = written[i]->GetClipboardText();
        if (one.IsEmpty())
            continue;
        if (!text.IsEmpty())
            text += "\r\n";
        text += one;
    }
    const SIZE_T length = SIZE_T(file.GetLength());
    BYTE* bytes = file.Detach();
    HGLOBAL stream = GlobalBlockOf(bytes, length);
    free(bytes);
    if (stream == nullptr)
        return FALSE;

    HWND owner = AfxGetMainWnd() != nullptr ? AfxGetMainWnd()->GetSafeHwnd() : GetSafeHwnd();
    if (!::OpenClipboard(owner)) {
        ::GlobalFree(stream);
        return FALSE;
    }
    if (!::EmptyClipboard()) {
        ::CloseClipboard();
        ::GlobalFree(stream);
        return FALSE;
    }
    const BOOL result = PutClipboardBlock(s_nClipboardFormat, stream);
    if (result) {
        ::SetClipboardData(CF_OWNERDISPLAY, nullptr);
        if (!text.IsEmpty())
            PutClipboardBlock(CF_TEXT, GlobalBlockOf(static_cast<LPCSTR>(text), SIZE_T(text.GetLength()) + 1));
        else
            ::SetClipboardData(CF_TEXT, nullptr);
    }
    ::CloseClipboard();
    return result;
}

BOOL CZUDPPlannerManagerCtrl::EditCut()
{
    if (CWnd* pEdit = GetInPlaceEdit()) {
        pEdit->SendMessage(WM_CUT);
        return FALSE;
    }
    if (!IsEditCutEnabled() || !SetChangeOperation(1))
        return FALSE;
    // Exactly the appointments the copy wrote go.
    CList<CZUDPAppointment*, CZUDPAppointment*> copyable;
    for (POSITION pos = m_SelectedApps.GetHeadPosition(); pos != nullptr;) {
        CZUDPAppointment* pApp = m_SelectedApps.GetNext(pos);
        if (pApp != nullptr && pApp->CanCopy())
            copyable.AddTail(pApp);
    }
    const BOOL result = EditCopy();
    if (result) {
        RestoreAppointmentSelection(copyable, FALSE);
        RemoveSelectedAppointments(TRUE, TRUE);
    }
    SetChangeOperation(0, result);
    return result;
}

BOOL CZUDPPlannerManagerCtrl::EditPaste(const COleDateTime& place)
{
    if (CWnd* pEdit = GetInPlaceEdit()) {
        pEdit->SendMessage(WM_PASTE);
        return FALSE;
    }
    if (!IsEditPasteEnabled() || !SetChangeOperation(2))
        return FALSE;
    BOOL result = FALSE;
    HWND owner = AfxGetMainWnd() != nullptr ? AfxGetMainWnd()->GetSafeHwnd() : GetSafeHwnd();
    CZUDPAppointmentArray apps;
    BOOL loaded = FALSE;
    if (::OpenClipboard(owner)) {
        HGLOBAL block = ::GetClipboardData(s_nClipboardFormat);
        const void* data = block != nullptr ? ::GlobalLock(block) : nullptr;
        if (data != nullptr) {
            // A copy of the block, bounded by its real size.
            const SIZE_T size = ::GlobalSize(block);
            if (size > SIZE_T(0x7FFFFFFF)) {
                ::GlobalUnlock(block);
                ::CloseClipboard();
                SetChangeOperation(0, FALSE);
                return FALSE;
            }
            CMemFile file(4096);
            file.Write(data, UINT(size));
            ::GlobalUnlock(block);
            file.SeekToBegin();
            COleDateTime at = place;
            if (at == COleDateTime(0.0) && m_pCurrentView != nullptr)
                at = m_pCurrentView->GetSelectionStart();
            CArchive ar(&file, CArchive::load, 4096);
            loaded = LoadAppointmentsFromArchive(ar, apps, m_Type, at);
        }
        ::CloseClipboard();
    }
    // The clipboard is closed before the parent hears of the additions.
    if (loaded)
        result = PasteAppointments(apps);
    SetChangeOperation(0, result);
    return result;
}
