#include "app/win/GZUDPEdit.h"

#include "framework/win/Wnd.h"
#include "framework/win/DC.h"

#include <algorithm>
#include "framework/win/FrameworkSeams.h"

#include <string>

#include "app/win/AppMessages.h"

IMPLEMENT_DYNAMIC(CGZUDPEdit, CZUDPEdit)

BEGIN_MESSAGE_MAP(CGZUDPEdit, CZUDPEdit)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

CGZUDPEdit::CGZUDPEdit()
{
    m_errorBrush.CreateSolidBrush(RGB(0xFF, 0x80, 0x80));
    m_normalBrush.CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    m_readOnlyBrush.CreateSolidBrush(RGB(0xF0, 0xF0, 0xF0));
}

CGZUDPEdit::~CGZUDPEdit()
{
    if (m_hWnd != nullptr)
        UnsubclassWindow();
}

BOOL CGZUDPEdit::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id, CFont* font, int limit)
{
    HWND window = ::CreateWindowExW(0, L"Edit", L"", style, rect.left, rect.top, rect.right - rect.left + 1,
                                    rect.bottom - rect.top + 1, parent ? AfxSafeHwnd(parent) : nullptr,
                                    (HMENU)(UINT_PTR)id, AfxGetInstanceHandle(), nullptr);
    if (window == nullptr)
        return FALSE;
    if (!AttachEdit(window)) {
        ::DestroyWindow(window);
        return FALSE;
    }
    if (font)
        ::SendMessageW(m_hWnd, WM_SETFONT, (WPARAM)AfxSafeHandle(font), TRUE);
    if (limit != 0)
        ::SendMessageW(m_hWnd, EM_LIMITTEXT, (WPARAM)limit, 0);
    return TRUE;
}

BOOL CGZUDPEdit::AttachEdit(HWND window)
{
    // Subclassed with the framework's UTF-16 procedure, so the texts keep
    // every character and the library's edit gets its messages (its look
    // and its border).
    return SubclassWindow(window);
}

BOOL CGZUDPEdit::DestroyWindow()
{
    HWND window = UnsubclassWindow();
    if (window)
        ::DestroyWindow(window);
    return TRUE;
}

CString CGZUDPEdit::GetTextUtf8(int* count) const
{
    int length = m_hWnd ? ::GetWindowTextLengthW(m_hWnd) : 0;
    std::wstring text((size_t)length + 1, L'\0');
    if (length > 0)
        length = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
    CString utf8 = Utf8FromWide(text.c_str(), length);
    if (count)
        *count = utf8.GetLength() + 1;
    return utf8;
}

void CGZUDPEdit::SetTextUtf8(const char* text)
{
    std::wstring wide = WideFromUtf8(text);
    ::SetWindowTextW(m_hWnd, wide.c_str());
}

void CGZUDPEdit::SetError(BOOL error)
{
    if (m_error == error)
        return;
    m_error = error;
    if (m_hWnd)
        Invalidate();
}

HBRUSH CGZUDPEdit::CtlColor(CDC* pDC, UINT)
{
    if (m_error) {
        pDC->SetBkColor(RGB(0xFF, 0x80, 0x80));
        return (HBRUSH)m_errorBrush.GetSafeHandle();
    }
    if (GetStyle() & ES_READONLY) {
        pDC->SetBkColor(RGB(0xF0, 0xF0, 0xF0));
        return (HBRUSH)m_readOnlyBrush.GetSafeHandle();
    }
    pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
    return (HBRUSH)m_normalBrush.GetSafeHandle();
}

BOOL CGZUDPEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->hwnd == m_hWnd) {
        if (g_frameworkSeams.keyState(VK_CONTROL) & 0x8000) {
            switch (pMsg->wParam) {
            case 'A':
                ::SendMessageW(m_hWnd, EM_SETSEL, 0, -1);
                ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
                return TRUE;
            case 'C':
                ::SendMessageW(m_hWnd, WM_COPY, 0, 0);
                return TRUE;
            case 'V':
                ::SendMessageW(m_hWnd, WM_PASTE, 0, 0);
                return TRUE;
            case 'X':
                ::SendMessageW(m_hWnd, WM_CUT, 0, 0);
                return TRUE;
            case 'Z':
                ::SendMessageW(m_hWnd, EM_UNDO, 0, 0);
                return TRUE;
            default:
                break;
            }
        }
        if (pMsg->wParam == VK_DELETE) {
            if (!(GetStyle() & ES_READONLY))
                DeleteSelection();
            return TRUE;
        }
    }
    return CZUDPEdit::PreTranslateMessage(pMsg);
}

void CGZUDPEdit::DeleteSelection()
{
    DWORD start = 0, end = 0;
    ::SendMessageW(m_hWnd, EM_GETSEL, (WPARAM)&start, (LPARAM)&end);
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text((size_t)length + 1, L'\0');
    length = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
    text.resize((size_t)length);
    if (start > (DWORD)length)
        start = (DWORD)length;
    if (end > (DWORD)length)
        end = (DWORD)length;
    if (end < start)
        std::swap(start, end);
    if (start == end) {
        if (start >= (DWORD)length)
            return;
        end = start + 1;
        // A character outside the basic plane is two UTF-16 units.
        if (IS_HIGH_SURROGATE(text[start]) && end < (DWORD)length && IS_LOW_SURROGATE(text[end]))
            ++end;
    }
    text.erase(start, end - start);
    ::SetWindowTextW(m_hWnd, text.c_str());
    ::SendMessageW(m_hWnd, EM_SETSEL, start, start);
}

LRESULT CGZUDPEdit::AppendLine(const char* text, int newlines)
{
    std::wstring wide = WideFromUtf8(text);
    for (int i = 0; i < newlines; ++i)
        wide += L"\r\n";
    int limit = (int)::SendMessageW(m_hWnd, EM_GETLIMITTEXT, 0, 0);
    if (limit > 0 && (int)wide.size() > limit) {
        // Only the newest part of a huge text fits: its newest whole lines,
        // or the end of a single line longer than the pane holds.
        size_t cut = wide.size() - (size_t)limit;
        size_t lineEnd = wide.find(L"\r\n", cut >= 2 ? cut - 2 : 0);
        if (lineEnd != std::wstring::npos && lineEnd + 2 < wide.size())
            cut = lineEnd + 2;
        wide.erase(0, cut);
    }
    int end = ::GetWindowTextLengthW(m_hWnd);
    if (limit > 0 && end + (int)wide.size() > limit) {
        DropOldestLines(end + (int)wide.size() - limit, limit);
        end = ::GetWindowTextLengthW(m_hWnd);
    }
    ::SendMessageW(m_hWnd, EM_SETSEL, (WPARAM)end, (LPARAM)end);
    ::SendMessageW(m_hWnd, EM_SCROLLCARET, 0, 0);
    return ::SendMessageW(m_hWnd, EM_REPLACESEL, FALSE, (LPARAM)wide.c_str());
}

void CGZUDPEdit::DropOldestLines(int needed, int limit)
{
    // Whole lines go from the top; a quarter of the limit more than needed,
    // so that a busy log does not cut on every line.
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring current((size_t)length + 1, L'\0');
    ::GetWindowTextW(m_hWnd, &current[0], length + 1);
    current.resize((size_t)length);
    size_t cut = (size_t)std::min(length, needed + limit / 4);
    size_t lineEnd = current.find(L"\r\n", cut > 0 ? cut - 1 : 0);
    cut = lineEnd == std::wstring::npos ? current.size() : lineEnd + 2;
    ::SendMessageW(m_hWnd, EM_SETSEL, 0, (LPARAM)cut);
    ::SendMessageW(m_hWnd, EM_REPLACESEL, FALSE, (LPARAM)L"");
}
