#include "ui/commandbars/ZUDPToolbarButton.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "framework/Archive.h"
#include "framework/File.h"
#include "framework/Exceptions.h"
#include "framework/win/Ole.h"
#include "framework/win/DC.h"
#include "framework/win/FrameWnd.h"
#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPCommandManager.h"
#include "ui/commandbars/ZUDPFrameLookup.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPToolBar.h"
#include "ui/commandbars/ZUDPToolbarMenuButton.h"
#include "ui/commandbars/ZUDPUserTool.h"
#include "ui/commandbars/ZUDPWnd.h"
#include "ui/docking/ZUDPDockingFlags.h"
#include "ui/docking/ZUDPFrameWnd.h"
#include "ui/foundation/ZUDPDrawOnGlass.h"
#include "ui/foundation/ZUDPKeyboardManager.h"
#include "ui/foundation/ZUDPMenuHash.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPToolBarImages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"
#include "ui/foundation/ZUDPUserToolsManager.h"
#include "ui/foundation/ZUDPVisualManager.h"
#include "ui/foundation/ZUDPWorkspace.h"

IMPLEMENT_SERIAL(CZUDPToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

BOOL g_wrapTextBelowImage = TRUE;
CString g_buttonClipboardFormatName;
CList<UINT, UINT> g_nonCustomizableCommands;

namespace {

// The first library version whose button archive carries the visible flag.
const int kVisibleFieldVersion = 0x60410;
// The width (horizontal bars) or height of a separator without its own.
const int kSeparatorSize = 8;

CLIPFORMAT s_buttonClipboardFormat = 0;

BOOL ButtonHasCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != (UINT)-1; }

// Whether an archive being loaded carries the visible flag.  Every
// archive this library writes does (drag data, the menu hash, saved
// state); only state that a library older than the flag stored lacks it,
// and that is known while the workspace loads it: its version is the
// stored one until the load ends.  In a process that has loaded nothing
// the version is unknown, and the archive is one of this library's.
BOOL LoadedArchiveHasVisibleField()
{
    if (g_menuHash.IsSerializing())
        return TRUE;
    CZUDPWorkspace* pWorkspace = GetWorkspaceInstance();
    if (pWorkspace == nullptr)
        return TRUE;
    const int nVersion = pWorkspace->GetStoredStateVersion();
    return nVersion == -1 || nVersion >= kVisibleFieldVersion;
}

CZUDPUserTool* UserToolOf(const CZUDPToolbarButton& button)
{
    if (g_userToolsManager == nullptr || button.usesUserImage)
        return nullptr;
    return g_userToolsManager->FindToolByCommand(button.commandId);
}

// The size images of the list are drawn at: the drawing pass's
// destination size when one is set, else the list's image size.
CSize DrawnImageSize(const CZUDPToolBarImages* pImages)
{
    if (pImages == nullptr)
        return CSize(0, 0);
    const CSize sizeDest = pImages->GetDestinationSize();
    return sizeDest.cx > 0 && sizeDest.cy > 0 ? sizeDest : pImages->GetImageSize();
}

CSize TextExtent(CDC* pDC, const CString& str)
{
    if (str.IsEmpty())
        return CSize(0, 0);
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(pDC->GetSafeHdc(), str, str.GetLength(), &size);
    return CSize(size);
}

// The caption of a vertical bar: single "&" markers go, doubled ones stay
// (DrawText makes one "&" of them).  The position of the access key in
// the result is answered, -1 when there is none.
CString VerticalCaption(const CString& strText, int& nMnemonic)
{
    nMnemonic = -1;
    CString str;
    for (int i = 0; i < strText.GetLength(); ++i) {
        const char ch = strText[i];
        if (ch == '&') {
            if (i + 1 < strText.GetLength() && strText[i + 1] == '&') {
                str += "&&";
                ++i;
            } else if (i + 1 < strText.GetLength() && nMnemonic < 0) {
                nMnemonic = str.GetLength();
            }
            continue;
        }
        str += ch;
    }
    return str;
}

} // namespace

CZUDPToolbarButton::CZUDPToolbarButton() = default;

CZUDPToolbarButton::CZUDPToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
{
    locked = bLocked;
    commandId = uiID;
    usesUserImage = bUserButton;
    AssignImage(iImage);
    text = lpszText != nullptr ? lpszText : "";
    if (commandId == 0 || locked)
        return;
    // The command manager and the button agree on the image of the slot in
    // use, whatever the recording switch says.
    int& iSlot = usesUserImage ? userImageIndex : imageIndex;
    if (iSlot == -1)
        iSlot = GetCommandManager()->LookupCommandImage(commandId, usesUserImage);
    else
        GetCommandManager()->AssignCommandImage(commandId, iSlot, usesUserImage);
}

CZUDPToolbarButton::~CZUDPToolbarButton() = default;

// ---------------------------------------------------------------------------
// Library-wide

CLIPFORMAT CZUDPToolbarButton::ButtonClipboardFormat()
{
    if (s_buttonClipboardFormat == 0) {
        CString strName = g_buttonClipboardFormatName;
        if (strName.IsEmpty()) {
            // The handle as a whole integer (a 64-bit module handle does not
            // fit a long).
            char szName[64];
            std::snprintf(szName, sizeof(szName), "ZUDToolbarButton%llx",
                          (unsigned long long)(ULONG_PTR)AfxGetInstanceHandle());
            strName = szName;
        }
        s_buttonClipboardFormat = (CLIPFORMAT)::RegisterClipboardFormatA(strName);
    }
    return s_buttonClipboardFormat;
}

// ---------------------------------------------------------------------------
// Archive

void CZUDPToolbarButton::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring()) {
        // Always the current format: the workspace stamps what it saves
        // with this library's version, whatever it had loaded before.
        ar << commandId << style << GetActiveImage() << text << usesUserImage << fromCommandList << showText
           << showImage << visible;
        return;
    }
    int iImage = -1;
    ar >> commandId >> style >> iImage >> text >> usesUserImage >> fromCommandList >> showText >> showImage;
    AssignImage(iImage);
    if (LoadedArchiveHasVisibleField())
        ar >> visible;
}

// ---------------------------------------------------------------------------
// Drag data: the button's class record, then its archive, in one global
// memory block under the button clipboard format.

BOOL CZUDPToolbarButton::ExportDragData(COleDataSource& srcItem)
{
    if (!CanBeDragged())
        return TRUE;
    try {
        CMemFile file(4096);
        {
            CArchive ar(&file, CArchive::store, 4096);
            ar.WriteClass(GetRuntimeClass());
            Serialize(ar);
            ar.Close();
        }
        const SIZE_T nBytes = SIZE_T(file.GetLength());
        std::unique_ptr<BYTE, decltype(&std::free)> pData(file.Detach(), &std::free);
        HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, nBytes);
        if (hGlobal == nullptr)
            return FALSE;
        if (void* pTo = ::GlobalLock(hGlobal)) {
            memcpy(pTo, pData.get(), nBytes);
            ::GlobalUnlock(hGlobal);
        }
        srcItem.CacheGlobalData(ButtonClipboardFormat(), hGlobal);
        return TRUE;
    } catch (CException* e) {
        e->Delete();
        return FALSE;
    }
}

CZUDPToolbarButton* CZUDPToolbarButton::CreateFromOleData(COleDataObject* pDataObject)
{
    if (pDataObject == nullptr)
        return nullptr;
    HGLOBAL hGlobal = pDataObject->GetGlobalData(ButtonClipboardFormat());
    if (hGlobal == nullptr)
        return nullptr;
    const SIZE_T nBytes = ::GlobalSize(hGlobal);
    BYTE* pBytes = static_cast<BYTE*>(::GlobalLock(hGlobal));
    CZUDPToolbarButton* pButton = nullptr;
    if (pBytes != nullptr && nBytes > 0 && nBytes <= 0x7FFFFFFF) {
        try {
            CMemFile file(pBytes, UINT(nBytes));
            CArchive ar(&file, CArchive::load);
            // Another process may offer data under the same format name:
            // only a button kind is ever created.
            CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CZUDPToolbarButton));
            CObject* pObject = pClass != nullptr ? pClass->CreateObject() : nullptr;
            pButton = pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CZUDPToolbarButton))
                          ? static_cast<CZUDPToolbarButton*>(pObject)
                          : nullptr;
            if (pButton == nullptr)
                delete pObject;
            else
                pButton->Serialize(ar);
        } catch (CException* e) {
            e->Delete();
            delete pButton;
            pButton = nullptr;
        }
    }
    if (pBytes != nullptr)
        ::GlobalUnlock(hGlobal);
    ::GlobalFree(hGlobal);
    return pButton;
}

// ---------------------------------------------------------------------------
// Copies and images

BOOL CZUDPToolbarButton::CanBeDroppedOn(CZUDPToolBar* pToolbar)
{
    (void)pToolbar;
    return TRUE;
}

void CZUDPToolbarButton::CopyFrom(const CZUDPToolbarButton& src)
{
    commandId = src.commandId;
    locked = src.locked;
    usesUserImage = src.usesUserImage;
    style = src.style;
    AssignImage(src.GetActiveImage());
    text = src.text;
    showText = src.showText;
    showImage = src.showImage;
    wrapAfter = src.wrapAfter;
    visible = src.visible;
    userData = src.userData;
    menuPath = src.menuPath;
    fromCommandList = FALSE;
}

void CZUDPToolbarButton::AssignImage(int iImage)
{
    if (IsSeparator()) {
        imageIndex = iImage;
        return;
    }
    if (usesUserImage)
        userImageIndex = iImage;
    else
        imageIndex = iImage;
    if (!locked && ButtonHasCommand(commandId)) {
        if (iImage != -1) {
            if (g_registerCommandImages || usesUserImage)
                GetCommandManager()->AssignCommandImage(commandId, iImage, usesUserImage);
        } else {
            imageIndex = GetCommandManager()->LookupCommandImage(commandId, FALSE);
            userImageIndex = GetCommandManager()->LookupCommandImage(commandId, TRUE);
            if (imageIndex == -1)
                usesUserImage = !usesUserImage;
        }
    }
    if (GetActiveImage() < 0) {
        showImage = FALSE;
        showText = TRUE;
    }
}

void CZUDPToolbarButton::RestoreDefaultImage()
{
    if (usesUserImage || (int)commandId < 1 || UserToolOf(*this) != nullptr)
        return;
    int iImage = -1;
    if (g_defaultCommandImages.Lookup(commandId, iImage) && iImage >= 0) {
        AssignImage(iImage);
        return;
    }
    if (showImage) {
        showImage = FALSE;
        showText = TRUE;
        if (text.IsEmpty()) {
            CString strTip;
            if (LoadTooltipText(commandId, strTip))
                text = strTip;
        }
    }
}

BOOL CZUDPToolbarButton::TakeTextFromCommandString(CZUDPToolbarMenuButton* pMenuItem)
{
    if (pMenuItem == nullptr || !text.IsEmpty() || commandId == 0)
        return TRUE;
    CString strCommand;
    if (strCommand.LoadString(commandId)) {
        const int nBreak = strCommand.Find('\n');
        if (nBreak >= 0)
            pMenuItem->text = strCommand.Mid(nBreak + 1);
    }
    return TRUE;
}

BOOL CZUDPToolbarButton::LoadTooltipText(UINT uiCmd, CString& strText)
{
    CString strCommand;
    if (!ButtonHasCommand(uiCmd) || !strCommand.LoadString(uiCmd))
        return FALSE;
    if (strCommand.GetLength() > 256)
        strCommand = strCommand.Left(256);
    if (strCommand.Find('\n') < 0)
        return FALSE;
    return AfxExtractSubString(strText, strCommand, 1, '\n');
}

CString CZUDPToolbarButton::StripMnemonics(const CString& strText)
{
    CString str;
    for (int i = 0; i < strText.GetLength(); ++i) {
        const char ch = strText[i];
        if (ch == '&') {
            if (i + 1 < strText.GetLength() && strText[i + 1] == '&') {
                str += '&';
                ++i;
            }
            continue;
        }
        str += ch;
    }
    return str;
}

BOOL CZUDPToolbarButton::IsCustomizable() const
{
    const UINT uiCmd = commandId;
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xE210 && uiCmd <= 0xE21F) ||
        (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) || uiCmd > 0xFEFF)
        return FALSE;
    if (g_userToolsManager != nullptr && uiCmd == g_userToolsManager->GetToolsPlaceholderCmdId())
        return FALSE;
    return g_nonCustomizableCommands.Find(uiCmd) == nullptr;
}

// ---------------------------------------------------------------------------
// Parent and controls

BOOL CZUDPToolbarButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    (void)pWnd;
    (void)bDelay;
    return FALSE;
}

BOOL CZUDPToolbarButton::OnClickUp() { return FALSE; }

void CZUDPToolbarButton::OnParentChanged(CWnd* pWndParent)
{
    useExtraSize = FALSE;
    parentWnd = pWndParent;
    if (CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, pWndParent)) {
        SetOnGlass(pBar->IsOnGlass());
        useExtraSize = pBar->UsesButtonExtraSize();
    }
}

void CZUDPToolbarButton::EnableControl(BOOL bEnable)
{
    if (HWND hWnd = GetControlHwnd())
        ::EnableWindow(hWnd, bEnable);
}

BOOL CZUDPToolbarButton::IsControlVisible() const
{
    HWND hWnd = GetControlHwnd();
    return hWnd != nullptr && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CZUDPToolbarButton::OwnsWindow(HWND hWnd) const
{
    HWND hWndControl = GetControlHwnd();
    return hWndControl != nullptr && hWnd != nullptr && (hWnd == hWndControl || ::IsChild(hWndControl, hWnd));
}

BOOL CZUDPToolbarButton::HasFocus() const { return OwnsWindow(::GetFocus()); }

LRESULT CZUDPToolbarButton::SetOnGlass(BOOL bOnGlass)
{
    onGlass = bOnGlass;
    HWND hWnd = GetControlHwnd();
    return hWnd != nullptr ? ::SendMessageA(hWnd, ZUDM_ONSETCONTROLAERO, (WPARAM)bOnGlass, 0) : 0;
}

// ---------------------------------------------------------------------------
// Groups

BOOL CZUDPToolbarButton::IsFirstInGroup() const
{
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, parentWnd);
    if (pBar == nullptr || pBar->GetOverflowButton() == this)
        return FALSE;
    BOOL bFirst = TRUE;
    for (int i = 0; i < pBar->GetCount(); ++i) {
        const CZUDPToolbarButton* pButton = pBar->GetButtonAt(i);
        if (pButton == this)
            return bFirst;
        if (pButton->visible)
            bFirst = pButton->wrapAfter || pButton->IsSeparator() || pButton->GetControlHwnd() != nullptr;
    }
    return FALSE;
}

BOOL CZUDPToolbarButton::IsLastInGroup() const
{
    CZUDPToolBar* pBar = DYNAMIC_DOWNCAST(CZUDPToolBar, parentWnd);
    if (pBar == nullptr || pBar->GetOverflowButton() == this)
        return FALSE;
    BOOL bLast = TRUE;
    for (int i = pBar->GetCount() - 1; i >= 0; --i) {
        const CZUDPToolbarButton* pButton = pBar->GetButtonAt(i);
        if (pButton == pBar->GetOverflowButton())
            continue;
        if (pButton == this)
            return bLast || wrapAfter;
        if (pButton->visible)
            bLast = pButton->IsSeparator() || pButton->GetControlHwnd() != nullptr;
    }
    return FALSE;
}

// ---------------------------------------------------------------------------
// Tooltips and accessibility

BOOL CZUDPToolbarButton::FillToolInfo(CWnd* pWndBar, TOOLINFOA* pTI)
{
    CWnd* pFrame = nullptr;
    if (pWndBar != nullptr && pWndBar->GetSafeHwnd() != nullptr) {
        pFrame = GetTopLevelFrameOrInPlace(pWndBar);
    } else if (CWinThread* pThread = AfxGetThread()) {
        pFrame = pThread->m_pMainWnd;
    }
    CZUDPFrameDockSite* pSite = ButtonTooltipSiteOf(pFrame);
    return pSite != nullptr && pSite->OnShowButtonTooltip(this, pTI);
}

BOOL CZUDPToolbarButton::FillAccessibilityData(CWnd* pWndBar, CZUDPAccessibleInfo& data)
{
    data.Clear();
    CString strName = text;
    if (strName.IsEmpty() && ButtonHasCommand(commandId))
        LoadTooltipText(commandId, strName);
    data.m_strName = StripMnemonics(strName);
    data.m_strDefaultAction = "Press";
    CFrameWnd* pFrame = pWndBar != nullptr && pWndBar->GetSafeHwnd() != nullptr ? GetEnclosingFrame(pWndBar) : nullptr;
    if (pFrame != nullptr) {
        pFrame->GetMessageString(commandId, data.m_strDescription);
        CString strKey;
        if (CZUDPKeyboardManager::GetCommandKeyText(commandId, strKey, pFrame, TRUE) ||
            CZUDPKeyboardManager::GetCommandKeyText(commandId, strKey, pFrame->GetActiveFrame(), FALSE))
            data.m_strKeyboardShortcut = strKey;
    }
    data.m_nHit = 1;
    data.m_nRole = ROLE_SYSTEM_PUSHBUTTON;
    data.m_nState = STATE_SYSTEM_FOCUSABLE;
    if (style & TBBS_CHECKED)
        data.m_nState |= STATE_SYSTEM_CHECKED;
    if (style & TBBS_DISABLED)
        data.m_nState |= STATE_SYSTEM_UNAVAILABLE;
    data.m_nState |= (style & TBBS_PRESSED) ? STATE_SYSTEM_FOCUSED : STATE_SYSTEM_HOTTRACKED;
    data.m_rectLocation = rect;
    if (pWndBar != nullptr && pWndBar->GetSafeHwnd() != nullptr)
        pWndBar->ClientToScreen(&data.m_rectLocation);
    return TRUE;
}

// ---------------------------------------------------------------------------
// Size

SIZE CZUDPToolbarButton::CalcSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (!visible)
        return CSize(0, 0);
    CSize size = sizeDefault;
    if (IsSeparator()) {
        if (bHorz)
            size.cx = imageIndex > 0 ? imageIndex : kSeparatorSize;
        else
            size.cy = kSeparatorSize;
        return size;
    }
    const BOOL bHasImage = HasImage();
    if (!bHasImage) {
        const CSize sizeExtra = useExtraSize ? CZUDPVisualManager::GetActiveManager()->GetButtonExtraSize() : CSize(0, 0);
        if (bHorz)
            size.cx = sizeExtra.cx;
        else
            size.cy = sizeExtra.cy;
    }
    textBelowWidth = 0;
    textBelowHeight = 0;
    if (text.IsEmpty() || pDC == nullptr)
        return size;
    if (textBelowImage && bHorz) {
        CRect rectText(0, 0, 3 * sizeDefault.cx, sizeDefault.cy);
        pDC->DrawText(text, rectText, DT_CALCRECT | DT_CENTER | (g_wrapTextBelowImage ? DT_WORDBREAK : 0));
        textBelowHeight = rectText.Height();
        textBelowWidth = rectText.Width() + 6;
        return CSize(std::max(int(size.cx), textBelowWidth) + 12, size.cy + 1 + textBelowHeight);
    }
    if (showText) {
        const int nLength = TextExtent(pDC, StripMnemonics(text)).cx + (bHasImage ? 6 : 9);
        if (bHorz)
            size.cx += nLength;
        else
            size.cy += nLength;
    }
    return size;
}

// ---------------------------------------------------------------------------
// Drawing

void CZUDPToolbarButton::PaintBackground(CDC* pDC, const CRect& rectButton, BOOL bHighlight, BOOL bMenuRow)
{
    if (noBackground || pDC == nullptr)
        return;
    int nState = ZUDP_BUTTON_NORMAL;
    if (!g_customizeMode || g_quickCustomize || locked) {
        if (bHighlight)
            nState = ZUDP_BUTTON_HIGHLIGHTED;
        else if (style & (TBBS_CHECKED | TBBS_PRESSED))
            nState = ZUDP_BUTTON_PUSHED;
    }
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    CZUDPToolbarMenuButton* pMenuButton = DYNAMIC_DOWNCAST(CZUDPToolbarMenuButton, this);
    if (bMenuRow && pMenuButton != nullptr)
        pManager->FillMenuButtonInterior(pDC, pMenuButton, rectButton, nState);
    else
        pManager->FillButtonInterior(pDC, this, rectButton, nState);
}

void CZUDPToolbarButton::DrawButton(CDC* pDC, const CRect& rectButton, CZUDPToolBarImages* pImages, BOOL bHorz,
                                    BOOL bCustomizeMode, BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    if (pDC == nullptr)
        return;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    PaintBackground(pDC, rectButton, bHighlight, FALSE);

    // 2-3: image size, inner rectangle.
    const CSize sizeImage = DrawnImageSize(pImages);
    const int iw = sizeImage.cx, ih = sizeImage.cy;
    CZUDPUserTool* pTool = UserToolOf(*this);
    CRect rectInner = rectButton;
    const CSize sizeExtra = useExtraSize ? pManager->GetButtonExtraSize() : CSize(0, 0);
    rectInner.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
    const int x0 = rectInner.left, y0 = rectInner.top;

    // 4-6: caption and image offsets.
    const BOOL bHasImage = HasImage();
    const CSize sizeText = TextExtent(pDC, StripMnemonics(text));
    const int tw = sizeText.cx, th = sizeText.cy;
    const BOOL bTextBelow = textBelowImage && bHorz;
    const BOOL bTextBeside = showText && !text.IsEmpty() && !bTextBelow;
    const int nTextLength = bTextBeside ? tw + (bHasImage ? 0 : 3) : 0;
    int W, H;
    if (bTextBelow) {
        W = rectInner.Width();
        H = ih + 6;
    } else {
        W = rectInner.Width() - (bHorz ? nTextLength : 0);
        H = rectInner.Height() - (bHorz ? 0 : nTextLength);
    }
    int xi = (W - iw) / 2, yi = (H - ih) / 2;
    int xt = 3, yt = 3;
    if (bTextBeside) {
        TEXTMETRICA tm = {};
        ::GetTextMetricsA(pDC->GetSafeHdc(), &tm);
        if (bHorz) {
            yt = (H - tm.tmHeight - 1) / 2;
            xi -= 3;
        } else {
            xt = (W - tm.tmHeight + 1) / 2;
            yi -= 3;
        }
    }

    // 7-9: shadow, pushed offset, faded images.
    const BOOL bPushed = (style & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
    const BOOL bShadow = bHighlight && !bCustomizeMode && !IsDroppedDown() && pManager->m_shadowHighlightedImage &&
                         !g_uiEnvironment.IsContrastColorScheme() &&
                         (style & (TBBS_CHECKED | TBBS_PRESSED | TBBS_DISABLED)) == 0;
    if (bPushed && !bCustomizeMode && !pManager->m_shadowHighlightedImage && pManager->ShiftsPressedBrowseImage()) {
        ++xi;
        ++yi;
        ++yt;
        xt += bHorz ? 1 : -1;
    }
    const BOOL bFaded = !bHighlight && pManager->m_fadeInactiveImage;

    // 10: the image (or a user tool's icon).
    if (showImage && pTool != nullptr) {
        pTool->DrawToolIcon(pDC, CRect(CPoint(x0 + xi, y0 + yi), CSize(iw, ih)));
    } else if (showImage && GetActiveImage() >= 0 && pImages != nullptr) {
        const BOOL bDisabled = (style & TBBS_DISABLED) != 0;
        if ((style & TBBS_PRESSED) || !bDisabled || bCustomizeMode) {
            // The normal form: the list's highlight form is the pale mask
            // of a checked look, not what a hot button shows.
            if (bShadow) {
                pImages->RenderImage(pDC, x0 + xi + 1, y0 + yi + 1, GetActiveImage(), FALSE, FALSE, FALSE, TRUE);
                pImages->RenderImage(pDC, x0 + xi - 1, y0 + yi - 1, GetActiveImage(), FALSE, FALSE, FALSE, FALSE,
                                     bFaded);
            } else {
                pImages->RenderImage(pDC, x0 + xi, y0 + yi, GetActiveImage(), FALSE, FALSE, FALSE, FALSE, bFaded);
            }
        } else {
            pImages->RenderImage(pDC, x0 + xi, y0 + yi, GetActiveImage(), FALSE, bGrayDisabledButtons, FALSE, FALSE,
                                 bFaded);
        }
    }

    // 12: the caption.
    if ((bTextBelow || bTextBeside) && !text.IsEmpty()) {
        const int nState = bHighlight ? ZUDP_BUTTON_HIGHLIGHTED : bPushed ? ZUDP_BUTTON_PUSHED : ZUDP_BUTTON_NORMAL;
        const COLORREF clrText = pManager->GetToolbarButtonTextColor(this, nState);
        pDC->SetTextColor(clrText);
        const int nLargeGap = g_largeIcons ? 6 : 0;
        const BOOL bCues = g_uiEnvironment.m_keyboardCuesNow || bCustomizeMode;
        CRect rectText = rectInner;
        if (bHorz) {
            UINT uiFormat;
            int nOffset;
            if (bTextBelow) {
                yt += ih + 3;
                rectText.left = (rectInner.right - textBelowWidth + rectInner.left) / 2 + xt;
                rectText.right = (textBelowWidth + rectInner.right + rectInner.left) / 2;
                uiFormat = DT_CENTER | (g_wrapTextBelowImage ? DT_WORDBREAK : 0);
                nOffset = yt;
            } else if (bHasImage) {
                rectText.left = x0 + 3 + xt + iw + nLargeGap;
                uiFormat = DT_SINGLELINE;
                nOffset = yt;
            } else {
                rectText.left = x0 + 4;
                uiFormat = DT_SINGLELINE;
                nOffset = yt;
            }
            rectText.top += nOffset;
            if (bTextBelow && useExtraSize)
                rectText.OffsetRect(0, sizeExtra.cy / 2);
            // Without keyboard cues the caption is drawn without its markers
            // (and so without prefix processing, which would eat an "&").
            if (!bCues)
                DrawButtonText(pDC, StripMnemonics(text), rectText, uiFormat | DT_NOPREFIX, clrText, nState);
            else
                DrawButtonText(pDC, text, rectText, uiFormat, clrText, nState);
        } else {
            const int nOffset = bHasImage ? yt + ih + nLargeGap : yt;
            int nMnemonic = -1;
            const CString strCaption = VerticalCaption(text, nMnemonic);
            const int nLeft = (rectInner.left + rectInner.right) / 2 - th / 2 + th;
            const int nTop = y0 + nOffset + std::max(0, (int(rectInner.bottom) - tw - (y0 + nOffset)) / 2);
            CRect rectVert(nLeft, nTop, nLeft - th, rectInner.bottom);
            DrawButtonText(pDC, strCaption, rectVert, DT_NOCLIP | DT_SINGLELINE, clrText, nState);
            if (nMnemonic >= 0 && g_uiEnvironment.m_keyboardCuesNow && !bCustomizeMode) {
                // The rotated font has no underline of its own: draw it.
                CRect rectBefore(0, 0, 0, 0), rectWith(0, 0, 0, 0);
                pDC->DrawText(strCaption.Left(nMnemonic), rectBefore, DT_CALCRECT | DT_SINGLELINE);
                pDC->DrawText(strCaption.Left(nMnemonic + 1), rectWith, DT_CALCRECT | DT_SINGLELINE);
                const int x = (rectButton.left + rectButton.right) / 2 - th / 2;
                CPen pen(PS_SOLID, 1, clrText);
                CPen* pOldPen = pDC->SelectObject(&pen);
                pDC->MoveTo(x, rectVert.top + rectWith.Width());
                pDC->LineTo(x, rectVert.top + rectBefore.Width());
                pDC->SelectObject(pOldPen);
            }
        }
    }

    // 13: the border.
    if (!bCustomizeMode && HasBorder() && bDrawBorder) {
        if (bPushed)
            pManager->DrawButtonBorder(pDC, this, rectButton, ZUDP_BUTTON_PUSHED);
        else if (bHighlight && (style & (TBBS_INDETERMINATE | TBBS_DISABLED | TBBS_CHECKED)) == 0)
            pManager->DrawButtonBorder(pDC, this, rectButton, ZUDP_BUTTON_HIGHLIGHTED);
    }
}

void CZUDPToolbarButton::DrawButtonText(CDC* pDC, const CString& strText, CRect rectText, UINT uiDTFlags,
                                        COLORREF clrText, int nState)
{
    if (!g_drawingOnGlass) {
        pDC->DrawText(strText, rectText, uiDTFlags);
        return;
    }
    COLORREF clrGlass = RGB(0, 0, 0);
    if (UsesCallerTextColor()) {
        clrGlass = clrText;
    } else {
        CFrameWnd* pFrame = parentWnd != nullptr && parentWnd->GetSafeHwnd() != nullptr ? GetEnclosingFrame(parentWnd)
                                                                                         : nullptr;
        if (pFrame != nullptr && pFrame->IsZoomed() && !g_uiEnvironment.m_isWindows7OrLater &&
            CZUDPVisualManager::GetActiveManager()->UseLightGlyphOnButton(this, nState))
            clrGlass = RGB(255, 255, 255);
    }
    CZUDPVisualManager::GetActiveManager()->DrawTextOnGlass(pDC, strText, rectText, uiDTFlags, 10, clrGlass);
}

int CZUDPToolbarButton::DrawInCommandList(CDC* pDC, const CRect& rectRow, BOOL bSelected)
{
    if (pDC == nullptr)
        return 0;
    CZUDPVisualManager* pManager = CZUDPVisualManager::GetActiveManager();
    const BOOL bSavedShowText = showText;
    showText = FALSE;

    CZUDPToolBarImages* pImages = &g_sharedToolbarImages;
    if (usesUserImage)
        pImages = g_sharedUserImages;
    else if (g_sharedMenuImages.GetCount() > 0 && g_sharedMenuImages.GetCount() == g_sharedToolbarImages.GetCount())
        pImages = &g_sharedMenuImages;
    const CSize sizeMenuImage = CZUDPToolBar::GetMenuItemImageSize();
    const int nColumn = sizeMenuImage.cx + 6;
    CZUDPUserTool* pTool = UserToolOf(*this);
    const BOOL bHasImage = pTool != nullptr || (HasImage() && pImages != nullptr);

    // 1-2: the image column and the selection.
    CRect rectFill = rectRow;
    if (bSelected && bHasImage && !pManager->HighlightsFullMenuRow()) {
        CRect rectColumn(rectRow.left, rectRow.top, rectRow.left + nColumn, rectRow.bottom);
        pManager->FillButtonInterior(pDC, this, rectColumn, ZUDP_BUTTON_HIGHLIGHTED);
        pManager->DrawButtonBorder(pDC, this, rectColumn, ZUDP_BUTTON_HIGHLIGHTED);
        rectFill.left = rectColumn.right;
    }
    const COLORREF clrText = pManager->FillCustomizeSelection(pDC, rectFill, bSelected);

    // 3: the image.
    if (pTool != nullptr) {
        pTool->DrawToolIcon(pDC, CRect(rectRow.left, rectRow.top, rectRow.left + nColumn, rectRow.bottom));
    } else if (bHasImage) {
        CPoint ptImage(rectRow.left + 3, rectRow.top + 3);
        if (g_uiEnvironment.GetDpiScale() != 1.0 && g_noImageScaling) {
            const CSize sizeList = pImages->GetImageSize();
            ptImage.x += std::max(0, int(sizeMenuImage.cx - sizeList.cx) / 2);
            ptImage.y += std::max(0, int(sizeMenuImage.cy - sizeList.cy) / 2);
        }
        const BOOL bFaded = !bSelected && pManager->m_fadeInactiveImage;
        const BOOL bShadow = bSelected && pManager->m_shadowHighlightedImage && !g_uiEnvironment.IsContrastColorScheme();
        CZUDPImageDrawState ds;
        if (pImages->BeginDrawing(ds, 0, 0, bFaded)) {
            if (bShadow) {
                pImages->RenderImage(pDC, ptImage.x + 1, ptImage.y + 1, GetActiveImage(), FALSE, FALSE, FALSE, TRUE);
                pImages->RenderImage(pDC, ptImage.x - 1, ptImage.y - 1, GetActiveImage(), TRUE);
            } else {
                pImages->RenderImage(pDC, ptImage.x, ptImage.y, GetActiveImage(), bSelected, FALSE, FALSE, FALSE,
                                     bFaded);
            }
            pImages->FinishDrawing(ds);
        }
    }

    // 4-5: the caption.
    int nWidth = nColumn;
    if (!text.IsEmpty()) {
        CRect rectText = rectRow;
        rectText.left = rectRow.left + sizeMenuImage.cx + 10;
        const int nOldMode = pDC->SetBkMode(TRANSPARENT);
        const COLORREF clrOld = pDC->SetTextColor(clrText);
        pDC->DrawText(text, rectText, DT_SINGLELINE | DT_VCENTER);
        pDC->SetTextColor(clrOld);
        pDC->SetBkMode(nOldMode);
        CRect rectCalc(0, 0, 0, 0);
        pDC->DrawText(text, rectCalc, DT_SINGLELINE | DT_CALCRECT);
        nWidth += std::min(int(rectCalc.Width()), std::max(0, int(rectRow.right - rectText.left)));
    }
    showText = bSavedShowText;
    return nWidth;
}
