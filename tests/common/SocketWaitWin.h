#pragma once
// Windows tests: waiting until a socket has something to read (data, a
// datagram, a waiting connection or the peer's close), with a deadline.
#include <winsock2.h>

#include "tests/common/WaitFor.h"

namespace trovtest {

inline bool IsReadable(SOCKET socket)
{
    fd_set set;
    FD_ZERO(&set);
    FD_SET(socket, &set);
    timeval none = {0, 0};
    return select(0, &set, nullptr, nullptr, &none) == 1;
}

inline bool WaitReadable(SOCKET socket, int timeoutMs = 3000)
{
    return WaitUntil([&] { return IsReadable(socket); }, timeoutMs);
}

// Waits until at least `count` bytes wait on a stream socket.
inline bool WaitForBytes(SOCKET socket, unsigned long count, int timeoutMs = 3000)
{
    return WaitUntil(
        [&] {
            unsigned long waiting = 0;
            return ioctlsocket(socket, FIONREAD, &waiting) == 0 && waiting >= count;
        },
        timeoutMs);
}

} // namespace trovtest
