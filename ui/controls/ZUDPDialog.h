#pragma once
// The dialog base of the library and of every dialog of the application.
// This version is the framework's dialog with the look switch stored and
// told to the dialog's controls at initialisation (the registered message
// ZUDM_ONSETCONTROLVMMODE); the visual-manager painting, the owner-drawn
// caption and the popup-menu cooperation arrive with the dialog
// implementation.
#include "framework/win/Dialog.h"
#include "framework/List.h"

class CZUDPDialog : public CDialog {
    DECLARE_DYNAMIC(CZUDPDialog)
public:
    CZUDPDialog();
    explicit CZUDPDialog(UINT nIDTemplate, CWnd* pParent = nullptr);
    explicit CZUDPDialog(LPCTSTR lpszTemplateName, CWnd* pParent = nullptr);
    ~CZUDPDialog() override;

    // Switches the visual-manager look (bNCArea: also the caption and
    // frame).  Called in a constructor it is applied at OnInitDialog.
    // pLstNonSubclassedItems: control ids that are left alone.
    void SetVisualManagerLook(BOOL bEnable, BOOL bNCArea = FALSE, const CList<UINT, UINT>* pLstNonSubclassedItems = nullptr);
    BOOL IsVisualManagerStyle() const { return m_bVisualManagerStyle; }
    BOOL IsVisualManagerNCArea() const { return m_bVisualManagerNCArea; }

    BOOL OnInitDialog() override;

protected:
    void TellControlsTheLook();

    BOOL m_bVisualManagerStyle = FALSE;
    BOOL m_bVisualManagerNCArea = FALSE;
    CList<UINT, UINT> m_lstNonSubclassedItems;

    DECLARE_MESSAGE_MAP()
};
