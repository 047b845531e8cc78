#pragma once
// CZUDPPlannerClockIcons: small clock faces showing a time of day, which
// the planner views draw in front of an appointment instead of its start
// and finish as text.  The 288 pictures (24 hours of 12 five-minute steps)
// are composed once, on first use, from two bitmaps of the library: the
// faces (two per hour: the hour hand before and from minute 25) and the
// minute overlays (twelve for the morning, drawn with AND, twelve for the
// afternoon, drawn with OR).  A derived class may draw other pictures.
#include "framework/OleDateTime.h"
#include "framework/Rect.h"
#include "framework/win/ImageList.h"

class CDC;

class CZUDPPlannerClockIcons : public CObject {
    DECLARE_DYNCREATE(CZUDPPlannerClockIcons)
public:
    // The pictures' cells: faces and overlays.
    static constexpr int kFaceCells = 48;
    static constexpr int kOverlayCells = 24;
    static constexpr int kImageCount = 288;

    CZUDPPlannerClockIcons();
    ~CZUDPPlannerClockIcons() override = default;

    // The picture of hour 0..23 and minute 0..59 at the point; nothing for
    // a time outside them.
    virtual void DrawIcon(CDC* pDC, const CPoint& point, int nHour, int nMinute);
    // The picture of the date's time of day; nothing for an invalid date or
    // a DC without handle.
    virtual void DrawTime(CDC* pDC, const CPoint& point, const COleDateTime& time);
    // The size of one picture; (0, 0) while the pictures are missing.
    virtual CSize GetIconSize();
    // Composes the pictures once; TRUE when they are ready.  A failure is
    // tried again on the next call.
    virtual BOOL Initialize();

    // The image of a time (hour x 12 + minute / 5).
    static int ImageIndex(int nHour, int nMinute) { return nMinute / 5 + nHour * 12; }
    const CImageList& GetImageList() const { return m_ImageList; }

protected:
    // The two bitmaps the pictures are composed from (the library's faces
    // and minute hands unless a derived class names others).
    UINT m_nFacesBitmapID;
    UINT m_nMinutesBitmapID;

    CImageList m_ImageList;
    int m_nIconWidth = 0;
    int m_nIconHeight = 0;
    BOOL m_bInitialized = FALSE;
};
