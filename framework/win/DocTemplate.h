#pragma once
// Documents, their views and the templates that tie a kind of document to
// its resources (menu and accelerator table with the template's resource
// id).  The application keeps its templates in a document manager
// (CWinApp::AddDocTemplate); code that works on every kind of document
// (keyboard and menu customisation) walks from there to the templates,
// their documents, the documents' views and the views' frames.
//
// A view belongs to at most one document; a document to at most one
// template.  None of these objects owns the others' windows.
#include "framework/List.h"
#include "framework/win/CmdTarget.h"
#include "framework/win/FrameWnd.h"

class CDocTemplate;
class CView;
class CDC;
class CPrintInfo;
class CPreviewView;
struct CPrintPreviewState;

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
public:
    CDocument() = default;
    // Leaves its template and detaches its views (they keep no pointer).
    ~CDocument() override;

    CDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }
    void AddView(CView* pView);
    void RemoveView(CView* pView);
    POSITION GetFirstViewPosition() const { return m_viewList.GetHeadPosition(); }
    CView* GetNextView(POSITION& rPosition) const { return static_cast<CView*>(m_viewList.GetNext(rPosition)); }

    CDocTemplate* m_pDocTemplate = nullptr;

private:
    CPtrList m_viewList;
};

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView() = default;
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    // The nearest frame window among the view's ancestors, or null.
    CFrameWnd* GetParentFrame() const;

    // Draws the document (nothing in the base).
    virtual void OnDraw(CDC* pDC);
    // Sets a DC up before OnDraw or OnPrint (pInfo: the job, null on the
    // screen); nothing in the base.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Printing, in the order of a job.  Before the print dialog: the page
    // range; FALSE cancels the job.  The base asks for the printer.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    // The job begins on the printer's DC (after the dialog).
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    // One page (pInfo->m_nCurPage, drawing area m_rectDraw); the base draws.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    // The job ends; called on every path after OnBeginPrinting.
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The print dialog (the default printer for a preview or a direct
    // job): the printer's DC goes into pInfo; FALSE when cancelled or there
    // is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The print loop: preparation, the printer's document and its pages
    // from the minimum to the maximum page (one page while the maximum is
    // not known), the end.  TRUE when every page was printed.
    BOOL PrintJob(CPrintInfo* pInfo);
    // The print command.
    void OnFilePrint();
    // Shows this view's pages in a preview view of the given class (a
    // CPreviewView) that takes the frame's client area until it is closed.
    // pPrintView prints the pages (this view when null).  The state keeps
    // what the frame put aside; the preview owns it from here, also when
    // it fails.  Without a printer the preview is refused: the user is told
    // once, the frame is left as it was, and the answer is FALSE.
    BOOL DoPrintPreview(CView* pPrintView, CRuntimeClass* pPreviewViewClass, CPrintPreviewState* pState);
    // The print-preview command: DoPrintPreview with the given view class
    // (CPreviewView when null) and a new state.
    BOOL OnFilePrintPreview(CRuntimeClass* pPreviewViewClass = nullptr);

    CDocument* m_pDocument = nullptr;
};

class CDocTemplate : public CCmdTarget {
    DECLARE_DYNAMIC(CDocTemplate)
public:
    ~CDocTemplate() override;

    // Loads the template's shared resources: the menu and the accelerator
    // table of the template's resource id, from the resource module.  A
    // missing resource leaves its handle null.
    virtual void LoadTemplate();

    virtual void AddDocument(CDocument* pDoc);
    virtual void RemoveDocument(CDocument* pDoc);
    virtual POSITION GetFirstDocPosition() const = 0;
    virtual CDocument* GetNextDoc(POSITION& rPos) const = 0;

    UINT GetResourceId() const { return m_nIDResource; }

    // The fields of the template's string resource (its resource id),
    // separated by newlines, in this order.
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };
    // FALSE (and an empty string) when the resource or the field is
    // missing or empty.
    virtual BOOL GetDocString(CString& rString, enum DocStringIndex index) const;

    UINT m_nIDResource;
    // Owned by the template: destroyed with it.
    HMENU m_hMenuShared = nullptr;
    HACCEL m_hAccelTable = nullptr;

protected:
    explicit CDocTemplate(UINT nIDResource) : m_nIDResource(nIDResource) {}
};

// Any number of documents of one kind, each in frames of their own.
class CMultiDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CMultiDocTemplate)
public:
    explicit CMultiDocTemplate(UINT nIDResource) : CDocTemplate(nIDResource) {}
    ~CMultiDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override { return m_docList.GetHeadPosition(); }
    CDocument* GetNextDoc(POSITION& rPos) const override { return static_cast<CDocument*>(m_docList.GetNext(rPos)); }

private:
    CPtrList m_docList;
};

// At most one document, shown in the main frame.
class CSingleDocTemplate : public CDocTemplate {
    DECLARE_DYNAMIC(CSingleDocTemplate)
public:
    explicit CSingleDocTemplate(UINT nIDResource) : CDocTemplate(nIDResource) {}
    ~CSingleDocTemplate() override;

    void AddDocument(CDocument* pDoc) override;
    void RemoveDocument(CDocument* pDoc) override;
    POSITION GetFirstDocPosition() const override { return m_pOnlyDoc != nullptr ? BEFORE_START_POSITION : nullptr; }
    CDocument* GetNextDoc(POSITION& rPos) const override;

private:
    CDocument* m_pOnlyDoc = nullptr;
};

// The application's templates, in the order they were added; owns them.
class CDocManager : public CObject {
    DECLARE_DYNAMIC(CDocManager)
public:
    CDocManager() = default;
    ~CDocManager() override;

    void AddDocTemplate(CDocTemplate* pTemplate);
    POSITION GetFirstDocTemplatePosition() const { return m_templateList.GetHeadPosition(); }
    CDocTemplate* GetNextDocTemplate(POSITION& pos) const
    {
        return static_cast<CDocTemplate*>(m_templateList.GetNext(pos));
    }
    INT_PTR GetCount() const { return m_templateList.GetCount(); }

private:
    CPtrList m_templateList;
};
