// Records of the command file (VELDRANP.QXD), the description file with
// 40-byte section headers (QxdShortSectionHeader) that holds the PJL command
// templates of a model.
//
// Behind each section header come two words: a count and an offset.
//   - "Version" (texts): the count of a chain of QxdEntry records that
//     starts at the header's first entry; the offset is not used.
//   - "PJL_Encryption" (pairs): the count of 64-byte pairs (name, value,
//     32 bytes each) that lie one after the other from the offset.
//   - template sections ("BeginPage", "PJL_StartCommand", "PJL_EndCommand"):
//     the count of rows and the offset of an array of u32 row offsets.
// In pairs and template sections the header's first-entry word is not read
// by the driver; the description tool keeps the section kind there.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/qxd/qxd_reader.h"

inline constexpr uint32_t kQxdShortListAt = kQxdShortCountAt + 4;  // 44: the offset word
inline constexpr uint32_t kCommandNameField = 32;
// Template texts are read up to this many characters.
inline constexpr uint32_t kCommandTextMax = 511;
// A section's row array is read up to this many rows.
inline constexpr uint32_t kCommandMaxRows = 512;

struct QxdCommandRowHeader {
  char name[kCommandNameField];
  uint32_t entryCount;
  uint32_t firstEntry;
};
static_assert(sizeof(QxdCommandRowHeader) == 40);
static_assert(offsetof(QxdCommandRowHeader, entryCount) == 32);
static_assert(offsetof(QxdCommandRowHeader, firstEntry) == 36);

struct QxdCommandEntryHeader {
  char name[kCommandNameField];
  uint32_t textLength;   // counts the terminating zero
  uint32_t textOffset;
  uint32_t nextEntry;
};
static_assert(sizeof(QxdCommandEntryHeader) == 44);
static_assert(offsetof(QxdCommandEntryHeader, textLength) == 32);
static_assert(offsetof(QxdCommandEntryHeader, textOffset) == 36);
static_assert(offsetof(QxdCommandEntryHeader, nextEntry) == 40);
