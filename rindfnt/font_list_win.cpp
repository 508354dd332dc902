// The exported list of resident fonts: built from the library's own font
// records, less the faces that the printer description beside the library
// turns off.
#include <windows.h>

#include <cstring>
#include <vector>

#include "common/contracts/xl_font_functions_win.h"
#include "common/qxd/model_list_reader.h"
#include "common/qxd/qxd_file.h"
#include "common/win/export_guard.h"
#include "rindfnt/font_records.h"

namespace {

constexpr uint32_t kNarrowRecords = 258;
constexpr uint32_t kWideRecords = 259;

HMODULE g_module = nullptr;
bool g_filterLoaded = false;
std::vector<FontFilterEntry> g_filter;
std::vector<XLFontListEntry> g_fonts;

// The "XLUserDeviceFont" section of VELDRANH.QXD beside the library.  False
// when the file cannot be opened; a missing section leaves no filter.
bool LoadFilter() {
  if (g_filterLoaded) return true;
  QxdContext* ctx = QxdOpenBeside(g_module, L"VELDRANH.QXD");
  if (ctx == nullptr) return false;
  std::vector<FontFilterEntry> filter;
  ListSection section;
  if (OpenListSection(ctx, "XLUserDeviceFont", &section)) {
    filter.reserve(section.list.count);
    for (uint32_t i = 0; i < section.list.count; ++i) {
      uint8_t record[36];
      if (!ReadListRecord(ctx, section, i, record, sizeof record)) continue;
      FontFilterEntry entry{};
      std::memcpy(entry.name, record, 32);
      std::memcpy(&entry.enabled, record + 32, 4);
      filter.push_back(entry);
    }
  }
  QxdClose(ctx);
  g_filter = std::move(filter);
  g_filterLoaded = true;
  return true;
}

// The record of one resource, or null with a size of 0.
const uint8_t* Resource(uint32_t type, uint32_t id, uint32_t* size) {
  *size = 0;
  HRSRC found = FindResourceW(g_module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type));
  if (found == nullptr) return nullptr;
  HGLOBAL loaded = LoadResource(g_module, found);
  if (loaded == nullptr) return nullptr;
  *size = SizeofResource(g_module, found);
  return static_cast<const uint8_t*>(LockResource(loaded));
}

bool Exists(uint32_t type, uint32_t id) {
  return FindResourceW(g_module, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(type)) != nullptr;
}

// The face name as the filter compares it: narrow, at most 31 bytes.
void FilterName(const XLFontListEntry& entry, bool wide, char out[32]) {
  std::memset(out, 0, 32);
  if (!wide) {
    std::memcpy(out, entry.name, 31);
    return;
  }
  wchar_t name[33] = {};
  std::memcpy(name, entry.name, 64);
  WideCharToMultiByte(CP_ACP, 0, name, -1, out, 31, nullptr, nullptr);
  out[31] = '\0';
}

BOOL BuildList(int flag) {
  if (!LoadFilter()) return FALSE;
  const bool wide = flag != 1;
  const uint32_t type = wide ? kWideRecords : kNarrowRecords;
  uint32_t count = 0;
  while (count < 0xFFFF && Exists(type, count + 1)) ++count;
  std::vector<XLFontListEntry> fonts;
  fonts.reserve((count + 3) / 4);
  for (uint32_t id = 1; Exists(type, id); id += 4) {
    uint32_t size = 0;
    const uint8_t* record = Resource(type, id, &size);
    if (record == nullptr) return FALSE;
    XLFontListEntry entry{};
    const bool read = wide ? FontRecord_ReadWide(record, size, &entry)
                           : FontRecord_ReadNarrow(record, size, &entry);
    if (!read) return FALSE;
    entry.number = static_cast<uint16_t>(id);
    char name[32];
    FilterName(entry, wide, name);
    if (FontFilter_Lists(g_filter, name)) fonts.push_back(entry);
  }
  g_fonts = std::move(fonts);
  return TRUE;
}

}  // namespace

void FontList_SetModule(HMODULE module) { g_module = module; }

extern "C" BOOL WINAPI InitXLFontData(int flag) {
  return GuardExport("InitXLFontData", BOOL{FALSE}, [&] { return BuildList(flag); });
}

extern "C" int WINAPI GetXLFontCount() { return static_cast<int>(g_fonts.size()); }

extern "C" int WINAPI GetXLFontData(int index, WORD* number, void* name, int length, DWORD* kind) {
  if (index < 0 || static_cast<size_t>(index) >= g_fonts.size()) return FALSE;
  const XLFontListEntry& entry = g_fonts[static_cast<size_t>(index)];
  if (number != nullptr) *number = entry.number;
  if (name != nullptr) {
    const uint16_t bytes = static_cast<uint16_t>(length);
    std::memcpy(name, entry.name, bytes < 64 ? bytes : 64);
  }
  if (kind != nullptr) *kind = entry.kind;
  return TRUE;
}

extern "C" void WINAPI TermXLFontData() {
  g_filter.clear();
  g_filter.shrink_to_fit();
  g_filterLoaded = false;
  g_fonts.clear();
  g_fonts.shrink_to_fit();
}

static_assert(std::is_same_v<decltype(&InitXLFontData), InitXLFontDataFn>);
static_assert(std::is_same_v<decltype(&GetXLFontCount), GetXLFontCountFn>);
static_assert(std::is_same_v<decltype(&GetXLFontData), GetXLFontDataFn>);
static_assert(std::is_same_v<decltype(&TermXLFontData), TermXLFontDataFn>);
