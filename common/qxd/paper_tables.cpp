#include "common/qxd/paper_tables.h"

#include <cstdlib>
#include <cstring>

#include "common/qxd/item_layouts.h"
#include "common/records/doc_fields.h"
#include "common/qxd/model_list_reader.h"

namespace {

uint32_t U32At(const uint8_t* record, uint32_t at) {
  uint32_t v;
  std::memcpy(&v, record + at, 4);
  return v;
}

// ------------------------------------------------------------ input trays

constexpr InputTrayRow kBuiltInTrays[] = {
    {"InTrayAuto", 7, "", {"", "", "", "", "", "", ""}},
    {"SAMEASBODY", 32767, "", {"FCover_Auto", "BCover_Auto", "SPage_Auto", "", "", "", "PPSTraySameAsBody"}},
    {"InTray1", 257, "", {"FCover_Tray1", "BCover_Tray1", "SPage_Tray1", "OHPInt_Tray1", "", "", "PPSTray1"}},
    {"InTray2", 258, "", {"FCover_Tray2", "BCover_Tray2", "SPage_Tray2", "OHPInt_Tray2", "", "", "PPSTray2"}},
    {"InTray3", 259, "", {"FCover_Tray3", "BCover_Tray3", "SPage_Tray3", "OHPInt_Tray3", "", "", "PPSTray3"}},
    {"InTray4", 260, "", {"FCover_Tray4", "BCover_Tray4", "SPage_Tray4", "OHPInt_Tray4", "", "", "PPSTray4"}},
    {"InTray5", 261, "", {"FCover_Tray5", "BCover_Tray5", "SPage_Tray5", "OHPInt_Tray5", "", "", "PPSTray5"}},
    {"InTrayManual", 4, "", {"FCover_Manual", "BCover_Manual", "SPage_Manual", "OHPInt_Manual", "", "", "PPSMANUAL"}},
    {"PITray1", 1001, "", {"", "", "", "", "PIFTray1", "PIBTray1", "PPSPITray1"}},
    {"PITray2", 1002, "", {"", "", "", "", "PIFTray2", "PIBTray2", "PPSPITray2"}},
    {"InTrayLCT", 1000, "", {"FCover_LCT", "BCover_LCT", "", "OHPInt_LCT", "", "", "PPSLCT"}},
    {"", 0, "", {"", "", "", "", "", "", ""}},
};
constexpr size_t kTrayRows = sizeof kBuiltInTrays / sizeof kBuiltInTrays[0];

InputTrayRow g_trays[kTrayRows] = {};
bool g_traysReady = false;

InputTrayRow* Trays() {
  if (!g_traysReady) ResetInputTrayTable();
  return g_trays;
}

// 156-byte "InTray" and "ALL_InTray" item records.
struct TrayRecord {
  QxdEntry entry;
  uint8_t unused[8];
  uint32_t present;
  char note[128];
};
static_assert(sizeof(TrayRecord) == 156);

}  // namespace

InputTrayRow* InputTrayTable() { return Trays(); }

void ResetInputTrayTable() {
  std::memcpy(g_trays, kBuiltInTrays, sizeof g_trays);
  g_traysReady = true;
}

bool FindTrayAlias(const char* section, const char* alias, uint32_t* binId) {
  static const char* const kColumns[kTrayAliasColumns] = {
      "FCoverTray", "BCoverTray", "SeparatePageTray", "OHPIntTray", "PIFrontCover", "PIBackCover",
      "PerPageListPaperSrc"};
  int column = -1;
  for (int c = 0; c < kTrayAliasColumns; ++c) {
    if (QxdNameEquals(section, kColumns[c])) column = c;
  }
  if (column < 0 || alias == nullptr || alias[0] == '\0') return false;
  for (const InputTrayRow* row = Trays(); row->keyword[0] != '\0'; ++row) {
    if (QxdNameEquals(row->aliases[column], alias)) {
      if (binId != nullptr) *binId = static_cast<uint16_t>(row->binId);
      return true;
    }
  }
  return false;
}

void UpdateInputTrayTable(QxdContext* ctx) {
  ListSection s;
  if (!OpenListSection(ctx, "ALL_InTray", &s)) return;
  for (uint32_t i = 0; i < s.list.count; ++i) {
    TrayRecord record;
    if (!ReadListRecord(ctx, s, i, &record, sizeof record)) continue;
    char key[32];
    ReadEntryTexts(ctx, record.entry, key, sizeof key, nullptr, 0);
    for (InputTrayRow* row = Trays(); row->keyword[0] != '\0'; ++row) {
      if (!QxdNameEquals(row->keyword, key)) continue;
      row->binId = static_cast<int16_t>(record.entry.next & 0xFFFF);
      CopyText(row->text, sizeof row->text, record.note, sizeof record.note);
      break;
    }
  }
}

// ----------------------------------------------------------------- papers

void ReadPaperSizeList(QxdContext* ctx, ModelInfo* m) {
  if (m == nullptr) return;
  uint32_t count = 0;
  m->papers = ReadRowList<PaperSizeEntry, kPaperItemSize>(
      ctx, "PaperSize", &count, [&](PaperSizeEntry& row, const uint8_t* r, const QxdEntry& entry, uint32_t) {
        ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.name, 48);
        std::memcpy(row.nameCopy, row.name, sizeof row.name);
        // Offset 0 names no short name.
        if (U32At(r, kPaperItemShortNameAt) != 0) QxdReadWideString(ctx, U32At(r, kPaperItemShortNameAt), row.shortName, 48);
        std::memcpy(row.shortNameCopy, row.shortName, sizeof row.shortName);
        row.paperId = U32At(r, kPaperItemIdAt);
        row.width = U32At(r, kPaperItemWidthAt);
        row.length = U32At(r, kPaperItemLengthAt);
        row.pageSizeCount = U32At(r, kPaperItemPageSizeCountAt);
        if (row.pageSizeCount > 6) row.pageSizeCount = 6;  // the record holds six
        if (row.pageSizeCount != 0) std::memcpy(row.pageSizes, r + kPaperItemPageSizesAt, sizeof row.pageSizes);
        row.pairFlag = U32At(r, kPaperItemPairFlagAt);
        if (row.pairFlag != 0) {
          row.pairFirst = U32At(r, kPaperItemPairFirstAt);
          row.pairSecond = U32At(r, kPaperItemPairSecondAt);
        }
        row.marginsFlag = U32At(r, kPaperItemMarginsFlagAt);
        row.resolutionMarginsFlag = U32At(r, kPaperItemResolutionMarginsFlagAt);
        row.furtherFlag = U32At(r, kPaperItemFurtherFlagAt);
        if (row.marginsFlag != 0) std::memcpy(row.margins, r + kPaperItemMarginsAt, sizeof row.margins);
        if (row.resolutionMarginsFlag != 0) std::memcpy(row.resolutionMargins, r + kPaperItemResolutionMarginsAt, sizeof row.resolutionMargins);
        if (row.furtherFlag != 0) std::memcpy(row.further, r + kPaperItemFurtherAt, sizeof row.further);
        CopyText(row.note, sizeof row.note, reinterpret_cast<const char*>(r + kPaperItemNoteAt), 128);
        row.iconId = kRowIconId;
        row.rotatedFeed = U32At(r, kPaperItemRotatedFeedAt);
        row.value444 = U32At(r, kPaperItemValue444At);
        CopyText(row.twoUpKeyword, sizeof row.twoUpKeyword, reinterpret_cast<const char*>(r + kPaperItemTwoUpKeywordAt), 32);
        row.twoUpValue = U32At(r, kPaperItemTwoUpValueAt);
        row.halfWidth = U32At(r, kPaperItemHalfWidthAt);
        row.halfLength = U32At(r, kPaperItemHalfLengthAt);
        CopyText(row.twoUpText, sizeof row.twoUpText, reinterpret_cast<const char*>(r + kPaperItemTwoUpTextAt), 128);
        row.twoUpValid = row.twoUpKeyword[0] != '\0' && row.twoUpValue != 0 && row.halfWidth != 0 &&
                         row.halfLength != 0 && row.twoUpText[0] != '\0';

        if (QxdNameEquals(row.keyword, "UserPaper")) {
          m->customPaperMinWidth = U32At(r, kPaperItemWidthAt);
          m->customPaperMaxWidth = U32At(r, kPaperItemMaxWidthAt);
          m->customPaperMinLength = U32At(r, kPaperItemLengthAt);
          m->customPaperMaxLength = U32At(r, kPaperItemMaxLengthAt);
          if (row.marginsFlag != 0) std::memcpy(m->customPaperMargins, r + kPaperItemMarginsAt, sizeof m->customPaperMargins);
          if (row.resolutionMarginsFlag != 0) {
            std::memcpy(m->customPaperResolutionMargins, r + kPaperItemResolutionMarginsAt, sizeof m->customPaperResolutionMargins);
          }
          if (row.furtherFlag != 0) std::memcpy(m->customPaperFurther, r + kPaperItemFurtherAt, sizeof m->customPaperFurther);
        }
      });
  if (m->papers != nullptr) m->papers[count].size = sizeof(PaperSizeEntry);
}

void ReadOutPaperSizeList(QxdContext* ctx, ModelInfo* m) {
  if (m == nullptr) return;
  uint32_t count = 0;
  m->outPapers = ReadRowList<OutPaperSizeEntry, kOutPaperItemSize>(
      ctx, "OutPaperSize", &count, [&](OutPaperSizeEntry& row, const uint8_t* r, const QxdEntry& entry, uint32_t) {
        ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.name, 48);
        std::memcpy(row.nameCopy, row.name, sizeof row.name);
        if (U32At(r, kPaperItemShortNameAt) != 0) QxdReadWideString(ctx, U32At(r, kPaperItemShortNameAt), row.shortName, 48);
        std::memcpy(row.shortNameCopy, row.shortName, sizeof row.shortName);
        row.paperId = U32At(r, kPaperItemIdAt);
        row.iconId = kRowIconId;
        row.extra1 = U32At(r, kOutPaperItemExtra1At);
        row.extra2 = U32At(r, kOutPaperItemExtra2At);
      });
  if (m->outPapers != nullptr) m->outPapers[count].size = sizeof(OutPaperSizeEntry);
}

void ReadInTrayList(QxdContext* ctx, ModelInfo* m) {
  if (m == nullptr) return;
  uint32_t count = 0;
  m->inTrays = ReadRowList<InTrayEntry, sizeof(TrayRecord)>(
      ctx, "InTray", &count, [&](InTrayEntry& row, const uint8_t* r, const QxdEntry& entry, uint32_t) {
        TrayRecord record;
        std::memcpy(&record, r, sizeof record);
        // A tray that is not present keeps an empty keyword: the list ends there.
        if (record.present != 0) {
          ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.name, 32);
          row.binId = entry.next;
          row.iconId = kRowIconId;
        }
        CopyText(row.note, sizeof row.note, record.note, sizeof record.note);
      });
  if (m->inTrays != nullptr) m->inTrays[count].size = sizeof(InTrayEntry);
}

void ReadTrayMediaLabels(QxdContext* ctx, ModelInfo* m) {
  if (m == nullptr || m->inTrays == nullptr) return;
  const uint32_t n = CountRows(m->inTrays);
  TrayMediaLabel* rows = AllocRows<TrayMediaLabel>(n);
  if (rows == nullptr) return;
  m->trayMediaLabels = rows;
  for (uint32_t i = 0; i < n; ++i) {
    rows[i].size = sizeof rows[i];
    std::memcpy(rows[i].keyword, m->inTrays[i].keyword, sizeof rows[i].keyword);
    rows[i].binId = m->inTrays[i].binId;
    rows[i].flag = m->inTrays[i].flag;
    rows[i].iconId = m->inTrays[i].iconId;
  }
  rows[n].size = sizeof(TrayMediaLabel);

  // Entries are chained; an entry whose key ends with a tray's keyword
  // labels that tray and gives it the key as its keyword.
  QxdChainWalk walk;
  if (!QxdBeginChain(ctx, "MediaTypeList_Tray", &walk)) return;
  QxdEntry entry;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char key[129] = {};
    if (!QxdReadString(ctx, entry.keyOffset, key, sizeof key) || key[0] == '\0') continue;
    const size_t keyLength = std::strlen(key);
    for (uint32_t i = 0; i < n; ++i) {
      const size_t length = std::strlen(rows[i].keyword);
      if (length == 0 || length >= keyLength) continue;
      if (!QxdNameEquals(rows[i].keyword, key + keyLength - length)) continue;
      CopyText(rows[i].keyword, sizeof rows[i].keyword, key, sizeof key);
      rows[i].label[0] = 0;
      QxdReadWideString(ctx, entry.textOffset, rows[i].label, 32);
      break;
    }
  }
}

void ReadTrayChoiceList(QxdContext* ctx, ModelInfo* m, const char* section, uint32_t bit) {
  if (m == nullptr) return;
  OptionItem** target = nullptr;
  switch (bit) {
    case 1: target = &m->frontCoverTrays; break;
    case 2: target = &m->backCoverTrays; break;
    case 4: target = &m->separatePageTrays; break;
    case 8: target = &m->ohpInterleaveTrays; break;
    case 16: target = &m->piFrontCovers; break;
    case 32: target = &m->piBackCovers; break;
    case 64: target = &m->perPagePaperSources; break;
    default: return;
  }
  OptionItem* rows = ReadRowList<OptionItem, sizeof(QxdEntry)>(
      ctx, section, nullptr, [&](OptionItem& row, const uint8_t*, const QxdEntry& entry, uint32_t) {
        ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.text, 48);
        uint32_t bin = 0;
        FindTrayAlias(section, row.keyword, &bin);
        row.value = bin;
        row.iconId = kRowIconId;
      });
  if (rows != nullptr) *target = rows;
}

// ------------------------------------------------------------ media lists

bool QxdLookupListTextW(QxdContext* ctx, const char* section, const char* keyword, char16_t* text48) {
  text48[0] = 0;
  ListSection s;
  if (!OpenListSection(ctx, section, &s)) return false;
  for (uint32_t i = 0; i < s.list.count; ++i) {
    QxdEntry entry;
    if (!ReadListRecord(ctx, s, i, &entry, sizeof entry)) continue;
    char key[32];
    ReadEntryTexts(ctx, entry, key, sizeof key, nullptr, 0);
    if (!QxdNameEquals(key, keyword)) continue;
    QxdReadWideString(ctx, entry.textOffset, text48, 48);
    return text48[0] != 0;
  }
  return false;
}

void MakeMediaListItem(OptionItem* out, const char* keyword, uint32_t value, const char16_t* text,
                       size_t textUnits) {
  std::memset(out, 0, sizeof *out);
  out->size = sizeof *out;
  CopyText(out->keyword, sizeof out->keyword, keyword, kKeywordSize);
  out->value = value;
  out->iconId = kRowIconId;
  if (text != nullptr) CopyWide(out->text, 48, text, textUnits);
}

void BuildOrientationList(QxdContext* ctx, const ModelInfo*, OptionItem out[4]) {
  std::memset(out, 0, 4 * sizeof(OptionItem));
  struct Item {
    const char* keyword;
    uint32_t value;
  };
  static const Item kItems[] = {{"MediaTypeList_Portrait", 1},
                                {"MediaTypeList_Landscape", 2},
                                {"MediaTypeList_Orient_Unknown", 0xFFFFFFFFu}};
  int k = 0;
  for (const Item& item : kItems) {
    char16_t text[48];
    if (!QxdLookupListTextW(ctx, "MediaTypeList_Orient", item.keyword, text)) continue;
    MakeMediaListItem(&out[k++], item.keyword, item.value, text);
  }
}

namespace {

template <typename Row>
void FillMediaList(QxdContext* ctx, OptionItem* list, const Row* rows, const char* section,
                   const char* closing, uint32_t closingValue) {
  uint32_t n = 0;
  for (uint32_t i = 0; rows != nullptr && rows[i].keyword[0] != '\0'; ++i) {
    MakeMediaListItem(&list[n++], rows[i].keyword, rows[i].value, rows[i].text,
                      sizeof rows[i].text / sizeof rows[i].text[0]);
  }
  // The closing item keeps an empty keyword (and so ends the list) unless
  // the description gives it a text.
  OptionItem& last = list[n];
  last.size = sizeof last;
  last.iconId = kRowIconId;
  if (QxdLookupListTextW(ctx, section, closing, last.text)) {
    CopyText(last.keyword, sizeof last.keyword, closing, kKeywordSize);
    last.value = closingValue;
  }
}

}  // namespace

MediaTypeLists* LoadMediaTypeLists(QxdContext* ctx, const ModelInfo* m) {
  if (ctx == nullptr || m == nullptr) return nullptr;
  auto* lists = static_cast<MediaTypeLists*>(std::calloc(1, sizeof(MediaTypeLists)));
  if (lists == nullptr) return nullptr;
  lists->sizes = AllocRows<OptionItem>(CountRows(m->papers) + 1);
  lists->orientations = AllocRows<OptionItem>(3);
  lists->types = AllocRows<OptionItem>(CountRows(m->mediaTypes) + 1);
  lists->weights = AllocRows<OptionItem>(CountRows(m->mediaWeights) + 1);
  lists->colors = AllocRows<OptionItem>(CountRows(m->mediaColors) + 1);
  lists->prePunched = AllocRows<OptionItem>(CountRows(m->prePunchedMedia) + 1);
  if (lists->sizes == nullptr || lists->orientations == nullptr || lists->types == nullptr ||
      lists->weights == nullptr || lists->colors == nullptr || lists->prePunched == nullptr) {
    FreeMediaTypeLists(lists);
    return nullptr;
  }
  // Sizes: one item per paper, then the closing item.
  uint32_t n = 0;
  for (uint32_t i = 0; m->papers != nullptr && m->papers[i].keyword[0] != '\0'; ++i) {
    MakeMediaListItem(&lists->sizes[n++], m->papers[i].keyword, m->papers[i].paperId, m->papers[i].name);
  }
  OptionItem& closing = lists->sizes[n];
  closing.size = sizeof closing;
  closing.iconId = kRowIconId;
  if (QxdLookupListTextW(ctx, "MediaTypeList_Size", "MediaTypeList_Size_Unknown", closing.text)) {
    CopyText(closing.keyword, sizeof closing.keyword, "MediaTypeList_Size_Unknown", kKeywordSize);
    closing.value = 0xFFFFFFFFu;
  }
  BuildOrientationList(ctx, m, lists->orientations);
  FillMediaList(ctx, lists->types, m->mediaTypes, "MediaTypeList_Type", "MediaTypeList_Type_Unknown", 0xFFFFFFFFu);
  FillMediaList(ctx, lists->weights, m->mediaWeights, "MediaTypeList_Weight", "MediaTypeList_Weight_Unknown",
                0xFFFFFFFFu);
  FillMediaList(ctx, lists->colors, m->mediaColors, "MediaTypeList_Color", "MediaTypeList_Color_Unknown",
                0xFFFFFFFFu);
  FillMediaList(ctx, lists->prePunched, m->prePunchedMedia, "MediaTypeList_Hole", "MediaTypeList_Hole_Unknown",
                255);
  return lists;
}

void FreeMediaTypeLists(MediaTypeLists* lists) {
  if (lists == nullptr) return;
  std::free(lists->sizes);
  std::free(lists->orientations);
  std::free(lists->types);
  std::free(lists->weights);
  std::free(lists->colors);
  std::free(lists->prePunched);
  std::free(lists);
}

// -------------------------------------------------------- device options

namespace {

// The value list of one option, its entries taken from the budget of the
// whole device option list (null when they exceed it).
OptionItem* ReadOptionValues(QxdContext* ctx, const ModelInfo* m, const char* option, uint32_t* defaultIndex,
                             RowBudget* budget) {
  ListSection s;
  if (!OpenListSection(ctx, option, &s)) return nullptr;
  if (!TakeRows(budget, s.list.count, sizeof(QxdEntry))) return nullptr;
  char defaultKey[129] = {};
  QxdEntry defaultEntry;
  if (s.list.firstEntry != 0 && QxdReadEntry(ctx, s.list.firstEntry, &defaultEntry)) {
    QxdReadString(ctx, defaultEntry.keyOffset, defaultKey, sizeof defaultKey);
  }
  OptionItem* rows = AllocRows<OptionItem>(s.list.count);
  if (rows == nullptr) return nullptr;
  const bool dropInterim = (m == nullptr || m->features[kMfInterimAuthentic] == 0) &&
                           QxdNameEquals(option, "DevUserAuthentication");
  uint32_t k = 0;
  for (uint32_t i = 0; i < s.list.count; ++i) {
    OptionItem& row = rows[k];
    std::memset(&row, 0, sizeof row);
    row.size = sizeof row;
    QxdEntry entry;
    if (!ReadListRecord(ctx, s, i, &entry, sizeof entry)) continue;
    ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.text, 48);
    if (dropInterim && QxdNameEquals(row.keyword, "DevUserAuthentic_InterSV")) {
      std::memset(&row, 0, sizeof row);
      continue;
    }
    row.value = k;
    row.iconId = kRowIconId;
    if (defaultIndex != nullptr && defaultKey[0] != '\0' && QxdNameEquals(row.keyword, defaultKey)) {
      *defaultIndex = k;
    }
    ++k;
  }
  std::memset(&rows[k], 0, sizeof rows[k]);
  rows[k].size = sizeof(OptionItem);
  return rows;
}

}  // namespace

OptionItem* ReadDeviceOptionValues(QxdContext* ctx, const ModelInfo* m, const char* option,
                                   uint32_t* defaultIndex) {
  RowBudget budget = FileRowBudget(ctx);
  return ReadOptionValues(ctx, m, option, defaultIndex, &budget);
}

DeviceOptionItem* LoadDeviceOptionList(QxdContext* ctx, const ModelInfo* m, DevOption* defaults) {
  if (defaults != nullptr) {
    defaults->optionCount = 0;
    std::memset(defaults->optionValues, 0, sizeof defaults->optionValues);
  }
  ListSection s;
  if (!OpenListSection(ctx, "DeviceOption", &s)) return nullptr;
  DeviceOptionItem* rows = AllocRows<DeviceOptionItem>(s.list.count);
  if (rows == nullptr) return nullptr;
  // Options may name the same value section; all their values together
  // stand on no more entries than the file holds, or the list is refused.
  RowBudget budget = FileRowBudget(ctx);
  for (uint32_t i = 0; i < s.list.count; ++i) {
    DeviceOptionItem& row = rows[i];
    row.size = sizeof row;
    uint8_t record[28];
    ReadListRecord(ctx, s, i, record, sizeof record);
    QxdEntry entry;
    std::memcpy(&entry, record, sizeof entry);
    ReadEntryTexts(ctx, entry, row.keyword, sizeof row.keyword, row.name, 48);
    row.optionIndex = i;
    uint32_t* slot = defaults != nullptr && i < kDevOptionMaxOptions ? &defaults->optionValues[i] : nullptr;
    row.values = ReadOptionValues(ctx, m, row.keyword, slot, &budget);
    if (row.values == nullptr) {
      FreeDeviceOptionList(rows);
      if (defaults != nullptr) std::memset(defaults->optionValues, 0, sizeof defaults->optionValues);
      return nullptr;
    }
  }
  rows[s.list.count].size = sizeof(DeviceOptionItem);
  if (defaults != nullptr) {
    defaults->optionCount = s.list.count < kDevOptionMaxOptions ? s.list.count : kDevOptionMaxOptions;
  }
  return rows;
}

void FreeDeviceOptionList(DeviceOptionItem* list) {
  if (list == nullptr) return;
  // A row gets its value list only when its keyword names a section, so
  // every list is owned by a row in front of the first empty keyword.
  for (uint32_t i = 0; list[i].keyword[0] != '\0'; ++i) std::free(list[i].values);
  std::free(list);
}

// ------------------------------------------------- default tray and media

namespace {

// The entry number of a section's default item (a record of `size` bytes).
uint32_t DefaultItemNumber(QxdContext* ctx, const char* section, uint32_t size) {
  ListSection s;
  if (!OpenListSection(ctx, section, &s) || s.list.firstEntry == 0) return 0;
  uint8_t record[156];
  if (size > sizeof record || !QxdReadRecord(ctx, s.list.firstEntry, record, size)) return 0;
  return U32At(record, 12);
}

}  // namespace

void LoadPaperMediaRecords(QxdContext* ctx, const char* defaultPaper, DevOption* record) {
  if (record == nullptr) return;
  uint32_t paper = 0;
  ListSection s;
  if (OpenListSection(ctx, "PaperSize", &s)) {
    bool found = false;
    if (defaultPaper != nullptr && defaultPaper[0] != '\0') {
      for (uint32_t i = 0; i < s.list.count && !found; ++i) {
        uint8_t r[20];
        if (!ReadListRecord(ctx, s, i, r, sizeof r)) continue;
        QxdEntry entry;
        std::memcpy(&entry, r, sizeof entry);
        char key[32];
        ReadEntryTexts(ctx, entry, key, sizeof key, nullptr, 0);
        if (QxdNameEquals(key, defaultPaper)) {
          paper = U32At(r, kPaperItemIdAt);
          found = true;
        }
      }
    }
    if (!found && s.list.firstEntry != 0) {
      uint8_t r[20];
      if (QxdReadRecord(ctx, s.list.firstEntry, r, sizeof r)) paper = U32At(r, kPaperItemIdAt);
    }
  }
  const uint32_t type = DefaultItemNumber(ctx, "MediaType", 156);
  const uint32_t weight = DefaultItemNumber(ctx, "MediaWeight", 148);
  const uint32_t color = DefaultItemNumber(ctx, "MediaColor", 148);
  const uint32_t punched = DefaultItemNumber(ctx, "MediaPrePunched", 148) & 0xFF;
  for (TrayMediaSlot& slot : record->trays) {
    if (paper != 0) slot.paperId = static_cast<uint16_t>(paper);
    if (type != 0) slot.mediaType = static_cast<uint16_t>(type);
    if (weight != 0) slot.mediaWeight = static_cast<uint16_t>(weight);
    if (color != 0) slot.mediaColor = static_cast<uint16_t>(color);
    if (punched != 0) slot.prePunched = static_cast<uint8_t>(punched);
  }
  if (QxdFindSection(ctx, "AutoAcquisition") != 0) {
    record->autoAcquisition = static_cast<uint16_t>(DefaultItemNumber(ctx, "AutoAcquisition", 28));
  }
  if (QxdFindSection(ctx, "EMFSpool") != 0) {
    record->emfSpool = static_cast<uint16_t>(DefaultItemNumber(ctx, "EMFSpool", 28));
  }
  if (QxdFindSection(ctx, "EncryptionKey") != 0) {
    record->encryptionKey = static_cast<uint16_t>(DefaultItemNumber(ctx, "EncryptionKey", 28));
  }
}

// ---------------------------------------------------------------- look-ups

namespace {

bool IsUserOrFormOrCustom(uint32_t id) {
  return (id & kPaperServerFormBit) != 0 || (id >= kPaperUserFirst && id <= kPaperUserLast) || id == kPaperCustom;
}

}  // namespace

const PaperSizeEntry* FindPaperById(const ModelInfo* m, uint32_t paperId) {
  if (m == nullptr || m->papers == nullptr) return nullptr;
  for (const PaperSizeEntry* row = m->papers; row->keyword[0] != '\0'; ++row) {
    if (row->paperId == paperId) return row;
  }
  return nullptr;
}

uint32_t FindTwoUpPaperId(const ModelInfo* m, uint32_t paperId) {
  if (IsUserOrFormOrCustom(paperId)) return paperId;
  const PaperSizeEntry* paper = FindPaperById(m, paperId);
  if (paper == nullptr) return 0;
  for (const PaperSizeEntry* row = m->papers; row->keyword[0] != '\0'; ++row) {
    if (row->twoUpValid && QxdNameEquals(row->twoUpKeyword, paper->keyword)) return row->paperId;
  }
  return 0;
}

uint32_t ResolvePaperSizeId(const ModelInfo* m, uint32_t paperId, uint32_t outPaperId) {
  if (outPaperId == kOutPaperAsInput1 || outPaperId == kOutPaperAsInput2) return paperId;
  if (outPaperId == kOutPaperTwoUp) {
    const uint32_t twoUp = FindTwoUpPaperId(m, paperId);
    return twoUp != 0 ? twoUp : paperId;
  }
  return outPaperId;
}

bool GetPaperSizeDims(const ModelInfo* m, const DocDMode* d, int32_t* width, int32_t* length) {
  if (d == nullptr || width == nullptr || length == nullptr) return false;
  const uint32_t paper = static_cast<uint16_t>(DocI16(d, kDocPaperSizeAt));
  const uint32_t out = static_cast<uint16_t>(DocI16(d, kDocOutPaperSizeAt));
  const uint32_t r = ResolvePaperSizeId(m, paper, out);
  const bool same = r == out;
  if (!IsUserOrFormOrCustom(r)) {
    const PaperSizeEntry* row = FindPaperById(m, r);
    if (row == nullptr) return false;
    *width = static_cast<int32_t>(row->width);
    *length = static_cast<int32_t>(row->length);
    return true;
  }
  int32_t w, l;
  if (r == kPaperCustom) {
    if (out != kPaperCustom) {
      w = DocI16(d, kDocUserPaperWidthAt);
      l = DocI16(d, kDocUserPaperLengthAt);
    } else {
      w = DocI16(d, kDocOutUserPaperWidthAt);
      l = DocI16(d, kDocOutUserPaperLengthAt);
    }
  } else if (same) {
    w = DocI16(d, kDocOutPaperWidthAt);
    l = DocI16(d, kDocOutPaperLengthAt);
  } else {
    w = DocI16(d, kDocServerPaperWidthAt);
    l = DocI16(d, kDocServerPaperLengthAt);
  }
  if (out == kOutPaperTwoUp) {
    *width = l;
    *length = 2 * w;
  } else {
    *width = w;
    *length = l;
  }
  return true;
}

bool FillPaperSizeInfo(const ModelInfo* m, uint32_t paperId, bool output, const DocDMode* d, PaperSizeInfo* info) {
  if (info != nullptr) std::memset(info, 0, sizeof *info);
  auto copyFrom = [info](const PaperSizeEntry& row) {
    std::memcpy(info->margins, row.margins, sizeof info->margins);
    std::memcpy(info->resolutionMargins, row.resolutionMargins, sizeof info->resolutionMargins);
    std::memcpy(info->further, row.further, sizeof info->further);
    info->marginsFlag = row.marginsFlag;
    info->resolutionMarginsFlag = row.resolutionMarginsFlag;
    info->furtherFlag = row.furtherFlag;
  };
  if (!IsUserOrFormOrCustom(paperId)) {
    const PaperSizeEntry* row = FindPaperById(m, paperId);
    if (row == nullptr || row->twoUpValid == 0) return false;
    if (info == nullptr) return true;
    info->halfWidth = row->halfWidth;
    info->halfLength = row->halfLength;
    copyFrom(*row);
    return true;
  }
  if (d == nullptr) return false;
  int32_t w, l;
  if (paperId == kPaperCustom) {
    w = DocI16(d, output ? kDocOutUserPaperWidthAt : kDocUserPaperWidthAt);
    l = DocI16(d, output ? kDocOutUserPaperLengthAt : kDocUserPaperLengthAt);
  } else {
    w = DocI16(d, output ? kDocOutPaperWidthAt : kDocPaperWidthAt);
    l = DocI16(d, output ? kDocOutPaperLengthAt : kDocPaperLengthAt);
  }
  const PaperSizeEntry* custom = FindPaperById(m, kPaperCustom);
  if (custom == nullptr) return false;
  if (info == nullptr) return true;
  info->halfWidth = static_cast<uint32_t>(l / 2);
  info->halfLength = static_cast<uint32_t>(w);
  copyFrom(*custom);
  return true;
}

bool GetPaperSizeInfo(const ModelInfo* m, const DocDMode* d, PaperSizeInfo* info) {
  if (m == nullptr || d == nullptr) return false;
  const bool folded = (m->features[kMfBookletPrint] == 0 && DocByte(d, kDocDoubleSidesAt) == 3) ||
                      DocByte(d, kDocCombinationAt) != 0 || DocByte(d, kDocAdhesiveBindAt) != 0;
  if (!folded) return false;
  const uint32_t paper = static_cast<uint16_t>(DocI16(d, kDocPaperSizeAt));
  const uint32_t out = static_cast<uint16_t>(DocI16(d, kDocOutPaperSizeAt));
  const uint32_t r = ResolvePaperSizeId(m, paper, out);
  const bool output = !(out == kOutPaperAsInput1 || out == kOutPaperAsInput2 || out == kOutPaperTwoUp);
  return FillPaperSizeInfo(m, r, output, d, info);
}
