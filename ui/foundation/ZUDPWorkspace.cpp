#include "ui/foundation/ZUDPWorkspace.h"

#include "ui/foundation/ZUDPShellManager.h"

namespace {

CZUDPWorkspace* g_workspace = nullptr;
const char* const kDefaultSection = "ZUDWorkspace";

} // namespace

CZUDPWorkspace* GetWorkspaceInstance() { return g_workspace; }

CZUDPWorkspace::CZUDPWorkspace(BOOL bResourceSmartUpdate)
    : m_strRegSection(kDefaultSection), m_bResourceSmartUpdate(bResourceSmartUpdate)
{
    g_workspace = this;
}

CZUDPWorkspace::~CZUDPWorkspace()
{
    if (g_workspace == this)
        g_workspace = nullptr;
    if (m_bShellManagerAutocreated && g_shellManager != nullptr) {
        delete g_shellManager;   // clears g_shellManager
        g_shellManager = nullptr;
    }
}

void CZUDPWorkspace::OnWorkspaceNotify(UINT_PTR) {}

BOOL CZUDPWorkspace::CreateShellManager()
{
    if (g_shellManager != nullptr)
        return FALSE;
    new CZUDPShellManager;   // publishes itself in g_shellManager
    m_bShellManagerAutocreated = TRUE;
    return TRUE;
}

void CZUDPWorkspace::SetRegistryBase(LPCTSTR lpszSectionName)
{
    m_strRegSection = (lpszSectionName != nullptr) ? lpszSectionName : kDefaultSection;
}

CString CZUDPWorkspace::MakeSectionPath(LPCTSTR lpszSubSection) const
{
    CString path = BuildRegistrySectionPath(m_strRegSection, nullptr);
    if (lpszSubSection != nullptr && *lpszSubSection != '\0') {
        path += lpszSubSection;
        path += "\\";
    }
    return path;
}

int CZUDPWorkspace::GetStoredStateVersion() const
{
    if (m_iSavedVersionMajor == -1 || m_iSavedVersionMinor == -1)
        return -1;
    int nVersion = m_iSavedVersionMajor * 0x10000;
    if (m_iSavedVersionMinor < 10)
        nVersion += m_iSavedVersionMinor * 0x100;
    else
        nVersion += (m_iSavedVersionMinor / 10) * 0x100 + (m_iSavedVersionMinor % 10) * 0x10;
    return nVersion;
}
