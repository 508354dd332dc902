#include "common/qxd/locale_defaults.h"

#include <cstring>

#include "common/qxd/paper_tables.h"

namespace {

struct LanguageRow {
  uint16_t id;
  const char* code;
};

const LanguageRow kLanguages[] = {
    {9, "EN"},     {1033, "EN-US"}, {2057, "EN-GB"}, {12, "FR"},       {7, "DE"},       {16, "IT"},
    {10, "ES"},    {17, "JA"},      {2052, "ZH-CN"}, {1028, "ZH-TW"},  {18, "KO"},      {5, "CS"},
    {13, "HE"},    {14, "HU"},      {21, "PL"},      {22, "PT"},       {25, "RU"},      {27, "SK"},
    {1, "AR"},     {6, "DA"},       {29, "SV"},      {11, "FI"},       {20, "NO"},      {19, "NL"},
    {24, "RO"},    {31, "TR"},      {8, "EL"},       {39, "LT"},       {37, "ET"},      {38, "LV"},
    {36, "SL"},    {34, "UK"},      {26, "HR"},      {62, "MS"},       {33, "ID"},      {30, "TH"},
    {42, "VI"},    {32, "UR"},      {57, "HI"},      {80, "MN"},       {54, "AF"},      {3, "CA"},
    {41, "FA"},    {35, "BE"},      {2, "BG"},       {58, "MT"},
};
static_assert(sizeof kLanguages / sizeof kLanguages[0] == 46);

}  // namespace

uint16_t LocaleDefaultPaperId(int countryCode) {
  return (countryCode == 1 || countryCode == 2) ? kPaperIdLetter : kPaperIdA4;
}

void LanguageCodeOf(uint32_t languageId, char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  char text[16] = {};
  const char* code = nullptr;
  for (const LanguageRow& row : kLanguages) {
    if (row.id == languageId) {
      code = row.code;
      break;
    }
  }
  if (code == nullptr) {
    // "%04x", upper-cased: at least four digits.
    const char kHex[] = "0123456789ABCDEF";
    char digits[9];
    int n = 0;
    uint32_t v = languageId;
    do {
      digits[n++] = kHex[v & 0xF];
      v >>= 4;
    } while (v != 0);
    while (n < 4) digits[n++] = '0';
    for (int i = 0; i < n; ++i) text[i] = digits[n - 1 - i];
    code = text;
  }
  size_t i = 0;
  for (; code[i] != '\0' && i + 1 < capacity; ++i) out[i] = static_cast<char16_t>(code[i]);
  out[i] = u'\0';
}

const char* LocaleDefaultPaperKeyword(const ModelInfo* model, int countryCode) {
  const PaperSizeEntry* paper = FindPaperById(model, LocaleDefaultPaperId(countryCode));
  return paper != nullptr ? paper->keyword : "";
}

int CopyPaperKeyword(const char* keyword, char* out, int size) {
  if (keyword == nullptr) keyword = "";
  size_t length = std::strlen(keyword);
  if (out != nullptr && size > 0) {
    size_t copy = length < static_cast<size_t>(size) - 1 ? length : static_cast<size_t>(size) - 1;
    std::memcpy(out, keyword, copy);
    out[copy] = '\0';
  }
  return static_cast<int>(length + 1);
}
