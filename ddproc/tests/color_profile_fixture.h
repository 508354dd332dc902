// A colour profile record made for a test.
#pragma once

#include <string>

#include "common/records/color_profile_record.h"

namespace ddtest {

inline ColorProfileRecord Profile(const char16_t* download, const char16_t* name, uint32_t location) {
  ColorProfileRecord r = {};
  std::char_traits<char16_t>::copy(r.downloadName, download, std::char_traits<char16_t>::length(download));
  std::char_traits<char16_t>::copy(r.profileName, name, std::char_traits<char16_t>::length(name));
  r.srcType = location;
  return r;
}

}  // namespace ddtest
