#pragma once
// The tooltip controls of the library's windows: one configurable kind per
// owner family (toolbars, tabs, caption buttons...), each with a parameter
// record and a control class; the provider keeps the owners of its
// controls and tells them when tooltip settings change.  At most one
// exists; it publishes itself in g_tooltipManager.  Without one, owners
// get plain tooltip controls.
#include "framework/List.h"
#include "framework/win/Wnd.h"
#include "framework/win/Controls.h"
#include "framework/Object.h"
#include "framework/String.h"

// Kinds: single bits, kind k = 1 << k for k = 0 .. 12.
enum {
    TIPKIND_DEFAULT = 1,
    TIPKIND_TOOLBAR = 2,
    TIPKIND_TAB = 4,
    TIPKIND_MINIFRAME = 8,
    TIPKIND_DOCKINGBAR = 16,
    TIPKIND_TOOLBOX_BUTTON = 32,
    TIPKIND_BUTTON = 64,
    TIPKIND_TOOLBOX = 128,
    TIPKIND_PLANNER = 256,
    TIPKIND_RIBBON = 512,
    TIPKIND_CAPTIONBAR = 1024,
    TIPKIND_KIND_11 = 2048,
    TIPKIND_KIND_12 = 4096,
};
const int kToolTipKindCount = 13;

// The parameters the library's tooltip control reads; the first is the
// balloon flag.  Colours are COLORREF values, -1 for the default.
struct ZUDP_TOOLTIP_PARAMS {
    int values[13] = {0, 1, 1, 200, 0, 1, -1, -1, -1, -1, -1, 0, 0};
};

// The positions in ZUDP_TOOLTIP_PARAMS::values.
enum ZUDPToolTipParam {
    TTPARAM_BALLOON = 0,           // the system draws a balloon
    TTPARAM_DRAW_ICON = 1,         // the hot button's image at the left
    TTPARAM_DRAW_DESCRIPTION = 2,  // the description under the label
    TTPARAM_MAX_DESCR_WIDTH = 3,   // wrap width of the description, pixels
    TTPARAM_ROUNDED_CORNERS = 4,
    TTPARAM_BOLD_LABEL = 5,        // bold label when a description follows
    TTPARAM_FILL_COLOR = 6,        // -1: the visual manager fills
    TTPARAM_GRADIENT_COLOR = 7,    // -1: a solid fill
    TTPARAM_GRADIENT_ANGLE = 8,    // degrees, -1: 90
    TTPARAM_TEXT_COLOR = 9,        // -1: the system's info text
    TTPARAM_BORDER_COLOR = 10,     // -1: the system's info text
    TTPARAM_DRAW_SEPARATOR = 11,   // a line between label and description
    TTPARAM_FROM_VISUAL_MANAGER = 12, // refreshed from the manager on every show
};

class CZUDPToolTipProvider : public CObject {
public:
    CZUDPToolTipProvider();
    ~CZUDPToolTipProvider() override;

    // Replaces the control in pToolTip (destroying one that is there) by a
    // new one for the parent, of the kind's class; FALSE for anything but
    // one of the thirteen kind bits or when the window cannot be made.
    static BOOL CreateToolTipCtrl(CToolTipCtrl*& pToolTip, CWnd* pWndParent, UINT nKind);
    // Destroys the control's window and the control; the parent leaves the
    // owner list.
    static void DestroyToolTipCtrl(CToolTipCtrl*& pToolTip);
    // A control of the kind's class (kind number 0 .. 12), or a plain one.
    BOOL CreateControlForKind(CToolTipCtrl*& pToolTip, int nKindNumber);

    // The kind's parameters and control class (null: the plain control).
    void SetKindParams(int nKindNumber, const ZUDP_TOOLTIP_PARAMS& params, CRuntimeClass* pRTC = nullptr);
    const ZUDP_TOOLTIP_PARAMS& GetKindParams(int nKindNumber) const { return m_params[nKindNumber]; }

    // Fills a tool's record with a newly allocated copy of its text (the
    // owner frees it with free()); a control of the library's class also
    // gets the description.  For a kind whose parameters ask for balloons,
    // the text becomes the control's title and the description the tool's
    // text.  Nothing happens for anything but one of the thirteen kinds.
    static void SetToolInfoText(TOOLINFOA* pTI, CToolTipCtrl* pToolTip, UINT nKind, const CString& strText,
                                LPCTSTR lpszDescription = nullptr);

    // Sends ZUDM_UPDATETOOLTIPS (all kinds) to every owner still alive.
    void BroadcastUpdate();
    const CList<HWND, HWND>& GetOwners() const { return m_owners; }

private:
    ZUDP_TOOLTIP_PARAMS m_params[kToolTipKindCount];
    CRuntimeClass* m_classes[kToolTipKindCount] = {};
    CList<HWND, HWND> m_owners;
};

// The process-wide tooltip manager, null while none exists.
extern CZUDPToolTipProvider* g_tooltipManager;
