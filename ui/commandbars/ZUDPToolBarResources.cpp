// The toolbar's resources: a toolbar resource gives the sizes and the
// command ids in order; bitmap or PNG resources give the images, loaded
// into the shared image lists (or the bar's own when it is locked).  Each
// command's default image is recorded, and the button list is rebuilt from
// a list of command ids.
#include "ui/commandbars/ZUDPToolBar.h"

#include <vector>

#include "framework/win/WinApp.h"
#include "ui/commandbars/ZUDPCustomizeButton.h"
#include "ui/commandbars/ZUDPToolbarButton.h"
#include "ui/foundation/ZUDPMessages.h"
#include "ui/foundation/ZUDPUIEnvironment.h"

namespace {

// The toolbar resource: WORD version (1), image width, image height, item
// count, then one command id per item (0: a separator).
const WORD kToolbarResourceVersion = 1;
const size_t kToolbarResourceHeader = 4 * sizeof(WORD);

BOOL LoadInto(CZUDPToolBarImages& images, UINT uiResID)
{
    return uiResID == 0 || images.LoadFromResourceId(uiResID, AfxGetResourceHandle(), TRUE);
}

// A new object of the button's class with the button copied into it.
CZUDPToolbarButton* CopyOfOverflowButton(const CZUDPToolbarButton& button)
{
    CZUDPToolbarButton* pCopy = DYNAMIC_DOWNCAST(CZUDPToolbarButton, button.GetRuntimeClass()->CreateObject());
    if (pCopy != nullptr)
        pCopy->CopyFrom(button);
    return pCopy;
}

} // namespace

BOOL CZUDPToolBar::LoadImagesAndButtons(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked,
                                        UINT uiDisabledResID, UINT uiMenuDisabledResID)
{
    CZUDPToolBarImageSet images;
    images.m_uiResID = uiResID;
    images.m_uiColdResID = uiColdResID;
    images.m_uiMenuResID = uiMenuResID;
    images.m_uiDisabledResID = uiDisabledResID;
    images.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadImagesAndButtonsEx(images, bLocked);
}

BOOL CZUDPToolBar::LoadButtonsResource(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked,
                                       UINT uiDisabledResID, UINT uiMenuDisabledResID, UINT uiImageResID)
{
    CZUDPToolBarImageSet images;
    images.m_uiResID = uiImageResID;
    images.m_uiColdResID = uiColdResID;
    images.m_uiMenuResID = uiMenuResID;
    images.m_uiDisabledResID = uiDisabledResID;
    images.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return ReadToolbarResource(uiResID, images, bLocked);
}

BOOL CZUDPToolBar::LoadImagesAndButtonsEx(const CZUDPToolBarImageSet& images, BOOL bLocked)
{
    m_bLocked = bLocked;
    if (bLocked) {
        if (!LoadInto(m_ImagesLocked, images.m_uiResID) || !LoadInto(m_ColdImagesLocked, images.m_uiColdResID))
            return FALSE;
        if (images.m_uiColdResID == 0 && g_generateColdImages && m_ImagesLocked.GetCount() > 0) {
            m_ImagesLocked.DuplicateInto(m_ColdImagesLocked);
            m_ColdImagesLocked.ConvertToGray(g_coldImageGrayPercent);
        }
        return LoadInto(m_DisabledImagesLocked, images.m_uiDisabledResID) &&
               LoadInto(m_LargeImagesLocked, images.m_uiLargeResID) &&
               LoadInto(m_LargeColdImagesLocked, images.m_uiLargeColdResID) &&
               LoadInto(m_LargeDisabledImagesLocked, images.m_uiLargeDisabledResID) &&
               LoadInto(m_MenuImagesLocked, images.m_uiMenuResID) &&
               LoadInto(m_DisabledMenuImagesLocked, images.m_uiMenuDisabledResID);
    }
    if (!LoadInto(g_sharedToolbarImages, images.m_uiResID))
        return FALSE;
    if (images.m_uiResID != 0)
        m_iImagesOffset = g_sharedToolbarImages.GetResourceOffset(images.m_uiResID);
    if (!LoadInto(g_sharedColdImages, images.m_uiColdResID))
        return FALSE;
    if (images.m_uiColdResID == 0 && g_generateColdImages && g_sharedToolbarImages.GetCount() > 0) {
        g_sharedToolbarImages.DuplicateInto(g_sharedColdImages);
        g_sharedColdImages.ConvertToGray(g_coldImageGrayPercent);
    }
    return LoadInto(g_sharedMenuImages, images.m_uiMenuResID) &&
           LoadInto(g_sharedDisabledImages, images.m_uiDisabledResID) &&
           LoadInto(g_sharedDisabledMenuImages, images.m_uiMenuDisabledResID) &&
           LoadInto(g_sharedLargeImages, images.m_uiLargeResID) &&
           LoadInto(g_sharedLargeColdImages, images.m_uiLargeColdResID) &&
           LoadInto(g_sharedLargeDisabledImages, images.m_uiLargeDisabledResID);
}

BOOL CZUDPToolBar::ReadToolbarResource(UINT uiResID, const CZUDPToolBarImageSet& imagesIn, BOOL bLocked)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceA(hInst, MAKEINTRESOURCEA(uiResID), MAKEINTRESOURCEA(241));
    if (hResource == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hResource);
    const WORD* pData = hGlobal != nullptr ? static_cast<const WORD*>(::LockResource(hGlobal)) : nullptr;
    const DWORD dwSize = ::SizeofResource(hInst, hResource);
    if (pData == nullptr || dwSize < kToolbarResourceHeader)
        return FALSE;
    // The resource is input: its version and its item count must agree
    // with its size.
    const WORD wVersion = pData[0], wImageWidth = pData[1], wImageHeight = pData[2], wCount = pData[3];
    if (wVersion != kToolbarResourceVersion || size_t(wCount) > (dwSize - kToolbarResourceHeader) / sizeof(WORD))
        return FALSE;

    const CSize sizeImage(wImageWidth, wImageHeight);
    CSize sizeButton(sizeImage.cx + 6, sizeImage.cy + 6);
    const BOOL bNoScaling = bLocked ? m_bNoImageScalingLocked : g_noImageScaling;
    const double dScale = g_uiEnvironment.GetDpiScale();
    if (!bNoScaling && dScale != 1.0)
        sizeButton = CSize(int(sizeButton.cx * dScale + 0.5), int(sizeButton.cy * dScale + 0.5));
    if (bLocked)
        SetOwnSizes(sizeButton, sizeImage, FALSE);
    else if (!g_sharedToolbarImages.IsScaled())
        SetSizes(sizeButton, sizeImage);

    CZUDPToolBarImageSet images = imagesIn;
    if (images.m_uiResID == 0)
        images.m_uiResID = uiResID;
    // Images are loaded once per resource; another resource brings its own.
    if (m_uiOriginalResID != uiResID && !LoadImagesAndButtonsEx(images, bLocked))
        return FALSE;

    const std::vector<UINT> ids(pData + 4, pData + 4 + wCount);
    if (!bLocked) {
        int iImage = m_iImagesOffset;
        for (UINT uiCmd : ids) {
            if (uiCmd != 0)
                g_defaultCommandImages.SetAt(uiCmd, iImage++);
        }
    }
    m_uiOriginalResID = uiResID;
    if (!ReplaceButtons(ids.empty() ? nullptr : ids.data(), int(ids.size()), TRUE)) {
        m_uiOriginalResID = 0;
        return FALSE;
    }
    return TRUE;
}

BOOL CZUDPToolBar::ReplaceButtons(const UINT* lpIDArray, int nIDCount, BOOL bFromResource)
{
    CZUDPToolbarButton* pOverflowCopy = m_pCustomizeBtn != nullptr ? CopyOfOverflowButton(*m_pCustomizeBtn) : nullptr;
    DeleteAllButtons();
    while (!m_OrigButtons.IsEmpty())
        delete m_OrigButtons.RemoveHead();
    if (lpIDArray == nullptr) {
        delete pOverflowCopy;
        return TRUE;
    }

    int iImage = m_iImagesOffset;
    for (int i = 0; i < nIDCount; ++i) {
        const UINT uiCmd = lpIDArray[i];
        CZUDPToolbarButton* pOriginal = new CZUDPToolbarButton;
        pOriginal->commandId = uiCmd;
        if (uiCmd == 0)
            pOriginal->style = TBBS_SEPARATOR;
        m_OrigButtons.AddTail(pOriginal);
        if (uiCmd == 0) {
            InsertSeparator(-1);
        } else if (bFromResource) {
            CZUDPToolbarButton button(uiCmd, iImage, nullptr, FALSE, m_bLocked);
            if (InsertButtonCopy(button, -1) >= 0 && !m_bLocked)
                g_defaultCommandImages.SetAt(uiCmd, iImage);
            ++iImage;
        } else {
            int iDefaultImage = -1;
            if (g_defaultCommandImages.Lookup(uiCmd, iDefaultImage)) {
                CZUDPToolbarButton button(uiCmd, iDefaultImage, nullptr, FALSE, m_bLocked);
                InsertButtonCopy(button, -1);
            }
        }
    }
    if (pOverflowCopy != nullptr) {
        if (InsertButton(pOverflowCopy, -1) >= 0)
            m_pCustomizeBtn = DYNAMIC_DOWNCAST(CCustomizeButton, pOverflowCopy);
        else
            delete pOverflowCopy;
    }
    if (m_hWnd == nullptr)
        return TRUE;

    OnAfterSetButtons();
    CWnd* pTarget = GetDockSiteFrame();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (pTarget != nullptr)
        pTarget->SendMessage(ZUDTOOLBAR_RESETTOOLBAR, m_uiOriginalResID, 0);
    while (!m_OrigResetButtons.IsEmpty())
        delete m_OrigResetButtons.RemoveHead();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;) {
        CZUDPToolbarButton* pButton = DYNAMIC_DOWNCAST(CZUDPToolbarButton, m_Buttons.GetNext(pos));
        if (pButton != nullptr)
            InsertResetButton(*pButton, -1);
    }
    return TRUE;
}
