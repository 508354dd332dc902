#include "dproc/fax/fax_recipient_list.h"

#include <cstring>

namespace {

void CopyText(char16_t (&to)[81], const char16_t* from) {
  size_t n = 0;
  if (from != nullptr) {
    while (n < kFaxEntryTextMax && from[n] != 0) {
      to[n] = from[n];
      ++n;
    }
  }
  for (; n < 81; ++n) to[n] = 0;
}

bool SameText(const char16_t* a, const char16_t* b, size_t max) {
  for (size_t i = 0; i < max; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  return true;
}

}  // namespace

FaxRecipientEntry MakeFaxRecipient(const char16_t* name, const char16_t* number, bool ecm, bool international,
                                   bool v34) {
  FaxRecipientEntry e;
  std::memset(&e, 0, sizeof e);
  CopyText(e.szName, name);
  CopyText(e.szFaxNumber, number);
  e.fgECM = (ecm || v34) ? 1 : 0;
  e.fgIntTransMode = international ? 1 : 0;
  e.fgV34Mode = v34 ? 1 : 0;
  return e;
}

int FindFaxNumber(const FaxRecipientEntry* slots, uint32_t count, const char16_t* number) {
  if (count > kFaxMaxRecipients) count = kFaxMaxRecipients;
  for (uint32_t i = 0; i < count; ++i) {
    if (SameText(slots[i].szFaxNumber, number, 81)) return static_cast<int>(i);
  }
  return -1;
}

FaxAddResult AddFaxRecipient(FaxRecipientEntry* slots, uint32_t* count, const FaxRecipientEntry& entry) {
  if (*count >= kFaxMaxRecipients) return FaxAddResult::kListFull;
  if (FindFaxNumber(slots, *count, entry.szFaxNumber) >= 0) return FaxAddResult::kDuplicateNumber;
  slots[*count] = entry;
  ++*count;
  return FaxAddResult::kAdded;
}

void DeleteFaxRecipients(FaxRecipientEntry* slots, uint32_t* count, const uint32_t* rows, size_t rowCount) {
  uint32_t removed = 0;
  bool any = false;
  uint32_t previous = 0;
  for (size_t k = 0; k < rowCount; ++k) {
    // A row that is not above the one before names no row of the list.
    if (any && rows[k] <= previous) continue;
    any = true;
    previous = rows[k];
    uint32_t at = rows[k] - removed;
    if (at >= *count) continue;
    std::memmove(&slots[at], &slots[at + 1], (*count - at - 1) * sizeof(FaxRecipientEntry));
    --*count;
    ++removed;
  }
}

void ClampPhoneBookAnswer(FaxRecipientEntry* slots, uint32_t* count) {
  if (*count > kFaxMaxRecipients) *count = kFaxMaxRecipients;
  for (uint32_t i = 0; i < *count; ++i) {
    slots[i].szName[kFaxEntryTextMax] = 0;
    slots[i].szFaxNumber[kFaxEntryTextMax] = 0;
    slots[i].szCompany[kFaxEntryTextMax] = 0;
    slots[i].szDepartment[kFaxEntryTextMax] = 0;
  }
}
