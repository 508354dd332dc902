// Dialog templates as the resource compiler writes them (the standard
// DLGTEMPLATE and the extended DLGTEMPLATEEX layouts): walking their
// variable parts, reading their controls, and the copy whose font is
// replaced by the system's GUI font.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr uint32_t kDsSetFont = 0x40;
inline constexpr uint32_t kDsFixedSys = 0x08;
inline constexpr uint32_t kDsContextHelp = 0x2000;
inline constexpr size_t kGuiFaceUnits = 33;  // 32 characters and the terminator

// Where the parts of a template lie, as byte offsets from its start.
struct DialogTemplateLayout {
  bool extended;
  bool hasFont;       // the template carries a font block
  uint32_t style;
  uint16_t itemCount;
  size_t fontAt;      // the 16-bit point size (hasFont only)
  size_t faceAt;      // the face name
  size_t faceEnd;     // just after the face name's terminator
  size_t itemsAt;     // the first item (32-bit aligned)
};

// False when the template is shorter than its header or a text runs past
// its end.
bool WalkDialogTemplate(const uint8_t* data, size_t size, DialogTemplateLayout* out);

// The font that replaces the template's.
struct GuiFontFacts {
  uint16_t pointSize;
  uint16_t weight;
  uint8_t italic;
  uint8_t charSet;
  char16_t face[kGuiFaceUnits];
};

// Bytes the patched copy of a template needs: the template's own size, or
// more when the new face name is longer than the template's.  0 for a
// template that cannot be walked.
size_t PatchedDialogTemplateSize(const uint8_t* data, size_t size, const GuiFontFacts& font);
// Writes the template into `out` with the font replaced: the point size and
// face name (and, for the extended layout, weight, italic flag and
// character set), the items moved to the 32-bit boundary after the new face
// name.  A template without a font block is copied unchanged.  Returns the
// bytes written; 0 when `capacity` is below PatchedDialogTemplateSize or the
// template cannot be walked.  `out` must not overlap `data`.
size_t PatchDialogTemplateFont(const uint8_t* data, size_t size, const GuiFontFacts& font, uint8_t* out,
                               size_t capacity);

// One control of a template.
struct DialogItemFacts {
  uint32_t id;
  uint32_t style;
  int16_t x, y, cx, cy;           // dialog units
  uint16_t classOrdinal;          // 0x80 button ... 0x85 combo box; 0 for a named class
  std::u16string className;       // a named class ("SysListView32")
  std::u16string text;            // empty for an ordinal text
};
// The controls of a template in template order; false when it cannot be
// walked to its last item.
bool ReadDialogItems(const uint8_t* data, size_t size, std::vector<DialogItemFacts>* out);
