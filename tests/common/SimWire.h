#pragma once
// The controller's TCP wire format as the simulated controller knows it,
// written down from the controller's side: literal command, runtime and
// file-request values and a header codec of its own.  Nothing here comes
// from the program, so a program that sends a wrong number or frames a
// message wrongly meets a controller that does not understand it.
#include <cstddef>
#include <cstdint>
#include <string>

namespace trovtest {
namespace wire {

const uint16_t kPort = 38254;
const size_t kHeaderSize = 8;

// Commands (word 2 of a request; a successful reply echoes it).
const uint16_t kGetLog = 9;
const uint16_t kLogin = 16;
const uint16_t kRuntime = 18;
const uint16_t kBeginUpload = 19;
const uint16_t kData = 20;
const uint16_t kGetFile = 27;
const uint16_t kIdentify = 29;
const uint16_t kXmlCommand = 35;

// Parameters (word 4) of kRuntime.
const uint16_t kRuntimeStop = 0;
const uint16_t kRuntimeRestartClear = 1;
const uint16_t kRuntimeRestartFirmware = 2;
const uint16_t kRuntimeRestartKeep = 4;
const uint16_t kRuntimeInstallApp = 5;
const uint16_t kRuntimeStartIoUpgrade = 6;

// Four big-endian 16-bit words: sequence, command (in replies the result,
// 0 = failure), length, parameter.
struct Header {
    uint16_t sequence = 0;
    uint16_t command = 0;
    uint16_t length = 0;
    uint16_t parameter = 0;

    // Words 3 and 4 of a file reply: one 32-bit big-endian count.
    uint32_t FileLength() const { return (uint32_t)length << 16 | parameter; }
};

void EncodeHeader(const Header& header, unsigned char out[kHeaderSize]);
Header DecodeHeader(const unsigned char in[kHeaderSize]);
std::string HeaderBytes(const Header& header);

// The 16-byte payloads that name the two files a controller hands out.
std::string BackupRequest();   // "target/lmrt.lmx" and its terminator
std::string EventLogRequest(); // "SYSLOG" and ten zero bytes

// The 32 lower-case hexadecimal digits of the MD5 digest of a password,
// which a login carries.
std::string LoginDigest(const std::string& password);

} // namespace wire
} // namespace trovtest
