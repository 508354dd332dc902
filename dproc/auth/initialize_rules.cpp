#include "dproc/auth/initialize_rules.h"

bool AccessNumberAcceptable(std::string_view text) {
  if (text.empty()) return true;
  if (text.size() != 4) return false;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
  }
  return value >= 2 && value <= 9999;
}

bool IsValidEmailAddress(std::string_view address, bool (*isLeadByte)(unsigned char)) {
  if (address.empty()) return true;
  int ats = 0;
  for (size_t i = 0; i < address.size(); ++i) {
    const auto c = static_cast<unsigned char>(address[i]);
    if (isLeadByte != nullptr && isLeadByte(c) && i + 1 < address.size()) {
      ++i;  // the second byte goes with the first
      continue;
    }
    if (c != '@') continue;
    if (i == 0 || i + 1 == address.size() || ats > 0) return false;
    ++ats;
  }
  return ats == 1;
}
