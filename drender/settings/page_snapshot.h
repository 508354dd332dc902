// The page settings snapshot of a captured page: saved from the job's
// settings when the page starts and written back before the page is
// replayed.
#pragma once

#include <cstdint>

#include "drender/settings/page_settings.h"

struct DocDMode;

// Copies the page-level fields of the settings into the snapshot; byte 514
// from `headerWritten`, byte 515 = 255.  Reserved bytes are left as they
// are (callers hand zero-filled snapshots).
void Page_SaveSettings(const DocDMode* doc, uint8_t headerWritten, PageSettings* snapshot);
// Writes every field of the snapshot back into the settings.
void Page_ApplySettings(DocDMode* doc, const PageSettings* snapshot);

// The copies each page's EndPage asks of the printer: the settings' count
// (at least 1), or 1 when the job header's collate command carried the
// count (`headerCopies`, 0 when the header set none).  A collated job on a
// model whose header has no collate command keeps its copies.
uint16_t Page_EndPageCopies(const DocDMode* doc, uint32_t headerCopies);

struct ModelInfo;
struct WorkDevMode;

// True when a page of the new settings cannot continue the sheet of the
// old ones: another output paper (paper id, size or printable area), a
// media type other than the old one or 256 (any), another tray or print
// type, or a binding position of another group ({0,2}, {1,3}, {4,6},
// {5,7}, any other value alone).
bool Page_SettingsDiffer(const ModelInfo* model, const DocDMode* before, const DocDMode* after);
// True when the driver layout differs: the N-up kind, the N-up order (1
// and 3 alike, 0 and 2 alike; from 4 on every change counts) or the
// booklet binding (1 and 3 alike, 2 and 4 alike).
bool Page_LayoutDiffers(const DocDMode* before, const DocDMode* after);
// The page-level fields of `page` over the job-level settings `job`: papers,
// media, tray, orientation, zoom, binding, N-up, print type, rotation,
// image shift and watermark.
void Page_TakePageFields(DocDMode* job, const DocDMode* page);
// Copies the authentication and account fields from one job's settings to
// another's when the old device options enable it (16-bit value at byte
// 964 not 0).
void Page_CopyJobIdentity(const WorkDevMode* from, WorkDevMode* to);
