#include "tools/qxdtool/template_facts.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "dproc/constraints/stop_icon_ids.h"
#include "dproc/dialogs/dialog_template.h"
#include "dproc/dialogs/template_controls.h"

namespace {

constexpr uint16_t kDialogType = 5;  // RT_DIALOG

uint32_t U32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// A resource header's type or name: an ordinal (0xFFFF and the number) or
// a text ending in a zero unit.  Its byte size, 0 when it runs past `end`.
size_t NameOrOrdinal(const uint8_t* p, size_t left, bool* ordinal, uint16_t* value) {
  if (left >= 4 && U16(p) == 0xFFFF) {
    *ordinal = true;
    *value = U16(p + 2);
    return 4;
  }
  *ordinal = false;
  for (size_t at = 0; at + 2 <= left; at += 2) {
    if (U16(p + at) == 0) return at + 2;
  }
  return 0;
}

}  // namespace

bool ReadTemplateFacts(const std::vector<uint8_t>& res, std::vector<TemplateFactRow>* rows, std::string* error) {
  struct Found {
    uint16_t id;
    size_t at, size;
  };
  std::vector<Found> dialogs;
  size_t at = 0;
  while (at + 8 <= res.size()) {
    const uint32_t dataSize = U32(&res[at]);
    const uint32_t headerSize = U32(&res[at + 4]);
    if (headerSize < 16 || headerSize > res.size() - at || dataSize > res.size() - at - headerSize) {
      *error = "not a resource file, or one cut short";
      return false;
    }
    bool typeOrdinal = false, nameOrdinal = false;
    uint16_t type = 0, name = 0;
    const size_t typeBytes = NameOrOrdinal(&res[at + 8], headerSize - 8, &typeOrdinal, &type);
    const size_t nameBytes =
        typeBytes != 0 ? NameOrOrdinal(&res[at + 8 + typeBytes], headerSize - 8 - typeBytes, &nameOrdinal, &name) : 0;
    if (typeBytes == 0 || nameBytes == 0) {
      *error = "a resource header without its type or name";
      return false;
    }
    if (typeOrdinal && type == kDialogType && nameOrdinal) dialogs.push_back({name, at + headerSize, dataSize});
    at += headerSize + ((dataSize + 3u) & ~3u);
  }
  std::sort(dialogs.begin(), dialogs.end(), [](const Found& a, const Found& b) { return a.id < b.id; });
  for (const Found& d : dialogs) {
    std::vector<DialogItemFacts> items;
    if (!ReadDialogItems(&res[d.at], d.size, &items)) {
      *error = "dialog template " + std::to_string(d.id) + " cannot be read";
      return false;
    }
    for (const DialogItemFacts& item : items) {
      if (item.id == 0 || item.id == 0xFFFF || item.id == 0xFFFFFFFF) continue;
      const uint32_t kind = ControlKindOf(item);
      const uint32_t icon = StopIconBeside(items, item, &IsStopIconId);
      if (kind != 0 || icon != 0) rows->push_back({d.id, item.id, kind, icon});
    }
  }
  return true;
}

std::string FormatTemplateFacts(const std::vector<TemplateFactRow>& rows) {
  std::ostringstream out;
  out << "// Made by qxdtool template-facts from the dialog templates; do not edit.\n"
         "#include \"dproc/model/control_template_facts.h\"\n\n"
         "const ControlTemplateFact kControlTemplateFacts[] = {\n";
  for (const TemplateFactRow& r : rows) {
    out << "    {" << r.pageId << ", " << r.controlId << ", " << r.kind << ", " << r.stopIconId << "},\n";
  }
  if (rows.empty()) out << "    {0, 0, 0, 0},\n";
  out << "};\nconst size_t kControlTemplateFactCount = " << rows.size() << ";\n";
  return out.str();
}
