// What the simulated controller's sockets do the same on every system,
// over the few socket calls of SimSocketWin.cpp and SimSocketPosix.cpp.
#include "tests/common/SimSocket.h"

namespace trovtest {

bool SimTcpSocket::SendAll(const void* data, size_t length, int timeoutMs)
{
    const char* p = static_cast<const char*>(data);
    while (length > 0) {
        int n = SendSome(p, length, timeoutMs);
        if (n <= 0)
            return false;
        p += n;
        length -= (size_t)n;
    }
    return true;
}

} // namespace trovtest
