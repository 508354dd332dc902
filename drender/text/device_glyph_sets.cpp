#include "drender/text/device_glyph_sets.h"

#include <cstring>

namespace {

struct Run {
  uint16_t wcLow;
  uint16_t count;
};

uint32_t Le32(const uint8_t* at) {
  return uint32_t(at[0]) | (uint32_t(at[1]) << 8) | (uint32_t(at[2]) << 16) | (uint32_t(at[3]) << 24);
}

// One block: the head, the runs pointing at their handles, the handles.
void Build(uint32_t flAccel, uint32_t supported, const std::vector<Run>& runs, const std::vector<uint32_t>& handles,
           GlyphSetBlock* out) {
  const size_t head = offsetof(GlyphSet, awcrun) + runs.size() * sizeof(GlyphRun);
  const size_t bytes = head + handles.size() * sizeof(uint32_t);
  out->assign((bytes + sizeof(uint64_t) - 1) / sizeof(uint64_t), 0);
  auto* base = reinterpret_cast<uint8_t*>(out->data());
  auto* set = reinterpret_cast<GlyphSet*>(base);
  set->cjThis = static_cast<uint32_t>(bytes);
  set->flAccel = flAccel;
  set->cGlyphsSupported = supported;
  set->cRuns = static_cast<uint32_t>(runs.size());
  auto* at = reinterpret_cast<uint32_t*>(base + head);
  if (!handles.empty()) std::memcpy(at, handles.data(), handles.size() * sizeof(uint32_t));
  for (size_t i = 0; i < runs.size(); ++i) {
    set->awcrun[i].wcLow = runs[i].wcLow;
    set->awcrun[i].cGlyphs = runs[i].count;
    set->awcrun[i].phg = at;
    at += runs[i].count;
  }
}

}  // namespace

bool GlyphSet_FromImage(const uint8_t* image, size_t size, GlyphSetBlock* out) {
  out->clear();
  constexpr size_t kHead = 16, kRun = 16;
  if (image == nullptr || size < kHead) return false;
  const uint32_t supported = Le32(image + 8);
  const uint64_t runCount = Le32(image + 12);
  if (runCount > (size - kHead) / kRun) return false;
  std::vector<Run> runs;
  uint64_t total = 0;
  for (uint64_t i = 0; i < runCount; ++i) {
    const uint8_t* r = image + kHead + i * kRun;
    const Run run{uint16_t(r[0] | (r[1] << 8)), uint16_t(r[2] | (r[3] << 8))};
    runs.push_back(run);
    total += run.count;
  }
  const uint64_t handlesAt = kHead + runCount * kRun;
  if (total > (size - handlesAt) / 4) return false;
  std::vector<uint32_t> handles(total);
  for (uint64_t i = 0; i < total; ++i) handles[i] = Le32(image + handlesAt + 4 * i);
  Build(kGlyphSetUnicodeHandles, supported, runs, handles, out);
  return true;
}

bool GlyphSet_Copy(const GlyphSet* set, GlyphSetBlock* out) {
  out->clear();
  if (set == nullptr) return false;
  std::vector<Run> runs;
  std::vector<uint32_t> handles;
  for (uint32_t i = 0; i < set->cRuns; ++i) {
    const GlyphRun& run = set->awcrun[i];
    runs.push_back({run.wcLow, run.cGlyphs});
    for (uint32_t k = 0; k < run.cGlyphs; ++k) {
      // A run without handles maps its characters to themselves.
      handles.push_back(run.phg != nullptr ? run.phg[k] : uint32_t(run.wcLow + k));
    }
  }
  Build(set->flAccel, set->cGlyphsSupported, runs, handles, out);
  return true;
}
