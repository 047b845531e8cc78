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

TEST(BackupName, ControllerTextsKeepOnlySafeCharactersAndACappedLength)
{
    const std::string longText(200, 'x');
    struct Case {
        const char* text;
        std::string part;
    } cases[] = {
        {"00-0A-0B-0C-0D-02", "00-0A-0B-0C-0D-02"},
        {"00:0A:0B", "00_0A_0B"},
        {"plant.lmx", "plant.lmx"},
        {"..\\..\\Windows\\win.ini", "_.._Windows_win.ini"},
        {"../../etc/passwd", "_.._etc_passwd"},
        {"C:\\x", "C__x"},
        {"...", "unknown"},
        {"", "unknown"},
        {"name.", "name_"},
        {"a b\t\xC3\xA9*?\"<>|", "a_b_________"},
        {longText.c_str(), std::string(kBackupNamePartMax, 'x')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.part, SafeFileNamePart(c.text)) << c.text;

    std::string path = (const char*)BuildBackupPath("C:\\backups", "..\\..\\evil", "..\\x/y", 2026, 3, 4, 5, 6, 7);
    EXPECT_EQ("C:\\backups\\_.._evil_20260304050607__x_y", path);
    // Nothing after the folder separates a further path component.
    EXPECT_EQ(std::string::npos, path.find_first_of("\\/:", std::string("C:\\backups\\").size()));
}

} // namespace
