#pragma once
// An IPv4 address as the program keeps it, and a list of addresses without
// repeats.
#include <cstddef>
#include <cstdint>

#include "framework/List.h"
#include "framework/Map.h"

class CIpAddress {
public:
    CIpAddress() = default;
    explicit CIpAddress(uint32_t value) : m_value(value) {}

    // Succeeds only when the text scans as four numbers separated by full
    // stops ("%d.%d.%d.%d"); each number gives its low byte (300.1.1.1 is
    // 44.1.1.1).  On failure the value stays as it was.
    bool Parse(const char* text);
    // "%d.%d.%d.%d", most significant byte first; returns the buffer.
    const char* Format(char* buffer, size_t size) const;

    uint32_t GetValue() const { return m_value; }
    void SetValue(uint32_t value) { m_value = value; }

    bool operator==(const CIpAddress& other) const { return m_value == other.m_value; }
    bool operator!=(const CIpAddress& other) const { return m_value != other.m_value; }

    // The bucket hash: one step of the Park-Miller minimal standard
    // generator (Schrage's decomposition) on the value as a signed 32-bit
    // integer, plus 0x7FFFFFFF when negative.
    static uint32_t Hash(uint32_t value);

    uint32_t m_value = 0; // first octet in the most significant byte
};

template <> inline UINT HashKey<CIpAddress>(CIpAddress key) { return CIpAddress::Hash(key.m_value); }
template <> inline UINT HashKey<const CIpAddress&>(const CIpAddress& key) { return CIpAddress::Hash(key.m_value); }

// True when either text is empty; otherwise whether the two texts, scanned
// as addresses (a text that does not scan counts as 0), differ.
bool AddressTextsDiffer(const char* a, const char* b);

// Text of an address in a small buffer, for messages and cells.
struct CIpAddressText {
    explicit CIpAddressText(const CIpAddress& address) { address.Format(m_text, sizeof m_text); }
    explicit CIpAddressText(uint32_t value) { CIpAddress(value).Format(m_text, sizeof m_text); }
    operator const char*() const { return m_text; }
    char m_text[16];
};

class CListIpAddresses : public CList<CIpAddress, const CIpAddress&> {
public:
    CListIpAddresses() : CList<CIpAddress, const CIpAddress&>(10) {}
    // Appends the address unless it is present; 1 when it appended.
    int AddUnique(const CIpAddress& address);
    bool Contains(const CIpAddress& address) const { return Find(address) != nullptr; }
};
