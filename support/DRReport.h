#pragma once
// Report and screen descriptions of an application: which variables are
// placed where and how, images, printers, conditions that show or hide a
// placement, and numbered active lines.  CDRReport is one description,
// CDRReportList owns the reports of one application model, and CGDataView
// answers conditions from the controller's data memory.  The same module
// holds the application model's printer slots and string table.
#include "support/GDataSet.h"
#include "support/GXml.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// The controller's data memory as seen by a host: banks of typed elements.
// A DB value addresses it with the bank type in its top 8 bits and the
// element index in its low 24 bits.
class CGDataView {
public:
    enum {
        kVDouble = 0,  // 8-byte doubles
        kVInt = 1,     // signed 32-bit integers
        kNvDouble = 2, // 8-byte doubles
        kNvInt = 3,    // signed 32-bit integers
        kSysInfo = 4,  // 32-byte records
        kSysInfo2 = 5, // 32-byte records
        kAlarm = 6,    // 192-byte records
        kBankTypes = 7,
    };

    // Number of elements of a bank: its byte size over its element size;
    // -1 for an unknown type.
    int GetCount(int type) const;
    // 1 and the value for an index from 0 to count - 1: the stored double
    // (types 0, 2), the stored integer (1, 3), the index itself (4, 5);
    // 0 otherwise (type 6, unknown types, a missing bank).
    int GetValue(int type, int index, double* value) const;

    // Which of the two sets of bank pointers is in use (0 or 1).
    int m_useSecondSet = 0;
    const unsigned char* m_banks[2][kBankTypes] = {};
    size_t m_bankSizes[kBankTypes] = {};
};

// An owned text that may be absent; reading an absent one gives "".
class CDRText {
public:
    void Set(const char* text)
    {
        m_present = text != nullptr;
        m_text = text ? text : "";
    }
    void Reset()
    {
        m_present = false;
        m_text.clear();
    }
    const char* Get() const { return m_text.c_str(); }
    bool IsPresent() const { return m_present; }
    bool IsEmpty() const { return m_text.empty(); }

private:
    std::string m_text;
    bool m_present = false;
};

// One VAR element of a report: a variable placed by name.
struct CDRPlacement {
    CGDataRef m_ref;
    CDRText m_var;
    int m_index = 0;
    CDRText m_table;
    CDRText m_fullAlias;
    int m_textLength = 0;
    bool m_dateTime = false;
    // Condition that shows the placement.
    CGDataRef m_activeRef;
    CDRText m_activePath;
    int m_activeValue = 0;
    // -1 none, the ADP value, or -2: given by m_adpRef.
    int m_adp = -1;
    CGDataRef m_adpRef;
    CDRText m_attributes;
};

// One PLACEMENT of a template report.
struct CDRTextPlacement {
    std::string m_name;
    int m_x = 1;
    int m_y = 1;
    int m_width = 0;
    int m_adp = -1;
    std::string m_dateFormat;
    bool m_leadingZeros = false;
    bool m_leftAlign = false;
    bool m_bold = false;
    bool m_underline = false;
};

struct CDRImage {
    int m_x = 0;
    int m_y = 0;
    int m_width = 0;
    int m_height = 0;
    std::string m_data;                 // base64 text as read
    std::vector<unsigned char> m_bytes; // decoded
};

struct CDRActiveLine {
    CGDataRef m_ref;
    CDRText m_var;
    int m_value = 0;
};

class CDRReport {
public:
    enum {
        kAttrTypeFctfx = 1,
        kAttrTypeQrcode = 2,
        kAttrDlText = 4,
        kAttrDlTsv = 8,
        kAttrDlTfx = 16,
        kAttrDlPdf = 32,
    };

    CDRReport() = default;
    virtual ~CDRReport() { Clear(); }
    CDRReport(const CDRReport&) = delete;
    CDRReport& operator=(const CDRReport&) = delete;

    // Reads one description; always 1.  In reference mode conditions and
    // variables are addressed by data references (DB and ID), otherwise
    // by paths.
    virtual int Parse(const CGXmlNode* element, bool referenceMode);
    // Whether a placement is to be shown with the data of the view.
    virtual bool IsActive(const CGDataView* view, const CDRPlacement* placement) const;

    CDRPlacement* FindPlacement(const char* name, bool create);
    void AddImage(const CDRImage& image);
    void Clear();

    int16_t m_type = 1;
    int16_t m_zone = 1;
    CDRText m_visible;
    CDRText m_trigger;
    CDRText m_visibleDb;
    CDRText m_triggerDb;
    CDRText m_attribute;
    CDRText m_ident[3];
    bool m_report = true;
    bool m_screen = false;
    bool m_printer1 = false;
    bool m_printer2 = false;
    bool m_printer3 = false;
    bool m_sdCard = false;
    bool m_ftp = false;
    std::map<std::string, CDRPlacement> m_placements;
    std::vector<CDRTextPlacement> m_textPlacements;
    std::vector<CDRImage> m_images;
    std::string m_templateText;
    std::map<int, CDRActiveLine> m_activeLines;
    bool m_usesData = false;
    int m_adpIdCount = 0; // variables that carry an ADP ID
    uint32_t m_attributeFlags = 0;
    CDRReport* m_next = nullptr; // next report of the owning list

private:
    void ReadPlacement(CDRPlacement& placement, const CGXmlNode* var, bool referenceMode);
    void ReadTemplate(const CGXmlNode* report);
    void ReadActiveLines(const CGXmlNode* lines);
    void ReadIdent();
};

class CDRReportList {
public:
    CDRReportList() = default;
    virtual ~CDRReportList();
    CDRReportList(const CDRReportList&) = delete;
    CDRReportList& operator=(const CDRReportList&) = delete;

    // Creates one empty report and appends it to the list.
    virtual CDRReport* NewReport();

    CDRReport* GetFirst() const { return m_first; }
    int GetCount() const { return m_count; }

    bool m_owns = true;

private:
    CDRReport* m_first = nullptr;
    CDRReport* m_last = nullptr;
    int m_count = 0;
};

// A printer connection: a system handle and its two buffers.
struct CGPrinterConnection {
    void* m_handle = nullptr;
    std::vector<unsigned char> m_output;
    std::vector<unsigned char> m_input;
};

// One of the three printer slots of an application model.
class CGPrinterSlot {
public:
    enum { kNameSize = 48 };

    CGPrinterSlot() = default;
    ~CGPrinterSlot() { Close(); }
    CGPrinterSlot(const CGPrinterSlot&) = delete;
    CGPrinterSlot& operator=(const CGPrinterSlot&) = delete;

    // Closes what the slot holds, sets the defaults when asked and creates
    // the spool folder "target/spool" below the working directory (a
    // missing "target" folder is no error).  Returns 1.
    int Init(bool withDefaults);
    // Closes the connection's handle and frees the connection and the job.
    void Close();
    // Copies at most 47 characters.
    void SetName(const char* name);

    char m_name[kNameSize] = "";
    int m_setting = 0;
    std::unique_ptr<CGPrinterConnection> m_connection;
    std::unique_ptr<std::vector<unsigned char>> m_job;
    // Serial line.
    int m_serialPort = -1;
    int m_baudRate = 115200;
    int m_dataBits = 8;
    int m_parity = 0;
    int m_flowControl = 0;
    int m_stopBits = 1;
    // Network printer.
    int m_tcpPort = 9100;
    int m_option1 = 0;
    int m_option2 = 100;
    int m_option3 = 0;
};

// The application model's string table: 17 text columns and rows of 17
// texts by an integer key.
class CGDBStringTable {
public:
    enum { kColumns = 17 };
    CGDBStringTable() = default;
    ~CGDBStringTable() = default;

    std::array<std::string, kColumns> m_slots;
    std::map<int, std::array<std::string, kColumns>> m_rows;
};
