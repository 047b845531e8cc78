#pragma once
// CAsyncSocket: a non-blocking Windows socket whose network events arrive
// as calls of its virtual notification functions (OnConnect, OnReceive,
// OnSend, OnAccept, OnClose, OnOutOfBandData).  The events come through
// WSAAsyncSelect to a hidden window of the thread that created the socket,
// so the notifications run in that thread's message loop, like any other
// window message.  Call AfxSocketInit once before the first socket.
#include "framework/win/WinSdk.h"
#include "framework/Object.h"
#include "framework/String.h"

class CAsyncSocket : public CObject {
    DECLARE_DYNAMIC(CAsyncSocket)
public:
    CAsyncSocket();
    ~CAsyncSocket() override;

    SOCKET m_hSocket = INVALID_SOCKET;
    operator SOCKET() const { return m_hSocket; }

    // Makes the socket, selects the events and binds it (port 0: any;
    // address null: any).  FALSE with GetLastError on failure.
    BOOL Create(UINT nSocketPort = 0, int nSocketType = SOCK_STREAM,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                LPCTSTR lpszSocketAddress = nullptr);
    BOOL Socket(int nSocketType = SOCK_STREAM,
                long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE,
                int nProtocolType = 0, int nAddressFormat = PF_INET);
    BOOL Attach(SOCKET hSocket, long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);
    SOCKET Detach();
    static CAsyncSocket* FromHandle(SOCKET hSocket);
    virtual void Close();

    BOOL Bind(UINT nSocketPort, LPCTSTR lpszSocketAddress = nullptr);
    BOOL Bind(const SOCKADDR* lpSockAddr, int nSockAddrLen);
    BOOL Listen(int nConnectionBacklog = 5);
    virtual BOOL Accept(CAsyncSocket& rConnectedSocket, SOCKADDR* lpSockAddr = nullptr, int* lpSockAddrLen = nullptr);
    // Starts connecting: usually FALSE with WSAEWOULDBLOCK; OnConnect tells
    // the outcome.  The host is a dotted address or a name.
    BOOL Connect(LPCTSTR lpszHostAddress, UINT nHostPort);
    BOOL Connect(const SOCKADDR* lpSockAddr, int nSockAddrLen);
    virtual int Receive(void* lpBuf, int nBufLen, int nFlags = 0);
    virtual int Send(const void* lpBuf, int nBufLen, int nFlags = 0);
    int ReceiveFrom(void* lpBuf, int nBufLen, CString& rSocketAddress, UINT& rSocketPort, int nFlags = 0);
    int ReceiveFrom(void* lpBuf, int nBufLen, SOCKADDR* lpSockAddr, int* lpSockAddrLen, int nFlags = 0);
    int SendTo(const void* lpBuf, int nBufLen, UINT nHostPort, LPCTSTR lpszHostAddress = nullptr, int nFlags = 0);
    int SendTo(const void* lpBuf, int nBufLen, const SOCKADDR* lpSockAddr, int nSockAddrLen, int nFlags = 0);
    BOOL ShutDown(int nHow = 1 /* sends */);
    BOOL AsyncSelect(long lEvent = FD_READ | FD_WRITE | FD_OOB | FD_ACCEPT | FD_CONNECT | FD_CLOSE);
    BOOL IOCtl(long lCommand, DWORD* lpArgument);
    BOOL GetPeerName(CString& rPeerAddress, UINT& rPeerPort);
    BOOL GetPeerName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);
    BOOL GetSockName(CString& rSocketAddress, UINT& rSocketPort);
    BOOL GetSockName(SOCKADDR* lpSockAddr, int* lpSockAddrLen);
    BOOL SetSockOpt(int nOptionName, const void* lpOptionValue, int nOptionLen, int nLevel = SOL_SOCKET);
    BOOL GetSockOpt(int nOptionName, void* lpOptionValue, int* lpOptionLen, int nLevel = SOL_SOCKET);
    static int GetLastError() { return ::WSAGetLastError(); }

    // Notifications (nErrorCode 0 on success, else a WSAE* code).
    virtual void OnReceive(int nErrorCode);
    virtual void OnSend(int nErrorCode);
    virtual void OnOutOfBandData(int nErrorCode);
    virtual void OnAccept(int nErrorCode);
    virtual void OnConnect(int nErrorCode);
    virtual void OnClose(int nErrorCode);

    // Delivers one WSAAsyncSelect notification (the hidden window calls it).
    static void DoCallBack(WPARAM wParam, LPARAM lParam);

private:
    static BOOL ResolveAddress(LPCTSTR lpszHostAddress, UINT nPort, SOCKADDR_IN& sockAddr);
};
