#pragma once
// Data sets: the named sets of initial input values that an application
// carries in the "setup" section of its file, as XML:
//   <SETUPS> <SETUP> <NAME>..</NAME> <INPUTS> <ENTRY> <DB>a:b</DB> <ID>..</ID>
//   <AI>..</AI> <VALUE>..</VALUE> </ENTRY> ... </INPUTS> </SETUP> ... </SETUPS>
// CGDataRef is the reference of one data element (DB, ID, AI), shared with
// the report descriptions.
#include "support/GXml.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct CGDataRef {
    enum : uint32_t { kAbsent = 0xFFFFFFFFu };

    // DB: bank type (top 8 bits) and element index (low 24 bits), read from
    // "%d:%d"; kAbsent when there is none.
    uint32_t m_db = kAbsent;
    uint32_t m_id = kAbsent;
    int32_t m_ai = 0; // array index

    bool HasDb() const { return m_db != kAbsent; }
    bool HasId() const { return m_id != kAbsent; }

    // Reads the DB, ID and AI children of an element.  1 on success; 0 when
    // a required child is missing or DB is not two numbers separated by a
    // colon, and the reference is then left as it was.
    int Read(const CGXmlNode* element, bool dbRequired, bool idRequired);
    // DB unless absent, ID unless absent, AI unless 0.
    void Write(CGXmlWriter& writer) const;
};

class CGDataSet {
public:
    explicit CGDataSet(const char* name) : m_name(name ? name : "") {}

    // The key of a value: AI in the high half, ID in the low half, ordered
    // as a signed 64-bit number (by AI, then by ID).
    static int64_t MakeKey(int32_t ai, uint32_t id)
    {
        return (int64_t)(((uint64_t)(uint32_t)ai << 32) | id);
    }
    static uint32_t KeyId(int64_t key) { return (uint32_t)((uint64_t)key & 0xFFFFFFFFu); }
    static int32_t KeyAi(int64_t key) { return (int32_t)(uint32_t)((uint64_t)key >> 32); }

    // Reads the ENTRY elements below the INPUTS child of a SETUP element;
    // returns how many were read.  Malformed entries are skipped.
    int ReadInputs(const CGXmlNode* setup);
    // The body of one SETUP element: NAME, then INPUTS with one ENTRY per
    // value in key order.  The caller writes the enclosing tags.
    void Write(CGXmlWriter& writer) const;
    // Copies every value of another data set over this one (same key:
    // replaced, others added) and takes its name: a variant merged over
    // the base data set.
    void MergeFrom(const CGDataSet& other);

    std::string m_name;
    std::map<int64_t, double> m_values;
};

class CGDataSetList {
public:
    enum { kMaxDataSets = 16 };

    int GetCount() const { return (int)m_sets.size(); }
    CGDataSet* GetAt(int index) const
    {
        return index >= 0 && index < GetCount() ? m_sets[(size_t)index].get() : nullptr;
    }
    // The first data set added (the base), or nullptr.
    CGDataSet* GetFirst() const { return GetAt(0); }
    // Exact, case-sensitive name.
    CGDataSet* Find(const char* name) const;
    // A new empty data set at the end; nullptr when the name is present.
    CGDataSet* Add(const char* name);
    void Clear() { m_sets.clear(); }

    // Clears the list and reads the SETUP children of a SETUPS element,
    // at most 16; returns the number accepted.
    int ReadSetups(const CGXmlNode* setups);
    // Clears the list and reads one SETUP element; 1 when it was added.
    int ReadOneSetup(const CGXmlNode* setup);

private:
    int ReadSetup(const CGXmlNode* setup);

    std::vector<std::unique_ptr<CGDataSet>> m_sets;
};
