#include "dproc/dialogs/dialog_template.h"

#include <cstring>

namespace {

constexpr size_t kStandardHeader = 18;
constexpr size_t kExtendedHeader = 26;
constexpr size_t kStandardItemHeader = 18;
constexpr size_t kExtendedItemHeader = 24;

uint16_t Word(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Dword(const uint8_t* p) { return Word(p) | (static_cast<uint32_t>(Word(p + 2)) << 16); }
void PutWord(uint8_t* p, uint16_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}
size_t Align4(size_t at) { return (at + 3) & ~static_cast<size_t>(3); }

// Skips a NUL-terminated wide text; false when it runs past the end.
bool SkipText(const uint8_t* data, size_t size, size_t* at) {
  for (size_t p = *at; p + 2 <= size; p += 2) {
    if (Word(data + p) == 0) {
      *at = p + 2;
      return true;
    }
  }
  return false;
}

// A menu, class or control text: 0x0000 (none), 0xFFFF and an ordinal, or
// a wide text.
bool SkipNameOrOrdinal(const uint8_t* data, size_t size, size_t* at, uint16_t* ordinal, std::u16string* text) {
  if (*at + 2 > size) return false;
  const uint16_t first = Word(data + *at);
  if (ordinal != nullptr) *ordinal = 0;
  if (first == 0) {
    *at += 2;
    return true;
  }
  if (first == 0xFFFF) {
    if (*at + 4 > size) return false;
    if (ordinal != nullptr) *ordinal = Word(data + *at + 2);
    *at += 4;
    return true;
  }
  const size_t start = *at;
  if (!SkipText(data, size, at)) return false;
  if (text != nullptr) {
    for (size_t p = start; p + 2 < *at; p += 2) text->push_back(static_cast<char16_t>(Word(data + p)));
  }
  return true;
}

size_t FaceUnits(const char16_t* face) {
  size_t n = 0;
  while (n + 1 < kGuiFaceUnits && face[n] != 0) ++n;
  return n;
}

}  // namespace

bool WalkDialogTemplate(const uint8_t* data, size_t size, DialogTemplateLayout* out) {
  if (data == nullptr || out == nullptr || size < 4) return false;
  DialogTemplateLayout l = {};
  l.extended = Word(data + 2) == 0xFFFF;
  size_t at = l.extended ? kExtendedHeader : kStandardHeader;
  if (size < at) return false;
  l.style = l.extended ? Dword(data + 12) : Dword(data);
  l.itemCount = l.extended ? Word(data + 16) : Word(data + 8);
  if (!SkipNameOrOrdinal(data, size, &at, nullptr, nullptr)) return false;  // menu
  if (!SkipNameOrOrdinal(data, size, &at, nullptr, nullptr)) return false;  // class
  if (!SkipText(data, size, &at)) return false;                            // title
  l.hasFont = (l.style & (l.extended ? (kDsSetFont | kDsFixedSys) : kDsSetFont)) != 0;
  if (l.hasFont) {
    l.fontAt = at;
    l.faceAt = at + (l.extended ? 6 : 2);
    if (l.faceAt > size) return false;
    size_t end = l.faceAt;
    if (!SkipText(data, size, &end)) return false;
    l.faceEnd = end;
    at = end;
  }
  l.itemsAt = Align4(at);
  *out = l;
  return true;
}

size_t PatchedDialogTemplateSize(const uint8_t* data, size_t size, const GuiFontFacts& font) {
  DialogTemplateLayout l;
  if (!WalkDialogTemplate(data, size, &l)) return 0;
  if (!l.hasFont) return size;
  const size_t newFaceEnd = l.faceAt + 2 * (FaceUnits(font.face) + 1);
  const size_t items = l.itemsAt < size ? size - l.itemsAt : 0;
  const size_t need = Align4(newFaceEnd) + items;
  return need > size ? need : size;
}

size_t PatchDialogTemplateFont(const uint8_t* data, size_t size, const GuiFontFacts& font, uint8_t* out,
                               size_t capacity) {
  DialogTemplateLayout l;
  if (out == nullptr || !WalkDialogTemplate(data, size, &l)) return 0;
  const size_t need = PatchedDialogTemplateSize(data, size, font);
  if (need == 0 || capacity < need) return 0;
  std::memset(out, 0, need);
  if (!l.hasFont) {
    std::memcpy(out, data, size);
    return size;
  }
  std::memcpy(out, data, l.fontAt);
  PutWord(out + l.fontAt, font.pointSize);
  if (l.extended) {
    PutWord(out + l.fontAt + 2, font.weight);
    out[l.fontAt + 4] = font.italic;
    out[l.fontAt + 5] = font.charSet;
  }
  const size_t units = FaceUnits(font.face);
  for (size_t i = 0; i < units; ++i) PutWord(out + l.faceAt + 2 * i, static_cast<uint16_t>(font.face[i]));
  PutWord(out + l.faceAt + 2 * units, 0);
  const size_t itemsOut = Align4(l.faceAt + 2 * (units + 1));
  if (l.itemsAt < size) std::memcpy(out + itemsOut, data + l.itemsAt, size - l.itemsAt);
  return need;
}

bool ReadDialogItems(const uint8_t* data, size_t size, std::vector<DialogItemFacts>* out) {
  DialogTemplateLayout l;
  if (out == nullptr || !WalkDialogTemplate(data, size, &l)) return false;
  out->clear();
  size_t at = l.itemsAt;
  for (uint16_t i = 0; i < l.itemCount; ++i) {
    at = Align4(at);
    const size_t head = l.extended ? kExtendedItemHeader : kStandardItemHeader;
    if (at + head > size) return false;
    const uint8_t* p = data + at;
    DialogItemFacts item = {};
    if (l.extended) {
      item.style = Dword(p + 8);
      item.x = static_cast<int16_t>(Word(p + 12));
      item.y = static_cast<int16_t>(Word(p + 14));
      item.cx = static_cast<int16_t>(Word(p + 16));
      item.cy = static_cast<int16_t>(Word(p + 18));
      item.id = Dword(p + 20);
    } else {
      item.style = Dword(p);
      item.x = static_cast<int16_t>(Word(p + 8));
      item.y = static_cast<int16_t>(Word(p + 10));
      item.cx = static_cast<int16_t>(Word(p + 12));
      item.cy = static_cast<int16_t>(Word(p + 14));
      item.id = Word(p + 16);
    }
    at += head;
    if (!SkipNameOrOrdinal(data, size, &at, &item.classOrdinal, &item.className)) return false;
    uint16_t textOrdinal = 0;
    if (!SkipNameOrOrdinal(data, size, &at, &textOrdinal, &item.text)) return false;
    if (at + 2 > size) return false;
    // Creation data: the extended layout counts the bytes after its count
    // word, the standard one includes the word in its count.
    const size_t extra = Word(data + at);
    at += l.extended ? 2 + extra : (extra != 0 ? extra : 2);
    if (at > size) return false;
    out->push_back(std::move(item));
  }
  return true;
}
