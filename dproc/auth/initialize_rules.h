// The rules of the Initialize sheet and its e-mail dialog that need no
// Windows interface: the access number and the e-mail address.
#pragma once

#include <string_view>

// An access number may be left empty; otherwise it has four characters and
// the value of its leading decimal digits lies between 2 and 9999.
bool AccessNumberAcceptable(std::string_view text);

// An empty address is valid; otherwise it holds exactly one at sign, which
// is neither its first nor its last byte.  `isLeadByte` says whether a byte
// starts a double-byte character, whose second byte is never an at sign.
bool IsValidEmailAddress(std::string_view address, bool (*isLeadByte)(unsigned char));
