// Settings files as a user hands them to the import: any bytes through the
// settings document's reader, its lookups and its writer.  A document
// written once and read again must write the same bytes again.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "dproc/saved/ini_document.h"
#include "dproc/saved/tests/cp1252_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto doc = IniDoc_ParseFileBytes(data, size);
  if (!doc) return 0;
  for (const auto& section : doc->sections) {
    if (section.name.empty()) continue;
    for (const auto& line : section.lines) {
      if (line.kind != IniLineKind::kKey) continue;
      char16_t text[33];
      char narrow[17];
      int32_t value = 0;
      IniDoc_GetString(*doc, section.name, line.key, text, 33);
      IniDoc_GetStringA(*doc, Cp1252Codec(), section.name, line.key, narrow, sizeof narrow);
      IniDoc_GetInt(*doc, section.name, line.key, &value);
    }
  }
  std::string first;
  if (!IniDoc_FileBytes(*doc, &first)) return 0;
  auto again = IniDoc_ParseFileBytes(reinterpret_cast<const uint8_t*>(first.data()), first.size());
  if (!again) std::abort();
  std::string second;
  if (!IniDoc_FileBytes(*again, &second)) std::abort();
  auto third = IniDoc_ParseFileBytes(reinterpret_cast<const uint8_t*>(second.data()), second.size());
  std::string last;
  if (!third || !IniDoc_FileBytes(*third, &last) || last != second) std::abort();
  return 0;
}
