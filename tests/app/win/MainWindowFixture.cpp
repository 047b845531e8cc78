#include "tests/app/win/MainWindowFixture.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/SettingsPaths.h"
#include "app/win/trovconfDlg.h"
#include "res/resource.h"
#include "tests/common/MessagePumpWin.h"

namespace trovtest {

void TestAppFolders::EnterAppFolders()
{
    CSettingsPaths::SetBaseFolderOverride(0, m_appData.Path().c_str());
    CSettingsPaths::SetBaseFolderOverride(1, m_documents.Path().c_str());
    char old[MAX_PATH] = "";
    ::GetCurrentDirectoryA(sizeof old, old);
    m_oldFolder = old;
    ::SetCurrentDirectoryA(m_work.Path().c_str());
    m_work.Write("app_tests.ini", "[misc]\r\nname=TROVconf\r\n");
}

std::string TestAppFolders::IniFile() const { return m_work.Path() + "\\app_tests.ini"; }

void TestAppFolders::LeaveAppFolders()
{
    ::SetCurrentDirectoryA(m_oldFolder.c_str());
    CSettingsPaths::SetBaseFolderOverride(0, nullptr);
    CSettingsPaths::SetBaseFolderOverride(1, nullptr);
}

std::string SettingsFolder(const TempDir& appData) { return appData.Path() + "\\trovconf"; }
std::string MachinesFile(const TempDir& appData) { return SettingsFolder(appData) + "\\machines.xml"; }

void WriteMachinesFile(const TempDir& appData, const std::string& text)
{
    ::CreateDirectoryA(SettingsFolder(appData).c_str(), nullptr);
    FILE* f = fopen(MachinesFile(appData).c_str(), "wb");
    ASSERT_TRUE(f);
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
}

bool OpenMainWindow(std::unique_ptr<CtrovconfDlg>& window)
{
    window.reset(new CtrovconfDlg);
    BOOL created = window->Create(IDD_TROVCONF_DIALOG);
    if (created) {
        window->SetWindowPos(nullptr, 10, 10, 900, 500, SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_TRUE(PumpUntil([&] { return window->IsStartUpOver(); }, 20000)) << "start-up never ended";
    }
    return created != FALSE;
}

} // namespace trovtest
