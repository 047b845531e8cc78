#include "framework/win/DocTemplate.h"

#include "framework/win/DC.h"
#include "framework/win/FrameworkSeams.h"
#include "framework/win/PrintInfo.h"

IMPLEMENT_DYNAMIC(CDocument, CCmdTarget)
IMPLEMENT_DYNAMIC(CView, CWnd)
IMPLEMENT_DYNAMIC(CDocTemplate, CCmdTarget)
IMPLEMENT_DYNAMIC(CMultiDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CSingleDocTemplate, CDocTemplate)
IMPLEMENT_DYNAMIC(CDocManager, CObject)

CDocument::~CDocument()
{
    while (!m_viewList.IsEmpty())
        static_cast<CView*>(m_viewList.RemoveHead())->m_pDocument = nullptr;
    if (m_pDocTemplate != nullptr)
        m_pDocTemplate->RemoveDocument(this);
}

void CDocument::AddView(CView* pView)
{
    if (pView == nullptr || pView->m_pDocument == this)
        return;
    if (pView->m_pDocument != nullptr)
        pView->m_pDocument->RemoveView(pView);
    m_viewList.AddTail(pView);
    pView->m_pDocument = this;
}

void CDocument::RemoveView(CView* pView)
{
    POSITION pos = m_viewList.Find(pView);
    if (pos == nullptr)
        return;
    m_viewList.RemoveAt(pos);
    pView->m_pDocument = nullptr;
}

CView::~CView()
{
    if (m_pDocument != nullptr)
        m_pDocument->RemoveView(this);
}

CFrameWnd* CView::GetParentFrame() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
            return static_cast<CFrameWnd*>(pWnd);
    }
    return nullptr;
}

void CView::OnDraw(CDC* pDC)
{
    (void)pDC;
}

BOOL CView::OnPreparePrinting(CPrintInfo* pInfo)
{
    return DoPreparePrinting(pInfo);
}

void CView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

void CView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pInfo;
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    (void)pDC;
    (void)pInfo;
}

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    if (pInfo->m_hPrinterDC != nullptr) {
        ::DeleteDC(pInfo->m_hPrinterDC);
        pInfo->m_hPrinterDC = nullptr;
    }
    pInfo->m_hPrinterDC = g_frameworkSeams.printerDC(pInfo);
    return pInfo->m_hPrinterDC != nullptr;
}

BOOL CView::PrintJob(CPrintInfo* pInfo)
{
    if (pInfo == nullptr)
        return FALSE;
    if (!OnPreparePrinting(pInfo) || pInfo->m_hPrinterDC == nullptr) {
        if (pInfo->m_hPrinterDC != nullptr) {
            ::DeleteDC(pInfo->m_hPrinterDC);
            pInfo->m_hPrinterDC = nullptr;
        }
        return FALSE;
    }
    const HDC hDC = pInfo->m_hPrinterDC;
    CDC dc;
    dc.Attach(hDC);
    OnBeginPrinting(&dc, pInfo);

    CString title;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->GetWindowText(title);
    DOCINFOA doc = {};
    doc.cbSize = sizeof(doc);
    doc.lpszDocName = title;
    BOOL ok = g_frameworkSeams.startDoc(hDC, &doc) > 0;
    if (ok) {
        pInfo->m_bContinuePrinting = TRUE;
        for (UINT page = pInfo->GetMinPage(); page <= pInfo->GetMaxPage(); ++page) {
            pInfo->m_nCurPage = page;
            // Without a known page count one page is printed.
            if (pInfo->GetMaxPage() == 0xFFFF && page > pInfo->GetMinPage())
                pInfo->m_bContinuePrinting = FALSE;
            if (!pInfo->m_bContinuePrinting)
                break;
            pInfo->m_rectDraw.SetRect(0, 0, g_frameworkSeams.printerCaps(hDC, HORZRES),
                                      g_frameworkSeams.printerCaps(hDC, VERTRES));
            if (g_frameworkSeams.startPage(hDC) <= 0) {
                ok = FALSE;
                break;
            }
            OnPrint(&dc, pInfo);
            if (g_frameworkSeams.endPage(hDC) <= 0) {
                ok = FALSE;
                break;
            }
            if (page == 0xFFFF)
                break;
        }
        if (ok)
            g_frameworkSeams.endDoc(hDC);
        else
            g_frameworkSeams.abortDoc(hDC);
    }
    // The view's end of the job comes on every path after its beginning.
    OnEndPrinting(&dc, pInfo);
    dc.Detach();
    ::DeleteDC(hDC);
    pInfo->m_hPrinterDC = nullptr;
    return ok;
}

void CView::OnFilePrint()
{
    CPrintInfo info;
    PrintJob(&info);
}

CDocTemplate::~CDocTemplate()
{
    if (m_hMenuShared != nullptr)
        ::DestroyMenu(m_hMenuShared);
    if (m_hAccelTable != nullptr)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

void CDocTemplate::LoadTemplate()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_hMenuShared == nullptr)
        m_hMenuShared = ::LoadMenuA(hInst, MAKEINTRESOURCEA(m_nIDResource));
    if (m_hAccelTable == nullptr)
        m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(m_nIDResource));
}

void CDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate != nullptr && pDoc->m_pDocTemplate != this)
        pDoc->m_pDocTemplate->RemoveDocument(pDoc);
    pDoc->m_pDocTemplate = this;
}

void CDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc->m_pDocTemplate == this)
        pDoc->m_pDocTemplate = nullptr;
}

CMultiDocTemplate::~CMultiDocTemplate()
{
    // Documents outliving their template forget it.
    while (!m_docList.IsEmpty())
        static_cast<CDocument*>(m_docList.RemoveHead())->m_pDocTemplate = nullptr;
}

void CMultiDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc == nullptr || pDoc->m_pDocTemplate == this)
        return;
    CDocTemplate::AddDocument(pDoc);
    m_docList.AddTail(pDoc);
}

void CMultiDocTemplate::RemoveDocument(CDocument* pDoc)
{
    POSITION pos = m_docList.Find(pDoc);
    if (pos == nullptr)
        return;
    m_docList.RemoveAt(pos);
    CDocTemplate::RemoveDocument(pDoc);
}

CSingleDocTemplate::~CSingleDocTemplate()
{
    if (m_pOnlyDoc != nullptr)
        m_pOnlyDoc->m_pDocTemplate = nullptr;
}

void CSingleDocTemplate::AddDocument(CDocument* pDoc)
{
    if (pDoc == nullptr || pDoc == m_pOnlyDoc)
        return;
    if (m_pOnlyDoc != nullptr)
        RemoveDocument(m_pOnlyDoc);
    CDocTemplate::AddDocument(pDoc);
    m_pOnlyDoc = pDoc;
}

void CSingleDocTemplate::RemoveDocument(CDocument* pDoc)
{
    if (pDoc == nullptr || pDoc != m_pOnlyDoc)
        return;
    m_pOnlyDoc = nullptr;
    CDocTemplate::RemoveDocument(pDoc);
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& rPos) const
{
    CDocument* pDoc = rPos != nullptr ? m_pOnlyDoc : nullptr;
    rPos = nullptr;
    return pDoc;
}

CDocManager::~CDocManager()
{
    while (!m_templateList.IsEmpty())
        delete static_cast<CDocTemplate*>(m_templateList.RemoveHead());
}

void CDocManager::AddDocTemplate(CDocTemplate* pTemplate)
{
    if (pTemplate == nullptr || m_templateList.Find(pTemplate) != nullptr)
        return;
    pTemplate->LoadTemplate();
    m_templateList.AddTail(pTemplate);
}
