// Loads archives of every kind the framework reads from arbitrary bytes:
// numbers, strings, counts, collections and objects with classes and
// references.  Every malformed input must end in a CArchiveException (or a
// CNotSupportedException / CMemoryException), never in a bad read.
#include <cstdint>
#include <set>
#include <vector>

#include "framework/Framework.h"

namespace {

// Every live fuzz object, so that objects whose owner never got them
// (loading stopped half way) are freed after each input.
std::set<CObject*>& LiveObjects()
{
    static std::set<CObject*> live;
    return live;
}

} // namespace

class CFuzzItem : public CObject {
    DECLARE_SERIAL(CFuzzItem)
public:
    CFuzzItem() { LiveObjects().insert(this); }
    ~CFuzzItem() override { LiveObjects().erase(this); }

    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            return;
        UINT schema = ar.GetObjectSchema();
        ar >> m_text >> m_number;
        if (schema >= 2)
            m_words.Serialize(ar);
        m_map.Serialize(ar);
        m_pChild = static_cast<CFuzzItem*>(ar.ReadObject(RUNTIME_CLASS(CFuzzItem)));
    }

    CString m_text;
    LONG m_number = 0;
    CStringArray m_words;
    CMapStringToString m_map;
    CFuzzItem* m_pChild = nullptr;   // not owned: references may repeat
};
IMPLEMENT_SERIAL(CFuzzItem, CObject, VERSIONABLE_SCHEMA | 2)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    std::vector<BYTE> bytes(data + 1, data + size);
    CMemFile file(bytes.empty() ? nullptr : bytes.data(), UINT(bytes.size()));
    CArchive ar(&file, CArchive::load, 128);
    BYTE plan = data[0];
    try {
        for (int step = 0; step < 8 && ar.GetRemainingBytes() > 0; ++step) {
            switch ((plan + step) % 8) {
            case 0: { CString s; ar >> s; break; }
            case 1: { ar.ReadCount(); break; }
            case 2: { CStringList list; list.Serialize(ar); break; }
            case 3: { CMap<UINT, UINT, int, int> map; map.Serialize(ar); break; }
            case 4: { CDWordArray a; a.Serialize(ar); break; }
            case 5: { CByteArray a; a.Serialize(ar); break; }
            case 6: { CString line; ar.ReadString(line); break; }
            default: { ar.ReadObject(RUNTIME_CLASS(CFuzzItem)); break; }
            }
        }
    } catch (CException* e) {
        e->Delete();
    }
    ar.Abort();
    while (!LiveObjects().empty())
        delete *LiveObjects().begin();
    return 0;
}
