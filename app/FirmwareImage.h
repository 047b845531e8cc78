#pragma once
// What is uploaded to a controller as firmware or I/O firmware, and the
// checks made on the chosen files before any controller is contacted.
//
// K410, K420 and K430 boards take one binary image of at most 256 KB built
// from an Intel HEX file; every other firmware and every I/O-firmware file is
// uploaded unchanged.  A HEX file is checked whole before anything is sent:
// a file with a bad record is refused, so nothing half-valid ever reaches a
// controller.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/BoardType.h"

constexpr size_t kFirmwareImageSize = 262144;

// The image uploaded to a K4x0 board: 256 KB, 0xFF where the file has no
// data.  Only the used part (up to the last byte that is not 0xFF, at least
// one byte) is uploaded.
struct FirmwareImage {
    std::vector<unsigned char> bytes; // kFirmwareImageSize bytes
    size_t usedSize = 0;
};

// Index of the last byte that is not 0xFF, plus 1; 1 when all are 0xFF.
size_t FirmwareImageUsedSize(const unsigned char* image, size_t size);

// Builds the image from the text of an Intel HEX file.  Records are data (0),
// end of file (1), extended segment address (2, only with segment 0, since
// the boards use linear addresses), start segment and start linear address
// (3, 5; no meaning for the image) and extended linear address (4).
// Returns false with a message naming the line when the file is malformed:
// a record that is not a ':' line of hexadecimal digits, a wrong length or
// checksum, an unknown record type, data outside the image, or no
// end-of-file record.  Blank lines are allowed.
bool BuildFirmwareImage(const char* text, size_t length, FirmwareImage& image, std::string& error);

// The same for a file; a file that cannot be read is an error too.
bool BuildFirmwareImageFromFile(const char* path, FirmwareImage& image, std::string& error);

// The file-name version test made after the firmware file is chosen: the
// message to show when the name does not suit the first selected machine's
// board type, or an empty text when it does.  The name is what follows the
// path's last backslash.
std::string CheckFirmwareFileName(int boardType, const char* path);

// True when the first bytes of an I/O-firmware file are a ZIP local header:
// such a file must be unzipped before it is sent to a board of known type.
bool IsZippedImageHeader(const unsigned char* bytes, size_t count);
extern const char* const kZippedIoFirmwareMessage;

// Enable rules of the two firmware commands over the board types of the
// selected machines: false with no selection or with a mix of kinds.  Board
// types that are none of the five kinds take no part in the decision.
bool CanUpdateFirmwareBoards(const std::vector<int>& selectedBoardTypes);
bool CanUpdateIoFirmwareBoards(const std::vector<int>& selectedBoardTypes);
