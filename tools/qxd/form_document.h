// Overlay form files (.QFV) as the project's tool writes them for tests:
// a readable text compiled to the file's bytes (`qxdtool form <text> <qfv>`).
//
// Text form (one item per line; `#` starts a comment line; texts in double
// quotes, a quote inside doubled, \xNN for any byte):
//
//   form                          first line
//   magic "<4 bytes>"             "QFV1" unless given
//   version N                     1 or 2 (any number may be written); the
//                                 header is 96 bytes for version 1, else 224
//   header-size N                 the size field; the version's own size unless given
//   name "<ANSI bytes>"           the name at byte 16 (at most 63 bytes)
//   wide-name "<UTF-8 text>"      the UTF-16 name at byte 96 (version 2 header)
//   width N / length N            the paper size
//   color N / orientation N / resolution N
//   body "<bytes>"                page data after the header (may repeat)
//   cut N                         keep only the first N bytes of the file
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qxd {

bool IsFormText(const std::string& text);
bool CompileFormText(const std::string& text, std::vector<uint8_t>* bytes, std::string* error);

}  // namespace qxd
