#pragma once
// The owning map from address to machine that each machine list keeps, and
// the non-owning ordered list of machines that carries a selection to an
// operation.
#include <cstdint>
#include <unordered_map>

#include "app/IpAddress.h"
#include "app/Machine.h"
#include "framework/List.h"

class CGXml;
class CGXmlNode;
class CGTextStore;

class CMachineList : public CList<CMachine*, CMachine*> {
public:
    CMachineList() : CList<CMachine*, CMachine*>(10) {}
};

// The owning map from address to machine.  Its order is that of a hash
// table of 17 buckets: walks go through the buckets in ascending order
// (bucket = CIpAddress::Hash(key) % 17), and within a bucket the most
// recently stored machine comes first; machines.xml and the rows follow it.
// It offers the framework map's lookup, SetAt, RemoveKey and iteration.
// Lookups do not walk the buckets: an address index and an index by MAC and
// interface number keep a burst of replies from a whole network cheap.
class CMachineMap {
public:
    enum { kBuckets = 17 };

    struct CPair {
        CIpAddress key;
        CMachine* value = nullptr;
    };

    CMachineMap();
    ~CMachineMap();
    CMachineMap(const CMachineMap&) = delete;
    CMachineMap& operator=(const CMachineMap&) = delete;

    INT_PTR GetCount() const { return (INT_PTR)m_lookup.size(); }
    BOOL IsEmpty() const { return m_lookup.empty(); }
    UINT GetHashTableSize() const { return kBuckets; }
    BOOL Lookup(CIpAddress key, CMachine*& machine) const;
    const CPair* PLookup(CIpAddress key) const;
    // Walks in map order.
    POSITION GetStartPosition() const;
    void GetNextAssoc(POSITION& position, CIpAddress& key, CMachine*& machine) const;
    const CPair* PGetFirstAssoc() const;
    const CPair* PGetNextAssoc(const CPair* pair) const;

    // Stores the machine under the key (replacing the value of an existing
    // key, which keeps its place); does not delete anything.
    void SetAt(CIpAddress key, CMachine* machine);
    // Removes the key (the machine is not deleted).
    BOOL RemoveKey(CIpAddress key);
    // Empties the map without deleting the machines.
    void RemoveAll();

    // To be called after changing the MAC or interface number of a machine
    // of this map other than through ProcessReply (an identity message, for
    // instance), so that later replies find it again.
    void IdentityChanged() { m_indexValid = false; }

    // Deletes every machine and empties the map.
    void DeleteAll();
    // Exchanges the machines (and their order) with another map, so that
    // a map filled elsewhere takes the place of this one without a copy.
    void Swap(CMachineMap& other);


    // The machine under the address, or none.
    CMachine* Find(const CIpAddress& address) const;
    // The first machine in map order with this MAC (byte for byte) and
    // interface number, saved or not; none when there is none.
    CMachine* FindByMacAndIf(const char* mac, int ifNumber) const;
    // The key under which the machine is stored; false when it is not here.
    bool FindKeyOf(const CMachine* machine, CIpAddress* key) const;

    // Stores the machine under the address: nothing when it is there
    // already; its other key is removed; a different machine held under the
    // address leaves the map and is deleted, or, when replaced is given,
    // handed to the caller (a view whose row shows it deletes it with the
    // row, so that no row is left on a deleted machine).
    void SetMachine(const CIpAddress& address, CMachine* machine, CMachine** replaced = nullptr);
    // Takes the machine out of the map without deleting it; false when it
    // is not here.
    bool Detach(CMachine* machine);

    void CollectKeys(CListIpAddresses& addresses) const;
    // The keys of the saved machines (their KEY in machines.xml, which a
    // machine that answered from another address keeps).
    void CollectSavedAddresses(CListIpAddresses& addresses) const;
    // Makes exactly the listed keys the saved machines: machines stored under
    // a listed key become saved (new ones are created), saved machines whose
    // key is not listed are removed and deleted.  Applying the list
    // CollectSavedAddresses gave changes nothing.
    void ApplySavedAddresses(const CListIpAddresses& addresses);

    // One MACHINE child of root per saved machine, in map order.
    void WriteSavedToXml(CGTextStore* store, CGXmlNode* root) const;
    // Reads every child element of root as a saved machine under its KEY
    // (a later element with the same KEY replaces the earlier).  An element
    // without a usable KEY is keyed by its IF1 or IF2 address; one without
    // any address is skipped.  The record an expanded include leaves behind
    // (INCLUDEDXMLFILE) is no machine and is passed over.  Returns the
    // number skipped; replaced, when given, receives the number of machines
    // that a later element with the same address replaced.
    int LoadFromXml(const CGXmlNode* root, int* replaced = nullptr);

    // Every positive blink count loses one.
    void TickIdentBlink();

    // Creates or updates the machine a discovery reply (root TROV)
    // describes, and returns it; none when the reply lacks the interface
    // address, an address that scans, or a MAC (the map is then unchanged).
    // A machine that the map held under the reply's address and that is not
    // the one updated leaves the map: it is handed to the caller through
    // displaced (its row keeps showing it until the caller deletes it with
    // the row) or, when displaced is none, deleted.
    CMachine* ProcessReply(const CGXml& reply, CMachine** displaced = nullptr);

private:
    struct Node : CPair {
        Node* m_next = nullptr; // in the bucket, towards older machines
        Node* m_prev = nullptr;
        unsigned m_bucket = 0;
    };
    Node* FindNode(CIpAddress key) const;
    void SetAtKeepIndex(CIpAddress key, CMachine* machine);
    void RemoveKeyKeepIndex(CIpAddress key);
    void Unlink(Node* node);

    // Associations come in blocks of 10 and are reused after removal; the
    // blocks go when the map is emptied.
    enum { kBlockSize = 10 };
    struct Block {
        Block* m_next = nullptr;
        Node m_nodes[kBlockSize];
    };
    Node* NewNode();
    void FreeNode(Node* node);
    void FreeBlocks();

    Node* m_buckets[kBuckets] = {};
    std::unordered_map<uint32_t, Node*> m_lookup;
    // Where each machine is stored, so that finding a machine's key (every
    // row of a list asks) is no walk over the map: its node, and under how
    // many keys it is (normally one; a walk decides for more).
    struct Place {
        Node* node = nullptr;
        int keys = 0;
    };
    std::unordered_map<const CMachine*, Place> m_places;
    void PlaceAdd(Node* node);
    void PlaceRemove(Node* node);
    Block* m_blocks = nullptr;
    Node* m_freeNodes = nullptr; // chained through m_next

    // Replies arrive in bursts from whole networks: unsaved machines are
    // found by MAC and interface number through an index instead of a walk
    // over the map.  The index is rebuilt whenever the map changed other
    // than through ProcessReply.
    typedef std::unordered_multimap<uint64_t, CMachine*> IdentityIndex;
    static uint64_t IdentityKey(const char* mac, int ifNumber);
    void RebuildIndex();
    void IndexAdd(CMachine* machine);
    void IndexRemove(CMachine* machine);
    CMachine* FindUnsavedByMacAndIf(const char* mac, int ifNumber);
    // Position of a machine in map order (bucket, then place in the chain).
    bool ComesBefore(const CMachine* a, const CMachine* b) const;

    IdentityIndex m_index;
    bool m_indexValid = false;
};
