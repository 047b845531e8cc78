#pragma once
// Command ids for popup menus that can be torn off into floating bars.
// A tear-off popup (menu state with MF_MENUBARBREAK) carries its id in its
// text: the character 1, the id in decimal, the character 1, then the
// visible text.  One usage counter per id of the range says which ids are
// taken.
#include <vector>

#include "framework/win/Menu.h"
#include "framework/String.h"
#include "framework/Object.h"

class CZUDPTearOffBarManager : public CObject {
public:
    CZUDPTearOffBarManager();
    ~CZUDPTearOffBarManager() override;

    // The range of ids to hand out (all free); FALSE for an empty range.
    BOOL Build(UINT uiTearOffBarFirstId, UINT uiTearOffBarLastId);
    UINT GetFirstId() const { return m_uiFirstId; }
    UINT GetLastId() const { return m_uiLastId; }

    static void TagMenuText(UINT uiId, CString& strText);
    // The id of a tagged text, which is cut to its visible part; 0 (text
    // unchanged) for an untagged text or an id of more than 10 digits or
    // beyond 32 bits.
    static UINT ExtractIdFromMenuText(CString& strText);

    // The lowest free id (now taken), 0 when none is left or no range.
    UINT AllocateId();
    // Counts a use of the id up or down; never below 0; ids outside the
    // range are ignored.
    void CountIdUse(UINT uiId, BOOL bIncrement);
    int GetIdUseCount(UINT uiId) const;
    // Frees the ids tagged in the menu's texts (through its submenus), or
    // every id without a menu.
    void ReleaseIdsOfMenu(CMenu* pMenu);
    // Tags every untagged tear-off popup of the menu (and its submenus) with
    // a new id; stops at the first popup that gets none.
    void AssignIdsToMenu(CMenu* pMenu);

private:
    bool InRange(UINT uiId) const { return m_uiFirstId != 0 && uiId >= m_uiFirstId && uiId <= m_uiLastId; }
    bool AssignIds(HMENU hMenu);
    void ReleaseIds(HMENU hMenu);

    UINT m_uiFirstId = 0;
    UINT m_uiLastId = 0;
    std::vector<int> m_useCounts;
};

// The process-wide tear-off manager, null while none exists.
extern CZUDPTearOffBarManager* g_tearOffManager;
