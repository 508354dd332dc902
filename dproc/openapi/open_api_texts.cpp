#include "dproc/openapi/open_api_texts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {

// The codes a middle server knows, in the server's spelling.
constexpr const char* kLanguages[] = {
    "Ja", "En", "De", "Fr", "It", "Nl", "Es", "Da", "Cs", "Pt", "Sv", "No", "Fi", "Hu", "El", "Tr", "Zh_Tw",
    "Zh_Cn", "Ko", "Ru", "Hr", "Uk", "Ro", "Sl", "Ar", "Th", "Ms", "Pl",
    "aa", "ab", "af", "am", "as", "ay", "az", "ba", "be", "bg", "bh", "bi", "bn", "bo", "br", "ca", "co", "cy",
    "dz", "eo", "et", "eu", "fa", "fj", "fo", "fy", "ga", "gd", "gl", "gn", "gu", "ha", "he", "hi", "hy", "ia",
    "id", "ie", "ik", "is", "iu", "jw", "ka", "kk", "kl", "km", "kn", "ks", "ku", "ky", "la", "ln", "lo", "lt",
    "lv", "mg", "mi", "mk", "ml", "mn", "mo", "mr", "mt", "my", "na", "ne", "oc", "om", "or", "pa", "ps", "qu",
    "rm", "rn", "rw", "sa", "sd", "sg", "sh", "si", "sk", "sm", "sn", "so", "sq", "sr", "ss", "st", "su", "sw",
    "ta", "te", "tg", "ti", "tk", "tl", "tn", "to", "ts", "tt", "tw", "ug", "ur", "uz", "vi", "vo", "wo", "xh",
    "yi", "yo", "za", "zu", "Other"};
static_assert(std::size(kLanguages) == 141);

bool SameIgnoringCase(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    char x = *a, y = *b;
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return *a == *b;
}

int CodeOf(const char* text, size_t size, const char* const (&names)[4]) {
  if (text == nullptr) return 0;
  const size_t length = strnlen(text, size);
  if (length == size) return 0;  // not terminated inside its field
  for (int i = 0; i < 4; ++i) {
    if (std::strcmp(text, names[i]) == 0) return i + 1;
  }
  return 0;
}

std::string Format(const char* format, int a, int b = 0, int c = 0, int d = 0, int e = 0, int f = 0, int g = 0) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, format, a, b, c, d, e, f, g);
  return buffer;
}

}  // namespace

std::string MiddleServerLanguage(const char* code) {
  std::string out;
  if (code == nullptr) return out;
  if (SameIgnoringCase(code, "ZH-TW")) {
    out = "Zh_Tw";
  } else if (SameIgnoringCase(code, "ZH-CN")) {
    out = "Zh_Cn";
  } else {
    out = code;
    for (const char* name : kLanguages) {
      if (SameIgnoringCase(code, name)) {
        out = name;
        break;
      }
    }
  }
  if (out.size() > 31) out.resize(31);
  return out;
}

int AuthTypeCode(const char* text, size_t size) {
  static const char* const names[4] = {"None", "Server", "Device", "MiddleServer"};
  return CodeOf(text, size, names);
}

int AccountTrackCode(const char* text, size_t size) {
  static const char* const names[4] = {"None", "AccountPassword", "Password", "OnWithUserAuthentication"};
  return CodeOf(text, size, names);
}

bool MiddleServerLoginValue(int kind, int subKind, const std::string* texts, std::string* out) {
  out->clear();
  switch (kind) {
    case 1: case 5: case 6: case 9: case 10:
      *out = texts[0];
      return true;
    case 2: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%ld", std::strtol(texts[0].c_str(), nullptr, 10));
      *out = buffer;
      return true;
    }
    case 3:
      *out = std::atoi(texts[0].c_str()) != 0 ? "true" : "false";
      return true;
    case 4: {
      int v[7];
      for (int i = 0; i < 7; ++i) v[i] = std::atoi(texts[i].c_str());
      switch (subKind) {
        case 1: *out = Format("%04d,%02d,%02d,%02d,%02d", v[0], v[1], v[2], v[3], v[4]); break;
        case 2: *out = Format("%04d,%02d,%02d", v[0], v[1], v[2]); break;
        case 3: *out = Format("%02d,%02d", v[3], v[4]); break;
        case 4: {
          const int hours = v[5], minutes = v[6];
          const bool minusZero = hours == 0 && texts[5].find('-') != std::string::npos;
          if (hours < 0 && minutes == 0) {
            *out = Format("%04d,%02d,%02d,%02d,%02d,-%02d,%02d", v[0], v[1], v[2], v[3], v[4], -hours, 0);
          } else if (hours < 0) {
            *out = Format("%04d,%02d,%02d,%02d,%02d,-%02d,-%02d", v[0], v[1], v[2], v[3], v[4], -hours,
                          minutes < 0 ? -minutes : minutes);
          } else if (minusZero && minutes != 0) {
            *out = Format("%04d,%02d,%02d,%02d,%02d,%02d,-%02d", v[0], v[1], v[2], v[3], v[4], 0,
                          minutes < 0 ? -minutes : minutes);
          } else {
            *out = Format("%04d,%02d,%02d,%02d,%02d,%02d,%02d", v[0], v[1], v[2], v[3], v[4], hours, minutes);
          }
          break;
        }
        default: break;
      }
      return true;
    }
    default:
      return false;
  }
}
