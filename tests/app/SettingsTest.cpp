// settings.xml, the settings folders, the ini file and remembered paths.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>
#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif
#include <string>

#include "app/AppHooks.h"
#include "app/AppPlatform.h"
#include "app/GSettings.h"
#include "app/RememberedPath.h"
#include "app/TrovConfConfig.h"
#include "tests/common/TempDir.h"

namespace {

// The application-data and documents folders of one test.
class SettingsFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        CSettingsPaths::SetBaseFolderOverride(0, m_appData.Path().c_str());
        CSettingsPaths::SetBaseFolderOverride(1, m_documents.Path().c_str());
    }
    void TearDown() override
    {
        CSettingsPaths::SetBaseFolderOverride(0, nullptr);
        CSettingsPaths::SetBaseFolderOverride(1, nullptr);
    }
    std::string SettingsFile() const
    {
        return m_appData.Path() + APP_PATH_SEPARATOR "trovconf" APP_PATH_SEPARATOR "settings.xml";
    }
    void WriteSettings(const std::string& text) const
    {
        std::filesystem::create_directories(m_appData.Path() + "/trovconf");
        FILE* f = fopen(SettingsFile().c_str(), "wb");
        ASSERT_TRUE(f);
        fwrite(text.data(), 1, text.size(), f);
        fclose(f);
    }
    std::string Documents(const char* sub) const
    {
        return m_documents.Path() + APP_PATH_SEPARATOR "trovconf" APP_PATH_SEPARATOR + sub;
    }

    trovtest::TempDir m_appData;
    trovtest::TempDir m_documents;
};

} // namespace

TEST_F(SettingsFolders, FirstStartGivesDefaultsAndCreatesTheDefaultFolders)
{
    CTrovConfConfig config;
    EXPECT_EQ(CTrovConfConfig::kMissing, config.Load());
    EXPECT_TRUE(AppIsFolder((m_appData.Path() + "/trovconf").c_str()));
    EXPECT_EQ(80, config.GetSplitterPos());
    EXPECT_EQ(80, config.GetLogSplitterPos());
    int l, t, r, b;
    EXPECT_FALSE(config.GetWindowRect(&l, &t, &r, &b));
    CArray<int, int> widths;
    config.GetColumnWidths(widths);
    EXPECT_EQ(0, widths.GetSize());
    EXPECT_STREQ(Documents("Applications").c_str(), config.GetAppFolder());
    EXPECT_STREQ(Documents("Firmware").c_str(), config.GetFirmwareFolder());
    EXPECT_STREQ(Documents("IOFirmware").c_str(), config.GetIoFolder());
    for (const char* sub : {"Applications", "Firmware", "IOFirmware"})
        EXPECT_TRUE(AppIsFolder(Documents(sub).c_str())) << sub;
}

TEST_F(SettingsFolders, ValuesWrittenAtTheEndAreReadAtTheNextStart)
{
    {
        CTrovConfConfig config;
        config.Load();
        config.SetSplitterPos(210);
        config.SetLogSplitterPos(95);
        config.SetWindowRect(-10, 20, 700, 500);
        int widths[] = {130, 0, 181};
        config.SetColumnWidths(widths, 3);
        config.SetValue("appfolder", "C:\\apps & more <x>");
    } // the destructor saves
    EXPECT_FALSE(std::filesystem::exists(SettingsFile() + ".tmp"));
    std::string text = trovtest::TempDir::Read(SettingsFile());
    EXPECT_EQ(0u, text.find("<VLUMEX>")) << text;

    CTrovConfConfig config;
    EXPECT_EQ(CTrovConfConfig::kLoaded, config.Load());
    EXPECT_EQ(210, config.GetSplitterPos());
    EXPECT_EQ(95, config.GetLogSplitterPos());
    int l, t, r, b;
    ASSERT_TRUE(config.GetWindowRect(&l, &t, &r, &b));
    EXPECT_EQ(-10, l);
    EXPECT_EQ(500, b);
    CArray<int, int> widths;
    config.GetColumnWidths(widths);
    ASSERT_EQ(3, widths.GetSize());
    EXPECT_EQ(181, widths[2]);
    EXPECT_STREQ("C:\\apps & more <x>", config.GetAppFolder());
}

TEST_F(SettingsFolders, PresentButEmptyKeys)
{
    WriteSettings("<VLUMEX><splitter/><splitterlog>x</splitterlog><appfolder></appfolder>"
                  "<colwidths>120,120</colwidths><rect>1,2,3</rect></VLUMEX>");
    CTrovConfConfig config;
    EXPECT_EQ(CTrovConfConfig::kLoaded, config.Load());
    EXPECT_EQ(80, config.GetSplitterPos()); // empty text: the default
    EXPECT_EQ(0, config.GetLogSplitterPos()); // no number: as atoi, 0 (the bar then stays where it is)
    EXPECT_STREQ("", config.GetAppFolder()); // present: used even when empty
    CArray<int, int> widths;
    config.GetColumnWidths(widths);
    ASSERT_EQ(2, widths.GetSize());
    EXPECT_EQ(120, widths[1]);
    int l, t, r, b;
    EXPECT_FALSE(config.GetWindowRect(&l, &t, &r, &b)); // three numbers only
}

TEST_F(SettingsFolders, ColumnWidthTextsAreSplitLikeAtoi)
{
    CTrovConfConfig config;
    config.Load();
    struct Case {
        const char* text;
        std::vector<int> widths;
    } cases[] = {
        {"", {}},
        {"7", {7}},
        {"5,,x,-3,99999999999", {5, 0, 0, -3, 2147483647}},
        {"10,", {10, 0}},
    };
    for (const Case& c : cases) {
        config.SetValue("colwidths", c.text);
        CArray<int, int> widths;
        config.GetColumnWidths(widths);
        ASSERT_EQ((INT_PTR)c.widths.size(), widths.GetSize()) << c.text;
        for (size_t i = 0; i < c.widths.size(); ++i)
            EXPECT_EQ(c.widths[i], widths[(INT_PTR)i]) << c.text;
    }
    config.SetColumnWidths(nullptr, 0);
    bool found = false;
    EXPECT_STREQ("", config.GetValue("colwidths", &found));
    EXPECT_TRUE(found);
}

TEST_F(SettingsFolders, OnlyAWellFormedWindowRectangleIsTaken)
{
    const struct {
        const char* text;
        bool taken;
    } cases[] = {
        {"10,20,300,400", true},
        {"-50,-60,-10,-20", true},
        {"5,5,5,5", true},
        {"300,20,10,400", false}, // left > right
        {"10,400,300,20", false}, // top > bottom
        {"10,20,300", false},
        {"", false},
    };
    for (const auto& c : cases) {
        WriteSettings(std::string("<VLUMEX><rect>") + c.text + "</rect></VLUMEX>");
        CTrovConfConfig config;
        ASSERT_EQ(CTrovConfConfig::kLoaded, config.Load());
        int left = 0, top = 0, right = 0, bottom = 0;
        EXPECT_EQ(c.taken, config.GetWindowRect(&left, &top, &right, &bottom)) << c.text;
    }
}

TEST_F(SettingsFolders, DamagedSettingsAreKeptAsideNotOverwrittenByWhatWasRead)
{
    const std::string damaged = "<VLUMEX><splitter>150</splitter><rect>1,2,3,4</re";
    WriteSettings(damaged);
    {
        CTrovConfConfig config;
        CString message;
        EXPECT_EQ(CTrovConfConfig::kDamaged, config.Load(&message));
        EXPECT_NE(-1, message.Find("settings.xml.bad")) << (const char*)message;
        EXPECT_EQ(80, config.GetSplitterPos()); // defaults, not half a file
        config.SetSplitterPos(120);
    }
    EXPECT_EQ(damaged, trovtest::TempDir::Read(SettingsFile() + ".bad"));
    CTrovConfConfig config;
    EXPECT_EQ(CTrovConfConfig::kLoaded, config.Load());
    EXPECT_EQ(120, config.GetSplitterPos());
}

TEST_F(SettingsFolders, ForeignRootIsKeptAsideToo)
{
    WriteSettings("<MACHINES/>");
    CTrovConfConfig config;
    CString message;
    EXPECT_EQ(CTrovConfConfig::kDamaged, config.Load(&message));
    EXPECT_NE(-1, message.Find("Expecting VLUMEX")) << (const char*)message;
}

TEST_F(SettingsFolders, DamagedSettingsThatCannotBeKeptAsideAreNeverOverwritten)
{
    const std::string damaged = "<VLUMEX><splitter>";
    WriteSettings(damaged);
    {
        // The folder refuses the move (as one without write permission does).
        int moves = 0;
        ScopedSeam refuse(g_appMoveFileAside, [&](const char*, const char*) {
            ++moves;
            return false;
        });
        CTrovConfConfig config;
        CString message;
        EXPECT_EQ(CTrovConfConfig::kBlocked, config.Load(&message));
        EXPECT_EQ(1, moves);
        EXPECT_NE(-1, message.Find("could not be kept aside")) << (const char*)message;
        EXPECT_EQ(80, config.GetSplitterPos());
        config.SetSplitterPos(1);
        CString reason;
        EXPECT_FALSE(config.Save(&reason));
    }
    EXPECT_EQ(damaged, trovtest::TempDir::Read(SettingsFile()));
    EXPECT_FALSE(AppFileExists((SettingsFile() + ".bad").c_str()));
}

#ifdef _WIN32
TEST_F(SettingsFolders, SettingsHeldByAnotherProgramAreNeverOverwritten)
{
    const std::string kept = "<VLUMEX><splitter>150</splitter><rect>1,2,300,400</rect></VLUMEX>";
    WriteSettings(kept);
    // Another program holds the file open without sharing it.
    HANDLE held = CreateFileA(SettingsFile().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    {
        CTrovConfConfig config;
        CString message;
        EXPECT_EQ(CTrovConfConfig::kBlocked, config.Load(&message));
        EXPECT_NE(-1, message.Find("cannot be opened")) << (const char*)message;
        EXPECT_EQ(80, config.GetSplitterPos());
        CloseHandle(held);
        config.SetSplitterPos(120);
        CString reason;
        EXPECT_FALSE(config.Save(&reason));
        EXPECT_FALSE(reason.IsEmpty());
    } // the destructor's save leaves it too
    EXPECT_EQ(kept, trovtest::TempDir::Read(SettingsFile()));
    CTrovConfConfig next;
    EXPECT_EQ(CTrovConfConfig::kLoaded, next.Load());
    EXPECT_EQ(150, next.GetSplitterPos());
}
#endif

TEST_F(SettingsFolders, AFailedWriteLeavesTheOldSettings)
{
    WriteSettings("<VLUMEX><splitter>33</splitter></VLUMEX>");
    CTrovConfConfig config;
    config.Load();
    config.SetSplitterPos(44);
    // A folder in the way of the temporary file.
    std::filesystem::create_directory(SettingsFile() + ".tmp");
    CString reason;
    EXPECT_FALSE(config.Save(&reason));
    EXPECT_NE(-1, reason.Find("cannot be created")) << (const char*)reason;
    EXPECT_EQ("<VLUMEX><splitter>33</splitter></VLUMEX>", trovtest::TempDir::Read(SettingsFile()));
    std::filesystem::remove(SettingsFile() + ".tmp");
}

TEST_F(SettingsFolders, UnavailableSystemFolderFallsBack)
{
    CSettingsPaths::SetBaseFolderOverride(1, "");
    CSettingsPaths paths("trovconf-test-fallback", 1);
#ifdef _WIN32
    EXPECT_STREQ("c:\\trovconf-test-fallback", paths.m_path);
#else
    EXPECT_STREQ("/tmp/trovconf-test-fallback", paths.m_path);
#endif
    std::filesystem::remove(std::string(paths.m_path));
}

TEST_F(SettingsFolders, SubfoldersAreCreatedWithTheirParents)
{
    std::string deep = m_documents.Path() + APP_PATH_SEPARATOR "a" APP_PATH_SEPARATOR "b";
    CSettingsPaths::SetBaseFolderOverride(1, deep.c_str());
    CSettingsPaths paths("trovconf", 1);
    CString sub = paths.GetPath("Firmware");
    EXPECT_TRUE(AppIsFolder(sub));
    EXPECT_STREQ((deep + APP_PATH_SEPARATOR "trovconf" APP_PATH_SEPARATOR "Firmware").c_str(), sub);
}

TEST(IniFile, NamesAndKeys)
{
    trovtest::TempDir dir;
    std::string path = dir.Write("trovconf.ini", "[other]\r\nname=wrong\r\n[misc]\r\nname=TROVconf\r\n");
    CGSettings settings;
    EXPECT_STREQ("", settings.GetString("name")); // no ini file yet
    settings.SetIniName(path.c_str());            // with a separator: the path itself
    EXPECT_STREQ(path.c_str(), settings.GetIniPath());
    EXPECT_STREQ("TROVconf", settings.GetString("name"));
    EXPECT_EQ(0, settings.GetInt("adapter")); // missing
    ASSERT_TRUE(settings.WriteInt("adapter", 3));
    EXPECT_EQ(3, settings.GetInt("adapter"));
    EXPECT_STREQ("TROVconf", settings.GetString("name"));
    ASSERT_TRUE(settings.WriteInt("adapter", -2));
    EXPECT_EQ(-2, settings.GetInt("adapter"));

    settings.SetIniName("trovconf"); // a bare name: the working folder
    EXPECT_STREQ("." APP_PATH_SEPARATOR "trovconf.ini", settings.GetIniPath());
    settings.SetIniName(nullptr);
    EXPECT_EQ(nullptr, settings.GetIniPath());
    EXPECT_STREQ("", settings.GetString("name"));
}

TEST(IniFile, ModuleBaseName)
{
    struct Case {
        const char* path;
        bool ok;
        const char* base;
    } cases[] = {
        {"C:\\Program Files\\TROV\\trovconf.exe", true, "trovconf"},
        {"/opt/x/trovconf.test.exe", true, "trovconf"},
        {"C:\\a/b\\prog", true, "prog"},
        {"trovconf.exe", false, ""},
    };
    for (const Case& c : cases) {
        CString base;
        EXPECT_EQ(c.ok, ModuleBaseName(c.path, &base)) << c.path;
        if (c.ok) {
            EXPECT_STREQ(c.base, base) << c.path;
        }
    }
}

TEST(RememberedPath, FileThenFolder)
{
    CRememberedPath path;
    path.SetFile("C:\\fw\\image.hex");
    EXPECT_STREQ("image.hex", path.GetFileNamePart());
    path.MakeFolder();
    EXPECT_STREQ("C:\\fw", path.m_path);
    EXPECT_EQ(1, path.m_isFolder);
    EXPECT_STREQ("", path.GetFileNamePart());
    path.MakeFolder(); // already a folder: unchanged
    EXPECT_STREQ("C:\\fw", path.m_path);

    CRememberedPath bare("image.hex", 0);
    EXPECT_STREQ("", bare.GetFileNamePart());
    bare.MakeFolder();
    EXPECT_STREQ("image.hex", bare.m_path);
    EXPECT_EQ(1, bare.m_isFolder);

    CRememberedPath cut("a.b.c", 1);
    cut.CutAtLast('.');
    EXPECT_STREQ("a.b", cut.m_path);
    cut.CutAtLast('/');
    EXPECT_STREQ("a.b", cut.m_path);
}
