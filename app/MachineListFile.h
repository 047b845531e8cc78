#pragma once
// machines.xml (the saved list) and exported *.tvl lists: root MACHINES, one
// MACHINE element per saved machine in map order.
//
// Writing never leaves a truncated list behind: the document goes to a
// temporary file in the same folder, which then replaces the old file in
// one step; a failure leaves the old file as it was and is reported.
// Reading a damaged list keeps the damaged file aside (machines.xml.bad)
// instead of letting the next change overwrite it with an empty list.
#include <cstdint>
#include <string>

#include "framework/String.h"

class CMachineMap;

class CMachineListFile {
public:
    enum LoadResult {
        kLoaded = 0,   // read (possibly with no machines)
        kMissing = 1,  // no file yet: an empty list
        kDamaged = 2,  // malformed or foreign: set aside, the list starts empty
        kPartial = 3,  // some machines could not be taken (no address, or the
                       // address of a later machine): the original was set
                       // aside and the file rewritten with the others
        kBlocked = 4,  // there but unreadable, or damaged and could not be set
                       // aside: it is not overwritten (Save refuses) until
                       // the program restarts
    };

    explicit CMachineListFile(const char* path) : m_path(path) {}

    // Loads the saved machines into the map.  For kDamaged, kPartial and
    // kBlocked, message says what happened (to be shown to the user once).
    LoadResult Load(CMachineMap& map, CString* message);
    // Rewrites the file from the map's saved machines; false, with the
    // reason in error, when it could not (the old file is then unchanged).
    // When the file on disk is still the one this object last read or wrote
    // and already holds exactly these machines, it is left untouched.
    bool Save(const CMachineMap& map, CString* error);
    // Files actually written by Save since construction (for tests and
    // measurements).
    int GetWriteCount() const { return m_writes; }

    const CString& GetPath() const { return m_path; }
    // True when Load found a file that must not be overwritten in this run.
    bool IsBlocked() const { return m_blocked; }
    // Where a damaged file was kept (after Load), or empty.
    const CString& GetSetAsidePath() const { return m_asidePath; }

    // Writes the saved machines of a map to a file the same safe way (also
    // for *.tvl exports).
    static bool WriteFile(const char* path, const CMachineMap& map, CString* error);
    // Reads a list chosen by the user (a *.tvl import) into a map, all
    // machines saved: the reader's result (kXmlOk, kXmlCantOpen, ...), its
    // error text in error, and the number of machines not taken (without an
    // address, or replaced by a later one of the same address) in skipped.  Such a file comes from elsewhere: its include elements
    // are not followed.
    static int ReadFile(const char* path, CMachineMap& map, CString* error, int* skipped);

private:
    bool SetAside(CString* message, const char* what);
    // Remembers that the file holds what the map with this fingerprint
    // (ListFingerprint) would write, with the file's size and time as they
    // are now; Forget drops that.
    void Remember(uint64_t fingerprint);
    void Forget() { m_known = false; }
    bool DiskStillHolds(uint64_t fingerprint) const;

    CString m_path;
    CString m_asidePath;
    bool m_blocked = false;
    int m_writes = 0;
    // What the file held when last read or written, as a fingerprint of its
    // machines, and the file's size and modification time then.
    bool m_known = false;
    uint64_t m_fingerprint = 0;
    long long m_diskSize = -1;
    long long m_diskTime = -1;
};
