#pragma once
// A 160-byte network record with its 64-bit hash and a runtime file
// descriptor, held by the application database model.  Nothing fills the
// record; the descriptor is closed with the object when one was opened.
#include <cstdint>

class CDRNetwork {
public:
    enum { kRecordSize = 160 };
    static const uint64_t kHashSeed = 5381;

    CDRNetwork();
    ~CDRNetwork();
    CDRNetwork(const CDRNetwork&) = delete;
    CDRNetwork& operator=(const CDRNetwork&) = delete;

    const unsigned char* GetRecord() const { return m_record; }
    uint64_t GetHash() const { return m_hash; }
    int GetDescriptor() const { return m_descriptor; }
    // Takes a runtime file descriptor, closed with this object (1 or more).
    void SetDescriptor(int descriptor) { m_descriptor = descriptor; }

private:
    unsigned char m_record[kRecordSize];
    uint64_t m_hash = 0;
    int m_descriptor = 0;
};
