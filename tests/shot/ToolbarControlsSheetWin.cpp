// The gallery's toolbar controls: a toolbar with flat combo buttons
// (closed, hot edit, dropped), a help combo with its prompt, an edit box
// and the font combos; a calculator popup under an edit in calculator
// mode; and an open drop-down toolbar.
#include "tests/shot/GalleryDockFrame.h"
#include "tests/shot/GallerySheets.h"

#include "framework/Seam.h"
#include "ui/commandbars/ZUDPCalculator.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPDropDownToolbarButton.h"
#include "ui/commandbars/ZUDPHelpComboBoxButton.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarComboBoxButton.h"
#include "ui/commandbars/ZUDPToolbarEditBoxButton.h"
#include "ui/commandbars/ZUDPToolbarFontCombo.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/docking/ZUDPFrameWnd.h"

#include <memory>
#include <vector>

namespace {

void Repaint(CWnd& wnd)
{
    wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
}

CZUDPToolbarComboBoxButton* NewCombo(UINT uiID, DWORD dwStyle, int nWidth)
{
    auto* pCombo = new CZUDPToolbarComboBoxButton(uiID, -1, dwStyle, nWidth);
    for (const char* item : {"Normal", "Heading 1", "Heading 2", "Quote"})
        pCombo->AddItem(item);
    pCombo->SelectItem(0, FALSE);
    return pCombo;
}

// A bar in the frame at the top, laid out.
bool MakeBar(CZUDPToolBar& bar, CZUDPFrameWnd& frame, UINT nID, LPCTSTR lpszName)
{
    return MakeGalleryToolBar(bar, frame, nID, lpszName, {});
}

} // namespace

bool ShootToolbarControlSheets(const GalleryPhotographer& photograph, const std::function<void(DWORD)>& pump)
{
    CZUDPFrameWnd frame;
    if (!MakeGalleryDockFrame(frame, "Toolbar controls", CRect(40, 40, 760, 300)))
        return false;
    // The gallery lists a few fonts of its own, whatever is installed.
    ScopedSeam fonts(g_commandBarsSeams.installedFonts, [](BYTE, std::vector<CZUDPFontDesc>& list) {
        list.emplace_back("Arial", "Western", ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
        list.emplace_back("Courier New", "Western", ANSI_CHARSET, FIXED_PITCH | FF_MODERN, TRUETYPE_FONTTYPE);
        list.emplace_back("Tahoma", "Western", ANSI_CHARSET, VARIABLE_PITCH | FF_SWISS, TRUETYPE_FONTTYPE);
    });
    ScopedSeam printer(g_commandBarsSeams.printerFonts, [](BYTE, std::vector<CZUDPFontDesc>&) {});

    CZUDPToolBar combos, fontBar;
    if (!MakeBar(combos, frame, 91, "Combos") || !MakeBar(fontBar, frame, 92, "Fonts"))
        return false;
    auto* pClosed = NewCombo(0x7A01, CBS_DROPDOWNLIST, 110);
    auto* pHot = NewCombo(0x7A02, CBS_DROPDOWN, 110);
    auto* pDropped = NewCombo(0x7A03, CBS_DROPDOWNLIST, 110);
    auto* pHelp = new CZUDPHelpComboBoxButton(0x7A04, 150, "Type a question");
    auto* pEdit = new CZUDPToolbarEditBoxButton(0x7A05, -1, ES_AUTOHSCROLL, 110);
    combos.InsertButton(pClosed);
    combos.InsertButton(pHot);
    combos.InsertButton(pDropped);
    combos.InsertButton(pHelp);
    combos.InsertButton(pEdit);
    if (pEdit->GetEditBox() != nullptr)
        pEdit->GetEditBox()->SetWindowText("192.168.1.20");
    auto* pFont = new CZUDPToolbarFontCombo(0x7A06, -1);
    auto* pSize = new CZUDPToolbarFontSizeCombo(0x7A07, -1, CBS_DROPDOWN, 50);
    for (const char* size : {"8", "10", "12", "14"})
        pSize->AddItem(size);
    pFont->SelectItem(0, FALSE);
    pSize->SelectItem(1, FALSE);
    fontBar.InsertButton(pFont);
    fontBar.InsertButton(pSize);
    frame.DockBarAtSite(&combos, AFX_IDW_DOCKBAR_TOP, nullptr);
    frame.DockBarAtSite(&fontBar, AFX_IDW_DOCKBAR_TOP, nullptr);
    frame.RecalcLayout();
    frame.SetFocus();
    pHot->SetHotEdit(TRUE);
    Repaint(frame);
    pump(300);
    photograph("toolbar-controls-frame", frame.m_hWnd);
    photograph("toolbar-combos-closed-hot-prompt-edit", combos.m_hWnd);
    photograph("toolbar-font-combos", fontBar.m_hWnd);
    if (CComboBox* pList = pDropped->GetComboBox()) {
        pList->ShowDropDown(TRUE);
        Repaint(combos);
        pump(300);
        photograph("toolbar-combo-dropped", frame.m_hWnd);
        pList->ShowDropDown(FALSE);
    }
    pHot->SetHotEdit(FALSE);

    // The calculator as a control in the frame, and its popup under an edit
    // in calculator mode.
    CZUDPCalculator calculator(12.5, 0x7A11, nullptr);
    bool bCalculator = calculator.CreateControl(&frame, CRect(420, 110, 640, 250), 0x7A11) != FALSE;
    if (bCalculator) {
        Repaint(calculator);
        pump(200);
        photograph("calculator-control", calculator.m_hWnd);
    }
    CZUDPEdit calcEdit;
    if (calcEdit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(20, 160, 200, 182), &frame, 0x7A10)) {
        calcEdit.SetCalculatorMode();
        calcEdit.SetWindowText("12.5");
        calcEdit.OnBrowse();
        auto* pPopup = dynamic_cast<CZUDPCalculatorPopup*>(calcEdit.m_pCalcPopup);
        if (pPopup != nullptr && ::IsWindow(pPopup->m_hWnd)) {
            // Photographed before the queue runs: the calculator takes the
            // focus, and on a display without a window manager the window
            // system then reports the application inactive for a moment,
            // which closes every popup.
            Repaint(*pPopup);
            photograph("calculator-popup", pPopup->m_hWnd);
            if (::IsWindow(pPopup->m_hWnd))
                pPopup->SendMessage(WM_CLOSE);
            pump(100);
        }
    }

    // An open drop-down toolbar.
    bool bDropDown = false;
    CZUDPToolBar host;
    CZUDPDropDownToolBar source;
    if (MakeGalleryToolBar(source, frame, 94, "Shapes", {"Line", "Box", nullptr, "Circle", "Arrow"}) &&
        MakeBar(host, frame, 93, "Drop-down")) {
        // The offered bar keeps its own images: the gallery's strip.
        g_sharedToolbarImages.DuplicateInto(source.m_ImagesLocked);
        source.ShowWindow(SW_HIDE);
        auto* pDrop = new CZUDPDropDownToolbarButton("Shapes", &source);
        host.InsertButton(pDrop);
        frame.DockBarAtSite(&host, AFX_IDW_DOCKBAR_TOP, nullptr);
        frame.RecalcLayout();
        Repaint(frame);
        if (pDrop->DropDownToolbar() && pDrop->openFrame != nullptr) {
            Repaint(*pDrop->openFrame);
            pump(300);
            photograph("dropdown-toolbar-open", pDrop->openFrame->m_hWnd);
            photograph("dropdown-toolbar-button", host.m_hWnd);
            pDrop->openFrame->DestroyWindow();
            bDropDown = true;
        }
    }
    host.DestroyWindow();
    source.DestroyWindow();
    calcEdit.DestroyWindow();
    calculator.DestroyWindow();
    combos.DestroyWindow();
    fontBar.DestroyWindow();
    frame.DestroyWindow();
    return bCalculator && bDropDown;
}
