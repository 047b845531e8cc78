#pragma once
// CZUDPPlannerViewMulti: the day view with every shown day divided into
// one column per resource (people, rooms, machines whose appointments a
// multi-resource storage keeps apart).  Each appointment is laid out in
// the column of the resource whose id it carries; the caption band has
// the day captions above and the resource descriptions below; the time
// selection shows only in the current resource's columns.  Everything
// else (range, scrolling, time scale, selection rules, input, editing,
// drag and drop) is the day view's, on the whole day.
#include "ui/planner/ZUDPPlannerViewDay.h"

class CZUDPResourceInfo;

class CZUDPPlannerViewMulti : public CZUDPPlannerViewDay {
    DECLARE_DYNCREATE(CZUDPPlannerViewMulti)
public:
    // One resource as the view shows it.
    struct XResource {
        UINT m_ResourceID = 0;
        CString m_strDescription;
        COleDateTime m_WorkStart{ 0.0 };   // only hour and minute count
        COleDateTime m_WorkEnd{ 0.0 };
        BOOL m_bToolTip = FALSE;           // the description is too wide for the columns
        CRectArray m_Rects;                // the resource's column in each shown day
    };

    CZUDPPlannerViewMulti();
    ~CZUDPPlannerViewMulti() override;

    // ---- base operations, in slot order ----
    UINT GetCurrentResourceID() const override { return m_nResourceID; }
    // TRUE; a new id is stored, redrawn and reported to the parent once.
    BOOL SetCurrentResourceID(UINT nResourceID, BOOL bRedraw = TRUE, BOOL bNotify = FALSE) override;
    // The resources of the control's storage; TRUE when anything changed.
    BOOL UpdateResources() override;
    // The resource of the column under the point (lower caption half and
    // below); else the current one.
    UINT GetResourceFromPoint(const CPoint& point) const override;
    // Two caption rows; all-day rows counted per resource.
    void AdjustScrollSizes(CDC* pDC, const CRect& rectClient) override;
    // The day rectangles, then the resource columns inside them.
    void AdjustRects() override;
    // The day view's placement per resource in its columns; every day of a
    // long appointment a box of its own.
    void AdjustAppointments() override;
    // Also which resource captions are too wide for their columns.
    void AdjustCaptionFormat(CDC* pDC) override;
    // The lower half of the caption band is the resource caption (5).
    int HitTestArea(const CPoint& point) const override;
    void OnPaint(CDC* pDC, const CRect& rectClient) override;
    // The time grid per resource column with each resource's own hours.
    void OnDrawClient(CDC* pDC, const CRect& rect) override;
    // Tool-tip areas over the truncated resource captions.
    void AddToolTips() override;
    // The resource's description over its caption.
    CString GetToolTipText(const CPoint& point) override;
    void DrawAllDayBand(CDC* pDC, const CRect& rect) override;
    void DrawLongAppointmentStrips(CDC* pDC) override;

    // ---- the multi-resource view's own ----
    virtual void DrawResourceCaptions(CDC* pDC, const CRect& rect);

    // The index of the first entry with the id, -1 when none.
    int FindResourceIndex(UINT nResourceID) const;
    int GetResourceCount() const { return int(m_Resources.GetSize()); }
    const XResource& GetResource(int nIndex) const { return *m_Resources[nIndex]; }

    // The resource's information object, when it is one the view can read.
    static const CZUDPResourceInfo* GetResourceInfo(CObject* pInfo);

protected:
    // The resources of the control's storage in ascending id order (empty
    // without a multi-resource storage).
    BOOL GetStorageResourceIDs(CArray<DWORD, DWORD>& ids) const;
    // The working hours of a resource as minutes of the day: its own when
    // both are valid and the end is later, else the control's.
    void GetResourceWorkingMinutes(const XResource& resource, int& nStart, int& nEnd) const;

    UINT m_nResourceID = 0;
    // Owned entries.
    CArray<XResource*, XResource*> m_Resources;

private:
    void SetResourceCount(int nCount);
};
