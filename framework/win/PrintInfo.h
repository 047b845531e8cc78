#pragma once
// CPrintInfo: what a print job tells the view that prints it: the page
// range, the page being printed, the drawing rectangle of the page and
// whether the job is a preview.  The print loop fills it and hands it to
// the view's printing operations.
#include "framework/win/WinSdk.h"
#include "framework/Rect.h"
#include "framework/String.h"

class CPrintInfo {
public:
    CPrintInfo() = default;

    void SetMinPage(UINT nMinPage) { m_nMinPage = nMinPage; }
    void SetMaxPage(UINT nMaxPage) { m_nMaxPage = nMaxPage; }
    UINT GetMinPage() const { return m_nMinPage; }
    UINT GetMaxPage() const { return m_nMaxPage; }

    BOOL m_bDirect = FALSE;            // printed without the print dialog
    DWORD m_dwFlags = 0;               // further print-dialog flags (PD_*)
    HDC m_hPrinterDC = nullptr;        // the job's printer, from the print dialog; the print loop deletes it
    BOOL m_bPreview = FALSE;           // a print preview
    BOOL m_bContinuePrinting = TRUE;   // the loop goes on to the next page
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1;
    CRect m_rectDraw;                  // the page's drawing area, device units
    void* m_lpUserData = nullptr;
    // The preview's page text: one page, then a range of pages (printf
    // formats of one and two page numbers), split at line feeds.
    CString m_strPageDesc = "Page %u\nPages %u-%u\n";

private:
    UINT m_nMinPage = 1;
    UINT m_nMaxPage = 0xFFFF;
};
