#include "app/MachineColumns.h"

#include <cstring>
#include <unordered_map>

#include "app/Machine.h"
#include "app/TextScan.h"

const MachineColumn kMachineColumns[kMachineColumnCount] = {
    {"IP Address", 120, false},          {"Device ID", 120, false}, {"Application Name", 180, false},
    {"Application Version", 120, false}, {"DataSet", 70, false},    {"Firmware", 120, false},
    {"I/O Firmware", 120, false},        {"System ID", 120, false}, {"ETH Port", 80, true},
    {"Comment", 120, false},
};

namespace {

CString AppNameText(const CString& config)
{
    int length = config.GetLength();
    if (length >= 5 && strcmp((const char*)config + length - 4, ".lmx") == 0)
        return config.Left(length - 4);
    return config;
}

CString DataSetText(const CMachine& machine)
{
    return machine.m_ifNumber >= 1 ? machine.m_setup : CString();
}

// Reads the literal text at p and moves p behind it.
bool Expect(const char*& p, const char* literal)
{
    size_t n = strlen(literal);
    if (strncmp(p, literal, n) != 0)
        return false;
    p += n;
    return true;
}

template <class T>
int Order(T a, T b)
{
    return a < b ? -1 : (a > b ? 1 : 0);
}

int CompareText(const char* a, const char* b)
{
    int c = strcmp(a, b);
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

uint32_t ScannedAddress(const char* text)
{
    CIpAddress address;
    address.Parse(text); // a text that does not scan stays 0
    return address.GetValue();
}

} // namespace

CString MachineColumnText(const CMachine& machine, int column)
{
    CString text;
    switch (column) {
    case kColumnAddress:
        text = (const char*)CIpAddressText(machine.m_address);
        break;
    case kColumnDeviceId:
        text = machine.m_hostName;
        break;
    case kColumnAppName:
        text = AppNameText(machine.m_config);
        break;
    case kColumnAppVersion:
        text = machine.m_appVersion;
        break;
    case kColumnDataSet:
        text = DataSetText(machine);
        break;
    case kColumnFirmware:
        text = machine.GetFirmwareText();
        break;
    case kColumnIoFirmware:
        text = machine.m_ioFirmware;
        break;
    case kColumnSystemId:
        text = machine.m_mac;
        break;
    case kColumnEthPort:
        if (machine.m_ifNumber != 0)
            text.Format("%d", machine.m_ifNumber);
        break;
    case kColumnComment:
        text = machine.m_comment;
        break;
    default:
        break;
    }
    return text;
}

CString DoubleAmpersands(const char* text)
{
    CString result(text ? text : "");
    result.Replace("&", "&&");
    return result;
}

int64_t AppVersionSortKey(const char* text)
{
    const char* p = text ? text : "";
    int major, minor, release;
    if (!ScanDecimalInt(p, &major) || !Expect(p, "v") || !ScanDecimalInt(p, &minor) || !Expect(p, "r") ||
        !ScanDecimalInt(p, &release))
        return 0;
    return int64_t(major) * 65536 + int64_t(minor) * 256 + release;
}

uint32_t IoFirmwareSortKey(const char* text)
{
    const char* p = text ? text : "";
    int v[4];
    // "HW %d.%d SW %d.%d": a blank in the format matches any run of white
    // space, which the number reader skips anyway.
    if (!Expect(p, "HW") || !ScanDecimalInt(p, &v[0]) || !Expect(p, ".") || !ScanDecimalInt(p, &v[1]))
        return 0;
    while (*p == ' ' || *p == '\t')
        ++p;
    if (!Expect(p, "SW") || !ScanDecimalInt(p, &v[2]) || !Expect(p, ".") || !ScanDecimalInt(p, &v[3]))
        return 0;
    return (uint32_t(v[0] & 0xFF) << 24) | (uint32_t(v[1] & 0xFF) << 16) | (uint32_t(v[2] & 0xFF) << 8) |
           uint32_t(v[3] & 0xFF);
}

int CompareMachineColumn(const CMachine& a, const CMachine& b, int column)
{
    switch (column) {
    case kColumnAddress:
        return Order(a.m_address.GetValue(), b.m_address.GetValue());
    case kColumnDeviceId:
        return CompareText(a.m_hostName, b.m_hostName);
    case kColumnAppName:
        return CompareText(a.m_config, b.m_config);
    case kColumnAppVersion:
        return Order(AppVersionSortKey(a.m_appVersion), AppVersionSortKey(b.m_appVersion));
    case kColumnDataSet:
        return CompareText(DataSetText(a), DataSetText(b));
    case kColumnFirmware: {
        int64_t x = (int64_t(a.m_fwMajor) * 256 + a.m_fwMinor) * 256 + a.m_fwRelease;
        int64_t y = (int64_t(b.m_fwMajor) * 256 + b.m_fwMinor) * 256 + b.m_fwRelease;
        return Order(x, y);
    }
    case kColumnIoFirmware:
        return Order(IoFirmwareSortKey(a.m_ioFirmware), IoFirmwareSortKey(b.m_ioFirmware));
    case kColumnSystemId:
        return CompareText(a.m_mac, b.m_mac);
    case kColumnEthPort:
        return Order(a.m_ifNumber, b.m_ifNumber);
    case kColumnComment:
        return CompareText(a.m_comment, b.m_comment);
    default:
        return 0;
    }
}

uint32_t MachineRowColour(const CMachine& machine, bool blinkOn)
{
    if (blinkOn && machine.m_identBlink > 0)
        return kRowColourBlink;
    if (machine.m_duplicate)
        return kRowColourDuplicate;
    if (machine.m_state == kMachineAnswered)
        return kRowColourAnswered;
    return kRowColourPending;
}

CString DuplicateComparisonText(const CMachine& machine)
{
    if (machine.m_ifNumber == 1)
        return machine.m_ifValues[kIf1Ip];
    if (machine.m_ifNumber == 2)
        return machine.m_ifValues[kIf2Ip];
    return CString((const char*)CIpAddressText(machine.m_address));
}

namespace {

// The rows of one list that show one address.
struct SideOfGroup {
    int count = 0;
    const char* firstMac = nullptr;
    bool severalMacs = false;

    void Add(const char* mac)
    {
        if (count++ == 0)
            firstMac = mac;
        else if (!severalMacs && strcmp(firstMac, mac) != 0)
            severalMacs = true;
    }
    // Whether a row of this side has a MAC other than mac.
    bool HasOtherMac(const char* mac) const
    {
        return count > 0 && (severalMacs || strcmp(firstMac, mac) != 0);
    }
};

struct AddressGroup {
    SideOfGroup rows;
    SideOfGroup otherRows;
};

} // namespace

void ComputeDuplicateMarks(const std::vector<const CMachine*>& rows, const std::vector<const CMachine*>& otherRows,
                           std::vector<char>* marks, std::vector<char>* otherMarks)
{
    std::vector<CString> texts(rows.size()), otherTexts(otherRows.size());
    std::unordered_map<uint32_t, AddressGroup> groups;
    groups.reserve(rows.size() + otherRows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        texts[i] = DuplicateComparisonText(*rows[i]);
        if (!texts[i].IsEmpty())
            groups[ScannedAddress(texts[i])].rows.Add(rows[i]->m_mac);
    }
    for (size_t i = 0; i < otherRows.size(); ++i) {
        otherTexts[i] = DuplicateComparisonText(*otherRows[i]);
        if (!otherTexts[i].IsEmpty())
            groups[ScannedAddress(otherTexts[i])].otherRows.Add(otherRows[i]->m_mac);
    }
    marks->assign(rows.size(), 0);
    otherMarks->assign(otherRows.size(), 0);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (texts[i].IsEmpty())
            continue;
        const AddressGroup& g = groups[ScannedAddress(texts[i])];
        (*marks)[i] = g.rows.count >= 2 || g.otherRows.HasOtherMac(rows[i]->m_mac);
    }
    for (size_t i = 0; i < otherRows.size(); ++i) {
        if (otherTexts[i].IsEmpty())
            continue;
        const AddressGroup& g = groups[ScannedAddress(otherTexts[i])];
        (*otherMarks)[i] = g.rows.HasOtherMac(otherRows[i]->m_mac);
    }
}

bool MachinePassesFilters(const CMachine& machine, const CColumnFilterMap& filters)
{
    POSITION position = filters.GetStartPosition();
    while (position) {
        int column = 0;
        CString text;
        filters.GetNextAssoc(position, column, text);
        if (text.IsEmpty())
            continue;
        if (MachineColumnText(machine, column).Find(text) < 0)
            return false;
    }
    return true;
}
