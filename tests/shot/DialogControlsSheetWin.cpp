// A sheet of the library's list, header, edit, combo box, spin button, list
// box, font combo box, edit list and slider, as real windows: the edits,
// combo boxes and spin buttons in their states (normal, hot, pressed,
// disabled), the list sorted with its tinted column, the list box with a
// hot and a selected item, sliders with their ticks on every side.  Taken
// once in the classic look and once in the visual-manager look.
#include "tests/shot/GallerySheets.h"

#include "framework/win/Controls.h"
#include "framework/win/DC.h"
#include "framework/win/ListCtrl.h"
#include "ui/controls/ZUDPComboBox.h"
#include "ui/controls/ZUDPEdit.h"
#include "ui/controls/ZUDPEditListBox.h"
#include "ui/controls/ZUDPFontComboBox.h"
#include "ui/controls/ZUDPListBox.h"
#include "ui/controls/ZUDPListCtrl.h"
#include "ui/controls/ZUDPSliderCtrl.h"
#include "ui/controls/ZUDPSpinButtonCtrl.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <memory>
#include <string>
#include <vector>

namespace {

const int kDialogLabelWidth = 120;
const int kDialogCellWidth = 175;
const int kDialogRowHeight = 34;
const char* const kDialogStates[] = {"normal", "hot", "pressed", "disabled"};

// The controls with their state flags set for the picture (the states a
// mouse would give them, without a mouse).
class CSheetEdit : public CZUDPEdit {
public:
    void Show(int state)
    {
        m_bIsButtonHighlighted = state == 1;
        m_bIsButtonPressed = state == 2;
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    }
};

class CSheetCombo : public CZUDPComboBox {
public:
    void Show(int state)
    {
        m_bIsButtonHighlighted = state == 1;
        m_bIsDroppedDown = state == 2;
        Invalidate();
    }
};

class CSheetSpin : public CZUDPSpinButtonCtrl {
public:
    void Show(int state)
    {
        m_bIsButtonHighlightedUp = state == 1;
        m_bIsButtonPressedUp = state == 2;
        Invalidate();
    }
};

// A list that orders its rows by their texts.
class CSheetList : public CZUDPListCtrl {
protected:
    int CompareItems(LPARAM lParam1, LPARAM lParam2, int iColumn) override
    {
        return GetItemText(FindRow(lParam1), iColumn).Compare(GetItemText(FindRow(lParam2), iColumn));
    }
    int FindRow(LPARAM lParam) const
    {
        LVFINDINFOA find = {};
        find.flags = LVFI_PARAM;
        find.lParam = lParam;
        return FindItem(&find);
    }
};

class CSheetListBox : public CZUDPListBox {
public:
    void SetHot(int item)
    {
        m_nHotItem = item;
        Invalidate();
    }
};

// The window of the sheet: a frame for the controls, with the row and
// column labels painted on its face.
class CSheetWnd : public CWnd {
public:
    std::vector<std::pair<CPoint, std::string>> labels;

protected:
    // The face under every child that borrows its parent's background (the
    // sliders of the look), as a dialog's erasing gives it.
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        CRect client;
        GetClientRect(&client);
        pDC->FillRect(client, &g_uiEnvironment.m_brushButtonFace);
        return TRUE;
    }
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.FillRect(client, &g_uiEnvironment.m_brushButtonFace);
        HGDIOBJ oldFont = dc.SelectObject(g_uiEnvironment.m_fontRegular.GetSafeHandle());
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(g_uiEnvironment.m_colorButtonText);
        for (const auto& label : labels)
            dc.TextOut(label.first.x, label.first.y, CString(label.second.c_str()));
        dc.SelectObject(oldFont);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSheetWnd, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

class ControlsSheet {
public:
    explicit ControlsSheet(BOOL look) : m_look(look) {}

    bool Create()
    {
        const int width = kDialogLabelWidth + 4 * kDialogCellWidth + 20;
        if (!m_window.CreateEx(0, AfxRegisterWndClass(0), m_look ? "Dialog controls, visual-manager look" : "Dialog controls",
                               WS_OVERLAPPED | WS_CAPTION | WS_CLIPCHILDREN | WS_VISIBLE, 30, 30, width, 720,
                               nullptr, nullptr))
            return false;
        for (int s = 0; s < 4; ++s)
            m_window.labels.push_back({CPoint(kDialogLabelWidth + s * kDialogCellWidth + 6, 6), kDialogStates[s]});
        UINT id = 100;
        int y = 26;
        const char* rows[] = {"edit, file", "edit, calculator", "combo box", "spin button"};
        for (int row = 0; row < 4; ++row, y += kDialogRowHeight) {
            m_window.labels.push_back({CPoint(8, y + 6), rows[row]});
            for (int s = 0; s < 4; ++s) {
                const int x = kDialogLabelWidth + s * kDialogCellWidth + 4;
                MakeStateCell(row, s, CRect(x, y, x + kDialogCellWidth - 12, y + 24), id);
                id += 3;
            }
        }

        // A sorted list with its tinted column, a list box with a hot and
        // a selected item, a font combo box, a horizontal spin button and
        // an edit list.
        y += 8;
        m_window.labels.push_back({CPoint(8, y), "list, sorted"});
        auto list = std::make_unique<CSheetList>();
        list->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS,
                     CRect(kDialogLabelWidth, y, kDialogLabelWidth + 330, y + 150), &m_window, id++);
        const char* columns[] = {"Name", "Address", "Version"};
        for (int c = 0; c < 3; ++c)
            list->InsertColumn(c, columns[c], LVCFMT_LEFT, c == 0 ? 120 : 100);
        const char* names[] = {"press-line-1", "press-line-2", "dosing", "oven east", "packaging"};
        for (int r = 0; r < 5; ++r) {
            list->InsertItem(r, names[r]);
            list->SetItemData(r, (DWORD_PTR)r);
            list->SetItemText(r, 1, ("10.0.0." + std::to_string(10 + r * 7)).c_str());
            list->SetItemText(r, 2, ("4v" + std::to_string(r) + "r2").c_str());
        }
        list->EnableMarkSortedColumn(TRUE, FALSE);
        list->Sort(1, FALSE);
        list->SetItemState(2, LVIS_SELECTED, LVIS_SELECTED);
        m_windows.push_back(std::move(list));

        auto box = std::make_unique<CSheetListBox>();
        box->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS,
                    CRect(kDialogLabelWidth + 345, y, kDialogLabelWidth + 520, y + 150), &m_window, id++);
        const char* items[] = {"10.0.0.1", "10.0.0.10", "10.0.0.2", "10.0.0.20", "10.0.0.3 - a long entry that ends early"};
        for (const char* item : items)
            box->AddString(item);
        box->SetCurSel(1);
        box->SetHot(3);
        m_windows.push_back(std::move(box));

        auto fonts = std::make_unique<CZUDPFontComboBox>();
        fonts->Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_SORT,
                      CRect(kDialogLabelWidth + 535, y, kDialogLabelWidth + 4 * kDialogCellWidth, y + 200), &m_window, id++);
        fonts->SetCurSel(0);
        m_windows.push_back(std::move(fonts));

        auto horizontal = std::make_unique<CSheetSpin>();
        horizontal->Create(WS_CHILD | WS_VISIBLE | UDS_HORZ, CRect(kDialogLabelWidth + 535, y + 40, kDialogLabelWidth + 575, y + 58),
                           &m_window, id++);
        horizontal->Show(2);
        m_windows.push_back(std::move(horizontal));

        y += 165;
        m_window.labels.push_back({CPoint(8, y), "edit list"});
        auto editList = std::make_unique<CZUDPEditListBox>();
        editList->Create("Search folders", WS_CHILD | WS_VISIBLE, CRect(kDialogLabelWidth, y, kDialogLabelWidth + 330, y + 150),
                         &m_window, id++);
        editList->AddStandardButtons();
        editList->AddItem("C:\\Program Files\\Trov\\apps");
        editList->AddItem("D:\\projects\\line-2");
        editList->AddItem("\\\\server\\firmware");
        editList->SelectItem(1);
        m_windows.push_back(std::move(editList));

        auto disabledList = std::make_unique<CZUDPEditListBox>();
        disabledList->Create("Disabled", WS_CHILD | WS_VISIBLE, CRect(kDialogLabelWidth + 345, y, kDialogLabelWidth + 4 * kDialogCellWidth, y + 150),
                             &m_window, id++);
        disabledList->AddStandardButtons(EditListButton_New | EditListButton_Delete);
        disabledList->AddItem("first");
        disabledList->EnableWindow(FALSE);
        m_windows.push_back(std::move(disabledList));

        // Sliders with their ticks: every few positions below, set one by
        // one above, on both sides, and upright on the right, the left and
        // both sides; the last one disabled.
        y += 165;
        m_window.labels.push_back({CPoint(8, y), "slider, ticks"});
        const struct {
            DWORD style;
            CRect rect;
            int freq;
            bool disabled;
        } sliders[] = {
            {TBS_HORZ | TBS_AUTOTICKS, CRect(0, 0, 150, 36), 2, false},
            {TBS_HORZ | TBS_TOP, CRect(160, 0, 310, 36), 0, false},
            {TBS_HORZ | TBS_BOTH | TBS_AUTOTICKS, CRect(320, 0, 470, 44), 5, false},
            {TBS_VERT | TBS_AUTOTICKS, CRect(490, 0, 530, 90), 2, false},
            {TBS_VERT | TBS_LEFT | TBS_AUTOTICKS, CRect(545, 0, 585, 90), 5, false},
            {TBS_VERT | TBS_BOTH | TBS_AUTOTICKS, CRect(600, 0, 650, 90), 5, true},
        };
        for (const auto& each : sliders) {
            auto slider = std::make_unique<CZUDPSliderCtrl>();
            slider->Create(WS_CHILD | WS_VISIBLE | each.style, each.rect + CPoint(kDialogLabelWidth, y), &m_window, id++);
            slider->SetRange(0, 10);
            if (each.freq != 0)
                slider->SetTicFreq(each.freq);
            else
                for (int tic : {2, 3, 7})
                    slider->SetTic(tic);
            slider->SetPos(4);
            slider->m_bDrawFocus = FALSE;
            if (each.disabled)
                slider->EnableWindow(FALSE);
            m_windows.push_back(std::move(slider));
        }

        // The look for every control, as a dialog tells its children.
        for (HWND child = ::GetWindow(m_window.m_hWnd, GW_CHILD); child != nullptr;
             child = ::GetWindow(child, GW_HWNDNEXT))
            ::SendMessageA(child, ZUDM_ONSETCONTROLVMMODE, m_look, 0);
        for (auto& edit : m_edits)
            edit->SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
        m_window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        for (size_t i = 0; i < m_edits.size(); ++i)
            m_edits[i]->Show(m_editStates[i]);
        return true;
    }

    HWND Window() const { return m_window.m_hWnd; }

    ~ControlsSheet()
    {
        m_edits.clear();
        m_windows.clear();
        if (m_window.m_hWnd != nullptr)
            m_window.DestroyWindow();
    }

private:
    void MakeStateCell(int row, int state, CRect rect, UINT id)
    {
        switch (row) {
        case 0:
        case 1: {
            auto edit = std::make_unique<CSheetEdit>();
            edit->CreateEx(WS_EX_CLIENTEDGE, "EDIT", row == 0 ? "C:\\data\\report.txt" : "12.5",
                           WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, &m_window, id);
            if (row == 0)
                edit->SetFileMode("txt", "Text|*.txt||");
            else
                edit->SetCalculatorMode();
            if (state == 3)
                edit->EnableWindow(FALSE);
            m_editStates.push_back(state);
            m_edits.push_back(std::move(edit));
            break;
        }
        case 2: {
            auto combo = std::make_unique<CSheetCombo>();
            combo->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(rect.left, rect.top, rect.right, rect.top + 120),
                          &m_window, id);
            combo->AddString("Static address");
            combo->AddString("DHCP");
            combo->SetCurSel(0);
            combo->Show(state);
            if (state == 3)
                combo->EnableWindow(FALSE);
            m_windows.push_back(std::move(combo));
            break;
        }
        default: {
            auto buddy = std::make_unique<CEdit>();
            buddy->CreateEx(WS_EX_CLIENTEDGE, "EDIT", "42", WS_CHILD | WS_VISIBLE | ES_NUMBER,
                            CRect(rect.left, rect.top, rect.left + 70, rect.bottom), &m_window, id);
            auto spin = std::make_unique<CSheetSpin>();
            spin->Create(WS_CHILD | WS_VISIBLE | UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, CRect(0, 0, 16, 24),
                         &m_window, id + 1);
            spin->SetBuddy(buddy.get());
            spin->SetRange32(0, 100);
            spin->SetPos32(42);
            spin->Show(state);
            if (state == 3) {
                spin->EnableWindow(FALSE);
                buddy->EnableWindow(FALSE);
            }
            m_windows.push_back(std::move(buddy));
            m_windows.push_back(std::move(spin));
            break;
        }
        }
    }

    BOOL m_look;
    CSheetWnd m_window;
    std::vector<std::unique_ptr<CWnd>> m_windows;
    std::vector<std::unique_ptr<CSheetEdit>> m_edits;
    std::vector<int> m_editStates;
};

} // namespace

void ShootDialogControlsSheets(const GalleryPhotographer& photograph)
{
    for (BOOL look : {FALSE, TRUE}) {
        ControlsSheet sheet(look);
        if (!sheet.Create()) {
            photograph(look ? "dialog-controls-look" : "dialog-controls", nullptr);
            continue;
        }
        photograph(look ? "dialog-controls-look" : "dialog-controls", sheet.Window());
    }
}
