#include "dproc/watermark/watermark_selection.h"

#include <cstring>

#include "common/records/doc_fields.h"
#include "dproc/watermark/watermark_lists.h"

namespace {

WaterMarkInfo* SelectedMark(DocDMode* settings) {
  static_assert(offsetof(DocFields, WmkInfo_bMultiStamp) - offsetof(DocFields, WmkInfo_szKey) ==
                offsetof(WaterMarkInfo, bMultiStamp));
  return reinterpret_cast<WaterMarkInfo*>(Fields(*settings).WmkInfo_szKey);
}

// Texts of packed records, compared unit by unit up to the terminator.
bool SameText(const void* a, const void* b, size_t units, size_t unitBytes) {
  for (size_t i = 0; i < units; ++i) {
    uint16_t x = 0, y = 0;
    std::memcpy(&x, static_cast<const uint8_t*>(a) + i * unitBytes, unitBytes);
    std::memcpy(&y, static_cast<const uint8_t*>(b) + i * unitBytes, unitBytes);
    if (x != y) return false;
    if (x == 0) return true;
  }
  return true;
}

// The records of the list an entry names.
const WaterMarkInfo* ListOf(const WatermarkListsView& lists, const WMOrderEntry& entry, size_t* count) {
  *count = entry.bPublic != 0 ? lists.publicCount : lists.privateCount;
  return entry.bPublic != 0 ? lists.publicMarks : lists.privateMarks;
}

WaterMarkInfo Checked(const WaterMarkInfo& mark, WatermarkFaceCheck check) {
  WaterMarkInfo copy = mark;
  if (check != nullptr) check(&copy);
  return copy;
}

void Take(DocDMode* settings, size_t position, const WaterMarkInfo& mark) {
  std::memcpy(SelectedMark(settings), &mark, sizeof mark);
  Fields(*settings).wWmkListPos = static_cast<uint16_t>(position);
}

}  // namespace

bool SameWatermark(const WaterMarkInfo& a, const WaterMarkInfo& b) {
  return SameText(a.szKey, b.szKey, sizeof a.szKey, 1) && SameText(a.szWmkTitle, b.szWmkTitle, 32, 2) &&
         SameText(a.szWmkStr, b.szWmkStr, 129, 2) && SameText(a.szFontName, b.szFontName, 32, 2) && a.nStyle == b.nStyle && a.wSize == b.wSize &&
         a.crColor == b.crColor && a.nAngle == b.nAngle && a.ptWmkPosX == b.ptWmkPosX &&
         a.ptWmkPosY == b.ptWmkPosY && a.ptStrPosX == b.ptStrPosX && a.ptStrPosY == b.ptStrPosY &&
         a.wFrame == b.wFrame;
}

void SyncWatermarkSelection(const WatermarkListsView& lists, DocDMode* settings, WatermarkFaceCheck check) {
  if (settings == nullptr) return;
  DocFields& f = Fields(*settings);
  if (f.bWmk != 0 && lists.orderCount != 0) {
    const WaterMarkInfo selected = Checked(*SelectedMark(settings), check);
    for (size_t e = 0; e < lists.orderCount; ++e) {
      size_t count = 0;
      const WaterMarkInfo* list = ListOf(lists, lists.order[e], &count);
      const WatermarkTitle name = TitleOf(lists.order[e]);
      for (size_t i = 0; i < count; ++i) {
        if (!SameTitle(TitleOf(list[i]), name)) continue;
        const WaterMarkInfo mark = Checked(list[i], check);
        if (SameWatermark(mark, selected)) {
          Take(settings, e, mark);
          return;
        }
      }
    }
  }
  if (lists.orderCount == 0) return;
  const size_t position = f.wWmkListPos < lists.orderCount ? f.wWmkListPos : 0;
  size_t count = 0;
  const WaterMarkInfo* list = ListOf(lists, lists.order[position], &count);
  const WatermarkTitle name = TitleOf(lists.order[position]);
  for (size_t i = 0; i < count; ++i) {
    if (SameTitle(TitleOf(list[i]), name)) {
      Take(settings, position, Checked(list[i], check));
      return;
    }
  }
}
