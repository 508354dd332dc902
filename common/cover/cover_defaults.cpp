#include "common/cover/cover_defaults.h"

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

// Texts compare up to their terminator, never beyond the array.
template <size_t N>
bool TextEqual(const char16_t (&a)[N], const char16_t (&b)[N]) {
  for (size_t i = 0; i < N; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  return true;
}

template <size_t N>
void CopyText(char16_t (&dst)[N], const char16_t* src) {
  size_t i = 0;
  for (; src && i + 1 < N && src[i]; ++i) dst[i] = src[i];
  for (; i < N; ++i) dst[i] = 0;
}

bool NameEqual(const char16_t (&a)[kFcsSetNameChars], const char16_t* b) {
  if (!b) return a[0] == 0;
  for (size_t i = 0; i < kFcsSetNameChars; ++i) {
    if (a[i] != b[i]) return false;
    if (a[i] == 0) return true;
  }
  // A stored name of more than 20 characters never equals the field.
  return false;
}

// The title the start-up read; one per module, like the record it fills.
char16_t g_defaultTitle[std::size(FcsRecipientPart{}.szTitle)];

}  // namespace

void SetDefaultCoverTitle(const char16_t* title) { CopyText(g_defaultTitle, title); }

const char16_t* DefaultCoverTitle() { return g_defaultTitle; }

void MakeDefaultCoverSheet(FaxCoverSheetData* out) {
  std::memset(out, 0, sizeof *out);
  CopyText(out->recipient.szTitle, g_defaultTitle);
  out->basic.fgSubject = 1;
  out->basic.wPages = 1;
  out->image.wZoom = 100;
  out->image.wPosX = 1;
  out->image.wPosY = 1;
}

void FormatCoverDate(const FcsBasicPart& basic, int year, int month, int day, char16_t out[kCoverDateChars]) {
  out[0] = 0;
  if (!basic.fgDate) return;
  if (basic.byDateMode != 0) {
    size_t i = 0;
    for (; i < kCoverDateChars - 1 && i < std::size(basic.szDate) && basic.szDate[i]; ++i) out[i] = basic.szDate[i];
    out[i] = 0;
    return;
  }
  static const char* const kForms[kFcsDateFormCount] = {
      "%04d-%02d-%02d", "%04d/%02d/%02d", "%04d.%02d.%02d",
      "%02d-%02d-%04d", "%02d/%02d/%04d", "%02d.%02d.%04d",
      "%02d-%02d-%04d", "%02d/%02d/%04d", "%02d.%02d.%04d"};
  const uint8_t form = basic.byDateForm;
  if (form >= kFcsDateFormCount) return;
  int a = year, b = month, c = day;            // year, month, day
  if (form >= 3 && form <= 5) a = month, b = day, c = year;
  if (form >= 6) a = day, b = month, c = year;
  char narrow[kCoverDateChars];
  const int n = std::snprintf(narrow, sizeof narrow, kForms[form], a, b, c);
  const size_t len = n < 0 ? 0 : (static_cast<size_t>(n) < kCoverDateChars ? static_cast<size_t>(n) : kCoverDateChars - 1);
  for (size_t i = 0; i < len; ++i) out[i] = static_cast<unsigned char>(narrow[i]);
  out[len] = 0;
}

bool CoverBasicEqual(const FcsBasicPart& a, const FcsBasicPart& b) {
  return a.byStyle == b.byStyle && a.fgSubject == b.fgSubject && TextEqual(a.szSubject, b.szSubject) &&
         a.fgDate == b.fgDate && a.byDateMode == b.byDateMode && a.byDateForm == b.byDateForm &&
         TextEqual(a.szDate, b.szDate) && a.fgPages == b.fgPages && a.wPages == b.wPages &&
         TextEqual(a.szComment, b.szComment);
}

bool CoverSenderEqual(const FcsSenderPart& a, const FcsSenderPart& b) {
  for (uint32_t i = 0; i < kFcsSenderLines; ++i) {
    if (a.lines[i].fgOn != b.lines[i].fgOn || !TextEqual(a.lines[i].szText, b.lines[i].szText)) return false;
  }
  return true;
}

bool CoverImageEqual(const FcsImagePart& a, const FcsImagePart& b) {
  return a.fgPasteImage == b.fgPasteImage && TextEqual(a.szImageFile, b.szImageFile) && a.fgZoom == b.fgZoom &&
         a.wZoom == b.wZoom && a.wPosX == b.wPosX && a.wPosY == b.wPosY;
}

int FindCurrentCoverSet(const FaxCoverSheetData& record, const CoverSetView* sets, size_t count) {
  if (record.szCoverSheetSet[0] == 0) return -1;  // untitled data names no set
  for (size_t i = 0; i < count; ++i) {
    if (!NameEqual(record.szCoverSheetSet, sets[i].name)) continue;
    // Only the first set of that name is considered.
    const CoverSetView& s = sets[i];
    if (s.basic && s.sender && s.image && CoverBasicEqual(*s.basic, record.basic) &&
        CoverSenderEqual(*s.sender, record.sender) && CoverImageEqual(*s.image, record.image)) {
      return static_cast<int>(i);
    }
    return -1;
  }
  return -1;
}

void ApplyCoverSet(FaxCoverSheetData* record, const CoverSetView& set) {
  CopyText(record->szCoverSheetSet, set.name);
  if (set.basic) record->basic = *set.basic;
  if (set.sender) record->sender = *set.sender;
  if (set.image) record->image = *set.image;
}
