#include "support/GDataSet.h"

#include "support/Utilities.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// One "%d" conversion: optional whitespace, sign and at least one digit;
// clamped to the int range.
bool ScanInt(const char* p, int* value, const char** end)
{
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == '\v' || *p == '\f')
        ++p;
    const char* start = p;
    if (*p == '+' || *p == '-')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    errno = 0;
    char* stop = nullptr;
    long long v = strtoll(start, &stop, 10);
    if (v > INT_MAX)
        v = INT_MAX;
    if (v < INT_MIN)
        v = INT_MIN;
    *value = (int)v;
    *end = stop;
    return true;
}

} // namespace

int CGDataRef::Read(const CGXmlNode* element, bool dbRequired, bool idRequired)
{
    if (!element)
        return 0;
    const CGXmlNode* db = element->FindChild("DB");
    const CGXmlNode* id = element->FindChild("ID");
    const CGXmlNode* ai = element->FindChild("AI");
    if ((dbRequired && !db) || (idRequired && !id))
        return 0;
    CGDataRef read;
    if (id)
        read.m_id = id->GetULong(0);
    if (db) {
        int bank = 0, index = 0;
        const char* p = db->GetText();
        if (!ScanInt(p, &bank, &p) || *p != ':' || !ScanInt(p + 1, &index, &p))
            return 0;
        read.m_db = ((uint32_t)bank << 24) | ((uint32_t)index & 0xFFFFFFu);
    }
    if (ai && *ai->GetText())
        read.m_ai = ai->GetInt(0);
    *this = read;
    return 1;
}

void CGDataRef::Write(CGXmlWriter& writer) const
{
    if (HasDb()) {
        char text[32];
        FormatBounded(text, sizeof text, "%d:%d", (int)(m_db >> 24), (int)(m_db & 0xFFFFFFu));
        writer.Leaf("DB", text);
    }
    if (HasId())
        writer.LeafULong("ID", m_id);
    if (m_ai != 0)
        writer.LeafInt("AI", m_ai);
}

int CGDataSet::ReadInputs(const CGXmlNode* setup)
{
    const CGXmlNode* inputs = setup ? setup->FindChild("INPUTS") : nullptr;
    if (!inputs)
        return 0;
    int count = 0;
    for (const CGXmlNode* entry = inputs->GetFirstChild(); entry; entry = entry->GetNext()) {
        if (entry->IsAttribute() || strcmp(entry->GetName(), "ENTRY") != 0)
            continue;
        CGDataRef ref;
        if (!ref.Read(entry, false, true))
            continue;
        const CGXmlNode* value = entry->FindChild("VALUE");
        if (!value)
            continue;
        // DB takes no part in the key.
        m_values[MakeKey(ref.m_ai, ref.m_id)] = strtod(value->GetText(), nullptr);
        ++count;
    }
    return count;
}

void CGDataSet::Write(CGXmlWriter& writer) const
{
    writer.Leaf("NAME", m_name.c_str());
    writer.BeginElement("INPUTS");
    writer.CloseStartTag(false);
    for (const auto& value : m_values) {
        writer.BeginElement("ENTRY");
        writer.CloseStartTag(false);
        CGDataRef ref;
        ref.m_id = KeyId(value.first);
        ref.m_ai = KeyAi(value.first);
        ref.Write(writer);
        char text[64];
        FormatBounded(text, sizeof text, "%0.15g", value.second);
        writer.Leaf("VALUE", text);
        writer.EndElement();
    }
    writer.EndElement();
}

void CGDataSet::MergeFrom(const CGDataSet& other)
{
    if (&other == this)
        return;
    for (const auto& value : other.m_values)
        m_values[value.first] = value.second;
    m_name = other.m_name;
}

CGDataSet* CGDataSetList::Find(const char* name) const
{
    if (!name)
        return nullptr;
    for (const auto& set : m_sets)
        if (set->m_name == name)
            return set.get();
    return nullptr;
}

CGDataSet* CGDataSetList::Add(const char* name)
{
    if (!name || Find(name))
        return nullptr;
    m_sets.emplace_back(new CGDataSet(name));
    return m_sets.back().get();
}

int CGDataSetList::ReadSetup(const CGXmlNode* setup)
{
    if (!setup || setup->IsAttribute() || strcmp(setup->GetName(), "SETUP") != 0)
        return 0;
    const CGXmlNode* name = setup->FindChild("NAME");
    CGDataSet* set = Add(name ? name->GetText() : "DataSet1");
    if (!set)
        return 0;
    set->ReadInputs(setup);
    return 1;
}

int CGDataSetList::ReadSetups(const CGXmlNode* setups)
{
    Clear();
    if (!setups)
        return 0;
    int accepted = 0;
    for (const CGXmlNode* child = setups->GetFirstChild(); child && accepted < kMaxDataSets;
         child = child->GetNext())
        accepted += ReadSetup(child);
    return accepted;
}

int CGDataSetList::ReadOneSetup(const CGXmlNode* setup)
{
    Clear();
    return ReadSetup(setup);
}
