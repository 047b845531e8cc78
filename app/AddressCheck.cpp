#include "app/AddressCheck.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

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
    const char* p = text;
    while (IsBlank(*p))
        ++p;
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
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return false;
    if (value != nullptr)
        *value = result;
    return true;
}

bool ParseTypedOctet(const char* text, int* value)
{
    if (text == nullptr)
        return false;
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    int octet = 0;
    if (!ReadOctet(p, &octet))
        return false;
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return false;
    if (value != nullptr)
        *value = octet;
    return true;
}
