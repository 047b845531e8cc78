#pragma once
// CZUDPStatic: the library's static control.  A text static paints itself
// on glass, and in the visual-manager look while disabled when the visual
// manager does not emboss disabled text; everything else (enabled text,
// images, frames) the platform paints.  A change of its text or enabled
// state repaints the parent under it first, so that a static with a
// see-through background never shows the old text.  Created by name.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/win/Controls.h"

class CZUDPStatic : public CZUDPControlLook<CStatic> {
    DECLARE_DYNCREATE(CZUDPStatic)
public:
    CZUDPStatic() = default;

    // Whether the library paints the static now (else the platform).
    BOOL PaintsItself() const;
    // The DrawText format of a text static's style; FALSE for image and
    // frame statics.
    static BOOL TextFormatOf(DWORD dwStyle, UINT& uFormat);

protected:
    void DrawStatic(CDC* pDC);

    void OnPaint();
    void OnPrintClient(CDC* pDC, UINT uFlags);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnEnable(BOOL bEnable);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};
