// The record of one Easy Set, a named snapshot of the document settings with
// the user's watermark lists: its 780-byte header, stored byte for byte at
// the head of every stored record and followed there by the UTF-16 text of
// the settings (no terminator, the header gives its length); the node that
// holds one record in memory; and the restore options that decide which
// groups applying it takes from it.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr char kEasySetSignature[4] = {'V', 'Q', 'E', 'S'};
inline constexpr uint32_t kEasySetFormatVersion = 1;
inline constexpr uint32_t kEasySetHeaderSize = 780;
inline constexpr uint32_t kEasySetNameChars = 32;
inline constexpr uint32_t kEasySetCommentChars = 256;
inline constexpr uint32_t kEasySetModelChars = 32;
inline constexpr uint32_t kEasySetVersionChars = 16;
inline constexpr uint32_t kEasySetSystemChars = 32;
inline constexpr uint32_t kEasySetLanguageChars = 8;

// Restore options, one byte each (0 or 1); bytes 4 to 7 are carried along.
enum EasySetRestoreOption : uint32_t {
  kRestoreResolution = 0,         // the five resolution keys
  kRestorePaper = 1,              // document size, orientation and margins
  kRestoreWatermarks = 2,         // the private watermark list and the order
  kRestoreSharedWatermarks = 3,   // with the above, the public list as well
};
inline constexpr uint32_t kEasySetRestoreOptionBytes = 8;

#pragma pack(push, 1)
struct EasySetHeader {
  char signature[4];                            // "VQES"
  uint32_t formatVersion;                       // 1; any other value is refused
  char16_t name[kEasySetNameChars];             // at most 31 characters
  char16_t comment[kEasySetCommentChars];       // at most 255 characters
  char16_t model[kEasySetModelChars];           // the driver name it was made with
  char16_t version[kEasySetVersionChars];       // the driver version text
  char16_t system[kEasySetSystemChars];         // the platform text
  char16_t language[kEasySetLanguageChars];     // the user's language code
  uint8_t restore[kEasySetRestoreOptionBytes];  // EasySetRestoreOption bytes
  uint16_t protectedSet;                        // 1: built-in or preset, not edited
  uint16_t iconShown;                           // 1: shows its own icon
  uint16_t iconIndex;                           // in the icon strip
  uint8_t reserved[2];
  uint32_t textLength;                          // bytes of UTF-16 text that follow
};
#pragma pack(pop)
static_assert(sizeof(EasySetHeader) == kEasySetHeaderSize);
static_assert(offsetof(EasySetHeader, formatVersion) == 4);
static_assert(offsetof(EasySetHeader, name) == 8);
static_assert(offsetof(EasySetHeader, comment) == 72);
static_assert(offsetof(EasySetHeader, model) == 584);
static_assert(offsetof(EasySetHeader, version) == 648);
static_assert(offsetof(EasySetHeader, system) == 680);
static_assert(offsetof(EasySetHeader, language) == 744);
static_assert(offsetof(EasySetHeader, restore) == 760);
static_assert(offsetof(EasySetHeader, protectedSet) == 768);
static_assert(offsetof(EasySetHeader, iconShown) == 770);
static_assert(offsetof(EasySetHeader, iconIndex) == 772);
static_assert(offsetof(EasySetHeader, textLength) == 776);

// The kind of a stored Easy Set.
enum EasySetKind : uint32_t { kEasySetShared = 0, kEasySetUser = 1 };

// One Easy Set in memory: one allocation holding the node and, after it,
// the text, which the node owns.  In-memory only (pointer-sized links).
struct EasySetNode {
  uint32_t builtIn;          // 1 only for the built-in Easy Set
  uint32_t kind;             // EasySetKind; the built-in one is shared
  EasySetHeader header;
  char16_t* text;            // header.textLength bytes, right after the node
  EasySetNode* prev;
  EasySetNode* next;
};

// The document settings name the Easy Set they came from (DocFields
// byEasySetIndex, szEasySetName); the settings file carries neither.
enum EasySetState : uint8_t {
  kEasySetStateBuiltIn = 0,
  kEasySetStateShared = 1,
  kEasySetStateUser = 2,
  kEasySetStateNone = 3,     // changed since
};
