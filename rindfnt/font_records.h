// Reading the resident font list from the font library's own resources: the
// face name and kind of a narrow record (type 258) or of a font-metrics
// record with a wide name (type 259), and the filter of faces the printer
// description turns off.
//
// The records are checked against their resource sizes before anything is
// read: a name offset or block size outside the record gives no entry.
// Pure code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The printer's resident faces: font numbers 1 to 128, four faces to a family.
inline constexpr uint32_t kResidentFontCount = 128;

// One font of the list (68 bytes).
#pragma pack(push, 2)
struct XLFontListEntry {
  uint16_t number;    // resource id of the face's first record
  uint8_t name[64];   // narrow (at most 32 bytes) or UTF-16 (at most 64 bytes), zero-filled
  uint16_t kind;      // the font kind: 0, 2 (symbol faces) or 128 (Japanese faces)
};
#pragma pack(pop)
static_assert(sizeof(XLFontListEntry) == 68);

// A type-258 record: byte 19 is the kind, the u32 at byte 39 the offset of
// the NUL-terminated narrow face name.  The name is copied (at most 32
// bytes); false when the record is too short or the name not inside it.
bool FontRecord_ReadNarrow(const uint8_t* record, uint32_t size, XLFontListEntry* entry);
// A type-259 record: the u32 at byte 8 is the offset of a block whose first
// u32 is its size; in the block the u32 at byte 8 is the offset of the
// UTF-16 face name and byte 44 the kind.  The names of kind-2 faces are
// stored with the top four bits of each character set: they are masked
// with 0x0FFF.  At most 64 bytes of name are copied; false when the block or
// the name is not inside the record.
bool FontRecord_ReadWide(const uint8_t* record, uint32_t size, XLFontListEntry* entry);

// A face the printer description names ("XLUserDeviceFont", 36-byte
// entries: a 32-byte narrow name and a u32 enabled flag).
struct FontFilterEntry {
  char name[33];
  uint32_t enabled;
};
// Listed unless the first entry whose name equals the face's (case ignored)
// is disabled.  An empty filter lists every face.
bool FontFilter_Lists(const std::vector<FontFilterEntry>& filter, const char* face);
