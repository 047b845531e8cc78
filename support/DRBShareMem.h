#pragma once
// A data block that is either a mapped view of a file mapping or a heap
// block, released the way it was obtained; and the TCP log holder built on
// it, one instance of which lives from the socket layer's start-up to the
// process's exit.
#include <cstddef>

class CDRBComms;

class CDRBShareMem {
public:
    // mode: non-zero means the block is a mapped view.
    explicit CDRBShareMem(int mode);
    virtual ~CDRBShareMem();
    CDRBShareMem(const CDRBShareMem&) = delete;
    CDRBShareMem& operator=(const CDRBShareMem&) = delete;

    int IsMappedView() const { return m_mode != 0; }
    void* GetData() const { return m_data; }
    size_t GetSize() const { return m_size; }

protected:
    int m_mode = 0;
    void* m_data = nullptr;
    size_t m_size = 0;
    void* m_handle = nullptr; // mapping handle, or none
};

class CDRSTCPLog : public CDRBShareMem {
public:
    CDRSTCPLog();
    ~CDRSTCPLog() override;

protected:
    char* m_text = nullptr;             // owned (malloc'd), or none
    CDRBComms* m_connection = nullptr;  // owned, or none
    CDRBComms* m_listener = nullptr;    // owned, or none
};
