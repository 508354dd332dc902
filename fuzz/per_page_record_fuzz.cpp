// The job data the render core takes from other libraries and stored
// records and writes into the PJL job header: the per-page list's entries
// (as the user interface core hands them over from the user's registry),
// the fax block with its destinations and fax settings, and the document
// settings record, through the start-command walk of the sample model.
//
// Input: a flags byte, the tab count, the entry count (at most 8), the
// destination count of the fax block; then the entries (574 bytes each),
// the fax settings (94 bytes), two destinations (652 bytes each), and
// last pairs of a settings offset (u16) and a byte put there.
#include <cstdint>
#include <cstring>

#include "drender/pjl/pjl_header_rows.h"
#include "drender/pjl/pjl_per_page.h"
#include "fuzz/pjl_job_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzInput in(data, size);
  FuzzPjlJob f;
  InitFuzzPjlJob(&f, SampleStartCommands());
  PjlJob& job = f.job;

  const uint8_t flags = in.Take<uint8_t>();
  const uint8_t tabCount = in.Take<uint8_t>();
  const uint8_t entryCount = in.Take<uint8_t>() % 9;
  const uint16_t destinations = in.Take<uint16_t>();

  f.entries.resize(entryCount);
  for (InterSheetEntry& e : f.entries) e = in.Take<InterSheetEntry>();
  if (entryCount != 0) {
    job.interSheetEntries = reinterpret_cast<const uint8_t*>(f.entries.data());
    job.interSheetCount = entryCount;
    job.tabCount = tabCount;
  }
  f.fax->faxSetting = in.Take<FaxSetting>();
  f.fax->wRecipientCount = destinations;
  f.fax->recipients[0] = in.Take<FaxRecipientEntry>();
  f.fax->recipients[1] = in.Take<FaxRecipientEntry>();
  if (flags & 1) job.fax = f.fax.get();
  job.perRecipient = (flags & 2) != 0;
  job.replayDestination = (flags >> 2) & 3;
  job.values.tabSheetsArePages = (flags & 16) != 0;
  job.values.perPagePunch = (flags & 32) != 0;
  job.haveTimer = (flags & 64) != 0;
  if (job.haveTimer) {
    for (uint16_t& t : job.timer) t = tabCount;
  }

  uint8_t* doc = reinterpret_cast<uint8_t*>(&f.work->devmode.doc);
  if (flags & 128) doc[kPjlPerPageSettingAt] = 1;
  while (in.size() >= 3) {
    const uint16_t at = in.Take<uint16_t>();
    const uint8_t value = in.Take<uint8_t>();
    doc[at % sizeof(DocDMode)] = value;
  }

  Pjl_WalkStartCommands(&job);
  if (f.entries.size() != 0) {
    std::vector<PjlPageEntry> pages = Pjl_PageEntries(&job);
    (void)pages;
  }
  return 0;
}
