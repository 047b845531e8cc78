// machines.xml survives a writer that fails or is killed half-way: the
// writer runs in a child process whose file-size limit stops it mid-file.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "app/MachineListFile.h"
#include "app/MachineMap.h"
#include "tests/common/TempDir.h"

namespace {

void FillBigList(CMachineMap& map)
{
    for (uint32_t i = 1; i <= 2000; ++i) {
        CMachine* m = new CMachine(CIpAddress(0x0A000000 + i), 1);
        m->m_hostName = "controller with a rather long host name";
        map.SetMachine(CIpAddress(0x0A000000 + i), m);
    }
}

// Runs Save in a child limited to `limit` bytes per file; returns the
// child's wait status.
int SaveInLimitedChild(const std::string& path, bool killOnLimit)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (!killOnLimit)
            signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead
        rlimit limit = {10000, 10000};
        setrlimit(RLIMIT_FSIZE, &limit);
        CMachineMap map;
        FillBigList(map);
        CString error;
        bool saved = CMachineListFile(path.c_str()).Save(map, &error);
        _exit(saved ? 0 : 7);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return status;
}

const char kOld[] = "<MACHINES>\n <MACHINE>\n  <HOSTNAME>old</HOSTNAME>\n  <KEY>10.0.0.1</KEY>\n </MACHINE>\n</MACHINES>\n";

} // namespace

TEST(MachineListFileWriter, FailingHalfWayLeavesTheOldFileAndReportsIt)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("machines.xml", kOld);
    int status = SaveInLimitedChild(path, false);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(7, WEXITSTATUS(status)); // Save said it failed
    EXPECT_EQ(kOld, trovtest::TempDir::Read(path));
    EXPECT_NE(0, access((path + ".tmp").c_str(), F_OK)); // nothing left behind
}

TEST(MachineListFileWriter, KilledHalfWayLeavesTheOldFileAndTheNextSaveWorks)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("machines.xml", kOld);
    int status = SaveInLimitedChild(path, true);
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(SIGXFSZ, WTERMSIG(status));
    EXPECT_EQ(kOld, trovtest::TempDir::Read(path));

    CMachineMap map;
    FillBigList(map);
    CString error;
    ASSERT_TRUE(CMachineListFile(path.c_str()).Save(map, &error)) << (const char*)error;
    CMachineMap back;
    CString message;
    EXPECT_EQ(CMachineListFile::kLoaded, CMachineListFile(path.c_str()).Load(back, &message));
    EXPECT_EQ(2000, back.GetCount());
    EXPECT_NE(0, access((path + ".tmp").c_str(), F_OK));
}
