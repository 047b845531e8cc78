#include "app/IpAddress.h"

#include "app/TextScan.h"
#include "support/Utilities.h"

bool CIpAddress::Parse(const char* text)
{
    int parts[4];
    const char* p = text;
    if (!p)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != '.')
                return false;
            ++p;
        }
        if (!ScanDecimalInt(p, &parts[i]))
            return false;
    }
    m_value = (uint32_t(parts[0] & 0xFF) << 24) | (uint32_t(parts[1] & 0xFF) << 16) |
              (uint32_t(parts[2] & 0xFF) << 8) | uint32_t(parts[3] & 0xFF);
    return true;
}

const char* CIpAddress::Format(char* buffer, size_t size) const
{
    FormatBounded(buffer, size, "%d.%d.%d.%d", int(m_value >> 24), int((m_value >> 16) & 0xFF),
                  int((m_value >> 8) & 0xFF), int(m_value & 0xFF));
    return buffer;
}

uint32_t CIpAddress::Hash(uint32_t value)
{
    int32_t v = int32_t(value);
    // Schrage: 16807 * (v mod 127773) - 2836 * (v div 127773) never leaves
    // the 32-bit range (division truncates towards zero, as in C).
    int32_t h = 16807 * (v % 127773) - 2836 * (v / 127773);
    if (h < 0)
        h += 0x7FFFFFFF;
    return uint32_t(h);
}

bool AddressTextsDiffer(const char* a, const char* b)
{
    if (!a || !b || !*a || !*b)
        return true;
    CIpAddress x, y;
    x.Parse(a);
    y.Parse(b);
    return x != y;
}

int CListIpAddresses::AddUnique(const CIpAddress& address)
{
    if (Contains(address))
        return 0;
    AddTail(address);
    return 1;
}
