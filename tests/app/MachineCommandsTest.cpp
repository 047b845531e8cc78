// The XML commands sent to a controller, the change test of the configure
// dialog and the names under which backups are kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/MachineCommands.h"
#include "support/GXml.h"

namespace {

std::string Take(char* text)
{
    std::string result = text ? text : "(null)";
    std::free(text);
    return result;
}

CReconfigureValues StaticValues()
{
    CReconfigureValues v;
    v.dhcp = "Static";
    v.if1Ip = 0x0A000105;      // 10.0.1.5
    v.if1Netmask = 0xFFFFFF00; // 255.255.255.0
    v.if1Gateway = 0x0A000101;
    v.if2Ip = 0xC0A80102;
    v.if2Netmask = 0xFFFF0000;
    return v;
}

TEST(ReconfigureCommand, CompactTextWithoutPasswordAndWithAnEmptyComment)
{
    EXPECT_EQ("<TROV><COMMAND>Reconfigure</COMMAND><MAC>00:50:C2:00:00:01</MAC><COMMENT/>"
              "<IF1><DHCP>Static</DHCP><IP>10.0.1.5</IP><NETMASK>255.255.255.0</NETMASK>"
              "<GATEWAY>10.0.1.1</GATEWAY></IF1><IF2><IP>192.168.1.2</IP><NETMASK>255.255.0.0</NETMASK></IF2>"
              "</TROV>",
              Take(BuildReconfigureCommand(StaticValues(), "00:50:C2:00:00:01")));
}

TEST(ReconfigureCommand, PasswordGoesAsItsMd5DigitsAfterTheCommandAndTextsAreEscaped)
{
    CReconfigureValues v = StaticValues();
    v.dhcp = "DHCP";
    v.password = "abc";
    v.comment = "Line <2> & co";
    std::string text = Take(BuildReconfigureCommand(v, "00:50"));
    EXPECT_EQ(0u, text.find("<TROV><COMMAND>Reconfigure</COMMAND><PASSWORD>900150983cd24fb0d6963f7d28e17f72"
                            "</PASSWORD><MAC>00:50</MAC><COMMENT>Line &lt;2&gt; &amp; co</COMMENT><IF1><DHCP>DHCP"))
        << text;
    EXPECT_EQ(std::string::npos, text.find('\n'));
}

TEST(IdentifyCommand, IndentedTextWithCommandAndMac)
{
    std::string text = Take(BuildIdentifyCommand("00:0A:0B:0C:0D:02"));
    EXPECT_NE(std::string::npos, text.find('\n'));
    CGXml document(CGXml::kNoIncludeExpansion);
    char error[256] = "";
    ASSERT_EQ(kXmlOk, document.ParseText("identify", text.c_str(), error, sizeof error, "TROV")) << error;
    const CGXmlNode* command = document.GetRoot()->GetFirstChild();
    ASSERT_TRUE(command);
    EXPECT_STREQ("COMMAND", command->GetName());
    EXPECT_STREQ("Identify", command->GetText());
    ASSERT_TRUE(command->GetNext());
    EXPECT_STREQ("MAC", command->GetNext()->GetName());
    EXPECT_STREQ("00:0A:0B:0C:0D:02", command->GetNext()->GetText());
    EXPECT_FALSE(command->GetNext()->GetNext());
}

TEST(ConfigureChange, AddressesCompareByValueAndEmptyFieldsAlwaysCount)
{
    struct Case {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"10.0.0.1", "10.0.0.1", true},  {"10.0.0.1", "010.0.0.01", true}, {"10.0.0.1", "10.0.0.2", false},
        {"", "", false},                 {"10.0.0.1", "", false},         {"10.0.0", "10.0.0", false},
        {"10.0.0.1x", "10.0.0.1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.same, SameAddressText(c.a, c.b)) << c.a << " / " << c.b;

    CConfigureTexts before;
    before.dhcp = "Static";
    before.if1Ip = "10.0.0.1";
    before.if1Netmask = "255.0.0.0";
    before.if1Gateway = "10.0.0.254";
    before.if2Ip = "192.168.0.1";
    before.if2Netmask = "255.255.255.0";
    before.comment = "Press";
    CConfigureTexts after = before;
    EXPECT_FALSE(ConfigureChanged(before, after));
    after.comment = "press";
    EXPECT_TRUE(ConfigureChanged(before, after));
    after = before;
    after.dhcp = "DHCP";
    EXPECT_TRUE(ConfigureChanged(before, after));
    // An unchanged but empty address field still sends the command.
    before.if1Gateway = "";
    after = before;
    EXPECT_TRUE(ConfigureChanged(before, after));
}

TEST(BackupName, OnlyWhatWindowsCannotTakeIsReduced)
{
    struct Case {
        std::string name, file;
    } cases[] = {
        {"00-0A-0B-0C-0D-02_20260304050607_plant 2 (east).lmx", "00-0A-0B-0C-0D-02_20260304050607_plant 2 (east).lmx"},
        {"a<b>c:d\"e/f\\g|h?i*j", "a_b_c_d_e_f_g_h_i_j"},
        {std::string("tab\there\x01\x1f") + "\x7f" + "\xC3\xA9", std::string("tab_here__") + "\x7f" + "\xC3\xA9"},
        {"name. . ", "name____"},
        {" lead and .dots. inside", " lead and .dots. inside"},
        {"CON", "_CON"},
        {"nul.txt", "_nul.txt"},
        {"Com7 .log", "_Com7 .log"},
        {"LPT0", "LPT0"},
        {"CONSOLE", "CONSOLE"},
        {"x.CON", "x.CON"},
        {"", "_"},
        {"..", "__"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.file, WindowsFileName(c.name)) << c.name;
}

TEST(BackupName, ControllerTextsStayInsideTheChosenFolder)
{
    struct Case {
        const char* mac;
        const char* config;
        std::string name;
    } cases[] = {
        {"00:0A:0B", "plant line.lmx", "00_0A_0B_20260304050607_plant line.lmx"},
        {"..\\..\\evil", "..\\x/y", ".._.._evil_20260304050607_.._x_y"},
        {"NUL", "x", "NUL_20260304050607_x"},
        {"NUL.", "x", "_NUL._20260304050607_x"},
        {"", "cfg. ", "_20260304050607_cfg__"},
    };
    for (const Case& c : cases) {
        std::string path = (const char*)BuildBackupPath("C:\\backups", c.mac, c.config, 2026, 3, 4, 5, 6, 7);
        EXPECT_EQ("C:\\backups\\" + c.name, path) << c.mac;
        // Nothing after the folder separates a further path component.
        EXPECT_EQ(std::string::npos, path.find_first_of("\\/:", std::string("C:\\backups\\").size())) << c.mac;
    }
    // Long controller texts are cut so that the name fits a file name.
    const std::string longText(400, 'x');
    std::string path = (const char*)BuildBackupPath("C:\\b", longText.c_str(), longText.c_str(), 2026, 3, 4, 5, 6, 7);
    EXPECT_GE(255u, path.size() - std::string("C:\\b\\").size());
}

} // namespace
