#include "support/DRReport.h"

#include "support/Platform.h"
#include "support/Utilities.h"

#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

int ChildInt(const CGXmlNode* element, const char* name, int absent)
{
    const CGXmlNode* child = element->FindChild(name);
    return child ? child->GetInt(absent) : absent;
}

bool HasChild(const CGXmlNode* element, const char* name)
{
    return element->FindChild(name) != nullptr;
}

void SetFromChild(CDRText& text, const CGXmlNode* element, const char* name)
{
    const CGXmlNode* child = element->FindChild(name);
    if (child)
        text.Set(child->GetText());
    else
        text.Reset();
}

bool IsElement(const CGXmlNode* node, const char* name)
{
    return !node->IsAttribute() && strcmp(node->GetName(), name) == 0;
}

} // namespace

// ------------------------------------------------------------- data view

int CGDataView::GetCount(int type) const
{
    static const size_t elementSize[kBankTypes] = {8, 4, 8, 4, 32, 32, 192};
    if (type < 0 || type >= kBankTypes)
        return -1;
    size_t count = m_bankSizes[type] / elementSize[type];
    return count > (size_t)INT_MAX ? INT_MAX : (int)count;
}

int CGDataView::GetValue(int type, int index, double* value) const
{
    if (type < 0 || type >= kBankTypes || index < 0 || index >= GetCount(type))
        return 0;
    const unsigned char* bank = m_banks[m_useSecondSet ? 1 : 0][type];
    switch (type) {
    case kVDouble:
    case kNvDouble: {
        if (!bank)
            return 0;
        double stored;
        memcpy(&stored, bank + (size_t)index * 8, sizeof stored);
        *value = stored;
        return 1;
    }
    case kVInt:
    case kNvInt: {
        if (!bank)
            return 0;
        int32_t stored;
        memcpy(&stored, bank + (size_t)index * 4, sizeof stored);
        *value = (double)stored;
        return 1;
    }
    case kSysInfo:
    case kSysInfo2:
        *value = (double)index;
        return 1;
    default:
        return 0;
    }
}

// ---------------------------------------------------------------- report

int CDRReport::Parse(const CGXmlNode* element, bool referenceMode)
{
    if (!element)
        return 1;
    if (const CGXmlNode* type = element->FindChild("TYPE"))
        m_type = (int16_t)type->GetInt(0);
    if (const CGXmlNode* zone = element->FindChild("ZONE"))
        m_zone = (int16_t)zone->GetInt(0);
    const CGXmlNode* report = element->FindChild("REPORT");
    m_report = report ? report->GetBool() : true;
    if (const CGXmlNode* screen = element->FindChild("SCREEN"))
        m_screen = screen->GetBool();
    const struct {
        const char* name;
        CDRText* text;
    } texts[] = {{"VISIBLE", &m_visible},
                 {"VISIBLEDB", &m_visibleDb},
                 {"TRIGGER", &m_trigger},
                 {"TRIGGERDB", &m_triggerDb},
                 {"ATTRIBUTE", &m_attribute}};
    for (const auto& t : texts)
        if (const CGXmlNode* child = element->FindChild(t.name))
            t.text->Set(child->GetText());

    for (const CGXmlNode* child = element->GetFirstChild(); child; child = child->GetNext()) {
        if (IsElement(child, "VAR")) {
            const CGXmlNode* name = child->FindChild("PLACEMENT");
            if (!name || !*name->GetText())
                continue;
            CDRPlacement* placement = FindPlacement(name->GetText(), true);
            ReadPlacement(*placement, child, referenceMode);
            if (referenceMode ? placement->m_activeRef.HasDb() && placement->m_activeRef.HasId()
                              : !placement->m_activePath.IsEmpty())
                m_usesData = true;
            if (child->FindPath("ADP ID"))
                ++m_adpIdCount;
        } else if (IsElement(child, "IMAGE")) {
            CDRImage image;
            image.m_x = ChildInt(child, "X", 0);
            image.m_y = ChildInt(child, "Y", 0);
            image.m_width = ChildInt(child, "WIDTH", 0);
            image.m_height = ChildInt(child, "HEIGHT", 0);
            if (const CGXmlNode* data = child->FindChild("DATA")) {
                image.m_data = data->GetText();
                size_t length = 0;
                unsigned char* bytes = Base64Decode(image.m_data.c_str(), image.m_data.size(), &length);
                if (bytes)
                    image.m_bytes.assign(bytes, bytes + length);
                free(bytes);
            }
            AddImage(image);
        }
    }

    if (const CGXmlNode* templateReport = element->FindPath("TEMPLATEBODY REPORT"))
        ReadTemplate(templateReport);
    if (const CGXmlNode* lines = element->FindChild("ACTIVELINES"))
        ReadActiveLines(lines);
    if (const CGXmlNode* printers = element->FindChild("PRINTERS")) {
        m_printer1 = HasChild(printers, "1");
        m_printer2 = HasChild(printers, "2");
        m_printer3 = HasChild(printers, "3");
        m_sdCard = HasChild(printers, "SDCARD");
        m_ftp = HasChild(printers, "FTP");
    }
    ReadIdent();

    const char* attribute = m_attribute.Get();
    m_attributeFlags = 0;
    const struct {
        const char* key;
        const char* value;
        uint32_t flag;
    } flags[] = {{"type", "fctfx", kAttrTypeFctfx}, {"type", "qrcode", kAttrTypeQrcode}, {"dl", "text", kAttrDlText},
                 {"dl", "tsv", kAttrDlTsv},         {"dl", "tfx", kAttrDlTfx},          {"dl", "pdf", kAttrDlPdf}};
    for (const auto& f : flags)
        if (HasListValue(attribute, f.key, f.value))
            m_attributeFlags |= f.flag;
    return 1;
}

void CDRReport::ReadPlacement(CDRPlacement& placement, const CGXmlNode* var, bool referenceMode)
{
    if (referenceMode)
        placement.m_ref.Read(var, true, true);
    SetFromChild(placement.m_var, var, "VAR");
    placement.m_index = ChildInt(var, "INDEX", 0);
    placement.m_textLength = ChildInt(var, "TEXTLEN", 0);
    SetFromChild(placement.m_table, var, "TABLE");
    SetFromChild(placement.m_fullAlias, var, "FULLALIAS");
    placement.m_dateTime = HasChild(var, "DATETIME");

    if (const CGXmlNode* active = var->FindChild("ACTIVE")) {
        if (referenceMode)
            placement.m_activeRef.Read(active, true, true);
        SetFromChild(placement.m_activePath, active, "PATH");
        placement.m_activeValue = ChildInt(active, "VALUE", 0);
    }

    if (const CGXmlNode* value = var->FindPath("ADP VALUE")) {
        placement.m_adp = *value->GetText() ? value->GetInt(0) : 16;
    } else {
        placement.m_adp = -1;
        CGDataRef ref;
        const CGXmlNode* adp = var->FindChild("ADP");
        if (adp && ref.Read(adp, true, true)) {
            placement.m_adp = -2;
            placement.m_adpRef = ref;
        }
    }
    if (const CGXmlNode* attributes = var->FindChild("ATTRIBUTES"))
        placement.m_attributes.Set(attributes->GetText());
}

void CDRReport::ReadTemplate(const CGXmlNode* report)
{
    const CGXmlNode* text = report->FindChild("TEXT");
    m_templateText.clear();
    for (const char* p = text ? text->GetText() : ""; *p; ++p) {
        if (p[0] == '\r' && p[1] == '\n')
            continue; // the line feed follows
        m_templateText += *p;
    }
    m_textPlacements.clear();
    for (const CGXmlNode* child = report->GetFirstChild(); child; child = child->GetNext()) {
        if (!IsElement(child, "PLACEMENT"))
            continue;
        const CGXmlNode* name = child->FindChild("NAME");
        if (!name)
            continue;
        CDRTextPlacement placement;
        placement.m_name = name->GetText();
        placement.m_x = ChildInt(child, "X", 1);
        placement.m_y = ChildInt(child, "Y", 1);
        placement.m_width = ChildInt(child, "WIDTH", 0);
        placement.m_adp = ChildInt(child, "ADP", -1);
        if (const CGXmlNode* format = child->FindChild("DATE_FORMAT"))
            placement.m_dateFormat = format->GetText();
        placement.m_leadingZeros = HasChild(child, "LEADING_ZEROS");
        placement.m_leftAlign = HasChild(child, "LEFT_ALIGN");
        placement.m_bold = HasChild(child, "BOLD");
        placement.m_underline = HasChild(child, "UNDERLINE");
        m_textPlacements.push_back(placement);
    }
}

void CDRReport::ReadActiveLines(const CGXmlNode* lines)
{
    for (const CGXmlNode* child = lines->GetFirstChild(); child; child = child->GetNext()) {
        if (!IsElement(child, "AL"))
            continue;
        int number = ChildInt(child, "LINE", 0);
        if (number <= 0)
            continue;
        CGDataRef ref;
        if (!ref.Read(child, true, true))
            continue;
        const CGXmlNode* var = child->FindChild("VAR");
        if (!var || !*var->GetText())
            continue;
        CDRActiveLine line;
        line.m_ref = ref;
        line.m_var.Set(var->GetText());
        line.m_value = ChildInt(child, "VALUE", 0);
        m_activeLines[number] = line;
    }
    if (!m_activeLines.empty())
        m_usesData = true;
}

void CDRReport::ReadIdent()
{
    // Three quoted values: ident='first','second','third' (each 1 to 255
    // characters; the last one is cut to 255).
    const char* p = strstr(m_attribute.Get(), "ident='");
    if (!p)
        return;
    p += 7;
    std::string values[3];
    for (int i = 0; i < 3; ++i) {
        size_t length = strcspn(p, "'");
        if (length == 0)
            return;
        values[i].assign(p, length < 255 ? length : 255);
        if (i == 2)
            break;
        if (length > 255 || strncmp(p + length, "','", 3) != 0)
            return;
        p += length + 3;
    }
    for (int i = 0; i < 3; ++i)
        m_ident[i].Set(values[i].c_str());
}

bool CDRReport::IsActive(const CGDataView* view, const CDRPlacement* placement) const
{
    if (!view || !placement || !placement->m_activeRef.HasId())
        return true;
    const CGDataRef& ref = placement->m_activeRef;
    double value;
    if (ref.HasDb() && view->GetValue((int)(ref.m_db >> 24), (int)(ref.m_db & 0xFFFFFFu), &value))
        return value == (double)placement->m_activeValue;
    return true;
}

CDRPlacement* CDRReport::FindPlacement(const char* name, bool create)
{
    if (!name)
        return nullptr;
    auto found = m_placements.find(name);
    if (found != m_placements.end())
        return &found->second;
    return create ? &m_placements[name] : nullptr;
}

void CDRReport::AddImage(const CDRImage& image)
{
    m_images.push_back(image);
    CDRImage& added = m_images.back();
    if (added.m_x < 0)
        added.m_x = 0;
    if (added.m_y < 0)
        added.m_y = 0;
}

void CDRReport::Clear()
{
    m_visible.Reset();
    m_trigger.Reset();
    m_visibleDb.Reset();
    m_triggerDb.Reset();
    m_attribute.Reset();
    for (CDRText& ident : m_ident)
        ident.Reset();
    m_placements.clear();
    m_textPlacements.clear();
    m_images.clear();
    m_templateText.clear();
    m_activeLines.clear();
}

// ----------------------------------------------------------- report list

CDRReportList::~CDRReportList()
{
    if (!m_owns)
        return;
    while (m_first) {
        CDRReport* next = m_first->m_next;
        delete m_first;
        m_first = next;
    }
}

CDRReport* CDRReportList::NewReport()
{
    CDRReport* report = new CDRReport;
    if (m_last)
        m_last->m_next = report;
    else
        m_first = report;
    m_last = report;
    ++m_count;
    return report;
}

// ---------------------------------------------------------- printer slot

int CGPrinterSlot::Init(bool withDefaults)
{
    Close();
    if (withDefaults) {
        m_setting = 0;
        m_serialPort = -1;
        m_baudRate = 115200;
        m_dataBits = 8;
        m_parity = 0;
        m_flowControl = 0;
        m_stopBits = 1;
        m_tcpPort = 9100;
        m_option1 = 0;
        m_option2 = 100;
        m_option3 = 0;
    }
    MakeDirectory("target/spool"); // fails harmlessly without a "target" folder
    return 1;
}

void CGPrinterSlot::Close()
{
    if (m_connection) {
        PlatformCloseHandle(m_connection->m_handle);
        m_connection.reset();
    }
    m_job.reset();
}

void CGPrinterSlot::SetName(const char* name)
{
    FormatBounded(m_name, sizeof m_name, "%s", name ? name : "");
}
