#pragma once
// Helpers of the control tests: a visual manager that records which of its
// control operations ran with which arguments (and still draws), installed
// for a scope, and a hidden popup window to host the controls.
#include "framework/win/DC.h"
#include "framework/win/Wnd.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "tests/common/MessagePumpWin.h"

#include <string>
#include <vector>

namespace controlstest {

// One operation of the visual manager as a control called it.
struct ManagerCall {
    std::string op;
    CRect rect;
    int state = 0;       // pressed/highlighted flags, spin state bits, browse state
    BOOL flag = FALSE;   // ascending, horizontal, on glass, ...
    BOOL glass = FALSE;  // g_drawingOnGlass during the call
    const void* control = nullptr;
};

inline std::vector<ManagerCall>& RecordedCalls()
{
    static std::vector<ManagerCall> calls;
    return calls;
}

inline std::vector<ManagerCall> CallsOf(const std::string& op)
{
    std::vector<ManagerCall> found;
    for (const ManagerCall& call : RecordedCalls())
        if (call.op == op)
            found.push_back(call);
    return found;
}

} // namespace controlstest

// Records the control operations of the visual manager (and still draws).
class CControlsRecordingManager : public CZUDPVisualManager {
    DECLARE_DYNCREATE(CControlsRecordingManager)
public:
    CControlsRecordingManager() = default;

    void FillHeaderBackground(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect) override
    {
        Record("FillHeaderBackground", rect, 0, FALSE, pCtrl);
        CZUDPVisualManager::FillHeaderBackground(pCtrl, pDC, rect);
    }
    void DrawHeaderItemBorder(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                              BOOL bIsHighlighted) override
    {
        Record("DrawHeaderItemBorder", rect, (bIsPressed ? 1 : 0) | (bIsHighlighted ? 2 : 0), FALSE, pCtrl);
        CZUDPVisualManager::DrawHeaderItemBorder(pCtrl, pDC, rect, bIsPressed, bIsHighlighted);
    }
    void DrawHeaderSortArrow(CZUDPHeaderCtrl* pCtrl, CDC* pDC, CRect rect, BOOL bIsUp) override
    {
        Record("DrawHeaderSortArrow", rect, 0, bIsUp, pCtrl);
        CZUDPVisualManager::DrawHeaderSortArrow(pCtrl, pDC, rect, bIsUp);
    }
    COLORREF FillListBoxItem(CDC* pDC, CZUDPListBox* pListBox, int nItem, CRect rect, BOOL bIsFocused,
                             BOOL bIsSelected) override
    {
        Record("FillListBoxItem", rect, nItem, (bIsFocused ? 1 : 0) | (bIsSelected ? 2 : 0), pListBox);
        return CZUDPVisualManager::FillListBoxItem(pDC, pListBox, nItem, rect, bIsFocused, bIsSelected);
    }
    void DrawControlFrame(CDC* pDC, CRect rect, CWnd* pWnd, BOOL bDrawOnGlass) override
    {
        Record("DrawControlFrame", rect, 0, bDrawOnGlass, pWnd);
        CZUDPVisualManager::DrawControlFrame(pDC, rect, pWnd, bDrawOnGlass);
    }
    void DrawWindowBorder(CWnd* pWnd) override
    {
        Record("DrawWindowBorder", CRect(), 0, FALSE, pWnd);
        CZUDPVisualManager::DrawWindowBorder(pWnd);
    }
    BOOL DrawEditBrowseButton(CDC* pDC, CRect rect, CZUDPEdit* pEdit, int state) override
    {
        Record("DrawEditBrowseButton", rect, state, FALSE, pEdit);
        return CZUDPVisualManager::DrawEditBrowseButton(pDC, rect, pEdit, state);
    }
    void DrawSpinButton(CDC* pDC, CRect rectSpin, int nState, BOOL bHorz, CZUDPSpinButtonCtrl* pSpinCtrl) override
    {
        Record("DrawSpinButton", rectSpin, nState, bHorz, pSpinCtrl);
        CZUDPVisualManager::DrawSpinButton(pDC, rectSpin, nState, bHorz, pSpinCtrl);
    }
    void DrawComboDropButton(CDC* pDC, CRect rect, BOOL bDisabled, BOOL bIsDropped, BOOL bIsHighlighted,
                             CZUDPToolbarComboBoxButton* pButton) override
    {
        Record("DrawComboDropButton", rect, (bDisabled ? 1 : 0) | (bIsDropped ? 2 : 0) | (bIsHighlighted ? 4 : 0),
               pButton != nullptr, nullptr);
        CZUDPVisualManager::DrawComboDropButton(pDC, rect, bDisabled, bIsDropped, bIsHighlighted, pButton);
    }

private:
    static void Record(const char* op, const CRect& rect, int state, BOOL flag, const void* control)
    {
        controlstest::RecordedCalls().push_back(controlstest::ManagerCall{op, rect, state, flag, g_drawingOnGlass, control});
    }
};

namespace controlstest {

// The recording manager is the active one for the scope; the record starts
// empty.
class ScopedRecordingManager {
public:
    ScopedRecordingManager()
    {
        CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CControlsRecordingManager));
        RecordedCalls().clear();
    }
    ~ScopedRecordingManager()
    {
        CZUDPVisualManager::SetDefaultManager(nullptr);
        RecordedCalls().clear();
    }
    ScopedRecordingManager(const ScopedRecordingManager&) = delete;
    ScopedRecordingManager& operator=(const ScopedRecordingManager&) = delete;
};

// A hidden popup that hosts the controls under test (and reflects their
// notifications to them).
class CHostWnd : public CWnd {
public:
    BOOL CreateHost(int cx = 400, int cy = 300)
    {
        return CreateEx(0, nullptr, "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, cx, cy, nullptr, nullptr);
    }
};

} // namespace controlstest
