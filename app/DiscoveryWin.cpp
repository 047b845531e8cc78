// The Windows side of discovery: the broadcasts and the reply socket.
#include <winsock2.h>
#include <windows.h>

#include <new>

#include "app/Discovery.h"
#include "framework/win/WinApp.h"
#include "support/DRBBroadcast.h"
#include "support/DRBSocket.h"
#include "support/Utilities.h"

void DiscoveryAlertBox(const char* text)
{
    AfxMessageBox(text, MB_OK);
}

void BroadcastAndAlert(const char* text)
{
    CDRBBroadcast* broadcast = new (std::nothrow) CDRBBroadcast(kDiscoveryProbePort);
    if (!broadcast) {
        DiscoveryAlertBox("Network broadcast failed.");
        return;
    }
    if (broadcast->SendToAllInterfaces(text, (int)strlen(text), nullptr) == -1) {
        char message[256];
        FormatBounded(message, sizeof message, "Broadcast error %d", WSAGetLastError());
        DiscoveryAlertBox(message);
    }
    delete broadcast;
}

void BroadcastAndLog(const char* text, CDiscoveryLog* log)
{
    CDRBBroadcast* broadcast = new (std::nothrow) CDRBBroadcast(kDiscoveryProbePort);
    if (!broadcast) {
        if (log)
            log->AppendLine("Can't create a broadcast socket");
        return;
    }
    if (log)
        log->AppendLine("Broadcasting...");
    CDRBBroadcastResults results;
    int result = broadcast->SendToAllInterfaces(text, (int)strlen(text), &results);
    LogBroadcastResults(log, result, results);
    delete broadcast;
}

int ReceiveDiscoveryReplies(CDRBSocketUDP& socket, CDiscovery& discovery, int maxDatagrams)
{
    int count = 0;
    char buffer[kDiscoveryBufferSize];
    // Bounded, so that a flood of datagrams cannot hold the window's thread.
    while (count < maxDatagrams) {
        uint32_t sender = 0;
        int n = socket.ReceiveFrom(buffer, sizeof buffer, &sender);
        if (n <= 0)
            break; // nothing waiting, or an error (an oversize datagram included)
        ++count;
        discovery.ProcessDatagram(buffer, n, sender);
    }
    return count;
}

int DrainReplySocket(CDRBSocketUDP& socket, CDiscoveryQueue& queue)
{
    int count = 0, errors = 0;
    char buffer[kDiscoveryBufferSize];
    while (!queue.IsFull()) {
        uint32_t sender = 0;
        int n = socket.ReceiveFrom(buffer, sizeof buffer, &sender);
        if (n == 0)
            break; // nothing waiting
        if (n < 0) {
            // An oversize datagram is discarded by the socket layer with an
            // error; the ones behind it are still read.  A socket that only
            // fails is left alone.
            if (++errors >= 16)
                break;
            continue;
        }
        errors = 0;
        ++count;
        queue.Push(buffer, n, sender);
    }
    return count;
}

bool NotifyRepliesTo(CDRBSocketUDP& socket, HWND window, unsigned message)
{
    SOCKET handle = (SOCKET)socket.GetHandle();
    if (handle == INVALID_SOCKET)
        return false;
    // Room for a network's replies while the window is busy elsewhere.
    int size = 1 << 20;
    setsockopt(handle, SOL_SOCKET, SO_RCVBUF, (const char*)&size, sizeof size);
    return WSAAsyncSelect(handle, window, message, FD_READ) == 0;
}
