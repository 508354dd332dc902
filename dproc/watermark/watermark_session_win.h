// The watermarks of a sheet session: the public and private lists and the
// user's order of both, read from their stores when the watermark sheet
// first starts and written back when the session's settings are applied;
// with the edit dialog's preview record, its custom colours and the sharing
// state of the watermark being edited.  The session keeps one pointer to
// them in its UI state; the watermark sheet frees them with its page.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "common/records/watermark_info.h"
#include "dproc/sheets/sheet_context.h"
#include "dproc/watermark/watermark_preview_win.h"

// The sharing state of the watermark being edited.
inline constexpr uint8_t kSharingPublic = 1;
inline constexpr uint8_t kSharingPrivate = 2;

struct WatermarkSession {
  WaterMarkInfo publicMarks[kMaxPublicWatermarks];
  uint32_t publicCount;
  WaterMarkInfo privateMarks[kMaxPrivateWatermarks];
  uint32_t privateCount;
  WMOrderEntry order[kMaxWatermarkOrder];
  uint32_t orderCount;
  WatermarkPreviewRecord preview;
  COLORREF customColors[16];
  uint8_t sharing;
  // The lists changed since they were read (the edit dialog's OK).
  bool changed;
};

// The session's watermarks, read from the stores of the context's printer
// on the first call; null without a session UI state or memory.
WatermarkSession* WatermarkSessionOf(const SheetCtx* ctx);
// Gives the session lists of its own (tests, and a host that read them).
WatermarkSession* InstallWatermarkSession(const SheetCtx* ctx, const WaterMarkInfo* publicMarks, size_t publicCount,
                                          const WaterMarkInfo* privateMarks, size_t privateCount);
// Writes changed lists to their stores: the public list only for a user who
// may administer the printer.  True when nothing failed.
bool SaveWatermarkSession(const SheetCtx* ctx);
void FreeWatermarkSession(const SheetCtx* ctx);

// Puts the model's default face into a record whose face the computer
// does not have (no display context to ask: the default face as well).
void ValidateWatermarkFace(WaterMarkInfo* mark);

// Lists an Easy Set brings: the private list, the public one only with
// `takePublic`, each record face-checked; the order rebuilt from the given
// one against the new lists (entries naming no record dropped, the records
// no entry names appended, public ones first).  The session keeps at most
// 30 public, 20 private and 50 order entries; the lists count as changed.
bool ReplaceSessionWatermarks(const SheetCtx* ctx, const WaterMarkInfo* publicMarks, size_t publicCount,
                              bool takePublic, const WaterMarkInfo* privateMarks, size_t privateCount,
                              const WMOrderEntry* order, size_t orderCount);
// The settings' watermark selected again in the session's lists, and a
// position past the lists set back to the first.
void SyncSessionWatermark(const SheetCtx* ctx, DocDMode* settings);

// The preview's paper from the settings: their paper, turned as they say.
void SetWatermarkSessionPaper(const SheetCtx* ctx);

// The record an order entry names (exact title, in the list its flag
// names); false when neither list holds it.
bool FindSessionWatermark(const WatermarkSession& session, const WMOrderEntry& entry, WaterMarkInfo* out);

// The user may change the public watermarks: the printer is administrable
// by the user, and the sheets are not a printer connection's document
// properties.  Tests put their own answer in (null: the printer's).
bool MayAdministerWatermarks(const SheetCtx* ctx);
void SetWatermarkAdminCheck(bool (*check)(const SheetCtx* ctx));

// A fresh watermark: no key, name or text; the model's default face, regular,
// 72 points, red, straight and centred, no frame, no options.
WaterMarkInfo NewWatermarkRecord();

// The selected watermark the settings carry.
WaterMarkInfo* SettingsWatermark(DocDMode* doc);
