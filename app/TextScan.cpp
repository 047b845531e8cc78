#include "app/TextScan.h"

#include <cctype>
#include <climits>

bool ScanDecimalInt(const char*& p, int* value)
{
    const char* s = p;
    while (*s == ' ' || *s == '\t' || *s == '\n' || *s == '\r' || *s == '\v' || *s == '\f')
        ++s;
    bool negative = false;
    if (*s == '+' || *s == '-') {
        negative = *s == '-';
        ++s;
    }
    if (!isdigit((unsigned char)*s))
        return false;
    long long v = 0;
    while (isdigit((unsigned char)*s)) {
        if (v < (long long)INT_MAX + 1)
            v = v * 10 + (*s - '0');
        ++s;
    }
    if (negative)
        v = -v;
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    *value = int(v);
    p = s;
    return true;
}
