// Asynchronous sockets: a per-thread hidden window receives the
// WSAAsyncSelect notifications and hands them to the socket objects.
#include "framework/win/AsyncSocket.h"

#include "framework/win/WinApp.h"
#include "framework/Exceptions.h"

#include <cstring>
#include <unordered_map>

IMPLEMENT_DYNAMIC(CAsyncSocket, CObject)

namespace {

const UINT WM_SOCKET_NOTIFY = WM_USER + 0x0373;

struct SocketThreadState {
    HWND hWndSocket = nullptr;
    std::unordered_map<SOCKET, CAsyncSocket*> sockets;
};

// Never destroyed: a socket object with static lifetime still closes
// through it while the program exits (the system removes the window).
SocketThreadState& SocketState()
{
    thread_local SocketThreadState* state = nullptr;
    if (state == nullptr)
        state = new SocketThreadState;
    return *state;
}

LRESULT CALLBACK SocketWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_SOCKET_NOTIFY) {
        // A notification handler's exception must not leave the window
        // procedure: the notification is dropped.
        return AfxCallbackGuard<LRESULT>(0, [&] {
            CAsyncSocket::DoCallBack(wParam, lParam);
            return (LRESULT)0;
        });
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

HWND SocketWindow()
{
    SocketThreadState& state = SocketState();
    if (state.hWndSocket == nullptr || !::IsWindow(state.hWndSocket)) {
        static const char* const className = "TrovSocketWindow";
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &SocketWndProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = className;
        AfxRegisterClass(&wc);
        // A message-only window: never shown, never enumerated.
        state.hWndSocket = ::CreateWindowExA(0, className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                             AfxGetInstanceHandle(), nullptr);
    }
    return state.hWndSocket;
}

} // namespace

CAsyncSocket::CAsyncSocket() = default;

CAsyncSocket::~CAsyncSocket()
{
    if (m_hSocket != INVALID_SOCKET)
        Close();
}

CAsyncSocket* CAsyncSocket::FromHandle(SOCKET hSocket)
{
    auto& sockets = SocketState().sockets;
    auto it = sockets.find(hSocket);
    return it == sockets.end() ? nullptr : it->second;
}

BOOL CAsyncSocket::Create(UINT nSocketPort, int nSocketType, long lEvent, LPCTSTR lpszSocketAddress)
{
    if (!Socket(nSocketType, lEvent))
        return FALSE;
    if (Bind(nSocketPort, lpszSocketAddress))
        return TRUE;
    int nResult = GetLastError();
    Close();
    ::WSASetLastError(nResult);
    return FALSE;
}

BOOL CAsyncSocket::Socket(int nSocketType, long lEvent, int nProtocolType, int nAddressFormat)
{
    if (m_hSocket != INVALID_SOCKET) {
        ::WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    SOCKET hSocket = ::socket(nAddressFormat, nSocketType, nProtocolType);
    if (hSocket == INVALID_SOCKET)
        return FALSE;
    if (Attach(hSocket, lEvent))
        return TRUE;
    int nResult = GetLastError();
    ::closesocket(hSocket);
    ::WSASetLastError(nResult);
    return FALSE;
}

BOOL CAsyncSocket::Attach(SOCKET hSocket, long lEvent)
{
    if (hSocket == INVALID_SOCKET)
        return FALSE;
    m_hSocket = hSocket;
    SocketState().sockets[hSocket] = this;
    if (AsyncSelect(lEvent))
        return TRUE;
    int nResult = GetLastError();
    SocketState().sockets.erase(hSocket);
    m_hSocket = INVALID_SOCKET;
    ::WSASetLastError(nResult);
    return FALSE;
}

SOCKET CAsyncSocket::Detach()
{
    SOCKET hSocket = m_hSocket;
    if (hSocket != INVALID_SOCKET) {
        // No more notifications for an object that no longer owns it.
        ::WSAAsyncSelect(hSocket, SocketWindow(), 0, 0);
        SocketState().sockets.erase(hSocket);
    }
    m_hSocket = INVALID_SOCKET;
    return hSocket;
}

void CAsyncSocket::Close()
{
    if (m_hSocket == INVALID_SOCKET)
        return;
    SOCKET hSocket = m_hSocket;
    SocketState().sockets.erase(hSocket);
    m_hSocket = INVALID_SOCKET;
    // Closing cancels the selection; notifications already queued for the
    // handle find no object and are dropped.
    ::closesocket(hSocket);
}

BOOL CAsyncSocket::AsyncSelect(long lEvent)
{
    HWND hWnd = SocketWindow();
    if (hWnd == nullptr) {
        ::WSASetLastError(WSAENOBUFS);
        return FALSE;
    }
    return ::WSAAsyncSelect(m_hSocket, hWnd, WM_SOCKET_NOTIFY, lEvent) != SOCKET_ERROR;
}

BOOL CAsyncSocket::ResolveAddress(LPCTSTR lpszHostAddress, UINT nPort, SOCKADDR_IN& sockAddr)
{
    std::memset(&sockAddr, 0, sizeof(sockAddr));
    sockAddr.sin_family = AF_INET;
    sockAddr.sin_port = ::htons((u_short)nPort);
    if (lpszHostAddress == nullptr || *lpszHostAddress == '\0') {
        sockAddr.sin_addr.s_addr = ::htonl(INADDR_ANY);
        return TRUE;
    }
    if (::inet_pton(AF_INET, lpszHostAddress, &sockAddr.sin_addr) == 1)
        return TRUE;
    addrinfo hints = {};
    hints.ai_family = AF_INET;
    addrinfo* result = nullptr;
    if (::getaddrinfo(lpszHostAddress, nullptr, &hints, &result) != 0 || result == nullptr) {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    sockAddr.sin_addr = reinterpret_cast<SOCKADDR_IN*>(result->ai_addr)->sin_addr;
    ::freeaddrinfo(result);
    return TRUE;
}

BOOL CAsyncSocket::Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress)
{
    SOCKADDR_IN sockAddr;
    if (!ResolveAddress(lpszSocketAddress, nSocketPort, sockAddr))
        return FALSE;
    return Bind((SOCKADDR*)&sockAddr, sizeof(sockAddr));
}

BOOL CAsyncSocket::Bind(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    return ::bind(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::Listen(int nConnectionBacklog) { return ::listen(m_hSocket, nConnectionBacklog) != SOCKET_ERROR; }

BOOL CAsyncSocket::Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    if (rConnectedSocket.m_hSocket != INVALID_SOCKET) {
        ::WSASetLastError(WSAEISCONN);
        return FALSE;
    }
    SOCKET hTemp = ::accept(m_hSocket, lpSockAddr, lpSockAddrLen);
    if (hTemp == INVALID_SOCKET)
        return FALSE;
    // The accepted socket inherits the listener's selection; re-select it
    // for the new object.
    if (!rConnectedSocket.Attach(hTemp)) {
        ::closesocket(hTemp);
        return FALSE;
    }
    return TRUE;
}

BOOL CAsyncSocket::Connect(LPCTSTR lpszHostAddress, UINT nHostPort)
{
    if (lpszHostAddress == nullptr) {
        ::WSASetLastError(WSAEINVAL);
        return FALSE;
    }
    SOCKADDR_IN sockAddr;
    if (!ResolveAddress(lpszHostAddress, nHostPort, sockAddr))
        return FALSE;
    return Connect((SOCKADDR*)&sockAddr, sizeof(sockAddr));
}

BOOL CAsyncSocket::Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen)
{
    if (lpSockAddr == nullptr) {
        ::WSASetLastError(WSAEFAULT);
        return FALSE;
    }
    return ::connect(m_hSocket, lpSockAddr, nSockAddrLen) != SOCKET_ERROR;
}

int CAsyncSocket::Receive(void* lpBuf, int nBufLen, int nFlags) { return ::recv(m_hSocket, (char*)lpBuf, nBufLen, nFlags); }

int CAsyncSocket::Send(const void* lpBuf, int nBufLen, int nFlags) { return ::send(m_hSocket, (const char*)lpBuf, nBufLen, nFlags); }

int CAsyncSocket::ReceiveFrom(void* lpBuf, int nBufLen, SOCKADDR* lpSockAddr, int* lpSockAddrLen, int nFlags)
{
    return ::recvfrom(m_hSocket, (char*)lpBuf, nBufLen, nFlags, lpSockAddr, lpSockAddrLen);
}

int CAsyncSocket::ReceiveFrom(void* lpBuf, int nBufLen, CString& rSocketAddress, UINT& rSocketPort, int nFlags)
{
    SOCKADDR_IN sockAddr = {};
    int nSockAddrLen = sizeof(sockAddr);
    int nResult = ReceiveFrom(lpBuf, nBufLen, (SOCKADDR*)&sockAddr, &nSockAddrLen, nFlags);
    if (nResult != SOCKET_ERROR) {
        char text[INET_ADDRSTRLEN] = {};
        ::inet_ntop(AF_INET, &sockAddr.sin_addr, text, sizeof(text));
        rSocketAddress = text;
        rSocketPort = ::ntohs(sockAddr.sin_port);
    }
    return nResult;
}

int CAsyncSocket::SendTo(const void* lpBuf, int nBufLen, const SOCKADDR* lpSockAddr, int nSockAddrLen, int nFlags)
{
    return ::sendto(m_hSocket, (const char*)lpBuf, nBufLen, nFlags, lpSockAddr, nSockAddrLen);
}

int CAsyncSocket::SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCTSTR lpszHostAddress, int nFlags)
{
    SOCKADDR_IN sockAddr;
    if (lpszHostAddress == nullptr) {
        std::memset(&sockAddr, 0, sizeof(sockAddr));
        sockAddr.sin_family = AF_INET;
        sockAddr.sin_port = ::htons((u_short)nHostPort);
        sockAddr.sin_addr.s_addr = ::htonl(INADDR_BROADCAST);
    } else if (!ResolveAddress(lpszHostAddress, nHostPort, sockAddr)) {
        return SOCKET_ERROR;
    }
    return SendTo(lpBuf, nBufLen, (SOCKADDR*)&sockAddr, sizeof(sockAddr), nFlags);
}

BOOL CAsyncSocket::ShutDown(int nHow) { return ::shutdown(m_hSocket, nHow) != SOCKET_ERROR; }

BOOL CAsyncSocket::IOCtl(long lCommand, DWORD* lpArgument)
{
    u_long arg = *lpArgument;
    BOOL bResult = ::ioctlsocket(m_hSocket, lCommand, &arg) != SOCKET_ERROR;
    *lpArgument = (DWORD)arg;
    return bResult;
}

BOOL CAsyncSocket::GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return ::getpeername(m_hSocket, lpSockAddr, lpSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetPeerName(CString& rPeerAddress, UINT& rPeerPort)
{
    SOCKADDR_IN sockAddr = {};
    int nLen = sizeof(sockAddr);
    if (!GetPeerName((SOCKADDR*)&sockAddr, &nLen))
        return FALSE;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &sockAddr.sin_addr, text, sizeof(text));
    rPeerAddress = text;
    rPeerPort = ::ntohs(sockAddr.sin_port);
    return TRUE;
}

BOOL CAsyncSocket::GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen)
{
    return ::getsockname(m_hSocket, lpSockAddr, lpSockAddrLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockName(CString& rSocketAddress, UINT& rSocketPort)
{
    SOCKADDR_IN sockAddr = {};
    int nLen = sizeof(sockAddr);
    if (!GetSockName((SOCKADDR*)&sockAddr, &nLen))
        return FALSE;
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &sockAddr.sin_addr, text, sizeof(text));
    rSocketAddress = text;
    rSocketPort = ::ntohs(sockAddr.sin_port);
    return TRUE;
}

BOOL CAsyncSocket::SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel)
{
    return ::setsockopt(m_hSocket, nLevel, nOptionName, (const char*)lpOptionValue, nOptionLen) != SOCKET_ERROR;
}

BOOL CAsyncSocket::GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel)
{
    return ::getsockopt(m_hSocket, nLevel, nOptionName, (char*)lpOptionValue, lpOptionLen) != SOCKET_ERROR;
}

void CAsyncSocket::OnReceive(int) {}
void CAsyncSocket::OnSend(int) {}
void CAsyncSocket::OnOutOfBandData(int) {}
void CAsyncSocket::OnAccept(int) {}
void CAsyncSocket::OnConnect(int) {}
void CAsyncSocket::OnClose(int) {}

void CAsyncSocket::DoCallBack(WPARAM wParam, LPARAM lParam)
{
    CAsyncSocket* pSocket = FromHandle((SOCKET)wParam);
    if (pSocket == nullptr)
        return;   // closed since the notification was queued
    int nErrorCode = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_READ: {
        // A read notice can be stale (the data was read meanwhile): only
        // tell the socket when there is data or an error.
        DWORD nBytes = 0;
        if (!pSocket->IOCtl(FIONREAD, &nBytes))
            nErrorCode = ::WSAGetLastError();
        if (nBytes != 0 || nErrorCode != 0)
            pSocket->OnReceive(nErrorCode);
        break;
    }
    case FD_WRITE:
        pSocket->OnSend(nErrorCode);
        break;
    case FD_OOB:
        pSocket->OnOutOfBandData(nErrorCode);
        break;
    case FD_ACCEPT:
        pSocket->OnAccept(nErrorCode);
        break;
    case FD_CONNECT:
        pSocket->OnConnect(nErrorCode);
        break;
    case FD_CLOSE:
        pSocket->OnClose(nErrorCode);
        break;
    default:
        break;
    }
}
