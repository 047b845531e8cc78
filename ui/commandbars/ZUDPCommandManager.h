#pragma once
// CZUDPCommandManager: the library's one record of which image belongs to
// which command.  Toolbar resources give commands their standard images
// (indexes into the shared toolbar images); the user may give a command an
// image of his own (an index into the user images) instead; and, for menus
// only, a command may show no image or a particular user image.  A command
// has an image in at most one of the two image maps.
//
// The menu settings are kept in the registry key "<path>ZUDCommandManager"
// below the section "ZUDToolBars" of the profile, as the REG_BINARY values
// "CommandsWithoutImages" (a count in the archive's count encoding, then
// the command ids as 32-bit values) and "MenuUserImages" (a count, then
// command id and image index pairs).  The image maps are not saved:
// standard images come back with the toolbar resources, user images with
// the buttons that use them.
//
// There is one instance, g_commandManager (GetCommandManager).
#include "framework/Map.h"
#include "framework/win/WinSdk.h"

#include <utility>
#include <vector>

class CZUDPCommandManager {
public:
    CZUDPCommandManager() = default;
    virtual ~CZUDPCommandManager() = default;
    CZUDPCommandManager(const CZUDPCommandManager&) = delete;
    CZUDPCommandManager& operator=(const CZUDPCommandManager&) = delete;

    // The command's image index in the user images (bUserImage) or the
    // standard ones; -1 when it has none there.
    int LookupCommandImage(UINT uiCmd, BOOL bUserImage = FALSE) const;
    // Records an image for a command: in the user images (bUserImage) or
    // the standard ones, unless the command has one in the other map.
    // Commands 0 and -1 get none.
    void AssignCommandImage(UINT uiCmd, int iImage, BOOL bUserImage);
    void ClearUserCommandImage(UINT uiCmd);

    // What menus show for a command: with bShowImage its user image (a
    // negative index: none of its own); without, no image at all.
    void SetMenuItemImage(UINT uiCmd, BOOL bShowImage, int iUserImage = -1);
    BOOL IsMenuItemWithoutImage(UINT uiCmd) const;
    // The command's menu user image, -1 when none.
    int GetMenuUserImage(UINT uiCmd) const;
    // Forgets every image of every command.
    void ResetAllImages();

    // Reads the menu settings; nothing changes unless both values were
    // read whole (FALSE then).  The commands without images are replaced
    // (a command stored twice counts once); the menu user images read are
    // added (replacing a command's earlier one; of a command stored twice
    // the later one counts).
    BOOL LoadFromRegistry(LPCTSTR lpszProfileName = nullptr);
    // Writes the menu settings; TRUE when both values were written.
    BOOL SaveToRegistry(LPCTSTR lpszProfileName = nullptr);

    // In the order they were set (and saved).
    const std::vector<UINT>& GetCommandsWithoutImages() const { return m_commandsWithoutImages; }

protected:
    // (command, image index) pairs sorted by command, one per command.
    using ImagePairs = std::vector<std::pair<UINT, int>>;

    CMap<UINT, UINT, int, int> m_mapCommandImages;      // standard images
    CMap<UINT, UINT, int, int> m_mapUserCommandImages;  // user images
    std::vector<UINT> m_commandsWithoutImages;          // no command twice
    ImagePairs m_menuUserImages;
};

extern CZUDPCommandManager g_commandManager;
CZUDPCommandManager* GetCommandManager();
// The command's image in the user images or the standard ones, -1 when
// none (g_commandManager's LookupCommandImage).
int FindCommandImage(UINT uiCmd, BOOL bUserImage = FALSE);
