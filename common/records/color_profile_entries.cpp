#include "common/records/color_profile_entries.h"

namespace {

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

void Append(char16_t* out, size_t capacity, size_t* at, const char16_t* text, size_t max) {
  for (size_t i = 0; i < max && text[i] != 0 && *at + 1 < capacity; ++i) out[(*at)++] = text[i];
  out[*at] = 0;
}

}  // namespace

void StoreBuiltInProfile(ColorProfileRecord* record, const char16_t* text) {
  if (record == nullptr) return;
  *record = ColorProfileRecord{};
  if (text == nullptr) return;
  for (size_t i = 0; i < 40 && text[i] != 0; ++i) record->profileName[i] = text[i];
}

void FormatProfileEntryText(const ColorProfileRecord& record, const ModelWideListItem* locations, char16_t* out,
                            size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  out[0] = 0;
  const char16_t* location = u"";
  for (const ModelWideListItem* row = locations; row != nullptr && row->keyword[0] != 0; ++row) {
    if (row->value == record.srcType) {
      location = row->text;
      break;
    }
  }
  size_t at = 0;
  Append(out, capacity, &at, record.downloadName, 41);
  if (record.profileName[0] != 0) {
    Append(out, capacity, &at, u" (", 2);
    Append(out, capacity, &at, record.profileName, 41);
    Append(out, capacity, &at, u")", 1);
  }
  Append(out, capacity, &at, u" ", 1);
  Append(out, capacity, &at, location, 48);
}

int FindResidentProfile(const ColorProfileRecord* residents, uint32_t count, const ColorProfileRecord& record) {
  if (residents == nullptr) return -1;
  for (uint32_t i = 0; i < count && i < kResidentProfilesMax; ++i) {
    bool same = true;
    for (size_t k = 0; k < 41; ++k) {
      if (Lower(residents[i].downloadName[k]) != Lower(record.downloadName[k])) {
        same = false;
        break;
      }
      if (record.downloadName[k] == 0) break;
    }
    if (same) return static_cast<int>(i);
  }
  return -1;
}
