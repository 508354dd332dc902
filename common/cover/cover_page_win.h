// The fax cover page drawn into an enhanced metafile: one composer for the
// cover page of a job and for the previews of the cover-sheet dialogs.  The
// page is laid out by one of the four styles (common/qxd/fax_cover_styles.h)
// in tenths of a millimetre, optionally turned by 90 or 270 degrees.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "common/cover/cover_geometry.h"
#include "common/records/fax_cover_sheet.h"
#include "common/records/fax_send_block.h"

// What a cover page shows.  Texts are read up to their terminator or their
// field's capacity, whichever comes first.
struct CoverPageRequest {
  HDC refDc = nullptr;                  // the device the metafile is made for
  uint32_t angle = 0;                   // 0, 90, anything else 270
  const wchar_t* metafileName = nullptr;  // null: the metafile lives in memory
  const char16_t* dateText = nullptr;   // up to 63 characters; null: empty
  bool titleMode = false;               // the recipient block shows `title`
  const char16_t* title = nullptr;      // up to 32 characters
  const FaxRecipientEntry* entries = nullptr;  // list mode: the destinations
  uint32_t entryCount = 0;
  const FcsBasicPart* basic = nullptr;  // required
  const FcsSenderPart* sender = nullptr;  // null: no sender block
  const FcsImagePart* image = nullptr;  // null: no image stamp
};

// Draws the page.  Returns the metafile (the caller deletes it) or null when
// the style number is above 3 or the metafile cannot be made; `pageSize`,
// when given, receives the page's width and height after turning (0.1 mm).
HENHMETAFILE CreateCoverSheetEmf(const CoverPageRequest& request, SIZE* pageSize);

// The recipient block a record asks for, from the caller's destinations.
// `own` receives the entry built from the record's four own lines when the
// record asks for it; the request then points at it.
void CoverRecipientSource(const FcsRecipientPart& recipient, const FaxRecipientEntry* entries, uint32_t count,
                          FaxRecipientEntry* own, CoverPageRequest* request);

// The page of a record, as the dialogs show it: today's date in the record's
// format (or its typed date), the recipient source the record chooses.
HENHMETAFILE RenderFaxCoverSheet(HDC refDc, uint32_t angle, const FaxCoverSheetData& data,
                                 const FaxRecipientEntry* entries, uint32_t count, SIZE* pageSize);

// The LOGFONT of an installed TrueType family named exactly `face` (upright
// faces first, then italic ones); width, weight and italic cleared.  false
// leaves `out` untouched.
bool FindFontFamilyLogFont(HDC dc, const wchar_t* face, LOGFONTW* out);

// A cover image file by name: ".BMP" or ".DIB" (any case), readable, and
// starting with "BM".  The file is opened by its name only: no wildcards.
bool IsCoverImageFile(const wchar_t* path, size_t length);

// A loaded, checked cover bitmap: the information header with its colour
// table, and the pixel bits, exactly as large as the header says.
struct CoverImage {
  std::vector<uint8_t> info;
  std::vector<uint8_t> bits;
  int32_t width = 0, height = 0;  // height as stored (negative: top-down)
};
// Loads the image part's file.  false for a missing, unreadable or
// malformed file (see common/cover/cover_bmp.h for what is checked).
bool LoadCoverImage(const FcsImagePart& image, CoverImage* out);

// The preview: the metafile's frame fitted into a size, the page, printable
// and metafile rectangles inside a target rectangle, playing with a shadow
// and a frame, and the mark of the image position.
void ScaleEnhMetaFile(HENHMETAFILE emf, int32_t targetWidth, int32_t targetHeight, int32_t* width, int32_t* height);
bool FitCoverImageRect(HENHMETAFILE emf, const RECT& target, const CoverPaperInfo& paper, RECT* page, RECT* printable,
                       RECT* metafile);
void PlayCoverPreview(HDC dc, HENHMETAFILE emf, const RECT& metafile, const RECT& page);
void DrawImagePositionMark(HDC dc, const FcsImagePart& image, const RECT& r);
