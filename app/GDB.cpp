#include "app/GDB.h"

#include "app/Machine.h"
#include "support/GDataSet.h"
#include "support/Utilities.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* ChildText(const CGXmlNode* element, const char* name)
{
    const CGXmlNode* child = element->FindChild(name);
    return child ? child->GetText() : nullptr;
}

// "%d:%d" read without the C library's undefined overflow: each number is
// clamped to the int range.  false unless both numbers and the colon are
// there.
bool ReadDbPair(const char* text, int* bank, int* index)
{
    const char* p = text;
    long values[2];
    for (int i = 0; i < 2; ++i) {
        while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n')
            ++p;
        char* end = nullptr;
        errno = 0;
        long v = strtol(p, &end, 10);
        if (end == p)
            return false;
        if (v > INT_MAX)
            v = INT_MAX;
        if (v < INT_MIN)
            v = INT_MIN;
        values[i] = v;
        p = end;
        if (i == 0) {
            if (*p != ':')
                return false;
            ++p;
        }
    }
    *bank = (int)values[0];
    *index = (int)values[1];
    return true;
}

void SetError(std::string* error, const std::string& text)
{
    if (error != nullptr && error->empty())
        *error = text;
}

} // namespace

// ---------------------------------------------------------------- tables

CGDBTable* CGDBTableList::Find(const char* name) const
{
    if (name == nullptr)
        return nullptr;
    for (const auto& table : m_tables)
        if (table->m_name == name)
            return table.get();
    return nullptr;
}

CGDBTable* CGDBTableList::Add(const char* name, int kind)
{
    m_tables.push_back(std::make_unique<CGDBTable>());
    CGDBTable* table = m_tables.back().get();
    table->m_name = name ? name : "";
    table->m_kind = kind;
    return table;
}

// ---------------------------------------------------------------- pins

int CGDBPin::Parse(const CGXmlNode* variable, const CGDBTableList& tables, std::string* error)
{
    const CGXmlNode* name = variable->FindChild("NAME");
    if (name == nullptr) {
        SetError(error, "VARIABLE without NAME");
        return 0;
    }
    m_name = name->GetText();
    if (const char* alias = ChildText(variable, "ALIAS"))
        m_alias = alias;

    if (const CGXmlNode* units = variable->FindPath("UNITS VALUE")) {
        m_units = units->GetText();
    } else {
        if (const CGXmlNode* path = variable->FindPath("UNITS PATH"))
            m_unitsPath = path->GetText();
        if (const CGXmlNode* table = variable->FindPath("UNITS TABLE"))
            m_unitsTable = tables.Find(table->GetText());
    }

    if (const CGXmlNode* adp = variable->FindPath("ADP VALUE"))
        m_adp = adp->GetInt(0);
    else if (const CGXmlNode* path = variable->FindPath("ADP PATH"))
        m_adpPath = path->GetText();

    if (const CGXmlNode* dim = variable->FindChild("DIM"))
        m_dimension = dim->GetInt(1);

    const CGXmlNode* format = variable->FindChild("FORMAT");
    if (format == nullptr || strcmp(format->GetText(), "double") == 0) {
        m_format = variable->FindChild("DATETIME") ? kPinDateTime : kPinDouble;
    } else if (strcmp(format->GetText(), "int") == 0) {
        if (variable->FindChild("STRING")) {
            m_format = kPinText;
            const CGXmlNode* length = variable->FindChild("TEXTLEN");
            m_textLength = length ? length->GetInt(1) : 1;
        } else if (variable->FindChild("IPADDRESS") && m_dimension == 4) {
            m_format = kPinIpAddress;
        } else {
            m_format = kPinInteger;
        }
    }

    if (const char* table = ChildText(variable, "TABLE")) {
        m_table = tables.Find(table);
        m_specialTable = m_table != nullptr && m_table->IsSpecial();
    }
    if (const char* table = ChildText(variable, "FIELDTABLE"))
        m_fieldTable = tables.Find(table);
    m_reset = variable->FindChild("RESET") != nullptr;

    if (const CGXmlNode* id = variable->FindChild("ID")) {
        // Data-set values carry IDs as 32 bits: both spellings of the highest
        // one name it.
        m_id = (int32_t)id->GetULong(0);
        m_hasId = true;
    }
    if (const char* db = ChildText(variable, "DB")) {
        if (!ReadDbPair(db, &m_dbBank, &m_dbIndex)) {
            m_dbBank = -1;
            m_dbIndex = -1;
        }
    }
    return 1;
}

// ---------------------------------------------------------------- blocks

int CGDBBlock::Parse(const CGXmlNode* element, const CGDBTableList& tables, int depth, std::string* error)
{
    const CGXmlNode* name = element->FindChild("NAME");
    if (name == nullptr) {
        SetError(error, std::string(element->GetName()) + " without NAME");
        return 0;
    }
    m_name = name->GetText();
    struct Side {
        const char* element;
        CGDBPinList* pins;
    } sides[] = {{"INPUTS", &m_inputs}, {"OUTPUTS", &m_outputs}};
    for (const Side& side : sides) {
        const CGXmlNode* list = element->FindChild(side.element);
        if (list == nullptr)
            continue;
        for (const CGXmlNode* child = list->GetFirstChild(); child; child = child->GetNext()) {
            if (child->IsAttribute() || strcmp(child->GetName(), "VARIABLE") != 0)
                continue;
            side.pins->push_back(std::make_unique<CGDBPin>());
            if (!side.pins->back()->Parse(child, tables, error)) {
                SetError(error, "in block " + m_name);
                return 0;
            }
        }
    }
    return 1;
}

int CGDBBlock::CheckNames(const CGXmlNode* element) const
{
    return element != nullptr ? 1 : 0;
}

void CGDBBlock::AddPinsToTable(CGDBPinTable& table) const
{
    for (const auto& pin : m_inputs)
        table.emplace(PinTableKey(*pin), pin.get());
    for (const auto& pin : m_outputs)
        table.emplace(PinTableKey(*pin), pin.get());
}

void CGDBBlock::CollectNvPins(std::vector<CGDBPin*>& list) const
{
    for (const CGDBPinList* pins : {&m_inputs, &m_outputs})
        for (const auto& pin : *pins)
            if (pin->m_dbBank == 2 || pin->m_dbBank == 3)
                list.push_back(pin.get());
}

bool CGDBBlock::HoldsPin(const CGDBPin* pin) const
{
    for (const CGDBPinList* pins : {&m_inputs, &m_outputs})
        for (const auto& own : *pins)
            if (own.get() == pin)
                return true;
    return false;
}

CGDBPin* CGDBBlock::FindOwnPin(const char* name) const
{
    for (const CGDBPinList* pins : {&m_inputs, &m_outputs})
        for (const auto& own : *pins)
            if (own->m_name == name)
                return own.get();
    return nullptr;
}

CGDBPin* CGDBBlock::FindPinByPath(const char* path) const
{
    if (path == nullptr)
        return nullptr;
    const char* dot = strchr(path, '.');
    if (dot == nullptr)
        return FindOwnPin(path);
    return FindPinByPathBelow(path, (size_t)(dot - path), dot + 1);
}

bool CGDBCodeBlock::FindPinPath(const CGDBPin* pin, CGDBNamePath& path) const
{
    return HoldsPin(pin);
}

int CGDBContainer::Parse(const CGXmlNode* element, const CGDBTableList& tables, int depth, std::string* error)
{
    if (depth > kGDBMaxDepth) {
        SetError(error, "containers nested too deeply");
        return 0;
    }
    for (const CGXmlNode* child = element->GetFirstChild(); child; child = child->GetNext()) {
        if (child->IsAttribute())
            continue;
        if (strcmp(child->GetName(), "CONTAINER") == 0) {
            m_containers.push_back(std::make_unique<CGDBContainer>());
            if (!m_containers.back()->Parse(child, tables, depth + 1, error))
                return 0;
        } else if (strcmp(child->GetName(), "CODEBLOCK") == 0) {
            m_codeBlocks.push_back(std::make_unique<CGDBCodeBlock>());
            if (!m_codeBlocks.back()->Parse(child, tables, depth + 1, error))
                return 0;
        }
    }
    return CGDBBlock::Parse(element, tables, depth, error);
}

int CGDBContainer::CheckNames(const CGXmlNode* element) const
{
    if (element == nullptr)
        return 0;
    for (const CGXmlNode* child = element->GetFirstChild(); child; child = child->GetNext()) {
        if (child->IsAttribute())
            continue;
        const CGDBBlockList* blocks = nullptr;
        if (strcmp(child->GetName(), "CONTAINER") == 0)
            blocks = &m_containers;
        else if (strcmp(child->GetName(), "CODEBLOCK") == 0)
            blocks = &m_codeBlocks;
        const CGXmlNode* name = blocks ? child->FindChild("NAME") : nullptr;
        if (name == nullptr)
            continue;
        const CGDBBlock* match = nullptr;
        for (const auto& block : *blocks)
            if (block->m_name == name->GetText()) {
                match = block.get();
                break;
            }
        if (match == nullptr || !match->CheckNames(child))
            return 0;
    }
    return 1;
}

void CGDBContainer::AddPinsToTable(CGDBPinTable& table) const
{
    for (const auto& block : m_containers)
        block->AddPinsToTable(table);
    for (const auto& block : m_codeBlocks)
        block->AddPinsToTable(table);
    CGDBBlock::AddPinsToTable(table);
}

bool CGDBContainer::FindPinPath(const CGDBPin* pin, CGDBNamePath& path) const
{
    if (HoldsPin(pin))
        return true;
    for (const CGDBBlockList* blocks : {&m_containers, &m_codeBlocks})
        for (const auto& block : *blocks) {
            path.push_back(&block->m_name);
            if (block->FindPinPath(pin, path))
                return true;
            path.pop_back();
        }
    return false;
}

void CGDBContainer::CollectNvPins(std::vector<CGDBPin*>& list) const
{
    CGDBBlock::CollectNvPins(list);
    for (const auto& block : m_containers)
        block->CollectNvPins(list);
}

CGDBPin* CGDBContainer::FindPinByPathBelow(const char* first, size_t firstLength, const char* rest) const
{
    // Walked without recursion: a path may hold any number of dots.
    const CGDBContainer* container = this;
    for (;;) {
        const CGDBBlock* next = nullptr;
        for (const auto& block : container->m_containers)
            if (block->m_name.size() == firstLength && memcmp(block->m_name.data(), first, firstLength) == 0) {
                next = block.get();
                break;
            }
        if (next == nullptr) {
            for (const auto& block : container->m_codeBlocks)
                if (block->m_name.size() == firstLength && memcmp(block->m_name.data(), first, firstLength) == 0)
                    return block->FindOwnPin(rest);
            return nullptr;
        }
        container = static_cast<const CGDBContainer*>(next);
        const char* dot = strchr(rest, '.');
        if (dot == nullptr)
            return container->FindOwnPin(rest);
        first = rest;
        firstLength = (size_t)(dot - rest);
        rest = dot + 1;
    }
}

// ---------------------------------------------------------------- display menu

int CGDBDisplayNode::Parse(const CGXmlNode* element, const CGDB& model)
{
    if (const char* name = ChildText(element, "NAME"))
        m_displayName = name;
    if (const CGXmlNode* ai = element->FindPath("VAR AI"))
        m_ai = ai->GetInt(0);
    if (const CGXmlNode* active = element->FindChild("ACTIVE")) {
        if (const char* path = ChildText(active, "PATH"))
            m_activePin = model.m_top.FindPinByPath(path);
        if (const CGXmlNode* value = active->FindChild("VALUE"))
            m_activeValue = value->GetInt(0);
    }
    NameMode mode = kNameWhole;
    if (const char* attributes = ChildText(element, "ATTRIBUTES")) {
        if (const char* id = strstr(attributes, "id=")) {
            for (const char* p = id + 3; *p && *p != ' '; ++p) {
                switch (*p) {
                case 'e': m_flags |= 8; break;
                case 'i': m_flags |= 1; mode = kNameInside; break;
                case 'n': m_flags |= 1; mode = kNameBefore; break;
                case 't': m_flags |= 1; mode = kNameWhole; break;
                case 'u': m_flags |= 4; break;
                case 'v': m_flags |= 2; break;
                default: break;
                }
            }
        }
    }
    size_t open = m_displayName.find('[');
    if (mode == kNameBefore && open != std::string::npos) {
        m_displayName.erase(open);
    } else if (mode == kNameInside && open != std::string::npos) {
        // Between the first '[' and the last character (the closing ']').
        size_t last = m_displayName.size() - 1;
        m_displayName = last > open ? m_displayName.substr(open + 1, last - open - 1) : std::string();
    }
    if (m_flags == 0)
        m_flags = 7;
    return 1;
}

int CGDBDisplayItem::Parse(const CGXmlNode* element, const CGDB& model)
{
    struct Link {
        const char* path;
        const char* table;
        CGDBPin** pin;
    } links[] = {{"PATH", "TABLE", &m_pin}, {"IDENTPATH", "IDENTTABLE", &m_identPin}};
    for (const Link& link : links) {
        const char* path = ChildText(element, link.path);
        if (path == nullptr)
            continue;
        *link.pin = model.m_top.FindPinByPath(path);
        if (*link.pin != nullptr && (*link.pin)->m_table == nullptr)
            if (const char* table = ChildText(element, link.table))
                (*link.pin)->m_table = model.m_tables.Find(table);
    }
    return CGDBDisplayNode::Parse(element, model);
}

int CGDBDisplayMenu::Parse(const CGXmlNode* element, const CGDB& model)
{
    return ParseAt(element, model, 0);
}

int CGDBDisplayMenu::ParseAt(const CGXmlNode* element, const CGDB& model, int depth)
{
    if (depth > kGDBMaxDepth)
        return 0;
    for (const CGXmlNode* child = element->GetFirstChild(); child; child = child->GetNext()) {
        if (child->IsAttribute())
            continue;
        if (strcmp(child->GetName(), "MENU") == 0) {
            auto menu = std::make_unique<CGDBDisplayMenu>();
            if (!menu->ParseAt(child, model, depth + 1))
                return 0;
            m_children.push_back(std::move(menu));
        } else if (strcmp(child->GetName(), "ITEM") == 0) {
            auto item = std::make_unique<CGDBDisplayItem>();
            item->Parse(child, model);
            m_children.push_back(std::move(item));
        }
    }
    return CGDBDisplayNode::Parse(element, model);
}

// ---------------------------------------------------------------- model

CGDB::CGDB() : CGXml(0)
{
    MakeGuidText(m_identity);
    for (int i = 0; i < kPrinterSlots; ++i) {
        m_printers[i].Init(true);
        char name[CGPrinterSlot::kNameSize];
        FormatBounded(name, sizeof name, "Printer %d", i + 1);
        m_printers[i].SetName(name);
    }
}

CGDB::~CGDB()
{
    for (CGPrinterSlot& slot : m_printers)
        slot.Close();
}

void CGDB::Reset()
{
    m_pins.clear();
    m_top.m_containers.clear();
    m_top.m_codeBlocks.clear();
    m_top.m_inputs.clear();
    m_top.m_outputs.clear();
    m_top.m_name.clear();
    m_error.clear();
}

int CGDB::Parse()
{
    Reset();
    const CGXmlNode* root = GetRoot();
    const CGXmlNode* container = root ? root->FindChild("CONTAINER") : nullptr;
    if (container == nullptr || container->IsAttribute()) {
        m_error = "no CONTAINER below the root";
        return 0;
    }
    if (!m_top.Parse(container, m_tables, 0, &m_error)) {
        // A half-read tree names nothing.
        std::string error = m_error;
        Reset();
        m_error = error;
        return 0;
    }
    m_top.AddPinsToTable(m_pins);
    return 1;
}

CGDBPin* CGDB::FindPin(int32_t id) const
{
    auto found = m_pins.find((int64_t)(uint32_t)id);
    return found != m_pins.end() ? found->second : nullptr;
}

int CGDB::GetPinName(CString& name, int32_t id) const
{
    const CGDBPin* pin = FindPin(id);
    if (pin == nullptr)
        return 0;
    CGDBNamePath path;
    if (!m_top.FindPinPath(pin, path))
        return 0;
    std::string text = "Main";
    for (const std::string* block : path) {
        text += '.';
        text += *block;
    }
    text += '.';
    text += pin->m_name;
    name = text.c_str();
    return 1;
}

bool CGDB::HoldsValue(uint32_t id, int32_t ai) const
{
    const CGDBPin* pin = FindPin((int32_t)id);
    return pin != nullptr && ai >= 0 && pin->m_dimension > ai;
}

void CompareDataSetPins(const CGDB* oldModel, const std::map<int64_t, double>& oldValues,
                        const CGDB* newModel, const std::map<int64_t, double>& newValues,
                        std::vector<CString>& removed, std::vector<CString>& added)
{
    struct Side {
        const std::map<int64_t, double>* values;
        const CGDB* namer;   // the model the values come from
        const CGDB* other;   // the model they must belong to
        std::vector<CString>* out;
    } sides[] = {{&oldValues, oldModel, newModel, &removed}, {&newValues, newModel, oldModel, &added}};
    for (const Side& side : sides) {
        for (const auto& value : *side.values) {
            uint32_t id = (uint32_t)((uint64_t)value.first & 0xFFFFFFFFu);
            int32_t ai = (int32_t)(uint32_t)((uint64_t)value.first >> 32);
            if (side.other != nullptr && side.other->HoldsValue(id, ai))
                continue;
            CString name;
            if (side.namer == nullptr || !side.namer->GetPinName(name, (int32_t)id))
                name.Format("Pin %d[%d]", (int)id, (int)ai);
            side.out->push_back(name);
        }
    }
}

void CompareDataSetPins(const CGDB* oldModel, const CGDataSet* oldSet, const CGDB* newModel,
                        const CGDataSet* newSet, std::vector<CString>& removed, std::vector<CString>& added)
{
    static const std::map<int64_t, double> kNone;
    CompareDataSetPins(oldModel, oldSet ? oldSet->m_values : kNone, newModel, newSet ? newSet->m_values : kNone,
                       removed, added);
}
