#include "app/MachineMap.h"

#include <utility>

#include <cstring>

#include "support/GXml.h"
#include "support/Utilities.h"

CMachineMap::CMachineMap() = default;

CMachineMap::~CMachineMap()
{
    DeleteAll();
    FreeBlocks();
}

void CMachineMap::Swap(CMachineMap& other)
{
    for (int b = 0; b < kBuckets; ++b)
        std::swap(m_buckets[b], other.m_buckets[b]);
    m_lookup.swap(other.m_lookup);
    m_places.swap(other.m_places);
    std::swap(m_blocks, other.m_blocks);
    std::swap(m_freeNodes, other.m_freeNodes);
    m_index.swap(other.m_index);
    std::swap(m_indexValid, other.m_indexValid);
}

CMachineMap::Node* CMachineMap::FindNode(CIpAddress key) const
{
    auto it = m_lookup.find(key.GetValue());
    return it == m_lookup.end() ? nullptr : it->second;
}

BOOL CMachineMap::Lookup(CIpAddress key, CMachine*& machine) const
{
    Node* node = FindNode(key);
    if (!node)
        return FALSE;
    machine = node->value;
    return TRUE;
}

const CMachineMap::CPair* CMachineMap::PLookup(CIpAddress key) const
{
    return FindNode(key);
}

const CMachineMap::CPair* CMachineMap::PGetFirstAssoc() const
{
    for (unsigned b = 0; b < kBuckets; ++b)
        if (m_buckets[b])
            return m_buckets[b];
    return nullptr;
}

const CMachineMap::CPair* CMachineMap::PGetNextAssoc(const CPair* pair) const
{
    const Node* node = static_cast<const Node*>(pair);
    if (node->m_next)
        return node->m_next;
    for (unsigned b = node->m_bucket + 1; b < kBuckets; ++b)
        if (m_buckets[b])
            return m_buckets[b];
    return nullptr;
}

POSITION CMachineMap::GetStartPosition() const
{
    return (POSITION)const_cast<CPair*>(PGetFirstAssoc());
}

void CMachineMap::GetNextAssoc(POSITION& position, CIpAddress& key, CMachine*& machine) const
{
    const CPair* pair = reinterpret_cast<const CPair*>(position);
    key = pair->key;
    machine = pair->value;
    position = (POSITION)const_cast<CPair*>(PGetNextAssoc(pair));
}

void CMachineMap::PlaceAdd(Node* node)
{
    Place& place = m_places[node->value];
    place.node = node;
    ++place.keys;
}

void CMachineMap::PlaceRemove(Node* node)
{
    auto it = m_places.find(node->value);
    if (it == m_places.end())
        return;
    if (--it->second.keys <= 0) {
        m_places.erase(it);
    } else if (it->second.node == node) {
        // Stored under another key as well: that node is found by a walk.
        for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
            if (p != node && p->value == node->value) {
                it->second.node = const_cast<Node*>(static_cast<const Node*>(p));
                break;
            }
    }
}

void CMachineMap::SetAt(CIpAddress key, CMachine* machine)
{
    m_indexValid = false;
    if (Node* node = FindNode(key)) {
        PlaceRemove(node);
        node->value = machine;
        PlaceAdd(node);
        return;
    }
    Node* node = NewNode();
    node->key = key;
    node->value = machine;
    PlaceAdd(node);
    node->m_bucket = CIpAddress::Hash(key.GetValue()) % kBuckets;
    // Newest first within the bucket.
    node->m_next = m_buckets[node->m_bucket];
    if (node->m_next)
        node->m_next->m_prev = node;
    m_buckets[node->m_bucket] = node;
    m_lookup[key.GetValue()] = node;
}

void CMachineMap::Unlink(Node* node)
{
    if (node->m_prev)
        node->m_prev->m_next = node->m_next;
    else
        m_buckets[node->m_bucket] = node->m_next;
    if (node->m_next)
        node->m_next->m_prev = node->m_prev;
    m_lookup.erase(node->key.GetValue());
    PlaceRemove(node);
    FreeNode(node);
    if (m_lookup.empty())
        FreeBlocks();
}

CMachineMap::Node* CMachineMap::NewNode()
{
    if (!m_freeNodes) {
        Block* block = new Block;
        block->m_next = m_blocks;
        m_blocks = block;
        for (int i = kBlockSize - 1; i >= 0; --i) {
            block->m_nodes[i].m_next = m_freeNodes;
            m_freeNodes = &block->m_nodes[i];
        }
    }
    Node* node = m_freeNodes;
    m_freeNodes = node->m_next;
    node->key = CIpAddress();
    node->value = nullptr;
    node->m_next = node->m_prev = nullptr;
    node->m_bucket = 0;
    return node;
}

void CMachineMap::FreeNode(Node* node)
{
    node->value = nullptr;
    node->m_prev = nullptr;
    node->m_next = m_freeNodes;
    m_freeNodes = node;
}

void CMachineMap::FreeBlocks()
{
    while (m_blocks) {
        Block* next = m_blocks->m_next;
        delete m_blocks;
        m_blocks = next;
    }
    m_freeNodes = nullptr;
}

BOOL CMachineMap::RemoveKey(CIpAddress key)
{
    m_indexValid = false;
    Node* node = FindNode(key);
    if (!node)
        return FALSE;
    Unlink(node);
    return TRUE;
}

// ProcessReply's own storing and removing: it keeps the index right itself.
void CMachineMap::SetAtKeepIndex(CIpAddress key, CMachine* machine)
{
    bool valid = m_indexValid;
    SetAt(key, machine);
    m_indexValid = valid;
}

void CMachineMap::RemoveKeyKeepIndex(CIpAddress key)
{
    bool valid = m_indexValid;
    RemoveKey(key);
    m_indexValid = valid;
}

void CMachineMap::RemoveAll()
{
    m_indexValid = false;
    m_index.clear();
    for (unsigned b = 0; b < kBuckets; ++b)
        m_buckets[b] = nullptr;
    m_lookup.clear();
    m_places.clear();
    FreeBlocks();
}

uint64_t CMachineMap::IdentityKey(const char* mac, int ifNumber)
{
    return ComputeHash64(mac ? mac : "", 5381, 0) * 31 + (uint64_t)(uint32_t)ifNumber;
}

void CMachineMap::IndexAdd(CMachine* machine)
{
    if (!machine->m_inList)
        m_index.emplace(IdentityKey(machine->m_mac, machine->m_ifNumber), machine);
}

void CMachineMap::IndexRemove(CMachine* machine)
{
    auto range = m_index.equal_range(IdentityKey(machine->m_mac, machine->m_ifNumber));
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == machine) {
            m_index.erase(it);
            return;
        }
    // Its identity changed behind the index's back: the entry is found by
    // the machine itself, so no entry outlives the machine.
    for (auto it = m_index.begin(); it != m_index.end();)
        it = it->second == machine ? m_index.erase(it) : std::next(it);
}

void CMachineMap::RebuildIndex()
{
    m_index.clear();
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        IndexAdd(p->value);
    m_indexValid = true;
}

bool CMachineMap::ComesBefore(const CMachine* a, const CMachine* b) const
{
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p)) {
        if (p->value == a)
            return true;
        if (p->value == b)
            return false;
    }
    return false;
}

CMachine* CMachineMap::FindUnsavedByMacAndIf(const char* mac, int ifNumber)
{
    if (!m_indexValid)
        RebuildIndex();
    auto range = m_index.equal_range(IdentityKey(mac, ifNumber));
    CMachine* first = nullptr;
    for (auto it = range.first; it != range.second; ++it) {
        CMachine* candidate = it->second;
        // Entries are checked, so a machine changed behind the index's back
        // is never taken for another.
        if (candidate->m_inList || !candidate->HasMacAndIf(mac, ifNumber))
            continue;
        if (!first || ComesBefore(candidate, first))
            first = candidate;
    }
    return first;
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
    auto place = m_places.find(machine);
    if (place == m_places.end())
        return false;
    if (place->second.keys == 1) {
        *key = place->second.node->key;
        return true;
    }
    // Under several keys: the first in map order, as a walk finds it.
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
        if (p->value == machine) {
            *key = p->key;
            return true;
        }
    return false;
}

void CMachineMap::SetMachine(const CIpAddress& address, CMachine* machine, CMachine** replaced)
{
    if (replaced)
        *replaced = nullptr;
    CMachine* held = Find(address);
    if (held == machine)
        return;
    CIpAddress oldKey;
    if (FindKeyOf(machine, &oldKey))
        RemoveKey(oldKey);
    if (held) {
        if (replaced)
            *replaced = held;
        else
            delete held;
    }
    // An address already present keeps its place in the map order.
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
            addresses.AddUnique(p->key);
}

// A saved machine is known by its key throughout: the key is what
// machines.xml holds, and a saved machine that answered from another address
// keeps it while its address follows the reply.
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
        if (p->value->m_inList && !addresses.Contains(p->key))
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

int CMachineMap::LoadFromXml(const CGXmlNode* root, int* replaced)
{
    int skipped = 0;
    if (replaced)
        *replaced = 0;
    for (const CGXmlNode* e = root ? root->GetFirstChild() : nullptr; e; e = e->GetNext()) {
        if (e->IsAttribute() || strcmp(e->GetName(), "INCLUDEDXMLFILE") == 0)
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
        // Its GUID comes from the element (ReadXml below).
        CMachine* machine = new CMachine(address, 1, CMachine::kNoGuid);
        CMachine* earlier = nullptr;
        SetMachine(address, machine, &earlier);
        if (earlier) {
            delete earlier;
            if (replaced)
                ++*replaced;
        }
        machine->ReadXml(e);
    }
    return skipped;
}

void CMachineMap::TickIdentBlink()
{
    for (const CPair* p = PGetFirstAssoc(); p; p = PGetNextAssoc(p))
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

    // One walk over the root's children serves the matching and the filling.
    CMachineXmlChildren children(root);
    const CGXmlNode* ifNode = children.node[children.kIf];
    const CGXmlNode* if1 = children.node[children.kIf1];
    const CGXmlNode* if2 = children.node[children.kIf2];
    const CGXmlNode* macNode = children.node[children.kMac];
    // The interface the controller answers on: IF, 1 when missing or empty.
    // Its address ("IF%d IP") keys the machine.
    int ifNumber = ifNode ? ifNode->GetInt(1) : 1;
    if (ifNumber != 1 && ifNumber != 2)
        return nullptr;
    const CGXmlNode* interfaceNode = ifNumber == 1 ? if1 : if2;
    const CGXmlNode* ipNode = interfaceNode ? interfaceNode->FindChild("IP") : nullptr;
    CIpAddress address;
    if (!ipNode || !address.Parse(ipNode->GetText()))
        return nullptr;
    const char* mac = macNode ? macNode->GetText() : "";
    if (!*mac)
        return nullptr; // without a MAC a reply could take over any machine

    if (!m_indexValid)
        RebuildIndex();
    CMachine* held = Find(address);
    CMachine* leaving = nullptr;
    CMachine* machine = nullptr;
    bool created = false;
    if (held && held->m_inList) {
        machine = held;
        machine->m_mac = mac;
    } else {
        machine = FindUnsavedByMacAndIf(mac, ifNumber);
        if (machine) {
            // The controller's address changed: its machine moves to the new
            // key.  A machine held there leaves the map but not its row.
            CIpAddress oldKey;
            if (FindKeyOf(machine, &oldKey) && oldKey != address) {
                RemoveKeyKeepIndex(oldKey);
                if (held) {
                    RemoveKeyKeepIndex(address);
                    IndexRemove(held);
                    leaving = held;
                }
                SetAtKeepIndex(address, machine);
            }
            machine->m_address = address;
        } else {
            // Its GUID comes from the reply (or stays empty), so none is made.
            machine = new CMachine(address, 0, CMachine::kNoGuid);
            created = true;
            if (held) {
                RemoveKeyKeepIndex(address);
                IndexRemove(held);
                leaving = held;
            }
            SetAtKeepIndex(address, machine);
        }
    }
    if (leaving) {
        if (displaced)
            *displaced = leaving;
        else
            delete leaving;
    }

    // The index follows the machine's identity (MAC, interface number).
    // (Saved machines are not in it.)
    bool reindex = created || (!machine->m_inList && !machine->HasMacAndIf(mac, ifNumber));
    if (reindex && !created)
        IndexRemove(machine);
    machine->ReadXml(children);
    machine->m_ifNumber = ifNumber;
    machine->m_state = kMachineAnswered;
    machine->m_local = 1;
    if (children.node[children.kIdentButton])
        machine->m_identBlink = 59;
    if (reindex)
        IndexAdd(machine);
    return machine;
}
