// Loads a Gantt storage (items as objects, links as index pairs) from
// arbitrary bytes, then writes it and reads it again.  Malformed input must
// end in a CArchiveException (or a memory exception), never in a bad read,
// a leak, a link to an item that is not there, or a hang; what the program
// writes must read back.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/Archive.h"
#include "framework/Exceptions.h"
#include "framework/File.h"
#include "ui/planner/ZUDPGanttItem.h"

namespace {

// The smallest concrete storage: an item array and a link array.
class FuzzGanttStorage : public CZUDPGanttItemStorageBase {
public:
    ~FuzzGanttStorage() override
    {
        for (CZUDPGanttConnection* pLink : m_links)
            delete pLink;
        for (CZUDPGanttItem* pItem : m_items)
            delete pItem;
    }
    POSITION GetHeadPosition() const override { return m_items.empty() ? nullptr : POSITION(1); }
    CZUDPGanttItem* GetNext(POSITION& pos) const override
    {
        const size_t index = size_t(pos) - 1;
        pos = index + 1 < m_items.size() ? POSITION(index + 2) : nullptr;
        return m_items[index];
    }
    int IndexOf(const CZUDPGanttItem* pItem) const override
    {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (m_items[i] == pItem)
                return int(i);
        return -1;
    }
    CZUDPGanttItem* GetItem(int nIndex) const override
    {
        return nIndex >= 0 && size_t(nIndex) < m_items.size() ? m_items[size_t(nIndex)] : nullptr;
    }
    int GetCount() const override { return int(m_items.size()); }
    void GetConnections(CZUDPGanttConnectionArray& arr) const override
    {
        arr.RemoveAll();
        for (CZUDPGanttConnection* pLink : m_links)
            arr.Add(pLink);
    }
    int RemoveItemConnections(CZUDPGanttItem* pItem) override
    {
        int removed = 0;
        for (size_t i = m_links.size(); i-- > 0;) {
            if (m_links[i]->m_pSourceItem == pItem || m_links[i]->m_pTargetItem == pItem) {
                delete m_links[i];
                m_links.erase(m_links.begin() + std::ptrdiff_t(i));
                ++removed;
            }
        }
        return removed;
    }
    CZUDPGanttConnection* AddConnection(CZUDPGanttItem* pSource, CZUDPGanttItem* pTarget, int nLinkType) override
    {
        if (IndexOf(pSource) < 0 || IndexOf(pTarget) < 0 || pSource == pTarget)
            abort();   // the loader must hand over only its own, distinct items
        m_links.push_back(new CZUDPGanttConnection(pSource, pTarget, nLinkType));
        return m_links.back();
    }
    void AddItem(CZUDPGanttItem* pItem) override { m_items.push_back(pItem); }
    void DetachItem(CZUDPGanttItem* pItem) override
    {
        const int index = IndexOf(pItem);
        if (index >= 0)
            m_items.erase(m_items.begin() + index);
    }
    void RemoveItemAt(int nIndex) override { m_items.erase(m_items.begin() + nIndex); }

    std::vector<CZUDPGanttItem*> m_items;
    std::vector<CZUDPGanttConnection*> m_links;
};

std::vector<unsigned char> Write(FuzzGanttStorage& storage)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        storage.Serialize(ar);
        ar.Close();
    }
    std::vector<unsigned char> bytes(size_t(file.GetLength()));
    file.SeekToBegin();
    if (!bytes.empty())
        file.Read(bytes.data(), UINT(bytes.size()));
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<unsigned char> bytes(data, data + size);
    FuzzGanttStorage storage;
    try {
        CMemFile file(bytes.empty() ? nullptr : bytes.data(), UINT(bytes.size()));
        CArchive ar(&file, CArchive::load, 128);
        storage.Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        return 0;
    }
    std::vector<unsigned char> written = Write(storage);
    FuzzGanttStorage again;
    try {
        CMemFile file(written.empty() ? nullptr : written.data(), UINT(written.size()));
        CArchive ar(&file, CArchive::load);
        again.Serialize(ar);
    } catch (CException* e) {
        e->Delete();
        abort();
    }
    if (again.GetCount() != storage.GetCount() || again.m_links.size() != storage.m_links.size() ||
        Write(again) != written)
        abort();
    return 0;
}
