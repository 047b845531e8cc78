#pragma once
// A byte stream behind which the library's sockets sit, blocking or not.

class CDRBComms {
public:
    virtual ~CDRBComms() {}
    // Stores the read timeout; returns 1.
    virtual int SetTimeout(int seconds, int milliseconds) = 0;
    // Sends the bytes; returns the count sent.
    virtual int Write(const void* bytes, int length) = 0;
    // Reads what is waiting, at most length bytes: the count read, 0 on a
    // timeout, -1 when the peer closed or on an error.
    virtual int Read(void* buffer, int length) = 0;
    // Replaces the connection by the next one a listener accepts.
    virtual int Reaccept() = 0;
    // Reads and discards whatever is waiting (after sleeping the given
    // milliseconds); returns the count discarded.
    virtual int Drain(unsigned sleepMilliseconds) = 0;
};
