#include "ui/commandbars/ZUDPColorBar.h"

#include "framework/Archive.h"
#include "framework/win/ColorDialog.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "ui/commandbars/ZUDPCommandBarsSeams.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPPopupMenu.h"
#include "ui/commandbars/ZUDPToolBarColorButton.h"
#include "ui/controls/ZUDPColorMenuButton.h"
#include "ui/controls/ZUDPColorSeams.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

#include <cmath>

IMPLEMENT_SERIAL(CZUDPColorBar, CZUDPPopupMenuBar, 1)

BEGIN_MESSAGE_MAP(CZUDPColorBar, CZUDPPopupMenuBar)
    ON_WM_CREATE()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
    ON_MESSAGE(WM_QUERYNEWPALETTE, &CZUDPColorBar::OnQueryNewPalette)
    ON_MESSAGE(WM_PALETTECHANGED, &CZUDPColorBar::OnPaletteChanged)
END_MESSAGE_MAP()

namespace {

const UINT kColorBarIdlePrompt = 0xE001;  // AFX_IDS_IDLEMESSAGE
// The largest palette an 8-bit display gets from a colour list.
const int kMaxPaletteColors = 100;

int CeilDiv(int n, int d) { return d > 0 ? (n + d - 1) / d : 0; }

CZUDPToolBarColorButton* ColorButtonOf(CObject* pObject) { return DYNAMIC_DOWNCAST(CZUDPToolBarColorButton, pObject); }

// Gives the focus back to the frame the bar works for.
void FocusCommandFrame(CWnd* pBar)
{
    if (CFrameWnd* pFrame = GetTopLevelFrameOrInPlace(pBar))
        pFrame->SetFocus();
}

} // namespace

// ---------------------------------------------------------------------------
// Construction

CZUDPColorBar::CZUDPColorBar()
{
    m_bLocked = TRUE;
}

CZUDPColorBar::CZUDPColorBar(const CArray<COLORREF, COLORREF>& colorsIn, COLORREF colorSelected,
                             LPCTSTR lpszAutomaticLabel, LPCTSTR lpszOtherLabel, LPCTSTR lpszDocumentLabel,
                             const CList<COLORREF, COLORREF>& lstDocColors, int nColumns, int nRowsDockHorz,
                             int nColumnsDockVert, COLORREF colorAutomatic, UINT uiCommandID, CWnd* pOwnerControl)
    : columns(nColumns), rowsWhenDockedHorz(nRowsDockHorz), columnsWhenDockedVert(nColumnsDockVert),
      selectedColor(colorSelected), automaticColor(colorAutomatic),
      automaticLabel(lpszAutomaticLabel != nullptr ? lpszAutomaticLabel : ""),
      otherLabel(lpszOtherLabel != nullptr ? lpszOtherLabel : ""),
      documentLabel(lpszDocumentLabel != nullptr ? lpszDocumentLabel : ""), commandId(uiCommandID),
      dockable(FALSE), alwaysShowDocumentColors(TRUE)
{
    // No owning colour control exists in this library: a choice always ends
    // with the bar's command.
    (void)pOwnerControl;
    m_bLocked = TRUE;
    colors.Copy(colorsIn);
    for (POSITION pos = lstDocColors.GetHeadPosition(); pos != nullptr;)
        documentColors.AddTail(lstDocColors.GetNext(pos));
}

CZUDPColorBar::CZUDPColorBar(const CZUDPColorBar& src, UINT uiCommandID)
    : columns(src.columns), rowsWhenDockedHorz(src.rowsWhenDockedHorz),
      columnsWhenDockedVert(src.columnsWhenDockedVert), selectedColor(src.selectedColor),
      automaticColor(src.automaticColor), automaticLabel(src.automaticLabel), otherLabel(src.otherLabel),
      documentLabel(src.documentLabel), commandId(uiCommandID), useSystemColorDialog(src.useSystemColorDialog),
      dockable(TRUE), alwaysShowDocumentColors(FALSE)
{
    m_bLocked = TRUE;
    colors.Copy(src.colors);
    for (POSITION pos = src.documentColors.GetHeadPosition(); pos != nullptr;)
        documentColors.AddTail(src.documentColors.GetNext(pos));
}

CZUDPColorBar::~CZUDPColorBar()
{
    palette.DeleteObject();
}

// ---------------------------------------------------------------------------
// Colour lists and palettes

BOOL CZUDPColorBar::BuildPaletteFromColors(const CArray<COLORREF, COLORREF>& colorsIn, CPalette& paletteOut)
{
    paletteOut.DeleteObject();
    const int nColors = int(colorsIn.GetSize());
    if (g_uiEnvironment.m_bitsPerPixel != 8 || nColors == 0)
        return FALSE;
    const int nEntries = nColors < kMaxPaletteColors ? nColors : kMaxPaletteColors;
    CArray<BYTE, BYTE> buffer;
    buffer.SetSize(INT_PTR(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * nEntries));
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(buffer.GetData());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = WORD(nEntries);
    for (int i = 0; i < nEntries; ++i) {
        const COLORREF color = colorsIn[i];
        pLogPalette->palPalEntry[i].peRed = GetRValue(color);
        pLogPalette->palPalEntry[i].peGreen = GetGValue(color);
        pLogPalette->palPalEntry[i].peBlue = GetBValue(color);
        pLogPalette->palPalEntry[i].peFlags = 0;
    }
    return paletteOut.CreatePalette(pLogPalette);
}

void CZUDPColorBar::LoadColorsFromPalette(CPalette* pPalette, CArray<COLORREF, COLORREF>& colorsOut)
{
    HPALETTE hPalette = pPalette != nullptr ? (HPALETTE)*pPalette : (HPALETTE)::GetStockObject(DEFAULT_PALETTE);
    colorsOut.RemoveAll();
    if (hPalette == nullptr)
        return;
    const int nEntries = int(::GetPaletteEntries(hPalette, 0, 0, nullptr));
    if (nEntries <= 0)
        return;
    CArray<PALETTEENTRY, const PALETTEENTRY&> entries;
    entries.SetSize(nEntries);
    const int nRead = int(::GetPaletteEntries(hPalette, 0, UINT(nEntries), entries.GetData()));
    colorsOut.SetSize(nRead);
    for (int i = 0; i < nRead; ++i)
        colorsOut[i] = RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
}

BOOL CZUDPColorBar::GetColorName(COLORREF color, CString& strName)
{
    return g_colorNames.Lookup(color, strName);
}

HPALETTE CZUDPColorBar::SelectColorPalette(CDC* pDC)
{
    if (g_uiEnvironment.m_bitsPerPixel != 8) {
        palette.DeleteObject();
        return nullptr;
    }
    if (palette.GetSafeHandle() == nullptr)
        BuildPaletteFromColors(colors, palette);
    if (palette.GetSafeHandle() == nullptr || pDC == nullptr)
        return nullptr;
    HPALETTE hOld = ::SelectPalette(pDC->GetSafeHdc(), (HPALETTE)palette, FALSE);
    ::RealizePalette(pDC->GetSafeHdc());
    return hOld;
}

// ---------------------------------------------------------------------------
// Options

void CZUDPColorBar::EnableOtherButton(LPCTSTR lpszLabel, BOOL bUseLibraryDialog, BOOL bEnable)
{
    useSystemColorDialog = !bUseLibraryDialog;
    otherLabel = bEnable && lpszLabel != nullptr ? CString(lpszLabel) : CString();
    RebuildButtons();
    UpdateLayout();
}

void CZUDPColorBar::SetHorzMargin(int nMargin)
{
    horzMargin = nMargin;
    UpdateLayout();
}

void CZUDPColorBar::SetVertMargin(int nMargin)
{
    vertMargin = nMargin;
    UpdateLayout();
}

// ---------------------------------------------------------------------------
// Building the cells

void CZUDPColorBar::RebuildButtons()
{
    if (m_hWnd == nullptr)
        return;
    DeleteAllButtons();
    auto add = [this](CZUDPToolbarButton* pButton) {
        if (InsertButton(pButton) < 0)
            delete pButton;
    };
    auto addSeparator = [&add] {
        CZUDPToolbarButton* pSeparator = new CZUDPToolbarButton;
        pSeparator->style = TBBS_SEPARATOR;
        add(pSeparator);
    };

    BOOL bFound = FALSE;
    if (!automaticLabel.IsEmpty()) {
        const BOOL bSelected = selectedColor == (COLORREF)-1;
        add(new CZUDPToolBarColorButton(automaticColor, TRUE, FALSE, automaticLabel, bSelected));
        bFound = bSelected;
    }
    for (INT_PTR i = 0; i < colors.GetSize(); ++i) {
        const BOOL bSelected = colors[i] == selectedColor;
        add(new CZUDPToolBarColorButton(colors[i], FALSE, FALSE, nullptr, bSelected));
        bFound = bFound || bSelected;
    }
    if (!documentLabel.IsEmpty() && !documentColors.IsEmpty()) {
        addSeparator();
        add(new CZUDPToolBarColorButton(documentLabel, TRUE));
        for (POSITION pos = documentColors.GetHeadPosition(); pos != nullptr;) {
            const COLORREF color = documentColors.GetNext(pos);
            add(new CZUDPToolBarColorButton(color, FALSE, FALSE, nullptr, color == selectedColor && !bFound, TRUE));
        }
    }
    if (!otherLabel.IsEmpty()) {
        addSeparator();
        add(new CZUDPToolBarColorButton((COLORREF)-1, FALSE, TRUE, otherLabel, FALSE));
        add(new CZUDPToolBarColorButton(selectedColor, FALSE, FALSE, nullptr, !bFound, FALSE, TRUE));
    }
}

// ---------------------------------------------------------------------------
// Layout and size

BOOL CZUDPColorBar::ShowsDocumentColors() const
{
    return !documentLabel.IsEmpty() && !documentColors.IsEmpty() && (alwaysShowDocumentColors || IsFloating());
}

void CZUDPColorBar::GetGridDimensions(BOOL bVertDock, int& nRows, int& nColumns) const
{
    const int n = int(colors.GetSize());
    if (dockable && !IsFloating()) {
        if (!bVertDock && rowsWhenDockedHorz > 0) {
            nRows = rowsWhenDockedHorz;
            nColumns = CeilDiv(n, nRows);
            return;
        }
        if (columnsWhenDockedVert > 0) {
            nColumns = columnsWhenDockedVert;
            nRows = CeilDiv(n, nColumns);
            return;
        }
    }
    nColumns = columns >= 1 ? columns : int(std::sqrt(double(n))) + 1;
    nRows = CeilDiv(n, nColumns);
}

int CZUDPColorBar::TextRowsHeight(int nColumns) const
{
    int nHeight = 0;
    if (!automaticLabel.IsEmpty())
        nHeight += textRowHeight;
    else if (!otherLabel.IsEmpty())
        nHeight += vertMargin;
    if (!otherLabel.IsEmpty())
        nHeight += textRowHeight;
    if (ShowsDocumentColors())
        nHeight += CeilDiv(int(documentColors.GetCount()), nColumns) * boxSize.cy + vertMargin + textRowHeight + 4;
    return nHeight;
}

CSize CZUDPColorBar::CalcSize(BOOL bVertDock)
{
    int nRows = 0, nColumns = 0;
    GetGridDimensions(bVertDock, nRows, nColumns);
    return CSize(boxSize.cx * nColumns + 2 * horzMargin,
                 boxSize.cy * nRows + TextRowsHeight(nColumns) + 2 * vertMargin);
}

void CZUDPColorBar::PositionButtons()
{
    if (m_hWnd == nullptr || !::IsWindow(m_hWnd))
        return;
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(contentOffset.x + horzMargin, contentOffset.y + vertMargin);
    int x = rect.left, y = rect.top;
    const int cx = boxSize.cx, cy = boxSize.cy;
    BOOL bUnmatched = !(!automaticLabel.IsEmpty() && selectedColor == (COLORREF)-1);
    BOOL bPrevSeparator = FALSE;
    const BOOL bShowDocument = alwaysShowDocumentColors || IsFloating();

    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = static_cast<CZUDPToolbarButton*>(m_Buttons.GetNext(pos));
        const CRect rectOld = pButton->rect;
        CRect rectNew;
        if (pButton->IsSeparator()) {
            if (!bPrevSeparator) {
                if (x > rect.left) {
                    x = rect.left;
                    y += cy + vertMargin;
                }
                rectNew = CRect(rect.left, y, rect.right, y + 2);
                y += 4;
            }
            bPrevSeparator = TRUE;
        } else {
            bPrevSeparator = FALSE;
            CZUDPToolBarColorButton* pColor = ColorButtonOf(pButton);
            if (pColor == nullptr) {
                // Only colour buttons live on a colour bar.
            } else if (pColor->isDocument && !bShowDocument) {
                // Hidden until the bar floats.
            } else if (pColor->isAutomatic || pColor->isLabel || pColor->isOther) {
                if (x > rect.left) {
                    x = rect.left;
                    y += cy + vertMargin;
                }
                const int t = textRowHeight - vertMargin / 2;
                if (pColor->isOther && bUnmatched) {
                    rectNew = CRect(x, y, rect.right - cx, y + t);
                    x = rectNew.right;
                    y += (t - cy) / 2;
                } else {
                    rectNew = CRect(x, y, rect.right, y + t);
                    y += t;
                    x = rect.left;
                }
                if (pColor->isOther)
                    rectNew.DeflateRect(horzMargin / 2, vertMargin / 2);
            } else {
                if (x + cx > rect.right) {
                    x = rect.left;
                    y += cy;
                }
                if (!pColor->isPreview || bUnmatched) {
                    rectNew = CRect(x, y, x + cx, y + cy);
                    x += cx;
                }
                if (!pColor->isPreview && pColor->color == selectedColor)
                    bUnmatched = FALSE;
            }
        }
        pButton->rect = rectNew;
        if (rectNew != rectOld)
            pButton->RepositionControl();
    }
    RebuildTooltips();
}

void CZUDPColorBar::AdjustBoxSize(BOOL bSquare, BOOL bCenter)
{
    if (m_hWnd == nullptr)
        return;
    CRect rectClient;
    GetClientRect(&rectClient);
    const int nClientWidth = rectClient.Width(), nClientHeight = rectClient.Height();

    // Height: grow until the next step passes the client height, or shrink
    // until it fits; never below cells of 1 pixel.
    auto fitHeight = [&] {
        textRowHeight = 3 * boxSize.cy / 2;
        if (CalcSize(TRUE).cy <= nClientHeight) {
            for (;;) {
                ++boxSize.cy;
                textRowHeight = 3 * boxSize.cy / 2;
                if (CalcSize(TRUE).cy > nClientHeight) {
                    --boxSize.cy;
                    break;
                }
            }
        } else {
            while (boxSize.cy > 1) {
                --boxSize.cy;
                textRowHeight = 3 * boxSize.cy / 2;
                if (CalcSize(TRUE).cy <= nClientHeight)
                    break;
            }
        }
        textRowHeight = 3 * boxSize.cy / 2;
    };
    auto fitWidth = [&] {
        if (CalcSize(TRUE).cx <= nClientWidth) {
            for (;;) {
                ++boxSize.cx;
                if (CalcSize(TRUE).cx > nClientWidth) {
                    --boxSize.cx;
                    break;
                }
            }
        } else {
            while (boxSize.cx > 1) {
                --boxSize.cx;
                if (CalcSize(TRUE).cx <= nClientWidth)
                    break;
            }
        }
    };
    if (boxSize.cy < 1)
        boxSize.cy = 1;
    if (boxSize.cx < 1)
        boxSize.cx = 1;
    fitHeight();
    fitWidth();
    if (boxSize.cx > 1)
        --boxSize.cx;
    if (boxSize.cy > 1)
        --boxSize.cy;
    if (bSquare) {
        const int nSide = boxSize.cx < boxSize.cy ? boxSize.cx : boxSize.cy;
        boxSize = CSize(nSide, nSide);
    }
    textRowHeight = 3 * boxSize.cy / 2;
    if (bCenter) {
        const CSize size = CalcSize(TRUE);
        contentOffset = CPoint((nClientWidth - size.cx) / 2, (nClientHeight - size.cy) / 2);
    } else {
        contentOffset = CPoint(0, 0);
    }
    PositionButtons();
}

// ---------------------------------------------------------------------------
// Creation

BOOL CZUDPColorBar::CreatePaletteBar(CWnd* pParentWnd, DWORD dwStyle, UINT nID, CPalette* pPalette, int nColumns,
                                     int nRowsDockHorz, int nColumnsDockVert)
{
    if (colors.GetSize() == 0) {
        columns = nColumns;
        rowsWhenDockedHorz = 0;
        columnsWhenDockedVert = 0;
        (void)nRowsDockHorz;
        (void)nColumnsDockVert;
        LoadColorsFromPalette(pPalette, colors);
    }
    return CreateBar(pParentWnd, dwStyle, nID);
}

BOOL CZUDPColorBar::CreateControl(CWnd* pParentWnd, const CRect& rect, UINT nID, int nColumns, CPalette* pPalette)
{
    EnableLargeIcons(FALSE);
    if (nColumns < 1) {
        const int n = pPalette == nullptr ? 20 : (pPalette->GetEntryCount() > 0 ? pPalette->GetEntryCount() : -1);
        nColumns = -1;
        const int w = rect.Width() - 2 * horzMargin;
        const int h = rect.Height() - 2 * vertMargin;
        for (int c = n; c > 0; --c) {
            const int nSide = w / c;
            if (nSide <= 0)
                continue;
            if (nSide * CeilDiv(n, c) > h) {
                nColumns = c + 1;
                break;
            }
        }
    }
    if (!CreatePaletteBar(pParentWnd, WS_CHILD | WS_VISIBLE | CBRS_ALIGN_TOP, nID, pPalette, nColumns, 0, 0))
        return FALSE;
    ReplaceBarStyle(GetBarStyle() & 0xFFBFF0FF);
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), FALSE);
    AdjustBoxSize(TRUE, TRUE);
    SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetOwner(pParentWnd);
    commandId = nID;
    m_bRouteCommandsViaFrame = FALSE;
    InheritVisualManagerStyle(pParentWnd);
    return TRUE;
}

int CZUDPColorBar::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CZUDPPopupMenuBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    const CSize sizeImage = GetMenuItemImageSize();
    boxSize = CSize(sizeImage.cx + 1, sizeImage.cy + 1);
    m_bTrackMouseFocus = FALSE;
    textRowHeight = 3 * (sizeImage.cy + 1) / 2;
    RebuildButtons();
    return 0;
}

void CZUDPColorBar::OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp)
{
    // A popup or control colour bar has no non-client area.
    if (dockable)
        CZUDPPopupMenuBar::OnNcCalcSize(bCalcValidRects, lpncsp);
}

void CZUDPColorBar::OnNcPaint()
{
    if (dockable)
        CZUDPPopupMenuBar::OnNcPaint();
}

// ---------------------------------------------------------------------------
// Painting

void CZUDPColorBar::PaintBar(CDC* pDC)
{
    HPALETTE hOld = SelectColorPalette(pDC);
    CZUDPPopupMenuBar::PaintBar(pDC);
    if (hOld != nullptr && pDC != nullptr)
        ::SelectPalette(pDC->GetSafeHdc(), hOld, FALSE);
}

LRESULT CZUDPColorBar::OnQueryNewPalette(WPARAM wParam, LPARAM lParam)
{
    Invalidate();
    UpdateWindow();
    return DefWindowProc(WM_QUERYNEWPALETTE, wParam, lParam);
}

LRESULT CZUDPColorBar::OnPaletteChanged(WPARAM wParam, LPARAM lParam)
{
    const LRESULT lResult = DefWindowProc(WM_PALETTECHANGED, wParam, lParam);
    if (HWND(wParam) != m_hWnd) {
        Invalidate();
        UpdateWindow();
    }
    return lResult;
}

// ---------------------------------------------------------------------------
// Archive

void CZUDPColorBar::Serialize(CArchive& ar)
{
    CZUDPPopupMenuBar::Serialize(ar);
    if (ar.IsStoring()) {
        ar << int32_t(columns) << int32_t(rowsWhenDockedHorz) << int32_t(columnsWhenDockedVert)
           << uint32_t(automaticColor);
        ar << automaticLabel << otherLabel << documentLabel;
        ar << int32_t(dockable) << uint32_t(commandId) << int32_t(useSystemColorDialog);
        ar << int32_t(colors.GetSize());
        for (INT_PTR i = 0; i < colors.GetSize(); ++i)
            ar << uint32_t(colors[i]);
        return;
    }
    int32_t nColumns = 0, nRows = 0, nColumnsVert = 0, nDockable = 0, nSystemDialog = 0;
    uint32_t uAutomatic = 0, uCommand = 0;
    CString strAutomatic, strOther, strDocument;
    ar >> nColumns >> nRows >> nColumnsVert >> uAutomatic;
    ar >> strAutomatic >> strOther >> strDocument;
    ar >> nDockable >> uCommand >> nSystemDialog;
    CArray<COLORREF, COLORREF> colorsRead;
    ReadColorList(ar, colorsRead);
    columns = nColumns;
    rowsWhenDockedHorz = nRows;
    columnsWhenDockedVert = nColumnsVert;
    automaticColor = COLORREF(uAutomatic);
    automaticLabel = strAutomatic;
    otherLabel = strOther;
    documentLabel = strDocument;
    dockable = nDockable;
    commandId = uCommand;
    useSystemColorDialog = nSystemDialog;
    colors.Copy(colorsRead);
    palette.DeleteObject();
    RebuildButtons();
    PositionButtons();
}

// ---------------------------------------------------------------------------
// Choosing

CZUDPColorMenuButton* CZUDPColorBar::GetParentColorMenuButton() const
{
    if (m_hWnd == nullptr)
        return nullptr;
    CZUDPPopupMenu* pPopup = DYNAMIC_DOWNCAST(CZUDPPopupMenu, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    if (pPopup == nullptr)
        return nullptr;
    return DYNAMIC_DOWNCAST(CZUDPColorMenuButton, pPopup->m_pParentBtn);
}

BOOL CZUDPColorBar::HandleButtonClick(CZUDPToolbarButton* pButton)
{
    CZUDPToolBarColorButton* pColorButton = ColorButtonOf(pButton);
    if (pColorButton == nullptr || pColorButton->isLabel)
        return FALSE;
    if (pColorButton->style & TBBS_DISABLED)
        return TRUE;
    CZUDPColorMenuButton* pMenuButton = GetParentColorMenuButton();

    COLORREF color = (COLORREF)-1;
    if (pColorButton->isOther) {
        // While the dialog runs the popup chain counts as sending a command:
        // deactivating the application does not close it.
        SetSendingCommand(TRUE);
        if (CZUDPPopupMenu* pPopup = GetPopupMenu()) {
            pPopup->ShowWindow(SW_HIDE);
            CZUDPPopupMenu::RegisterWithFrame(pPopup->RegistrationFrame(), nullptr);
        }
        InvalidateButton(IndexOfButton(pColorButton));
        UpdateWindow();
        // The dialog is modal: the popup may delete itself (and this bar with
        // it) meanwhile, so only the window handle saved now is asked after.
        const HWND hWndBar = m_hWnd;
        const COLORREF colorInitial = selectedColor == (COLORREF)-1 ? automaticColor : selectedColor;
        COLORREF colorChosen = colorInitial;
        const BOOL bConfirmed = OpenColorDialog(colorInitial, colorChosen);
        if (!::IsWindow(hWndBar) || CWnd::FromHandlePermanent(hWndBar) != this)
            return TRUE;
        SetSendingCommand(FALSE);
        if (!bConfirmed) {
            // The popup closes through its own dispatch, without a command.
            if (pMenuButton != nullptr)
                DispatchItemCommand(0, nullptr);
            else
                FocusCommandFrame(this);
            return TRUE;
        }
        color = colorChosen;
    } else if (!pColorButton->isAutomatic) {
        color = pColorButton->color;
    }

    if (pMenuButton != nullptr) {
        // The popup's dispatch sends the button's command and closes the
        // popup with this bar: nothing of the bar is touched afterwards.
        pMenuButton->SetColor(color, TRUE);
        DispatchItemCommand(pMenuButton->commandId, pColorButton);
        return TRUE;
    }

    const HWND hWndBar = m_hWnd;
    SetSelectedColor(color);
    CObList listButtons;
    CZUDPToolBar::CollectCommandButtons(commandId, listButtons);
    for (POSITION pos = listButtons.GetHeadPosition(); pos != nullptr;) {
        if (CZUDPColorMenuButton* pOther = DYNAMIC_DOWNCAST(CZUDPColorMenuButton, listButtons.GetNext(pos)))
            pOther->SetColor(color, FALSE);
    }
    g_commandColors.SetAt(commandId, color);
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        pOwner = GetParent();
    if (pOwner != nullptr)
        pOwner->SendMessage(WM_COMMAND, commandId, 0);
    if (::IsWindow(hWndBar) && CWnd::FromHandlePermanent(hWndBar) == this)
        FocusCommandFrame(this);
    return TRUE;
}

BOOL CZUDPColorBar::OpenColorDialog(COLORREF colorInitial, COLORREF& colorChosen)
{
    if (CZUDPColorMenuButton* pMenuButton = GetParentColorMenuButton())
        return pMenuButton->OpenColorDialog(colorInitial, colorChosen);
    COLORREF color = colorInitial;
    const HWND hWndOwner = m_hWnd;
    const INT_PTR nResult = useSystemColorDialog ? g_colorChooserSeams.systemColorDialog(hWndOwner, colorInitial, &color)
                                                 : g_commandBarsSeams.libraryColorDialog(hWndOwner, colorInitial, &color);
    if (nResult != IDOK)
        return FALSE;
    colorChosen = color;
    return TRUE;
}

void CZUDPColorBar::SetSelectedColor(COLORREF color)
{
    if (color == selectedColor)
        return;
    selectedColor = color;
    if (m_hWnd == nullptr)
        return;
    BOOL bPreviewWanted = automaticColor == (COLORREF)-1 || color != (COLORREF)-1;
    BOOL bPreviewShown = FALSE;
    m_iHot = -1;
    int iIndex = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; ++iIndex) {
        CZUDPToolBarColorButton* pColor = ColorButtonOf(m_Buttons.GetNext(pos));
        if (pColor == nullptr || pColor->isLabel || pColor->isOther)
            continue;
        if (pColor->isPreview) {
            pColor->color = color;
            pColor->selected = TRUE;
            InvalidateButton(iIndex);
            bPreviewShown = !pColor->rect.IsRectEmpty();
            continue;
        }
        if (pColor->selected) {
            pColor->selected = FALSE;
            InvalidateButton(iIndex);
        }
        if (pColor->isAutomatic) {
            pColor->selected = color == (COLORREF)-1;
        } else if (pColor->color == color) {
            pColor->selected = TRUE;
            bPreviewWanted = FALSE;
        }
        if (pColor->selected) {
            m_iHot = iIndex;
            InvalidateButton(iIndex);
        }
    }
    if (bPreviewWanted != bPreviewShown) {
        PositionButtons();
        Invalidate();
    }
    UpdateWindow();
}

// ---------------------------------------------------------------------------
// Command update

void CZUDPColorBar::UpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    if (commandId != 0 && commandId != (UINT)-1 && pTarget != nullptr) {
        CZUDPColorCCmdUI state;
        state.m_nID = commandId;
        state.m_pOther = this;
        BOOL bEnabled = FALSE;
        if (state.DoUpdate(pTarget, FALSE)) {
            bEnabled = state.enabledFlag;
        } else if (bDisableIfNoHndler && !state.m_bEnableChanged) {
            int nHandlerInfo = 0;
            bEnabled = pTarget->OnCmdMsg(commandId, CN_COMMAND, &state, &nHandlerInfo);
        }
        if (bEnabled != enabled) {
            enabled = bEnabled;
            for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
                if (CZUDPToolBarColorButton* pColor = ColorButtonOf(m_Buttons.GetNext(pos))) {
                    if (enabled)
                        pColor->style &= ~UINT(TBBS_DISABLED);
                    else
                        pColor->style |= TBBS_DISABLED;
                }
            }
            if (m_hWnd != nullptr) {
                Invalidate();
                UpdateWindow();
            }
        }
    }
    CZUDPPopupMenuBar::UpdateCmdUI(pTarget, bDisableIfNoHndler);
}

// ---------------------------------------------------------------------------
// Keys, tooltips, prompts

BOOL CZUDPColorBar::HandleKey(UINT nChar)
{
    if (nChar == VK_RETURN) {
        if (CZUDPToolbarButton* pHot = GetButtonAt(m_iHot)) {
            CZUDPToolBar::ShowCommandMessageString(kColorBarIdlePrompt);
            HandleButtonClick(pHot);
            return TRUE;
        }
    }
    return CZUDPPopupMenuBar::HandleKey(nChar);
}

BOOL CZUDPColorBar::PreTranslateMessage(MSG* pMsg) { return CZUDPToolBar::PreTranslateMessage(pMsg); }

void CZUDPColorBar::SetHotButton(int iButton) { CZUDPPopupMenuBar::SetHotButton(iButton); }

void CZUDPColorBar::ShowCommandMessageString(UINT uiCmdId)
{
    (void)uiCmdId;
    if (m_hWnd == nullptr)
        return;
    CWnd* pTarget = GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(WM_SETMESSAGESTRING, commandId == (UINT)-1 ? kColorBarIdlePrompt : commandId);
}

INT_PTR CZUDPColorBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    CZUDPColorBar* pThis = const_cast<CZUDPColorBar*>(this);
    const int iHit = pThis->HitTest(point);
    CZUDPToolBarColorButton* pColor = ColorButtonOf(GetButtonAt(iHit));
    if (pColor == nullptr)
        return -1;
    if (pTI != nullptr) {
        if (!pColor->FillToolInfo(pThis, pTI))
            return -1;
        pTI->rect = pColor->rect;
        pTI->uId = UINT_PTR(iHit) + 1;
        pTI->hwnd = m_hWnd;
    }
    return INT_PTR(iHit) + 1;
}

// ---------------------------------------------------------------------------
// Mouse

BOOL CZUDPColorBar::IgnoresMouse() const { return g_customizeMode && !mouseInCustomizeMode; }

void CZUDPColorBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    // A press on a cell starts nothing: the release chooses it.
    if (IgnoresMouse() || HitTest(point) >= 0)
        return;
    CZUDPToolBar::OnLButtonDown(nFlags, point);
}

void CZUDPColorBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (IgnoresMouse())
        return;
    const int iHit = HitTest(point);
    if (iHit >= 0)
        m_iButtonCapture = iHit;
    CZUDPToolBar::OnLButtonUp(nFlags, point);
}

void CZUDPColorBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (IgnoresMouse())
        return;
    CZUDPToolBar::OnLButtonDblClk(nFlags, point);
}

void CZUDPColorBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IgnoresMouse())
        return;
    CZUDPToolBar::OnMouseMove(nFlags, point);
}

void CZUDPColorBar::OnMouseLeave() { CZUDPToolBar::OnMouseLeave(); }

void CZUDPColorBar::ReadColorList(CArchive& ar, CArray<COLORREF, COLORREF>& colorsOut)
{
    int32_t nCount = 0;
    ar >> nCount;
    if (nCount < 0)
        AfxThrowArchiveException(CArchiveException::badIndex);
    ar.CheckCount(ULONGLONG(nCount), sizeof(uint32_t));
    colorsOut.SetSize(nCount);
    for (int32_t i = 0; i < nCount; ++i) {
        uint32_t uColor = 0;
        ar >> uColor;
        colorsOut[i] = COLORREF(uColor);
    }
}
