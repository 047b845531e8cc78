#include "app/Machine.h"

#include <cstring>
#include <vector>

#include "app/AppPlatform.h"
#include "app/TextScan.h"
#include "support/GXml.h"
#include "support/Utilities.h"

namespace {

const char* ChildTextOrEmpty(const CGXmlNode* element, const char* name)
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

// Where a machine's children go: into a document (element by element) or
// straight to a writer.  Both give the same text.
class MachineXmlOut {
public:
    virtual ~MachineXmlOut() = default;
    virtual void Leaf(const char* name, const char* text) = 0;
    virtual void Open(const char* name) = 0; // an element holding elements
    virtual void Close() = 0;
};

class MachineXmlToDocument : public MachineXmlOut {
public:
    MachineXmlToDocument(CGTextStore* store, CGXmlNode* element) : m_store(store) { m_open.push_back(element); }
    void Leaf(const char* name, const char* text) override
    {
        m_open.back()->AddChild(m_store, name)->SetText(m_store, text);
    }
    void Open(const char* name) override { m_open.push_back(m_open.back()->AddChild(m_store, name)); }
    void Close() override { m_open.pop_back(); }

private:
    CGTextStore* m_store;
    std::vector<CGXmlNode*> m_open;
};

class MachineXmlToWriter : public MachineXmlOut {
public:
    explicit MachineXmlToWriter(CGXmlWriter& writer) : m_writer(writer) {}
    void Leaf(const char* name, const char* text) override { m_writer.Leaf(name, text); }
    void Open(const char* name) override { m_writer.BeginElement(name); }
    void Close() override { m_writer.EndElement(); }

private:
    CGXmlWriter& m_writer;
};

// FNV-1a over what would be written: 'L' name 0 text 0 per leaf, 'O' name 0
// per element holding elements, 'C' at its end (texts hold no 0 byte, so
// different outputs give different byte sequences).
class MachineXmlToFingerprint : public MachineXmlOut {
public:
    void Leaf(const char* name, const char* text) override
    {
        Byte('L');
        Text(name);
        Text(text);
    }
    void Open(const char* name) override
    {
        Byte('O');
        Text(name);
    }
    void Close() override { Byte('C'); }
    uint64_t Value() const
    {
        // A final mix, so that sums of fingerprints (a list's) do not
        // inherit the hash's linear structure.
        uint64_t z = m_hash + 0x9E3779B97F4A7C15ull;
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

private:
    void Byte(unsigned char c) { m_hash = (m_hash ^ c) * 0x100000001B3ull; }
    void Text(const char* text)
    {
        for (const unsigned char* p = (const unsigned char*)(text ? text : ""); *p; ++p)
            Byte(*p);
        Byte(0);
    }
    uint64_t m_hash = 0xCBF29CE484222325ull;
};

// The MACHINE children of a machine, KEY being keyAddress.
void WriteMachineXml(const CMachine& m, MachineXmlOut& out, const CIpAddress& keyAddress)
{
    if (!m.m_hostName.IsEmpty())
        out.Leaf("HOSTNAME", m.m_hostName);
    if (!m.m_comment.IsEmpty())
        out.Leaf("COMMENT", m.m_comment);
    if (!m.m_config.IsEmpty())
        out.Leaf("CONFIG", m.m_config);
    if (!m.m_setup.IsEmpty())
        out.Leaf("SETUP", m.m_setup);
    if (!m.m_appVersion.IsEmpty())
        out.Leaf("APPVERSION", m.m_appVersion);
    if (m.m_appGuid[0]) {
        char guid[37];
        CopyCut(guid, sizeof guid, m.m_appGuid);
        out.Leaf("APPGUID", guid);
    }
    static const struct {
        const char* name;
        int index;
    } if1Values[] = {{"DHCP", kIf1Dhcp}, {"IP", kIf1Ip}, {"NETMASK", kIf1Netmask}, {"GATEWAY", kIf1Gateway}},
      if2Values[] = {{"DHCP", kIf2Dhcp}, {"IP", kIf2Ip}, {"NETMASK", kIf2Netmask}};
    out.Open("IF1");
    for (const auto& v : if1Values)
        if (!m.m_ifValues[v.index].IsEmpty())
            out.Leaf(v.name, m.m_ifValues[v.index]);
    out.Close();
    out.Open("IF2");
    for (const auto& v : if2Values)
        if (!m.m_ifValues[v.index].IsEmpty())
            out.Leaf(v.name, m.m_ifValues[v.index]);
    out.Close();
    if (m.m_ifNumber != 0) {
        char number[16];
        FormatBounded(number, sizeof number, "%d", m.m_ifNumber);
        out.Leaf("IF", number);
    }
    if (m.m_fwMajor != -1) {
        char version[320];
        FormatBounded(version, sizeof version, "%dv%dr%d-%s", m.m_fwMajor, m.m_fwMinor, m.m_fwRelease, m.m_fwSuffix);
        out.Leaf("VERSION", version);
    }
    if (!m.m_ioFirmware.IsEmpty())
        out.Leaf("ALTERA", m.m_ioFirmware);
    if (!m.m_mac.IsEmpty())
        out.Leaf("MAC", m.m_mac);
    out.Leaf("KEY", CIpAddressText(keyAddress));
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
        m_ifValues[kIf1Dhcp] = ChildTextOrEmpty(if1, "DHCP");
        m_ifValues[kIf1Ip] = ChildTextOrEmpty(if1, "IP");
        m_ifValues[kIf1Netmask] = ChildTextOrEmpty(if1, "NETMASK");
        m_ifValues[kIf1Gateway] = ChildTextOrEmpty(if1, "GATEWAY");
    }
    if (const CGXmlNode* if2 = c.node[c.kIf2]) {
        m_ifValues[kIf2Dhcp] = ChildTextOrEmpty(if2, "DHCP");
        m_ifValues[kIf2Ip] = ChildTextOrEmpty(if2, "IP");
        m_ifValues[kIf2Netmask] = ChildTextOrEmpty(if2, "NETMASK");
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
    MachineXmlToDocument out(store, e);
    WriteMachineXml(*this, out, keyAddress);
}

void CMachine::WriteXml(CGXmlWriter& writer, const CIpAddress& keyAddress) const
{
    MachineXmlToWriter out(writer);
    WriteMachineXml(*this, out, keyAddress);
}

uint64_t CMachine::XmlFingerprint(const CIpAddress& keyAddress) const
{
    MachineXmlToFingerprint out;
    WriteMachineXml(*this, out, keyAddress);
    return out.Value();
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
