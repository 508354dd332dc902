// Document settings and model records built in memory for the settings
// tests: a zeroed record with the fields each case names.
#pragma once

#include <cstring>
#include <memory>
#include <vector>

#include "common/records/doc_fields.h"
#include "common/qxd/model_info.h"
#include "common/records/settings_records.h"

namespace settingstest {

inline std::unique_ptr<DocDMode> Doc() {
  auto d = std::make_unique<DocDMode>();
  std::memset(d.get(), 0, sizeof *d);
  SetDocByte(d.get(), kDocOrientationAt, 1);
  return d;
}

// A model record with no lists; tests hang their own rows on it.
inline std::unique_ptr<ModelInfo> Model() {
  auto m = std::make_unique<ModelInfo>();
  std::memset(m.get(), 0, sizeof *m);
  return m;
}

// A paper list: one row per (keyword, id, width, length, rotated feed) and
// the empty end row.
struct PaperSpec {
  const char* keyword;
  uint32_t id;
  uint32_t width, length;
  uint32_t rotatedFeed;
  uint32_t margins[4];
};
inline std::vector<PaperSizeEntry> Papers(std::initializer_list<PaperSpec> specs) {
  std::vector<PaperSizeEntry> rows(specs.size() + 1);
  std::memset(rows.data(), 0, rows.size() * sizeof(PaperSizeEntry));
  size_t i = 0;
  for (const PaperSpec& s : specs) {
    PaperSizeEntry& r = rows[i++];
    r.size = sizeof r;
    std::strncpy(r.keyword, s.keyword, sizeof r.keyword - 1);
    r.paperId = s.id;
    for (size_t k = 0; s.keyword[k] != '\0' && k < 47; ++k) r.name[k] = static_cast<char16_t>(s.keyword[k]);
    r.width = s.width;
    r.length = s.length;
    r.rotatedFeed = s.rotatedFeed;
    std::memcpy(r.margins, s.margins, sizeof r.margins);
  }
  return rows;
}

}  // namespace settingstest
