// What the PJL header harnesses share: a job over the sample model (its
// device options, colour-setting commands and the cipher the description
// names) with document settings, per-page entries and a fax block, the
// header gathered into a string, and the pure password decipherment.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/records/fax_send_block.h"
#include "common/records/inter_sheet_list.h"
#include "drender/pjl/pjl_job.h"
#include "fuzz/fuzz_input.h"

struct FuzzPjlJob {
  std::unique_ptr<WorkDevMode> work{new WorkDevMode()};
  std::unique_ptr<FaxSendBlock> fax{new FaxSendBlock()};
  std::vector<InterSheetEntry> entries;
  std::string out;
  PjlJob job{};
};

// A job of the sample model with the built-in document settings and no fax
// block or per-page entries; `commands` is the start-command table to walk.
void InitFuzzPjlJob(FuzzPjlJob* f, const CommandTemplateList* commands);
// The sample model's command file's start-command table, loaded once.
const CommandTemplateList* SampleStartCommands();
