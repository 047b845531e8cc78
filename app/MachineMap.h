#pragma once
// The owning map from address to machine that each machine list keeps, and
// the non-owning ordered list of machines that carries a selection to an
// operation.
#include "app/IpAddress.h"
#include "app/Machine.h"
#include "framework/List.h"
#include "framework/Map.h"

class CGXml;
class CGXmlNode;
class CGTextStore;

class CMachineList : public CList<CMachine*, CMachine*> {
public:
    CMachineList() : CList<CMachine*, CMachine*>(10) {}
};

// Hash table of 17 buckets, associations in blocks of 10.  Walks follow the
// map order: buckets ascending, and within a bucket the most recently stored
// machine first.  The map owns its machines.
class CMachineMap : public CMap<CIpAddress, CIpAddress, CMachine*, CMachine*> {
public:
    enum { kBuckets = 17, kBlockSize = 10 };

    CMachineMap();
    ~CMachineMap() override;
    CMachineMap(const CMachineMap&) = delete;
    CMachineMap& operator=(const CMachineMap&) = delete;

    // Deletes every machine and empties the map.
    void DeleteAll();

    // The machine under the address, or none.
    CMachine* Find(const CIpAddress& address) const;
    // The first machine in map order with this MAC (byte for byte) and
    // interface number, saved or not; none when there is none.
    CMachine* FindByMacAndIf(const char* mac, int ifNumber) const;
    // The key under which the machine is stored; false when it is not here.
    bool FindKeyOf(const CMachine* machine, CIpAddress* key) const;

    // Stores the machine under the address: nothing when it is there
    // already; its other key is removed; a different machine held under the
    // address is deleted.
    void SetMachine(const CIpAddress& address, CMachine* machine);
    // Takes the machine out of the map without deleting it; false when it
    // is not here.
    bool Detach(CMachine* machine);

    void CollectKeys(CListIpAddresses& addresses) const;
    void CollectSavedAddresses(CListIpAddresses& addresses) const;
    // Makes exactly the listed addresses the saved machines: listed
    // machines become saved (new ones are created), saved machines not
    // listed are removed and deleted.
    void ApplySavedAddresses(const CListIpAddresses& addresses);

    // One MACHINE child of root per saved machine, in map order.
    void WriteSavedToXml(CGTextStore* store, CGXmlNode* root) const;
    // Reads every child element of root as a saved machine under its KEY
    // (a later element with the same KEY replaces the earlier).  An element
    // without a usable KEY is keyed by its IF1 or IF2 address; one without
    // any address is skipped.  Returns the number skipped.
    int LoadFromXml(const CGXmlNode* root);

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
};
