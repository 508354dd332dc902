// UTF-8 from and to UTF-16.  Unpaired surrogates, and malformed sequences
// (overlong forms, encoded surrogates, values beyond U+10FFFF, cut
// sequences), become U+FFFD.
#pragma once

#include <string>
#include <string_view>

std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);
