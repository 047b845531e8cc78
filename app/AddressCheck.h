#pragma once
// Checks of the address texts that the user types into the operation
// dialogs.  Unlike the reading of stored texts (CIpAddress::Parse, which
// keeps the low byte of any number), a typed address is accepted only when
// it is exactly four numbers from 0 to 255 separated by full stops.
#include <cstdint>

// True with the value (first number in the most significant byte) when the
// text, blanks around it aside, is four decimal numbers of one to three
// digits, each from 0 to 255, separated by single full stops.  On failure
// the value is left alone.
bool ParseTypedAddress(const char* text, uint32_t* value);

// True when the text, blanks around it aside, is a decimal number of at
// most three digits from 0 to 255.
bool ParseTypedOctet(const char* text, int* value);
