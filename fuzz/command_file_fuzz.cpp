// The command file (VELDRANP.QXD) over any image: the three template
// sections and the key selection read as the render core reads them at
// enable, every entry of every row looked up and expanded for a job of the
// sample model, and the start-command table walked as the job header.
#include <cstdint>

#include "drender/pjl/pjl_expand.h"
#include "drender/pjl/pjl_header_rows.h"
#include "drender/pjl/pjl_templates.h"
#include "fuzz/pjl_job_input.h"

namespace {

// Bounds of the harness's own loops; the reader bounds the rows it builds.
constexpr uint32_t kMaxRows = 64;
constexpr uint32_t kMaxEntries = 64;

void ExpandAll(FuzzPjlJob* f, const CommandTemplateList* list) {
  if (list == nullptr || list->rows == nullptr) return;
  for (uint32_t r = 0; r < kMaxRows && list->rows[r].name[0] != '\0'; ++r) {
    const CommandTemplateRow& row = list->rows[r];
    Pjl_FindRow(list, row.name);
    for (uint32_t e = 0; row.entries != nullptr && e < kMaxEntries && row.entries[e].name[0] != '\0'; ++e) {
      Pjl_FindEntry(row.entries, row.entries[e].name);
      Pjl_ExpandTemplate(&f->job, Pjl_EntryText(&row, row.entries[e].name));
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QxdContext* file = QxdOpenImage(data, size);
  if (file == nullptr) return 0;
  Pjl_ResetKeySelection();
  PjlTemplateSet set{};
  Pjl_LoadTemplateSet(file, &set);
  QxdClose(file);

  FuzzPjlJob f;
  InitFuzzPjlJob(&f, set.startCommands);
  ExpandAll(&f, set.beginPage);
  ExpandAll(&f, set.endCommands);
  Pjl_WalkStartCommands(&f.job);
  Pjl_FreeTemplateSet(&set);
  Pjl_ResetKeySelection();
  return 0;
}
