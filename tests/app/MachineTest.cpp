// Addresses and one machine: text forms, the MACHINE element, versions.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "app/IpAddress.h"
#include "app/Machine.h"
#include "support/GXml.h"

namespace {

// A MACHINE (or TROV) element parsed from text; the document lives as long
// as the fixture.
struct Element {
    CGXml document{CGXml::kNoIncludeExpansion};
    const CGXmlNode* root = nullptr;
    explicit Element(const std::string& xml)
    {
        char error[256] = "";
        EXPECT_EQ(kXmlOk, document.ParseText("test", xml.c_str(), error, sizeof error, nullptr)) << error;
        root = document.GetRoot();
    }
};

std::string Text(const CIpAddress& a)
{
    char buffer[16];
    return a.Format(buffer, sizeof buffer);
}

} // namespace

TEST(IpAddress, ParseNeedsFourNumbersAndKeepsLowBytes)
{
    struct Case {
        const char* text;
        bool ok;
        const char* expected;
    } cases[] = {
        {"10.0.0.1", true, "10.0.0.1"},
        {"192.168.001.020", true, "192.168.1.20"},
        {"300.1.1.1", true, "44.1.1.1"},
        {" 10. 1.2.3", true, "10.1.2.3"},
        {"10.0.0.1 trailing", true, "10.0.0.1"},
        {"-1.0.0.1", true, "255.0.0.1"},
        {"99999999999.0.0.1", true, "255.0.0.1"}, // clamped to the int range, low byte kept
        {"10.0.0", false, "1.2.3.4"},
        {"", false, "1.2.3.4"},
        {"a.b.c.d", false, "1.2.3.4"},
        {"10..0.1", false, "1.2.3.4"},
        {"10 .0.0.1", false, "1.2.3.4"},
    };
    for (const Case& c : cases) {
        CIpAddress a(0x01020304);
        EXPECT_EQ(c.ok, a.Parse(c.text)) << c.text;
        EXPECT_EQ(c.expected, Text(a)) << c.text;
    }
    CIpAddress a(0x01020304);
    EXPECT_FALSE(a.Parse(nullptr));
}

TEST(IpAddress, TextsDiffer)
{
    EXPECT_TRUE(AddressTextsDiffer("", ""));
    EXPECT_TRUE(AddressTextsDiffer("10.0.0.1", ""));
    EXPECT_FALSE(AddressTextsDiffer("10.0.0.1", "10.0.0.001"));
    EXPECT_TRUE(AddressTextsDiffer("10.0.0.1", "10.0.0.2"));
    EXPECT_FALSE(AddressTextsDiffer("junk", "0.0.0.0")); // a text that does not scan counts as 0
}

TEST(IpAddress, BucketHashIsOneParkMillerStep)
{
    EXPECT_EQ(0u, CIpAddress::Hash(0));
    EXPECT_EQ(16807u, CIpAddress::Hash(1));
    EXPECT_EQ(13971u, CIpAddress::Hash(127773u + 1)); // 16807 * 1 - 2836 * 1
    // Negative as a signed value: 0xFFFFFFFF is -1: -16807 + 0x7FFFFFFF.
    EXPECT_EQ(2147466840u, CIpAddress::Hash(0xFFFFFFFFu));
    // 10.0.0.1 by the formula.
    int32_t v = 0x0A000001;
    int32_t h = 16807 * (v % 127773) - 2836 * (v / 127773);
    if (h < 0)
        h += 0x7FFFFFFF;
    EXPECT_EQ(uint32_t(h), CIpAddress::Hash(0x0A000001));
}

TEST(IpAddress, ListAddsOnlyNewAddresses)
{
    CListIpAddresses list;
    EXPECT_EQ(1, list.AddUnique(CIpAddress(1)));
    EXPECT_EQ(1, list.AddUnique(CIpAddress(2)));
    EXPECT_EQ(0, list.AddUnique(CIpAddress(1)));
    EXPECT_EQ(2, list.GetCount());
}

TEST(Machine, NewMachineDefaults)
{
    CMachine m(CIpAddress(0x0A000001), 1);
    EXPECT_STREQ("Base", m.m_setup);
    EXPECT_EQ(36u, strlen(m.m_appGuid));
    EXPECT_EQ('-', m.m_appGuid[8]);
    EXPECT_EQ('-', m.m_appGuid[23]);
    EXPECT_EQ(-1, m.m_fwMajor);
    EXPECT_EQ(1, m.m_inList);
    EXPECT_EQ(kMachineNew, m.m_state);
    CMachine other(CIpAddress(0x0A000001), 1);
    EXPECT_STRNE(m.m_appGuid, other.m_appGuid);
}

TEST(Machine, BoardDecidesWhichFieldsAreRead)
{
    const std::string fields =
        "<SETUP>Night</SETUP><APPVERSION>1v2r3</APPVERSION><APPGUID>0123456789abcdef0123456789abcdef01234567</APPGUID>"
        "<ALTERA>HW 1.2 SW 3.4</ALTERA>";
    struct Case {
        const char* board;
        int type;
        bool application;
        bool io;
    } cases[] = {
        {"", kBoardNone, true, true},
        {"<K410/>", kBoardK410, false, false},
        {"<K420/>", kBoardK420, false, true},
        {"<K430/>", kBoardK430, false, true},
        {"<RPI/>", kBoardRpi, true, false},
        {"<RPI/><K410/>", kBoardK410, false, false}, // K410 is tested first
    };
    for (const Case& c : cases) {
        Element e("<MACHINE>" + fields + c.board + "</MACHINE>");
        CMachine m(CIpAddress(1), 0);
        m.ReadXml(e.root);
        EXPECT_EQ(c.type, m.m_boardType) << c.board;
        EXPECT_STREQ(c.application ? "Night" : "", m.m_setup) << c.board;
        EXPECT_STREQ(c.application ? "1v2r3" : "", m.m_appVersion) << c.board;
        EXPECT_STREQ(c.application ? "0123456789abcdef0123456789abcdef0123" : "", m.m_appGuid) << c.board;
        EXPECT_STREQ(c.io ? "HW 1.2 SW 3.4" : "", m.m_ioFirmware) << c.board;
    }
}

TEST(Machine, InterfaceValuesStayWithoutTheirElement)
{
    CMachine m(CIpAddress(1), 0);
    for (int i = 0; i < kIfValueCount; ++i)
        m.m_ifValues[i] = "old";
    Element e("<TROV><IF1><IP>10.0.0.5</IP></IF1><IF>2</IF></TROV>");
    m.ReadXml(e.root);
    EXPECT_STREQ("10.0.0.5", m.m_ifValues[kIf1Ip]);
    EXPECT_STREQ("", m.m_ifValues[kIf1Dhcp]);
    EXPECT_STREQ("", m.m_ifValues[kIf1Gateway]);
    EXPECT_STREQ("old", m.m_ifValues[kIf2Ip]);
    EXPECT_STREQ("old", m.m_ifValues[kIf2Dhcp]);
    EXPECT_EQ(2, m.m_ifNumber);
}

TEST(Machine, VersionTexts)
{
    struct Case {
        const char* text;
        int major, minor, release;
        const char* suffix;
        const char* firmware;
        int board;
    } cases[] = {
        {"4v2r11-b3", 4, 2, 11, "b3", "4v2r11-b3", kBoardNone},
        {"4v2r11", -1, -7, -7, "4v2r11", "", kBoardNone},       // minor and release stay
        {"0v0r0-x", 0, 0, 0, "x", "Missing", kBoardNone},
        {"4v0r1-x", 4, 0, 1, "x", "[RPI] 4v0r1-x", kBoardRpi},
        {"0v0r0-x", 0, 0, 0, "x", "[RPI] Missing", kBoardRpi},
        {"4v2r11-b3 extra", 4, 2, 11, "b3", "4v2r11-b3", kBoardNone},
        {"4v2r11- ", -1, -7, -7, "4v2r11- ", "", kBoardNone},
    };
    for (const Case& c : cases) {
        CMachine m(CIpAddress(1), 0);
        m.m_fwMinor = m.m_fwRelease = -7;
        m.m_boardType = c.board;
        m.SetVersion(c.text);
        EXPECT_EQ(c.major, m.m_fwMajor) << c.text;
        EXPECT_EQ(c.minor, m.m_fwMinor) << c.text;
        EXPECT_EQ(c.release, m.m_fwRelease) << c.text;
        EXPECT_STREQ(c.suffix, m.m_fwSuffix) << c.text;
        EXPECT_STREQ(c.firmware, m.GetFirmwareText()) << c.text;
    }
    // A suffix longer than the field keeps its first 255 characters.
    CMachine m(CIpAddress(1), 0);
    m.SetVersion(("1v2r3-" + std::string(400, 's')).c_str());
    EXPECT_EQ(255u, strlen(m.m_fwSuffix));
    m.SetVersion(std::string(400, 'q').c_str());
    EXPECT_EQ(-1, m.m_fwMajor);
    EXPECT_EQ(255u, strlen(m.m_fwSuffix));
}

TEST(Machine, WrittenAndReadBackKeepsItsTextsButNotItsDisplayState)
{
    CMachine m(CIpAddress(0x0A000007), 1);
    m.m_hostName = "Line <3> & \"press\"";
    m.m_comment = "north hall";
    m.m_config = "plant.lmx";
    m.m_setup = "Night";
    m.m_appVersion = "2v1r0";
    const char* values[kIfValueCount] = {"DHCP", "Static", "10.0.0.7", "192.168.5.7", "255.0.0.0", "255.255.255.0",
                                         "10.0.0.254"};
    for (int i = 0; i < kIfValueCount; ++i)
        m.m_ifValues[i] = values[i];
    m.m_ifNumber = 2;
    m.SetVersion("4v2r11-b3");
    m.m_ioFirmware = "HW 1.2 SW 3.4";
    m.m_mac = "00:0A:0B:0C:0D:0E";
    m.m_boardType = kBoardK430;
    m.m_state = kMachineAnswered;
    m.m_duplicate = 1;
    m.m_identBlink = 30;

    CGTextStore store;
    CGXml document(&store, "MACHINE", nullptr);
    m.WriteXml(&store, document.GetRoot(), CIpAddress(0x0A000001));
    EXPECT_STREQ("10.0.0.1", document.FindPath("KEY")->GetText());

    CMachine back(CIpAddress(0x0A000001), 1);
    back.ReadXml(document.GetRoot());
    EXPECT_STREQ(m.m_hostName, back.m_hostName);
    EXPECT_STREQ(m.m_comment, back.m_comment);
    EXPECT_STREQ(m.m_config, back.m_config);
    EXPECT_STREQ("Night", back.m_setup); // board type none after reading: fields are read
    EXPECT_STREQ(m.m_appVersion, back.m_appVersion);
    EXPECT_STREQ(m.m_appGuid, back.m_appGuid);
    for (int i = 0; i < kIfValueCount; ++i)
        EXPECT_STREQ(values[i], back.m_ifValues[i]) << i;
    EXPECT_EQ(2, back.m_ifNumber);
    EXPECT_STREQ("4v2r11-b3", back.GetFirmwareText());
    EXPECT_STREQ(m.m_ioFirmware, back.m_ioFirmware);
    EXPECT_STREQ(m.m_mac, back.m_mac);
    EXPECT_EQ(kBoardNone, back.m_boardType);
    EXPECT_EQ(kMachineNew, back.m_state);
    EXPECT_EQ(0, back.m_duplicate);
    EXPECT_EQ(0, back.m_identBlink);
}

TEST(Machine, EmptyFieldsAreLeftOutButInterfacesAndKeyAreAlwaysWritten)
{
    CMachine m(CIpAddress(0x0A000001), 1);
    m.m_setup = "";
    m.m_appGuid[0] = 0;
    CGTextStore store;
    CGXml document(&store, "MACHINE", nullptr);
    m.WriteXml(&store, document.GetRoot(), m.m_address);
    std::string names;
    for (const CGXmlNode* c = document.GetRoot()->GetFirstChild(); c; c = c->GetNext())
        names += std::string(c->GetName()) + " ";
    EXPECT_EQ("IF1 IF2 KEY ", names);
}

TEST(Machine, CopyTakesEverything)
{
    CMachine a(CIpAddress(5), 0);
    a.m_mac = "m";
    a.m_inList = 1;
    a.m_state = 2;
    a.m_local = 1;
    a.m_duplicate = 1;
    a.m_identBlink = 9;
    a.m_boardType = kBoardRpi;
    a.SetVersion("1v2r3-x");
    CMachine* b = CMachine::CopyConstruct(a);
    EXPECT_EQ(a.m_address, b->m_address);
    EXPECT_STREQ(a.m_appGuid, b->m_appGuid);
    EXPECT_EQ(1, b->m_inList);
    EXPECT_EQ(2, b->m_state);
    EXPECT_EQ(1, b->m_local);
    EXPECT_EQ(1, b->m_duplicate);
    EXPECT_EQ(9, b->m_identBlink);
    EXPECT_EQ(kBoardRpi, b->m_boardType);
    EXPECT_STREQ("[RPI] 1v2r3-x", b->GetFirmwareText());
    delete b;
}
