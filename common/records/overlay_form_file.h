// The overlay form file (.QFV): a header followed, at the header's size, by
// the PCL XL operators of one captured page body.  The render core writes
// form files and inserts them into later jobs; the user interface reads the
// same header to list them.  Little-endian, byte-packed, as stored.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct FormFileHeader {
  char magic[4];            // "QFV1"
  uint16_t version;         // 2 when written; 1 or 2 read
  uint16_t headerSize;      // 224 for version 2, 96 for version 1
  uint8_t reserved[8];
  char name[64];            // ANSI code page, NUL-terminated; all 0 when the wide field holds it
  int32_t paperWidth;       // the job's output paper width and length
  int32_t paperLength;
  uint16_t color;           // 1 colour, 2 monochrome
  uint16_t orientation;     // 1 portrait, 2 landscape
  uint16_t resolution;      // dots per inch
  uint16_t reserved2;
  char16_t wideName[64];    // version 2 only: UTF-16 when the ANSI name needed its default character
};
#pragma pack(pop)
static_assert(sizeof(FormFileHeader) == 224);
static_assert(offsetof(FormFileHeader, name) == 16);
static_assert(offsetof(FormFileHeader, paperWidth) == 80);
static_assert(offsetof(FormFileHeader, color) == 88);
static_assert(offsetof(FormFileHeader, resolution) == 92);
static_assert(offsetof(FormFileHeader, wideName) == 96);

inline constexpr uint16_t kFormHeaderV1Size = 96;
inline constexpr uint16_t kFormHeaderV2Size = 224;
inline constexpr uint32_t kFormPrefixSize = 8;  // magic, version, size: read first
inline constexpr uint32_t kFormNameChars = 63;
// The longest page stream a form may carry: what a page spool can hold.
inline constexpr uint64_t kFormMaxStreamLength = uint64_t{65535} * 65536;

enum FormHeaderStatus : uint8_t {
  kFormHeaderOk = 0,
  kFormHeaderShort,        // fewer bytes than the prefix or the header claims
  kFormHeaderBadMagic,
  kFormHeaderBadVersion,   // a version other than 1 with 96 or 2 with 224
  kFormHeaderBadStream,    // the file is shorter than its header, or its stream too long
};

// Checks the first 8 bytes: magic, and version 1 with size 96 or 2 with
// 224.  On success gives the header size.
FormHeaderStatus Form_CheckPrefix(const uint8_t* bytes, size_t size, uint16_t* headerSize);

// Reads a header from the first `size` bytes of a file of `fileSize` bytes:
// the prefix must hold, the bytes must cover the header size, and the file
// must hold the whole header and at most kFormMaxStreamLength bytes of
// stream.  The header is zero-filled first (a version 1 header leaves the
// wide name empty) and both names end inside their fields.  Gives the page
// stream's offset and length in the file.
FormHeaderStatus Form_ParseHeader(const uint8_t* bytes, size_t size, uint64_t fileSize, FormFileHeader* header,
                                  uint32_t* streamOffset, uint64_t* streamLength);

// How the form lists read a header: the first 96 bytes must carry the magic
// and version 1 or 2 (the size field is not checked here, so a listed form
// may still be refused when a job inserts it); version 2 also needs its
// further 128 bytes.  The header is zero-filled first, so a version 1
// header has an empty wide name; both names end inside their fields.
bool Form_ReadListHeader(const uint8_t* bytes, size_t size, FormFileHeader* header);
// The name a form is shown by is the ANSI name unless that is empty.
inline bool Form_ShowsAnsiName(const FormFileHeader& header) { return header.name[0] != '\0'; }

// The fields of a new form's header (version 2).
struct FormHeaderFields {
  const char* ansiName;        // the name in the ANSI code page, or null
  bool ansiNeededDefault;      // its conversion used the default character
  const char16_t* wideName;    // the name in UTF-16, or null
  int32_t paperWidth;
  int32_t paperLength;
  uint8_t selectColor;         // the job's colour selection: 1 colour
  uint8_t orientation;         // 2 landscape
  uint16_t resolution;
};
// Builds a version 2 header: the ANSI name when it converted without the
// default character, else the wide one, each cut to 63 characters.
void Form_BuildHeader(const FormHeaderFields& fields, FormFileHeader* header);
