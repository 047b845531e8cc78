#pragma once
// machines.xml (the saved list) and exported *.tvl lists: root MACHINES, one
// MACHINE element per saved machine in map order.
//
// Writing never leaves a truncated list behind: the document goes to a
// temporary file in the same folder, which then replaces the old file in
// one step; a failure leaves the old file as it was and is reported.
// Reading a damaged list keeps the damaged file aside (machines.xml.bad)
// instead of letting the next change overwrite it with an empty list.
//
// Several copies of the program may keep one list (two windows on one
// machines.xml): a save that finds the file changed since this copy read or
// wrote it merges the other copy's version first (CMachineListMerge), so
// that no machine another copy saved is lost.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "app/AppPlatform.h"
#include "framework/String.h"

class CMachine;
class CMachineMap;

// What a save took from a file that another program had changed since this
// list read or wrote it.
struct CMachineListMerge {
    // Machines the other version holds and this list did not (and had not
    // removed itself): now saved machines of the map.
    std::vector<CMachine*> added;
    // Machines of the map that the other version changed while this list
    // left them as they were: they took the other version's fields.
    std::vector<CMachine*> updated;
    // Saved machines of this list that the other version no longer holds:
    // kept (a removal there does not remove them here).
    int kept = 0;
    // The other version could not be read: it was kept under this name,
    // for this reason, and the list was saved in its place.
    CString setAsidePath;
    CString unreadable;

    bool Happened() const { return !added.empty() || !updated.empty() || kept > 0 || !setAsidePath.IsEmpty(); }
    // One sentence or two for the user about the file at path.
    CString Describe(const char* path) const;
};

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
    // and already holds exactly these machines, it is left untouched.  When
    // another program changed the file since then, its version is merged
    // into the map first (what was merged in merge, when given).
    bool Save(CMachineMap& map, CString* error, CMachineListMerge* merge = nullptr);
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

    // How long a save waits for another copy of the program that is
    // rewriting the same file.
    enum { kLockTimeoutMs = 10000 };

private:
    bool SetAside(CString* message, const char* what);
    // Remembers the saved machines of the map (none: no machines) as what
    // the file holds now, after reading or writing it, with its stamp.
    void Remember(const CMachineMap* map);
    // Takes the version another program wrote into the map; false, with
    // the reason in error, when the file cannot be read now.
    bool MergeChangedFile(CMachineMap& map, CMachineListMerge& merge, CString* error);

    CString m_path;
    CString m_asidePath;
    bool m_blocked = false;
    int m_writes = 0;
    // What the file held when this object last read or wrote it: each saved
    // machine's fingerprint by key, all of them as one number, and the
    // file's stamp then (a missing file has no stamp).  Unknown for an
    // object that never read or wrote its file: its first save writes.
    bool m_known = false;
    std::unordered_map<uint32_t, uint64_t> m_base;
    uint64_t m_fingerprint = 0;
    AppFileStamp m_stamp;
};
