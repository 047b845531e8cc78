#include "app/MachineMap.h"

#include <cstring>

#include "support/GXml.h"
#include "support/Utilities.h"

CMachineMap::CMachineMap() : CMap<CIpAddress, CIpAddress, CMachine*, CMachine*>(kBlockSize)
{
    InitHashTable(kBuckets);
}

CMachineMap::~CMachineMap()
{
    DeleteAll();
}

void CMachineMap::DeleteAll()
{
    POSITION pos = GetStartPosition();
    while (pos) {
        CIpAddress key;
        CMachine* machine = nullptr;
        GetNextAssoc(pos, key, machine);
        delete machine;
    }
    RemoveAll();
}

CMachine* CMachineMap::Find(const CIpAddress& address) const
{
    CMachine* machine = nullptr;
    return Lookup(address, machine) ? machine : nullptr;
}

CMachine* CMachineMap::FindByMacAndIf(const char* mac, int ifNumber) const
{
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        if (p->value && p->value->HasMacAndIf(mac, ifNumber))
            return p->value;
    return nullptr;
}

bool CMachineMap::FindKeyOf(const CMachine* machine, CIpAddress* key) const
{
    // The machine is normally stored under its own address.
    const CPair* direct = PLookup(machine->m_address);
    if (direct && direct->value == machine) {
        *key = direct->key;
        return true;
    }
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        if (p->value == machine) {
            *key = p->key;
            return true;
        }
    return false;
}

void CMachineMap::SetMachine(const CIpAddress& address, CMachine* machine)
{
    CMachine* held = Find(address);
    if (held == machine)
        return;
    CIpAddress oldKey;
    if (FindKeyOf(machine, &oldKey))
        RemoveKey(oldKey);
    delete held;
    SetAt(address, machine);
}

bool CMachineMap::Detach(CMachine* machine)
{
    CIpAddress key;
    if (!FindKeyOf(machine, &key))
        return false;
    RemoveKey(key);
    return true;
}

void CMachineMap::CollectKeys(CListIpAddresses& addresses) const
{
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        addresses.AddTail(p->key);
}

void CMachineMap::CollectSavedAddresses(CListIpAddresses& addresses) const
{
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        if (p->value->m_inList)
            addresses.AddUnique(p->value->m_address);
}

void CMachineMap::ApplySavedAddresses(const CListIpAddresses& addresses)
{
    POSITION pos = addresses.GetHeadPosition();
    while (pos) {
        const CIpAddress& address = addresses.GetNext(pos);
        if (CMachine* machine = Find(address))
            machine->m_inList = 1;
        else
            SetAt(address, new CMachine(address, 1));
    }
    // Collect first: removing while walking the map would skip machines.
    CMachineList dropped;
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        if (p->value->m_inList && !addresses.Contains(p->value->m_address))
            dropped.AddTail(p->value);
    pos = dropped.GetHeadPosition();
    while (pos) {
        CMachine* machine = dropped.GetNext(pos);
        Detach(machine);
        delete machine;
    }
}

void CMachineMap::WriteSavedToXml(CGTextStore* store, CGXmlNode* root) const
{
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        if (p->value->m_inList)
            p->value->WriteXml(store, root->AddChild(store, "MACHINE"), p->key);
}

int CMachineMap::LoadFromXml(const CGXmlNode* root)
{
    int skipped = 0;
    for (const CGXmlNode* e = root ? root->GetFirstChild() : nullptr; e; e = e->GetNext()) {
        if (e->IsAttribute())
            continue;
        CIpAddress address;
        const CGXmlNode* key = e->FindChild("KEY");
        const CGXmlNode* if1 = e->FindPath("IF1 IP");
        const CGXmlNode* if2 = e->FindPath("IF2 IP");
        if (!(key && address.Parse(key->GetText())) && !(if1 && address.Parse(if1->GetText())) &&
            !(if2 && address.Parse(if2->GetText()))) {
            ++skipped;
            continue;
        }
        CMachine* machine = new CMachine(address, 1);
        SetMachine(address, machine);
        machine->ReadXml(e);
    }
    return skipped;
}

void CMachineMap::TickIdentBlink()
{
    for (CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        if (p->value->m_identBlink > 0)
            --p->value->m_identBlink;
}

CMachine* CMachineMap::ProcessReply(const CGXml& reply, CMachine** displaced)
{
    if (displaced)
        *displaced = nullptr;
    const CGXmlNode* root = reply.GetRoot();
    if (!root || strcmp(root->GetName(), "TROV") != 0)
        return nullptr;

    // The interface the controller answers on: IF, 1 when missing or empty.
    int ifNumber = 1;
    if (const CGXmlNode* ifNode = root->FindChild("IF"))
        ifNumber = ifNode->GetInt(1);
    if (ifNumber != 1 && ifNumber != 2)
        return nullptr;
    char path[16];
    FormatBounded(path, sizeof path, "IF%d IP", ifNumber);
    const CGXmlNode* ipNode = root->FindPath(path);
    CIpAddress address;
    if (!ipNode || !address.Parse(ipNode->GetText()))
        return nullptr;
    const CGXmlNode* macNode = root->FindChild("MAC");
    const char* mac = macNode ? macNode->GetText() : "";
    if (!*mac)
        return nullptr; // without a MAC a reply could take over any machine

    CMachine* held = Find(address);
    CMachine* leaving = nullptr;
    CMachine* machine = nullptr;
    if (held && held->m_inList) {
        machine = held;
        machine->m_mac = mac;
    } else {
        for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
            if (!p->value->m_inList && p->value->HasMacAndIf(mac, ifNumber)) {
                machine = p->value;
                break;
            }
        if (machine) {
            // The controller's address changed: its machine moves to the new
            // key.  A machine held there leaves the map but not its row.
            CIpAddress oldKey;
            if (FindKeyOf(machine, &oldKey) && oldKey != address) {
                RemoveKey(oldKey);
                if (held)
                    RemoveKey(address), leaving = held;
                SetAt(address, machine);
            }
            machine->m_address = address;
        } else {
            machine = new CMachine(address, 0);
            if (held)
                RemoveKey(address), leaving = held;
            SetAt(address, machine);
        }
    }
    if (leaving) {
        if (displaced)
            *displaced = leaving;
        else
            delete leaving;
    }

    machine->ReadXml(root);
    machine->m_ifNumber = ifNumber;
    machine->m_state = kMachineAnswered;
    machine->m_local = 1;
    if (root->FindChild("IDENTBUTTON"))
        machine->m_identBlink = 59;
    return machine;
}
