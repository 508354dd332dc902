// The drawing of a fax cover page into an enhanced metafile in tenths of a
// millimetre: the style's bars, date, title, recipients, sender, page
// count, subject and message, and the image stamp.  The job's cover pages
// and the previews of the cover-sheet dialogs draw the same page.
#pragma once

#include <windows.h>

#include <cstdint>

#include "common/records/fax_cover_sheet.h"
#include "common/records/fax_send_block.h"

struct CoverMetafileRequest {
  bool wholeArea;                 // the frame is the drawing area (always, for the job)
  uint32_t rotation;              // 0, 90 or 270
  HDC reference;                  // the DC the metafile is made for
  const wchar_t* fileName;        // null: in memory
  const char16_t* date;           // the date line
  bool freeText;                  // the recipients are `freeRecipient`
  const char16_t* freeRecipient;
  const FaxRecipientEntry* destinations;
  uint32_t destinationCount;
  const FcsBasicPart* basic;
  const FcsSenderPart* sender;
  const FcsImagePart* image;
};

// The metafile, or null (a style above 3, or the metafile cannot be made).
// `size` receives the drawing area's size in 0.1 mm.
HENHMETAFILE RenderCoverSheetMetafile(const CoverMetafileRequest& request, SIZE* size);
