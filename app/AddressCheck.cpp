#include "app/AddressCheck.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* SkipBlanks(const char* p)
{
    while (IsBlank(*p))
        ++p;
    return p;
}

// True when only blanks follow p: a typed value may be padded, not followed.
bool OnlyBlanksLeft(const char* p) { return *SkipBlanks(p) == '\0'; }

// One number of 1 to 3 digits at p (moved behind it), 0 to 255.
bool ReadOctet(const char*& p, int* value)
{
    int digits = 0;
    int number = 0;
    while (*p >= '0' && *p <= '9') {
        if (++digits > 3)
            return false;
        number = number * 10 + (*p - '0');
        ++p;
    }
    if (digits == 0 || number > 255)
        return false;
    *value = number;
    return true;
}

} // namespace

bool ParseTypedAddress(const char* text, uint32_t* value)
{
    if (text == nullptr)
        return false;
    const char* p = SkipBlanks(text);
    uint32_t result = 0;
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            if (*p != '.')
                return false;
            ++p;
        }
        int octet = 0;
        if (!ReadOctet(p, &octet))
            return false;
        result = (result << 8) | uint32_t(octet);
    }
    if (!OnlyBlanksLeft(p))
        return false;
    if (value != nullptr)
        *value = result;
    return true;
}

bool ParseTypedOctet(const char* text, int* value)
{
    if (text == nullptr)
        return false;
    const char* p = SkipBlanks(text);
    int octet = 0;
    if (!ReadOctet(p, &octet))
        return false;
    if (!OnlyBlanksLeft(p))
        return false;
    if (value != nullptr)
        *value = octet;
    return true;
}
