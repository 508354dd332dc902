// Reader of the printer-description files (.QXD).
//
// A description file is an 8-byte header followed by a chain of 52-byte
// section headers, each followed by a list header, the section's entries or
// item records, and the texts they point to.  The whole file is held in
// memory; every typed read is a bounded copy out of that image.  Offsets and
// counts come from the file and are never trusted: every read is checked
// against the image's size, and a read succeeds only when all of the bytes it
// asks for are there.
//
// This module needs no Windows interface; the Windows file layer that opens
// a context from a path lives in qxd_file.h.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr uint32_t kQxdReadError = 0xFFFFFFFFu;
inline constexpr size_t kQxdMaxPath = 260;
// Texts are read through a work area of this many bytes or UTF-16 units:
// a narrow text holds at most 290 characters and its terminator.
inline constexpr uint32_t kQxdTextWork = 291;
inline constexpr uint32_t kQxdFileHeaderSize = 8;
inline constexpr uint32_t kQxdFirstSection = 8;

struct QxdSectionHeader {
  char name[32];         // NUL-terminated ASCII
  uint32_t firstEntry;   // first entry of the section
  uint32_t writerKind;   // not read by the driver: the description tool's
  uint32_t writerSize;   //   notes on how it laid the section out
  uint32_t writerLayout;
  uint32_t nextSection;  // at or above the chain's end offset ends the chain
};
static_assert(sizeof(QxdSectionHeader) == 52);
static_assert(offsetof(QxdSectionHeader, firstEntry) == 32);
static_assert(offsetof(QxdSectionHeader, nextSection) == 48);

// The variant with 40-byte section headers (the command file): the chain
// starts at offset 8 as above; after each header come the section's entry
// count and a word that the readers do not use, and its entries are walked
// as a chain.  QxdFindShortSection finds its sections.
struct QxdShortSectionHeader {
  char name[32];
  uint32_t firstEntry;
  uint32_t nextSection;
};
static_assert(sizeof(QxdShortSectionHeader) == 40);
static_assert(offsetof(QxdShortSectionHeader, nextSection) == 36);
inline constexpr uint32_t kQxdShortCountAt = sizeof(QxdShortSectionHeader);  // 40

struct QxdListHeader {
  uint32_t count;        // number of entries (items)
  uint32_t firstEntry;   // the default item of an option section
  uint32_t indexOffset;  // array of `count` u32 entry offsets
};
static_assert(sizeof(QxdListHeader) == 12);

struct QxdEntry {
  uint32_t keyOffset;    // narrow key text
  uint32_t valueOffset;  // narrow value text
  uint32_t textOffset;   // wide display text
  uint32_t next;         // next entry (chained lists) or the item's number
};
static_assert(sizeof(QxdEntry) == 16);

struct QxdRangeRecord {
  uint8_t reserved[36];
  uint32_t minimum;
  uint32_t maximum;
  uint32_t defaultValue;
};
static_assert(sizeof(QxdRangeRecord) == 48);
static_assert(offsetof(QxdRangeRecord, minimum) == 36);

inline constexpr uint32_t kQxdListHeaderAt = sizeof(QxdSectionHeader);                 // 52
inline constexpr uint32_t kQxdRangeRecordAt = kQxdListHeaderAt + sizeof(QxdListHeader);  // 64

// Reads `length` bytes at `offset` from an open file that has no image in
// memory.  Returns the count read (short at the end of the file), or
// kQxdReadError.
using QxdFileReadFn = uint32_t (*)(void* file, void* dst, uint32_t length, uint32_t offset);

struct QxdContext;
using QxdReleaseFn = void (*)(QxdContext* ctx);

// One open description file.  Owned by the caller from open to close.
struct QxdContext {
  void* file;                   // the open file, or null for a memory image
  char16_t widePath[kQxdMaxPath + 1];
  char narrowPath[kQxdMaxPath + 1];
  uint32_t wide;                // 1 when the path is wide
  uint8_t* image;               // the whole file, or null
  uint32_t size;                // size of the file in bytes
  QxdFileReadFn readFile;       // used when there is no image
  QxdReleaseFn release;         // frees the file, the image and the context
};

// Opens a context over a copy of `size` bytes.  Null when the copy cannot be
// made or the size does not fit the format's 32-bit offsets.
QxdContext* QxdOpenImage(const void* data, size_t size);
// Opens a context without an image: every read goes through `readFile`.
QxdContext* QxdOpenUnbuffered(void* file, uint32_t size, QxdFileReadFn readFile);
// Closes any context, however it was opened.  Null is accepted.
void QxdClose(QxdContext* ctx);

// Copies up to `length` bytes at `offset`.  Returns the count copied: 0 at or
// beyond the end, fewer than asked when the range runs past the end, or
// kQxdReadError when reading the file fails.
uint32_t QxdReadAt(QxdContext* ctx, void* dst, uint32_t length, uint32_t offset);
// True only when all `length` bytes at `offset` were read.
bool QxdReadFully(QxdContext* ctx, void* dst, uint32_t length, uint32_t offset);
uint32_t QxdFileSize(const QxdContext* ctx);
// True when `count` elements of `elemSize` bytes starting at `offset` lie
// inside the file (no arithmetic overflow).  Loaders check counts read from
// the file with it before the counts drive a loop or an allocation.
bool QxdArrayFits(const QxdContext* ctx, uint32_t offset, uint32_t count, uint32_t elemSize);

// Offset of the section header named `name` (ASCII case ignored, whole
// name), or 0 when there is none.  An empty name finds nothing.
uint32_t QxdFindSection(QxdContext* ctx, const char* name);
// The same over the 40-byte section headers of the command file.
uint32_t QxdFindShortSection(QxdContext* ctx, const char* name);
// FALSE for offset 0; otherwise TRUE when all 52 bytes were read.
bool QxdReadSectionHeader(QxdContext* ctx, uint32_t offset, QxdSectionHeader* out);
bool QxdReadListHeader(QxdContext* ctx, uint32_t offset, QxdListHeader* out);
// Both leave the destination untouched and return false when the bytes are
// not all inside the file.
bool QxdReadDword(QxdContext* ctx, uint32_t offset, uint32_t* out);
bool QxdReadBytes(QxdContext* ctx, uint32_t offset, uint32_t length, void* dst);
bool QxdReadEntry(QxdContext* ctx, uint32_t offset, QxdEntry* out);
// One item record of a known size.
bool QxdReadRecord(QxdContext* ctx, uint32_t offset, void* dst, uint32_t size);
bool QxdReadRecord28(QxdContext* ctx, uint32_t offset, void* dst);
bool QxdReadRecord32(QxdContext* ctx, uint32_t offset, void* dst);
bool QxdReadRecord148(QxdContext* ctx, uint32_t offset, void* dst);
bool QxdReadRecord156(QxdContext* ctx, uint32_t offset, void* dst);
bool QxdReadRecord320(QxdContext* ctx, uint32_t offset, void* dst);
bool QxdReadRecord620(QxdContext* ctx, uint32_t offset, void* dst);
// Offset of the i-th entry through the list's index.
bool QxdReadIndexEntry(QxdContext* ctx, const QxdListHeader& list, uint32_t i, uint32_t* out);

// A section's entries walked as a chain: the first from the section header,
// each further one from the previous entry's fourth word, at most as many as
// the list header counts.  The walk ends early at an entry that cannot be
// read, so a damaged count or link never runs past the file.
struct QxdChainWalk {
  uint32_t next;  // offset of the next entry
  uint32_t left;  // entries still to visit
};
// False when the section is missing or its headers cannot be read.
bool QxdBeginChain(QxdContext* ctx, const char* section, QxdChainWalk* walk);
// A walk of `count` entries from the entry at `first` (a section whose
// headers the caller has read itself).
void QxdBeginChainAt(QxdContext* ctx, uint32_t first, uint32_t count, QxdChainWalk* walk);
// The next entry; false at the end of the walk, at a link to offset 0 and at
// an entry that cannot be read.
bool QxdNextChainEntry(QxdContext* ctx, QxdChainWalk* walk, QxdEntry* entry);

// Narrow text with its terminator, cut to `capacity` - 1 characters.  False
// (destination untouched) when a byte cannot be read or no terminator comes
// within 291 bytes, or when `capacity` is 0.
bool QxdReadString(QxdContext* ctx, uint32_t offset, char* dst, size_t capacity);
// Wide text, cut to at most 291 units and to `capacity` - 1 units, always
// terminated.  False (destination untouched) for an empty text, an
// unreadable first unit, or a `capacity` of 0.
bool QxdReadWideString(QxdContext* ctx, uint32_t offset, char16_t* dst, size_t capacity);
// The range record at `offset` (section offset + 64): out[0] the maximum,
// out[1] the minimum, out[2] the default.  False, out untouched, when any of
// it is not readable.
bool QxdReadRangeRecord(QxdContext* ctx, uint32_t offset, uint32_t out[3]);
// The text of a single-value section into a destination of `size` bytes,
// which is zero-filled first.  A text of `size` - 1 characters or more is
// refused (false, destination all zero).
bool QxdReadValueString(QxdContext* ctx, const char* section, char* dst, uint32_t size);

// Pair tables ("DevInfo", "UI_Encryption", ...): the section's first index
// entry is the offset of a 12-byte header (u32 count, u32 not used, u32
// offset of the first pair); the pairs follow one another, 64 bytes each: a
// 32-byte name and a 32-byte value, NUL-terminated ASCII.
inline constexpr uint32_t kQxdPairSize = 64;
inline constexpr uint32_t kQxdPairField = 32;
struct QxdPairTable {
  uint32_t count;   // a stored count of 0 or less (as a signed number) gives 0
  uint32_t first;   // offset of the first pair
};
// One pair as read: both texts always terminated (a field that fills its
// 32 bytes keeps all of them).
struct QxdPair {
  char name[kQxdPairField + 1];
  char value[kQxdPairField + 1];
};
// False, `out` untouched, when the section is missing or its header cannot
// be read.
bool QxdFindPairTable(QxdContext* ctx, const char* section, QxdPairTable* out);
// The i-th pair; false when i is not below the count or the pair is not
// wholly inside the file.
bool QxdReadPair(QxdContext* ctx, const QxdPairTable& table, uint32_t i, QxdPair* out);

// The settings sections of the procedure library ("ConsumSetting",
// "DLManagerSetting", "RegistryKeySetting", ...) hold the same table with
// wider rows: a 32-byte name and a 256-byte value.
inline constexpr uint32_t kQxdLongPairValue = 256;
inline constexpr uint32_t kQxdLongPairSize = kQxdPairField + kQxdLongPairValue;  // 288
struct QxdLongPair {
  char name[kQxdPairField + 1];
  char value[kQxdLongPairValue + 1];
};
bool QxdReadLongPair(QxdContext* ctx, const QxdPairTable& table, uint32_t i, QxdLongPair* out);
// The value of the first row named `name` (ASCII case ignored), cut to
// `capacity` - 1 characters.  False, `dst` untouched, when the section or
// the row is missing.
bool QxdFindLongPairValue(QxdContext* ctx, const char* section, const char* name, char* dst, size_t capacity);

// Decimal numbers in narrow values.  Values beyond the 32-bit range saturate.
int32_t QxdAtoi(const char* text);
int32_t QxdFirstNumber(const char* text);
void QxdTwoNumbers(const char* text, int16_t* first, int16_t* second);

// Key comparison of the description files: ASCII case ignored, whole text.
bool QxdNameEquals(const char* a, const char* b);
// The same for a fixed-size field that may fill its whole width without a
// terminator.
bool QxdFieldEquals(const char* field, size_t fieldSize, const char* name);
