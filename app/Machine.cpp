#include "app/Machine.h"

#include <cstring>

#include "app/AppPlatform.h"
#include "app/TextScan.h"
#include "support/GXml.h"
#include "support/Utilities.h"

namespace {

const char* ChildText(const CGXmlNode* element, const char* name)
{
    const CGXmlNode* child = element->FindChild(name);
    return child ? child->GetText() : "";
}

void CopyCut(char* out, size_t size, const char* text)
{
    size_t n = strlen(text);
    if (n >= size)
        n = size - 1;
    memcpy(out, text, n);
    out[n] = 0;
}

void AddLeaf(CGTextStore* store, CGXmlNode* parent, const char* name, const char* text)
{
    parent->AddChild(store, name)->SetText(store, text);
}

} // namespace

void MakeGuidText(char text[37])
{
    AppGuid g;
    AppNewGuid(&g);
    FormatBounded(text, 37, "%.08x-%.04x-%.04x-%.02x%.02x-%.02x%.02x%.02x%.02x%.02x%.02x", (unsigned)g.data1,
                  (unsigned)g.data2, (unsigned)g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4],
                  g.data4[5], g.data4[6], g.data4[7]);
}

CMachine::CMachine(const CIpAddress& address, int inList) : m_inList(inList), m_address(address)
{
    MakeGuidText(m_appGuid);
}

CMachine::CMachine(const CIpAddress& address, int inList, NoGuidTag) : m_inList(inList), m_address(address) {}

void CMachine::CopyFrom(const CMachine& other)
{
    if (&other == this)
        return;
    m_hostName = other.m_hostName;
    m_comment = other.m_comment;
    m_config = other.m_config;
    m_setup = other.m_setup;
    m_appVersion = other.m_appVersion;
    memcpy(m_appGuid, other.m_appGuid, sizeof m_appGuid);
    for (int i = 0; i < kIfValueCount; ++i)
        m_ifValues[i] = other.m_ifValues[i];
    m_ifNumber = other.m_ifNumber;
    m_fwMajor = other.m_fwMajor;
    m_fwMinor = other.m_fwMinor;
    m_fwRelease = other.m_fwRelease;
    memcpy(m_fwSuffix, other.m_fwSuffix, sizeof m_fwSuffix);
    m_ioFirmware = other.m_ioFirmware;
    m_mac = other.m_mac;
    m_inList = other.m_inList;
    m_state = other.m_state;
    m_local = other.m_local;
    m_address = other.m_address;
    m_duplicate = other.m_duplicate;
    m_identBlink = other.m_identBlink;
    m_boardType = other.m_boardType;
}

CMachine* CMachine::CopyConstruct(const CMachine& other)
{
    CMachine* machine = new CMachine(other.m_address, other.m_inList);
    machine->CopyFrom(other);
    return machine;
}

int CMachine::DetectBoardType(const CGXmlNode* element)
{
    if (element->FindChild("K410"))
        return kBoardK410;
    if (element->FindChild("K420"))
        return kBoardK420;
    if (element->FindChild("K430"))
        return kBoardK430;
    if (element->FindChild("RPI"))
        return kBoardRpi;
    return kBoardNone;
}

CMachineXmlChildren::CMachineXmlChildren(const CGXmlNode* e)
{
    for (const CGXmlNode* c = e->GetFirstChild(); c; c = c->GetNext()) {
        const char* n = c->GetName();
        // Sorted out by the first letter: replies arrive by the thousand.
        int which = -1;
        switch (n[0]) {
        case 'A':
            which = !strcmp(n, "APPVERSION") ? kAppVersion : !strcmp(n, "APPGUID") ? kAppGuid
                                                         : !strcmp(n, "ALTERA") ? kAltera : -1;
            break;
        case 'C': which = !strcmp(n, "COMMENT") ? kComment : !strcmp(n, "CONFIG") ? kConfig : -1; break;
        case 'H': which = !strcmp(n, "HOSTNAME") ? kHostName : -1; break;
        case 'I':
            which = !strcmp(n, "IF") ? kIf : !strcmp(n, "IF1") ? kIf1 : !strcmp(n, "IF2") ? kIf2
                                                               : !strcmp(n, "IDENTBUTTON") ? kIdentButton : -1;
            break;
        case 'K':
            which = !strcmp(n, "K410") ? kK410 : !strcmp(n, "K420") ? kK420 : !strcmp(n, "K430") ? kK430 : -1;
            break;
        case 'M': which = !strcmp(n, "MAC") ? kMac : -1; break;
        case 'R': which = !strcmp(n, "RPI") ? kRpi : -1; break;
        case 'S': which = !strcmp(n, "SETUP") ? kSetup : -1; break;
        case 'V': which = !strcmp(n, "VERSION") ? kVersion : -1; break;
        default: break;
        }
        if (which >= 0 && !node[which])
            node[which] = c;
    }
}

const char* CMachineXmlChildren::Text(int which) const
{
    return node[which] ? node[which]->GetText() : "";
}

int CMachineXmlChildren::Board() const
{
    if (node[kK410])
        return kBoardK410;
    if (node[kK420])
        return kBoardK420;
    if (node[kK430])
        return kBoardK430;
    if (node[kRpi])
        return kBoardRpi;
    return kBoardNone;
}

void CMachine::ReadXml(const CGXmlNode* e)
{
    ReadXml(CMachineXmlChildren(e));
}

void CMachine::ReadXml(const CMachineXmlChildren& c)
{
    m_boardType = c.Board();
    m_hostName = c.Text(c.kHostName);
    m_comment = c.Text(c.kComment);
    m_config = c.Text(c.kConfig);
    // The small boards carry no data set, application version or identity
    // of their own.
    bool hasApplication = m_boardType == kBoardNone || m_boardType == kBoardRpi;
    m_setup = hasApplication ? c.Text(c.kSetup) : "";
    m_appVersion = hasApplication ? c.Text(c.kAppVersion) : "";
    CopyCut(m_appGuid, sizeof m_appGuid, hasApplication ? c.Text(c.kAppGuid) : "");
    if (const CGXmlNode* if1 = c.node[c.kIf1]) {
        m_ifValues[kIf1Dhcp] = ChildText(if1, "DHCP");
        m_ifValues[kIf1Ip] = ChildText(if1, "IP");
        m_ifValues[kIf1Netmask] = ChildText(if1, "NETMASK");
        m_ifValues[kIf1Gateway] = ChildText(if1, "GATEWAY");
    }
    if (const CGXmlNode* if2 = c.node[c.kIf2]) {
        m_ifValues[kIf2Dhcp] = ChildText(if2, "DHCP");
        m_ifValues[kIf2Ip] = ChildText(if2, "IP");
        m_ifValues[kIf2Netmask] = ChildText(if2, "NETMASK");
    }
    m_ifNumber = c.node[c.kIf] ? c.node[c.kIf]->GetInt(0) : 0;
    if (const CGXmlNode* version = c.node[c.kVersion]) {
        SetVersion(version->GetText());
    } else {
        m_fwMajor = m_fwMinor = m_fwRelease = -1;
        m_fwSuffix[0] = 0;
    }
    bool hasIoFirmware = m_boardType == kBoardNone || m_boardType == kBoardK420 || m_boardType == kBoardK430;
    m_ioFirmware = hasIoFirmware ? c.Text(c.kAltera) : "";
    m_mac = c.Text(c.kMac);
}

void CMachine::WriteXml(CGTextStore* store, CGXmlNode* e, const CIpAddress& keyAddress) const
{
    if (!m_hostName.IsEmpty())
        AddLeaf(store, e, "HOSTNAME", m_hostName);
    if (!m_comment.IsEmpty())
        AddLeaf(store, e, "COMMENT", m_comment);
    if (!m_config.IsEmpty())
        AddLeaf(store, e, "CONFIG", m_config);
    if (!m_setup.IsEmpty())
        AddLeaf(store, e, "SETUP", m_setup);
    if (!m_appVersion.IsEmpty())
        AddLeaf(store, e, "APPVERSION", m_appVersion);
    if (m_appGuid[0]) {
        char guid[37];
        CopyCut(guid, sizeof guid, m_appGuid);
        AddLeaf(store, e, "APPGUID", guid);
    }
    CGXmlNode* if1 = e->AddChild(store, "IF1");
    static const struct {
        const char* name;
        int index;
    } if1Values[] = {{"DHCP", kIf1Dhcp}, {"IP", kIf1Ip}, {"NETMASK", kIf1Netmask}, {"GATEWAY", kIf1Gateway}},
      if2Values[] = {{"DHCP", kIf2Dhcp}, {"IP", kIf2Ip}, {"NETMASK", kIf2Netmask}};
    for (const auto& v : if1Values)
        if (!m_ifValues[v.index].IsEmpty())
            AddLeaf(store, if1, v.name, m_ifValues[v.index]);
    CGXmlNode* if2 = e->AddChild(store, "IF2");
    for (const auto& v : if2Values)
        if (!m_ifValues[v.index].IsEmpty())
            AddLeaf(store, if2, v.name, m_ifValues[v.index]);
    if (m_ifNumber != 0)
        e->AddChild(store, "IF")->SetTextInt(store, m_ifNumber);
    if (m_fwMajor != -1) {
        char version[320];
        FormatBounded(version, sizeof version, "%dv%dr%d-%s", m_fwMajor, m_fwMinor, m_fwRelease, m_fwSuffix);
        AddLeaf(store, e, "VERSION", version);
    }
    if (!m_ioFirmware.IsEmpty())
        AddLeaf(store, e, "ALTERA", m_ioFirmware);
    if (!m_mac.IsEmpty())
        AddLeaf(store, e, "MAC", m_mac);
    AddLeaf(store, e, "KEY", CIpAddressText(keyAddress));
}

void CMachine::SetVersion(const char* text)
{
    if (!text)
        text = "";
    // "%dv%dr%d-%s": three numbers, then a suffix word (at most 255
    // characters are kept).
    int major, minor, release;
    const char* p = text;
    bool scanned = ScanDecimalInt(p, &major) && *p++ == 'v' && ScanDecimalInt(p, &minor) && *p++ == 'r' &&
                   ScanDecimalInt(p, &release) && *p++ == '-';
    if (scanned) {
        while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
            ++p;
        size_t n = 0;
        while (p[n] && !(p[n] == ' ' || p[n] == '\t' || p[n] == '\n' || p[n] == '\r' || p[n] == '\v' || p[n] == '\f'))
            ++n;
        if (n > 0) {
            m_fwMajor = major;
            m_fwMinor = minor;
            m_fwRelease = release;
            if (n > sizeof m_fwSuffix - 1)
                n = sizeof m_fwSuffix - 1;
            memcpy(m_fwSuffix, p, n);
            m_fwSuffix[n] = 0;
            return;
        }
    }
    m_fwMajor = -1;
    CopyCut(m_fwSuffix, sizeof m_fwSuffix, text);
}

CString CMachine::GetFirmwareText() const
{
    CString text;
    if (m_fwMajor == -1)
        return text;
    if (m_boardType == kBoardRpi)
        text = "[RPI] ";
    if (m_fwMajor == 0 && m_fwMinor == 0 && m_fwRelease == 0)
        text += "Missing";
    else
        text.AppendFormat("%dv%dr%d-%s", m_fwMajor, m_fwMinor, m_fwRelease, m_fwSuffix);
    return text;
}

bool CMachine::HasMacAndIf(const char* mac, int ifNumber) const
{
    return m_ifNumber == ifNumber && strcmp(m_mac, mac ? mac : "") == 0;
}
