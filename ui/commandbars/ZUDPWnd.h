#pragma once
// CZUDPWnd: the window base of the library's panes, dock bars, sliders and
// tab windows.  It describes itself and its child elements (toolbar
// buttons, tabs) to accessibility clients, and like the library's controls
// it learns its look from the window that hosts it: the visual-manager
// style (ZUDM_ONSETCONTROLVMMODE) and drawing on glass
// (ZUDM_ONSETCONTROLAERO), both off until told.
//
// Accessible child elements are numbered from 1 (a toolbar's button at
// index i is child i + 1); child 0 is the window itself.  The window
// answers WM_GETOBJECT only while the global UI data's accessibility
// switch is on.
#include "ui/controls/ZUDPControlLook.h"
#include "framework/String.h"
#include "framework/win/Wnd.h"

// What a window tells accessibility clients about one child element,
// filled by CZUDPWnd::UpdateAccessibilityData.
struct CZUDPAccessibleInfo {
    CString m_strName;
    CString m_strValue;
    int m_nHit = 0;              // the last hit test found a child element
    CString m_strDescription;
    int m_nRole = 0;             // ROLE_SYSTEM_ constant
    int m_nState = 0;            // STATE_SYSTEM_ bits
    CString m_strKeyboardShortcut;
    CString m_strHelp;
    CString m_strDefaultAction;
    CRect m_rectLocation;        // screen coordinates

    void Clear();
};

class CZUDPWnd : public CZUDPControlLook<CWnd> {
    DECLARE_DYNCREATE(CZUDPWnd)
public:
    CZUDPWnd();

    // Fills the accessibility record for child element nChildId (1 and
    // up); FALSE when there is no such child.  The base has no children
    // and fills nothing.
    virtual BOOL UpdateAccessibilityData(long nChildId);
    // FALSE: the window gives accessibility clients no object at all.
    virtual BOOL SupportsAccessibility() const { return TRUE; }
    // Hook for a child element that received the focus; nothing here.
    virtual void NotifyChildFocus(long nChildId);
    // The child element at a screen point (its id, 1 and up), 0 for the
    // window itself.  The base has none.
    virtual long AccessibleChildFromPoint(CPoint ptScreen);

    // Takes the visual-manager style over from an owner that is a library
    // dialog or property page (a created window); nothing otherwise.
    void InheritVisualManagerStyle(CWnd* pOwner);

    const CZUDPAccessibleInfo& GetAccessibleInfo() const { return m_accessibleInfo; }

    // IAccessible, as the window answers it (see ZUDPWnd.cpp for the table).
    HRESULT get_accParent(IDispatch** ppdispParent) override;
    HRESULT get_accChildCount(long* pcountChildren) override;
    HRESULT get_accChild(VARIANT varChild, IDispatch** ppdispChild) override;
    HRESULT get_accName(VARIANT varChild, BSTR* pszName) override;
    HRESULT get_accValue(VARIANT varChild, BSTR* pszValue) override;
    HRESULT get_accDescription(VARIANT varChild, BSTR* pszDescription) override;
    HRESULT get_accRole(VARIANT varChild, VARIANT* pvarRole) override;
    HRESULT get_accState(VARIANT varChild, VARIANT* pvarState) override;
    HRESULT get_accHelp(VARIANT varChild, BSTR* pszHelp) override;
    HRESULT get_accHelpTopic(BSTR* pszHelpFile, VARIANT varChild, long* pidTopic) override;
    HRESULT get_accKeyboardShortcut(VARIANT varChild, BSTR* pszKeyboardShortcut) override;
    HRESULT get_accFocus(VARIANT* pvarChild) override;
    HRESULT get_accSelection(VARIANT* pvarChildren) override;
    HRESULT get_accDefaultAction(VARIANT varChild, BSTR* pszDefaultAction) override;
    HRESULT accSelect(long flagsSelect, VARIANT varChild) override;
    HRESULT accLocation(long* pxLeft, long* pyTop, long* pcxWidth, long* pcyHeight, VARIANT varChild) override;
    HRESULT accNavigate(long navDir, VARIANT varStart, VARIANT* pvarEndUpAt) override;
    HRESULT accHitTest(long xLeft, long yTop, VARIANT* pvarChild) override;
    HRESULT accDoDefaultAction(VARIANT varChild) override;
    HRESULT put_accName(VARIANT varChild, BSTR szName) override;
    HRESULT put_accValue(VARIANT varChild, BSTR szValue) override;

protected:
    // WM_GETOBJECT: the accessible object while the accessibility switch
    // is on and the window supports it; 0 otherwise.
    LRESULT OnGetAccessibleObject(WPARAM wParam, LPARAM lParam);

    CZUDPAccessibleInfo m_accessibleInfo;

    DECLARE_MESSAGE_MAP()

private:
    // Refreshes the record for a child; FALSE when there is no such child.
    BOOL RefreshChild(long nChildId);
};
