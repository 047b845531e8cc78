#pragma once
// COM/OLE for the calling thread: AfxOleInit initialises it once per thread
// (released when the thread's framework state goes at process exit);
// AfxOleIsInitialized tells code that needs COM objects (the taskbar list)
// whether this thread may create them.
//
// OLE drag and drop on the receiving side: COleDropTarget registers a
// window as a drop target (RegisterDragDrop) and turns the system's calls
// into its virtual operations, with the point in the window's client
// coordinates and the dragged data wrapped in a COleDataObject.
#include "framework/win/CmdTarget.h"
#include "framework/win/WinSdk.h"

#include <ole2.h>

class CWnd;
class CPoint;
class CFile;

// A drop effect: DROPEFFECT_NONE, _COPY, _MOVE, _LINK, _SCROLL bits.
typedef DWORD DROPEFFECT;

BOOL AfxOleInit();
BOOL AfxOleIsInitialized();

// The data of a drag (or of the clipboard) offered by another party: a
// thin holder of an IDataObject.
class COleDataObject {
public:
    COleDataObject() = default;
    ~COleDataObject() { Release(); }
    COleDataObject(const COleDataObject&) = delete;
    COleDataObject& operator=(const COleDataObject&) = delete;

    // Holds the object; with bAutoRelease it takes a reference of its own
    // (released by Release or the destructor).
    void Attach(IDataObject* pDataObject, BOOL bAutoRelease = TRUE);
    IDataObject* Detach();
    void Release();
    IDataObject* GetIDataObject() const { return m_pDataObject; }

    // Whether the data is offered in the format (any medium when
    // lpFormatEtc is null: HGLOBAL, content, any index).
    BOOL IsDataAvailable(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc = nullptr) const;
    // The data in the format as a new global memory block the caller frees
    // (GlobalFree); null when it is not offered in memory.
    HGLOBAL GetGlobalData(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc = nullptr) const;
    // The data in the format in any medium the caller releases
    // (ReleaseStgMedium); FALSE when it is not offered.
    BOOL GetData(CLIPFORMAT cfFormat, STGMEDIUM* lpStgMedium, const FORMATETC* lpFormatEtc = nullptr) const;
    // The data in the format, offered in global memory or as a stream, as a
    // new memory file positioned at its start that the caller deletes; null
    // when it is not offered in either, cannot be read, or is larger than
    // kMaxFileData.
    CFile* GetFileData(CLIPFORMAT cfFormat, const FORMATETC* lpFormatEtc = nullptr) const;
    static const ULONGLONG kMaxFileData = 256ull * 1024 * 1024;

private:
    IDataObject* m_pDataObject = nullptr;
    BOOL m_bAutoRelease = TRUE;
};

// The offering side: data cached in global memory per clipboard format,
// handed out through its IDataObject (the drag-and-drop and clipboard
// interface).  The source owns what it caches and frees it on Empty or
// destruction; GetData answers a copy.
class COleDataSource : public CCmdTarget {
public:
    COleDataSource();
    ~COleDataSource() override;
    COleDataSource(const COleDataSource&) = delete;
    COleDataSource& operator=(const COleDataSource&) = delete;

    // Takes over the block for the format (a block cached before for the
    // format is freed).
    void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal);
    // Frees every cached block.
    void Empty();
    // The interface; the caller adds its own reference when it keeps it.
    IDataObject* GetDataObject();
    // The block cached for the format (still the source's), or null.
    HGLOBAL PeekGlobalData(CLIPFORMAT cfFormat) const;

private:
    class DataObject;
    struct Entry {
        CLIPFORMAT cf;
        HGLOBAL hGlobal;
    };
    Entry* m_pEntries = nullptr;
    int m_nEntries = 0;
    DataObject* m_pDataObject;
    friend class DataObject;
};

// The receiving side of drag and drop for one window.  The window must
// live on a thread where OLE is initialised (AfxOleInit).
class COleDropTarget : public CCmdTarget {
    DECLARE_DYNAMIC(COleDropTarget)
public:
    COleDropTarget();
    ~COleDropTarget() override;
    COleDropTarget(const COleDropTarget&) = delete;
    COleDropTarget& operator=(const COleDropTarget&) = delete;

    // Registers the window as a drop target; FALSE when OLE refuses (not
    // initialised on the thread, or the window is registered already).
    BOOL Register(CWnd* pWnd);
    // Ends the registration (also done by the destructor).
    virtual void Revoke();
    BOOL IsRegistered() const { return m_hWnd != nullptr; }
    HWND GetRegisteredWindow() const { return m_hWnd; }
    // The interface the system calls (tests call it as a drag would).
    IDropTarget* GetDropTarget();

    // The operations, in slot order; points are in the window's client
    // coordinates.  The base answers no effect and accepts nothing.
    virtual DROPEFFECT OnDragEnter(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual DROPEFFECT OnDragOver(CWnd* pWnd, COleDataObject* pDataObject, DWORD dwKeyState, CPoint point);
    virtual BOOL OnDrop(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point);
    // The drop with the effects the source allows; (DROPEFFECT)-1 lets
    // OnDrop decide (the base does).
    virtual DROPEFFECT OnDropEx(CWnd* pWnd, COleDataObject* pDataObject, DROPEFFECT dropDefault,
                                DROPEFFECT dropList, CPoint point);
    virtual void OnDragLeave(CWnd* pWnd);
    // Scrolling of the window under a drag; DROPEFFECT_NONE: no scrolling.
    virtual DROPEFFECT OnDragScroll(CWnd* pWnd, DWORD dwKeyState, CPoint point);

private:
    class DropTargetInterface;
    friend class DropTargetInterface;

    HWND m_hWnd = nullptr;
    DropTargetInterface* m_pInterface = nullptr;
    COleDataObject m_dataObject;         // the data of the drag under way
    DROPEFFECT m_lastEffect = DROPEFFECT_NONE;
};
