#include "framework/win/DocTemplate.h"

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
