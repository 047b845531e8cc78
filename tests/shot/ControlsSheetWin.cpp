// A sheet of the library's own controls as windows, in their states: push
// buttons by border style (normal, hot, pressed, disabled), check boxes and
// radio buttons, buttons with glyphs and images, menu buttons, progress
// bars, sliders, a group box with static text, and scroll bars.  It is
// photographed under the base visual manager, and under a manager of the
// gallery's that draws push-button frames and scroll bars itself (the base
// manager leaves both to the controls and the platform).
#include "tests/shot/GallerySheets.h"

#include "framework/win/DC.h"
#include "ui/controls/ZUDPButton.h"
#include "ui/controls/ZUDPGroup.h"
#include "ui/controls/ZUDPMenuButton.h"
#include "ui/controls/ZUDPProgressCtrl.h"
#include "ui/controls/ZUDPScrollBar.h"
#include "ui/controls/ZUDPSliderCtrl.h"
#include "ui/controls/ZUDPStatic.h"
#include "ui/foundation/ZUDPDrawManager.h"
#include "ui/foundation/ZUDPMenuGlyphs.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPVisualManager.h"

#include <memory>
#include <vector>

namespace {

// Frames and scroll bars of the gallery's own: flat boxes in blue tones.
class CGalleryFramesManager : public CZUDPVisualManager {
    DECLARE_DYNCREATE(CGalleryFramesManager)
public:
    BOOL UsesCustomScrollBars() override { return TRUE; }

    BOOL DrawPushButtonFrame(CDC* pDC, CZUDPButton* pButton, CRect rect, UINT uiState) override
    {
        const BOOL bDisabled = (uiState & ODS_DISABLED) != 0 ||
                               (pButton->GetSafeHwnd() != nullptr && !pButton->IsWindowEnabled());
        const BOOL bPressed = (pButton->m_bDown && pButton->m_bHot) || (uiState & ODS_SELECTED) != 0 ||
                              pButton->GetCheck() != 0;
        COLORREF fill = RGB(214, 228, 246), border = RGB(60, 100, 170);
        if (bDisabled) {
            fill = RGB(232, 232, 232);
            border = RGB(170, 170, 170);
        } else if (bPressed) {
            fill = RGB(60, 100, 170);
            border = RGB(30, 50, 100);
            pButton->m_clrFrameText = RGB(255, 255, 255);
        } else if (pButton->m_bHot) {
            fill = RGB(236, 244, 255);
        }
        CZUDPDrawManager dm(*pDC);
        dm.DrawBox(rect, fill, border);
        return TRUE;
    }

    void DrawScrollBarThumb(CDC* pDC, CZUDPScrollBar*, CRect rect, BOOL bHorz, BOOL bHighlighted, BOOL bPressed,
                            BOOL) override
    {
        DrawScrollBarTrack(pDC, nullptr, rect, bHorz, FALSE, FALSE, TRUE, FALSE);
        rect.DeflateRect(bHorz ? 0 : 3, bHorz ? 3 : 0);
        pDC->FillSolidRect(rect, bPressed ? RGB(60, 100, 170) : bHighlighted ? RGB(140, 170, 220) : RGB(180, 196, 222));
        pDC->Draw3dRect(rect, RGB(60, 100, 170), RGB(60, 100, 170));
    }

    void DrawScrollBarButton(CDC* pDC, CZUDPScrollBar*, CRect rect, BOOL bHorz, BOOL bHighlighted, BOOL bPressed,
                             BOOL bFirst, BOOL bDisabled) override
    {
        pDC->FillSolidRect(rect, bPressed ? RGB(180, 196, 222) : bHighlighted ? RGB(236, 244, 255) : RGB(244, 246, 250));
        const int glyph = bHorz ? (bFirst ? MenuGlyphArrowLeft : MenuGlyphArrowRight)
                                : (bFirst ? MenuGlyphArrowUp : MenuGlyphArrowDown);
        DrawMenuGlyphCentered(pDC, glyph, rect, bDisabled ? MenuGlyphColorGray : MenuGlyphColorBlack);
    }

    void DrawScrollBarTrack(CDC* pDC, CZUDPScrollBar*, CRect rect, BOOL, BOOL, BOOL bPressed, BOOL,
                            BOOL bDisabled) override
    {
        pDC->FillSolidRect(rect, bDisabled ? RGB(236, 236, 236) : bPressed ? RGB(200, 214, 236) : RGB(224, 230, 240));
    }
};

IMPLEMENT_DYNCREATE(CGalleryFramesManager, CZUDPVisualManager)

// A solid square with a light grey (transparent) border, for image buttons.
HBITMAP SquareBitmap(COLORREF colour)
{
    HDC screen = ::GetDC(nullptr);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all = {0, 0, 16, 16}, inner = {3, 3, 13, 13};
    HBRUSH grey = ::CreateSolidBrush(RGB(0xC0, 0xC0, 0xC0)), brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &all, grey);
    ::FillRect(dc, &inner, brush);
    ::DeleteObject(grey);
    ::DeleteObject(brush);
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
    ::ReleaseDC(nullptr, screen);
    return bitmap;
}

class CControlSheet : public CWnd {
public:
    static const int kWidth = 600, kHeight = 430;
    ~CControlSheet() override
    {
        if (m_menu != nullptr)
            ::DestroyMenu(m_menu);
    }

    BOOL Build();
    // Sends the look message to every control (push buttons then take the
    // manager's frame).
    void SetLook(BOOL bLook);
    // Holds a scroll bar's thumb pressed (or lets it go), for the picture.
    void PressThumb(BOOL bPress);

protected:
    BOOL OnEraseBkgnd(CDC* pDC)
    {
        CRect rect;
        GetClientRect(rect);
        pDC->FillRect(rect, &g_uiEnvironment.m_brushButtonFace);
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()

private:
    template <class T>
    T& Add(std::unique_ptr<T> control)
    {
        T& result = *control;
        m_controls.emplace_back(std::move(control));
        return result;
    }
    CZUDPButton& AddButton(const char* text, DWORD style, CRect rect);

    std::vector<std::unique_ptr<CWnd>> m_controls;
    std::vector<CZUDPButton*> m_buttons;
    CZUDPScrollBar* m_pressedBar = nullptr;
    HMENU m_menu = nullptr;
    UINT m_nextId = 1000;
};

BEGIN_MESSAGE_MAP(CControlSheet, CWnd)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CZUDPButton& CControlSheet::AddButton(const char* text, DWORD style, CRect rect)
{
    CZUDPButton& button = Add(std::make_unique<CZUDPButton>());
    button.Create(text, WS_CHILD | WS_VISIBLE | style, rect, this, m_nextId++);
    m_buttons.push_back(&button);
    return button;
}

BOOL CControlSheet::Build()
{
    if (!CreateEx(0, AfxRegisterWndClass(0), "Controls", WS_POPUP | WS_BORDER, 0, 0, kWidth, kHeight, nullptr, nullptr))
        return FALSE;
    const int w = 110, h = 26, gap = 8, left = 10;
    auto cell = [&](int column, int row) {
        return CRect(CPoint(left + column * (w + gap), 8 + row * (h + gap)), CSize(w, h));
    };

    // Push buttons: normal, hot, pressed, disabled; then the other borders.
    const char* const states[] = {"Normal", "Hot", "Pressed", "Disabled"};
    for (int row = 0; row < 2; ++row) {
        for (int s = 0; s < 4; ++s) {
            CZUDPButton& button = AddButton(states[s], BS_PUSHBUTTON, cell(s, row));
            button.m_nBorderStyle = row == 0 ? CZUDPButton::BorderStyle3D : CZUDPButton::BorderStyleSemiFlat;
            button.m_bHot = s == 1 || s == 2;
            button.m_bDown = s == 2;
            if (s == 3)
                button.EnableWindow(FALSE);
        }
    }
    {
        CZUDPButton& flat = AddButton("Flat, hot", BS_PUSHBUTTON, cell(0, 2));
        flat.m_nBorderStyle = CZUDPButton::BorderStyleFlat;
        flat.m_bHot = TRUE;
        CZUDPButton& none = AddButton("No border", BS_PUSHBUTTON, cell(1, 2));
        none.m_nBorderStyle = CZUDPButton::BorderStyleNone;
        CZUDPButton& pushLike = AddButton("Checked", BS_AUTOCHECKBOX | BS_PUSHLIKE, cell(2, 2));
        pushLike.SetCheck(1);
        AddButton("Right text", BS_PUSHBUTTON, cell(3, 2)).m_nTextAlignment = CZUDPButton::AlignRight;
    }
    // Check boxes and radio buttons.
    {
        CZUDPButton& unchecked = AddButton("Unchecked", BS_AUTOCHECKBOX, cell(0, 3));
        unchecked.m_bHot = TRUE;
        AddButton("Checked", BS_AUTOCHECKBOX, cell(1, 3)).SetCheck(1);
        AddButton("Third state", BS_AUTO3STATE, cell(2, 3)).SetCheck(2);
        CZUDPButton& disabled = AddButton("Disabled", BS_AUTOCHECKBOX, cell(3, 3));
        disabled.SetCheck(1);
        disabled.EnableWindow(FALSE);
        AddButton("Radio", BS_AUTORADIOBUTTON | WS_GROUP, cell(0, 4));
        AddButton("Chosen", BS_AUTORADIOBUTTON, cell(1, 4)).SetCheck(1);
        CZUDPButton& hotRadio = AddButton("Hot", BS_AUTORADIOBUTTON, cell(2, 4));
        hotRadio.m_bHot = TRUE;
        AddButton("Text left", BS_AUTORADIOBUTTON | BS_LEFTTEXT | BS_RIGHT, cell(3, 4)).EnableWindow(FALSE);
    }
    // Glyphs, images, menu buttons.
    {
        CZUDPButton& glyph = AddButton("Glyph", BS_PUSHBUTTON | WS_GROUP, cell(0, 5));
        glyph.SetGlyphImage(MenuGlyphCheckMark);
        CZUDPButton& image = AddButton("Image", BS_PUSHBUTTON, cell(1, 5));
        image.SetImage(SquareBitmap(RGB(200, 40, 40)), TRUE, SquareBitmap(RGB(40, 160, 40)), FALSE, FALSE,
                       SquareBitmap(RGB(40, 40, 200)));
        image.m_bImageOnRight = TRUE;
        CZUDPButton& disabledImage = AddButton("Image", BS_PUSHBUTTON, cell(2, 5));
        disabledImage.SetImage(SquareBitmap(RGB(200, 40, 40)));
        disabledImage.EnableWindow(FALSE);
        CZUDPButton& onTop = AddButton("Above", BS_PUSHBUTTON, CRect(cell(3, 5).TopLeft(), CSize(w, 2 * h + gap)));
        onTop.SetImage(SquareBitmap(RGB(40, 160, 40)));
        onTop.m_bImageOnTop = TRUE;

        m_menu = ::CreatePopupMenu();
        ::AppendMenuA(m_menu, MF_STRING, 1, "One");
        const struct {
            const char* text;
            BOOL rightArrow, split, enabled;
        } menus[] = {{"Menu", FALSE, FALSE, TRUE}, {"Right", TRUE, FALSE, TRUE}, {"Split", FALSE, TRUE, TRUE}};
        for (int i = 0; i < 3; ++i) {
            CZUDPMenuButton& menu = Add(std::make_unique<CZUDPMenuButton>());
            menu.Create(menus[i].text, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, cell(i, 6), this, m_nextId++);
            menu.m_hMenu = m_menu;
            menu.m_bRightArrow = menus[i].rightArrow;
            menu.m_bSplit = menus[i].split;
            m_buttons.push_back(&menu);
        }
    }
    // Progress bars, sliders, group box with static texts, scroll bars.
    {
        const int top = 8 + 7 * (h + gap) + 4;
        for (int i = 0; i < 3; ++i) {
            CZUDPProgressCtrl& progress = Add(std::make_unique<CZUDPProgressCtrl>());
            progress.Create(WS_CHILD | WS_VISIBLE, CRect(CPoint(left + i * (w + gap), top), CSize(w, 16)), this,
                            m_nextId++);
            progress.SetRange32(0, 100);
            progress.SetPos(i * 50);
        }
        for (int i = 0; i < 2; ++i) {
            CZUDPSliderCtrl& slider = Add(std::make_unique<CZUDPSliderCtrl>());
            slider.Create(WS_CHILD | WS_VISIBLE | TBS_HORZ | TBS_AUTOTICKS,
                          CRect(CPoint(left + (3 + i) * (w + gap) - (i * w / 2), top - 6),
                                CSize(i == 0 ? w / 2 + 10 : w / 2, 30)),
                          this, m_nextId++);
            slider.SetRange(0, 10);
            slider.SetPos(3 + 4 * i);
            slider.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
            if (i == 1)
                slider.EnableWindow(FALSE);
        }
        const int groupTop = top + 30;
        CZUDPGroup& group = Add(std::make_unique<CZUDPGroup>());
        group.Create("Group box", WS_CHILD | WS_VISIBLE | BS_GROUPBOX,
                     CRect(left, groupTop, left + 2 * w + gap, groupTop + 70), this, m_nextId++);
        CZUDPStatic& label = Add(std::make_unique<CZUDPStatic>());
        label.Create("Static text", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(left + 12, groupTop + 22, left + w, groupTop + 40),
                     this);
        CZUDPStatic& greyed = Add(std::make_unique<CZUDPStatic>());
        greyed.Create("Disabled text", WS_CHILD | WS_VISIBLE | SS_LEFT,
                      CRect(left + 12, groupTop + 44, left + w + 40, groupTop + 62), this);
        greyed.SendMessage(ZUDM_ONSETCONTROLVMMODE, TRUE);
        greyed.EnableWindow(FALSE);
        for (CWnd* pStatic : {(CWnd*)&label, (CWnd*)&greyed})
            pStatic->SendMessage(WM_SETFONT, (WPARAM)::GetStockObject(DEFAULT_GUI_FONT));

        const int barsLeft = left + 2 * (w + gap);
        const struct {
            CRect rect;
            DWORD style;
            int pos;
            bool enabled, pressed;
        } bars[] = {
            {CRect(barsLeft, groupTop, barsLeft + 2 * w, groupTop + 17), SBS_HORZ, 20, true, false},
            {CRect(barsLeft, groupTop + 26, barsLeft + 2 * w, groupTop + 43), SBS_HORZ, 60, true, true},
            {CRect(barsLeft, groupTop + 52, barsLeft + 2 * w, groupTop + 69), SBS_HORZ, 0, false, false},
        };
        for (const auto& b : bars) {
            CZUDPScrollBar& bar = Add(std::make_unique<CZUDPScrollBar>());
            bar.Create(WS_CHILD | WS_VISIBLE | b.style, b.rect, this, m_nextId++);
            SCROLLINFO info = {sizeof(info), SIF_ALL, 0, 99, 20, b.pos, 0};
            bar.SetScrollInfo(&info, FALSE);
            bar.EnableWindow(b.enabled);
            if (b.pressed)
                m_pressedBar = &bar;
        }
    }
    ShowWindow(SW_SHOWNA);
    return TRUE;
}

void CControlSheet::SetLook(BOOL bLook)
{
    for (CZUDPButton* pButton : m_buttons)
        pButton->SendMessage(ZUDM_ONSETCONTROLVMMODE, bLook);
}

void CControlSheet::PressThumb(BOOL bPress)
{
    if (m_pressedBar == nullptr || !m_pressedBar->IsCustom())
        return;
    CRect client;
    m_pressedBar->GetClientRect(client);
    const CRect thumb = m_pressedBar->ThumbRect(client, TRUE);
    const CPoint point = thumb.CenterPoint();
    m_pressedBar->SendMessage(bPress ? WM_LBUTTONDOWN : WM_LBUTTONUP, bPress ? MK_LBUTTON : 0,
                              MAKELPARAM(point.x, point.y));
}

} // namespace

void ShootControlSheets(const GalleryPhotographer& photograph)
{
    CControlSheet sheet;
    if (!sheet.Build()) {
        photograph("controls-base", nullptr);
        return;
    }
    photograph("controls-base", sheet.m_hWnd);

    CZUDPVisualManager::SetDefaultManager(RUNTIME_CLASS(CGalleryFramesManager));
    sheet.SetLook(TRUE);
    sheet.PressThumb(TRUE);
    photograph("controls-custom-frames", sheet.m_hWnd);
    sheet.PressThumb(FALSE);
    sheet.SetLook(FALSE);
    CZUDPVisualManager::SetDefaultManager(nullptr);
    sheet.DestroyWindow();
}
