// Per-page PJL commands: the handler that writes the entry "PerPageSet" of
// an "Embeded_1" or "Embeded_2" row once for every per-page entry, and the
// page lists of the job's per-page table.
#pragma once

#include <cstdint>
#include <vector>

#include "common/records/doc_fields.h"
#include "drender/pjl/pjl_job.h"
#include "drender/pjl/pjl_page_ranges.h"

inline constexpr uint32_t kPjlPerPageSettingAt = DOC_FIELD_AT(CoverMFP_bUsePerPageSet);
inline constexpr uint32_t kPjlChapterAt = DOC_FIELD_AT(bChapterMode);
inline constexpr uint32_t kPjlChapterPagesAt = DOC_FIELD_AT(szChapterPage);
inline constexpr uint32_t kPjlChapterPagesSize = sizeof(DocFields::szChapterPage);

// The job's per-page entries as the page lists see them.
std::vector<PjlPageEntry> Pjl_PageEntries(const PjlJob* job);
// The embedded handler of slots 1 and 2.
void Pjl_PerPageSetHandler(PjlJob* job, const CommandTemplateRow* row);
