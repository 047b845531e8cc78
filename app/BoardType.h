#pragma once
// Board types of the controllers (CMachine::m_boardType); a reply names its
// board by an empty element.

enum : int {
    kBoardNone = 0,
    kBoardK410 = 410,
    kBoardK420 = 420,
    kBoardK430 = 430,
    kBoardRpi = 0x525049, // the letters "RPI"
};

// Boards whose firmware is built from an Intel HEX file into one 256 KB
// image, and which take uploads in 1024-byte chunks.
inline bool IsHexImageBoard(int boardType)
{
    return boardType == kBoardK410 || boardType == kBoardK420 || boardType == kBoardK430;
}
