#pragma once
// CGDB: the model of an application's DRBv1 text (the "app" section of an
// application file).  Besides the XML document it builds the block tree (the
// top CONTAINER with nested containers and code blocks, each with input and
// output variables, the pins) and a table of all pins by ID, which names the
// pins of data-set values ("Main", the block path and the pin's own name,
// joined by ".") when the installer compares the application running on a
// controller with the one being installed.
//
// The parse is bounded: containers nest at most kGDBMaxDepth deep, so a
// damaged or hostile text fails cleanly.  Dimensions and text lengths are
// taken as written: nothing is allocated by them, and where they are used
// they are clamped.
#include "framework/String.h"
#include "support/DRNetwork.h"
#include "support/DRReport.h"
#include "support/GXml.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CGDB;
class CGDBPin;
class CGDataSet;
class CGDBBlock;

enum {
    kGDBMaxDepth = 128,            // nested containers below the top one
};

// Pin formats.
enum {
    kPinDouble = 0,
    kPinInteger = 1,
    kPinText = 2,
    kPinDateTime = 3,
    kPinIpAddress = 4,
};

// A table that pins name (units, value texts, fields).  Its first entry's
// text "!" alone, in a table of kind 2, marks a special table.
class CGDBTable {
public:
    std::string m_name;
    int m_kind = 0;
    std::vector<std::string> m_entries;

    bool IsSpecial() const { return m_kind == 2 && !m_entries.empty() && m_entries[0] == "!"; }
};

// The model's tables, searched by exact name.
class CGDBTableList {
public:
    CGDBTable* Find(const char* name) const;
    CGDBTable* Add(const char* name, int kind);
    int GetCount() const { return (int)m_tables.size(); }

private:
    std::vector<std::unique_ptr<CGDBTable>> m_tables;
};

// One VARIABLE element.
class CGDBPin {
public:
    // Reads the VARIABLE element; 0 (and an error text) when it has no NAME.
    int Parse(const CGXmlNode* variable, const CGDBTableList& tables, std::string* error);

    std::string m_name;
    std::string m_alias;
    std::string m_units;        // UNITS VALUE
    std::string m_unitsPath;    // UNITS PATH, when there is no UNITS VALUE
    CGDBTable* m_unitsTable = nullptr;
    int m_adp = -1;
    std::string m_adpPath;      // ADP PATH, when there is no ADP VALUE
    int m_dimension = 1;        // as written; below 0 counts as 0
    int m_format = kPinDouble;
    int m_textLength = 0;       // of a text pin, as written
    CGDBTable* m_table = nullptr;
    CGDBTable* m_fieldTable = nullptr;
    bool m_reset = false;
    // The ID as the 32 bits data-set values carry (4294967295 and -1 are the
    // same ID).  A VARIABLE without ID has m_hasId false; it still enters the
    // pin table, under kNoPinId, which no data-set value can reach.
    int32_t m_id = -1;
    bool m_hasId = false;
    // DB pair: bank type and element index; -1 and -1 without DB.
    int m_dbBank = -1;
    int m_dbIndex = -1;
    bool m_specialTable = false;
};

// Owning pin and block lists, in element order.
using CGDBPinList = std::vector<std::unique_ptr<CGDBPin>>;
using CGDBBlockList = std::vector<std::unique_ptr<CGDBBlock>>;
// The pin table: pins with an ID under the ID's 32 bits taken as unsigned,
// pins without one under kNoPinId.
using CGDBPinTable = std::map<int64_t, CGDBPin*>;
const int64_t kNoPinId = -1;
inline int64_t PinTableKey(const CGDBPin& pin)
{
    return pin.m_hasId ? (int64_t)(uint32_t)pin.m_id : kNoPinId;
}
using CGDBNamePath = std::vector<const std::string*>;

class CGDBBlock {
public:
    virtual ~CGDBBlock() = default;

    // Reads the block's NAME and the VARIABLE children of INPUTS and OUTPUTS;
    // 0 when the NAME is missing or a pin fails.
    virtual int Parse(const CGXmlNode* element, const CGDBTableList& tables, int depth,
                      std::string* error);
    // 1 when the element exists (containers also check their nested blocks'
    // names).
    virtual int CheckNames(const CGXmlNode* element) const;
    // Enters the pins into the table; an ID already present keeps its pin.
    virtual void AddPinsToTable(CGDBPinTable& table) const;
    // Whether the pin is in this block (or below it); the names of the
    // nested blocks leading to it are pushed on path.
    virtual bool FindPinPath(const CGDBPin* pin, CGDBNamePath& path) const = 0;
    // Appends the pins in the nvdouble and nvint banks (types 2 and 3).
    virtual void CollectNvPins(std::vector<CGDBPin*>& list) const;

    // The pin named by a dotted path relative to this block, or nullptr.
    CGDBPin* FindPinByPath(const char* path) const;
    // Own input pin of that name, else own output pin, else nullptr.
    CGDBPin* FindOwnPin(const char* name) const;
    bool HoldsPin(const CGDBPin* pin) const;

    std::string m_name;
    CGDBPinList m_inputs;
    CGDBPinList m_outputs;

protected:
    virtual CGDBPin* FindPinByPathBelow(const char* first, size_t firstLength, const char* rest) const
    {
        return nullptr;
    }
};

class CGDBCodeBlock : public CGDBBlock {
public:
    bool FindPinPath(const CGDBPin* pin, CGDBNamePath& path) const override;
};

class CGDBContainer : public CGDBBlock {
public:
    // depth: nesting level of this container (the top one is 0).
    int Parse(const CGXmlNode* element, const CGDBTableList& tables, int depth,
              std::string* error) override;
    int CheckNames(const CGXmlNode* element) const override;
    void AddPinsToTable(CGDBPinTable& table) const override;
    bool FindPinPath(const CGDBPin* pin, CGDBNamePath& path) const override;
    void CollectNvPins(std::vector<CGDBPin*>& list) const override;

    CGDBBlockList m_containers;
    CGDBBlockList m_codeBlocks;

protected:
    CGDBPin* FindPinByPathBelow(const char* first, size_t firstLength, const char* rest) const override;
};

// The application's display menu: menus and items naming pins by path.
class CGDBDisplayNode {
public:
    enum NameMode { kNameWhole, kNameBefore, kNameInside };

    virtual ~CGDBDisplayNode() = default;
    virtual int Parse(const CGXmlNode* element, const CGDB& model);
    virtual bool IsMenu() const { return false; }

    std::string m_displayName;
    int m_ai = 0;
    CGDBPin* m_activePin = nullptr;
    int m_activeValue = 0;
    int m_flags = 0;
};

class CGDBDisplayItem : public CGDBDisplayNode {
public:
    int Parse(const CGXmlNode* element, const CGDB& model) override;

    CGDBPin* m_pin = nullptr;
    CGDBPin* m_identPin = nullptr;
};

class CGDBDisplayMenu : public CGDBDisplayNode {
public:
    // Children below this menu (the menus' own nesting is bounded too).
    int Parse(const CGXmlNode* element, const CGDB& model) override;
    bool IsMenu() const override { return true; }

    std::vector<std::unique_ptr<CGDBDisplayNode>> m_children;

private:
    friend class CGDB;
    int ParseAt(const CGXmlNode* element, const CGDB& model, int depth);
};

class CGDB : public CGXml {
public:
    enum { kPrinterSlots = 3 };

    CGDB();
    ~CGDB() override;

    // Builds the block tree from the CONTAINER below the root of the loaded
    // DRBv1 text, then the pin table; 1 on success, 0 when it cannot be read
    // (GetError() says why).  Parsing again starts afresh.
    int Parse();
    const char* GetError() const { return m_error.c_str(); }

    // 1 and "Main.<block>...<pin>" for a pin ID found in the tree, else 0.
    int GetPinName(CString& name, int32_t id) const;
    CGDBPin* FindPin(int32_t id) const;
    // Whether a data-set value keyed (ID, AI) belongs to this model: a pin of
    // that ID whose dimension is greater than AI (a negative AI never does).
    bool HoldsValue(uint32_t id, int32_t ai) const;

    const char* GetIdentity() const { return m_identity; }
    const CGDBContainer& GetTop() const { return m_top; }
    const CGDBPinTable& GetPinTable() const { return m_pins; }
    const CGDBTableList& GetTables() const { return m_tables; }

    CGDBContainer m_top;
    CGDBTableList m_tables;
    CDRNetwork m_network;
    CGPrinterSlot m_printers[kPrinterSlots];
    CGDBDisplayMenu m_displayMenu;
    CGDBStringTable m_stringTable;
    CDRReportList m_reports;

private:
    void Reset();

    char m_identity[37] = {};
    CGDBPinTable m_pins;
    std::string m_error;
};

// The names of the data-set values lost and gained by installing a new
// application over an old one: values of the old data set that do not belong
// to the new model (named with the old model), and values of the new data
// set that do not belong to the old model (named with the new model).  A
// value whose pin cannot be named is "Pin %d[%d]" with ID and AI.  A model
// may be null (its text did not parse): nothing belongs to it.
void CompareDataSetPins(const CGDB* oldModel, const std::map<int64_t, double>& oldValues,
                        const CGDB* newModel, const std::map<int64_t, double>& newValues,
                        std::vector<CString>& removed, std::vector<CString>& added);
// The same for two data sets (either may be null: it holds no values).
void CompareDataSetPins(const CGDB* oldModel, const CGDataSet* oldSet, const CGDB* newModel,
                        const CGDataSet* newSet, std::vector<CString>& removed, std::vector<CString>& added);
