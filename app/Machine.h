#pragma once
#include <cstdint>
// One controller as the program knows it: the MACHINE element of
// machines.xml and *.tvl files, and what a controller says of itself in its
// TROV replies.
#include <cstddef>

#include "app/BoardType.h"
#include "app/IpAddress.h"
#include "framework/String.h"

class CGXmlNode;
class CGTextStore;
class CGXmlWriter;

// Display states.
enum { kMachineNew = 0, kMachineNotAnswered = 1, kMachineAnswered = 2 };

// Indexes of CMachine::m_ifValues.
enum {
    kIf1Dhcp = 0,
    kIf2Dhcp = 1,
    kIf1Ip = 2,
    kIf2Ip = 3,
    kIf1Netmask = 4,
    kIf2Netmask = 5,
    kIf1Gateway = 6,
    kIfValueCount = 7
};

// A new GUID as "%.08x-%.04x-%.04x-%.02x%.02x-%.02x%.02x%.02x%.02x%.02x%.02x"
// (36 characters and the terminator).
void MakeGuidText(char text[37]);

// The first child of each name that a MACHINE element or a reply is read
// by, found in one walk over the element's children.
struct CMachineXmlChildren {
    enum {
        kHostName, kComment, kConfig, kSetup, kAppVersion, kAppGuid, kIf1, kIf2, kIf, kVersion, kAltera, kMac,
        kK410, kK420, kK430, kRpi, kIdentButton, kCount
    };
    explicit CMachineXmlChildren(const CGXmlNode* element);
    const char* Text(int which) const;
    int Board() const;
    const CGXmlNode* node[kCount] = {};
};

class CMachine {
public:
    CMachine(const CIpAddress& address, int inList);
    // Without a GUID (for a machine about to be filled from a reply).
    enum NoGuidTag { kNoGuid };
    CMachine(const CIpAddress& address, int inList, NoGuidTag);

    // Copies every field, the list membership, state, local flag, address,
    // duplicate mark, blink count and board type included.
    void CopyFrom(const CMachine& other);
    static CMachine* CopyConstruct(const CMachine& other);

    // Fills the machine from a MACHINE element or the root of a reply.
    // Address, list membership, state, local flag, duplicate mark and blink
    // count are not touched.
    void ReadXml(const CGXmlNode* element);
    void ReadXml(const CMachineXmlChildren& children);
    // Appends the MACHINE children to element, KEY being keyAddress.
    void WriteXml(CGTextStore* store, CGXmlNode* element, const CIpAddress& keyAddress) const;
    // Writes the same children straight to a writer whose MACHINE element is
    // open (the text is the one the element above would write): a whole
    // list is written without building a document first.
    void WriteXml(CGXmlWriter& writer, const CIpAddress& keyAddress) const;
    // A 64-bit fingerprint of exactly what WriteXml writes (names, texts and
    // nesting), without writing it: two machines that would be written the
    // same have the same fingerprint.
    uint64_t XmlFingerprint(const CIpAddress& keyAddress) const;
    static int DetectBoardType(const CGXmlNode* element);

    // "%dv%dr%d-%s" into major, minor, release and suffix; otherwise major
    // -1 and the whole text as suffix.
    void SetVersion(const char* text);
    // Empty for an unknown firmware; "[RPI] " for an RPI board, then
    // "Missing" for 0v0r0 or "%dv%dr%d-%s".
    CString GetFirmwareText() const;

    // The MAC and interface number identify a controller.
    bool HasMacAndIf(const char* mac, int ifNumber) const;

    CString m_hostName;
    CString m_comment;
    CString m_config;
    CString m_setup = "Base";
    CString m_appVersion;
    char m_appGuid[37] = {};
    CString m_ifValues[kIfValueCount];
    int m_ifNumber = 0;
    int m_fwMajor = -1;
    int m_fwMinor = -1;
    int m_fwRelease = -1;
    char m_fwSuffix[256] = {};
    CString m_ioFirmware;
    // MAC and interface number identify a controller; after changing them
    // on a machine of a map other than by a reply, call the map's
    // CMachineMap::IdentityChanged.
    CString m_mac;
    int m_inList = 0;
    int m_state = kMachineNew;
    int m_local = 0;
    CIpAddress m_address;
    int m_duplicate = 0;
    int m_identBlink = 0;
    int m_boardType = kBoardNone;
};
