// The destination list of a fax job: up to 100 `FaxRecipientEntry` slots and
// a count, kept in the order in which destinations were added.  Slots 0 to
// count-1 are the destinations; the slots behind them carry no meaning.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/records/fax_send_block.h"

// The longest text a destination's fields hold (a typed fax number is
// limited to 38 by its edit; the phone book may give up to 80).
inline constexpr size_t kFaxEntryTextMax = 80;

// A destination from the dialog's fields: name and fax number cut to 80
// characters, company and department empty.  V.34 keeps error correction on,
// whatever the ECM box says.
FaxRecipientEntry MakeFaxRecipient(const char16_t* name, const char16_t* number, bool ecm, bool international,
                                   bool v34);

// The index of the first destination with exactly this fax number, or -1.
int FindFaxNumber(const FaxRecipientEntry* slots, uint32_t count, const char16_t* number);

enum class FaxAddResult : uint8_t { kAdded, kListFull, kDuplicateNumber };
// Appends `entry` unless the list is full (checked first) or holds its
// number already.
FaxAddResult AddFaxRecipient(FaxRecipientEntry* slots, uint32_t* count, const FaxRecipientEntry& entry);

// Removes the destinations at `rows` (ascending, as the list view gives its
// selection) and closes the gaps: rows 1 and 3 of five leave the former
// rows 0, 2 and 4.  Rows at or behind the count are ignored.
void DeleteFaxRecipients(FaxRecipientEntry* slots, uint32_t* count, const uint32_t* rows, size_t rowCount);

// What the phone book hands back is not trusted: the count is cut to 100
// and every text of the slots 0 to count-1 ends at 80 characters at the
// latest.
void ClampPhoneBookAnswer(FaxRecipientEntry* slots, uint32_t* count);
