// The texts of an open-API session that need no Windows interface: the
// language code sent to a middle server, the type codes of the device's
// answers, and the login values made from a user's stored answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The language code a middle server is asked in for the user-interface code
// `code`: "ZH-TW" and "ZH-CN" (any case) as "Zh_Tw" and "Zh_Cn", a code of
// the server's table as the table spells it (found ignoring case), any other
// code unchanged; at most 31 characters.
std::string MiddleServerLanguage(const char* code);

// The code 1-4 of an authentication type text ("None", "Server", "Device",
// "MiddleServer") and of an account-track text ("None", "AccountPassword",
// "Password", "OnWithUserAuthentication"), compared exactly within `size`
// bytes; 0 for any other text.
int AuthTypeCode(const char* text, size_t size);
int AccountTrackCode(const char* text, size_t size);

// The value sent for a stored middle-server answer of `kind`; `texts` are
// the deciphered fields (one for most kinds, the seven fields year, month,
// day, hour, minute, zone hours, zone minutes for kind 4 with `subKind`).
// False when the kind has no value.
bool MiddleServerLoginValue(int kind, int subKind, const std::string* texts, std::string* out);
