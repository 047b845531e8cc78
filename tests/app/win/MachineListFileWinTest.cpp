// machines.xml held open by another program at start-up.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/MachineListFile.h"
#include "app/MachineMap.h"
#include "tests/common/TempDir.h"

TEST(MachineListFileWin, ListThatCannotBeOpenedIsNeverOverwritten)
{
    trovtest::TempDir dir;
    const char* text = "<MACHINES><MACHINE><KEY>10.0.0.1</KEY></MACHINE></MACHINES>";
    std::string path = dir.Write("machines.xml", text);
    HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    CMachineListFile file(path.c_str());
    CMachineMap map;
    CString message;
    EXPECT_EQ(CMachineListFile::kBlocked, file.Load(map, &message));
    EXPECT_FALSE(message.IsEmpty());
    CloseHandle(held);

    map.SetMachine(CIpAddress(2), new CMachine(CIpAddress(2), 1));
    CString error;
    EXPECT_FALSE(file.Save(map, &error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(text, trovtest::TempDir::Read(path));
}
