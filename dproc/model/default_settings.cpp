#include "dproc/model/default_settings.h"
#include "dproc/model/watermark_items.h"

#include <cstring>
#include <initializer_list>

#include "common/cover/cover_defaults.h"
#include "common/qxd/item_layouts.h"
#include "dproc/model/feature_table.h"
#include "common/qxd/model_list_reader.h"
#include "common/qxd/paper_tables.h"
#include "common/records/settings_checksum.h"
#include "rindfnt/font_records.h"

namespace {

#define AT(member) DOC_FIELD_AT(member)

void PutByte(DocDMode* d, uint32_t at, int32_t v) { SetDocByte(d, at, static_cast<uint8_t>(v)); }
void PutI16(DocDMode* d, uint32_t at, int32_t v) { SetDocI16(d, at, static_cast<int16_t>(v)); }
void PutU32(DocDMode* d, uint32_t at, uint32_t v) { SetDocU32(d, at, v); }

// Tenths of a millimetre to thousandths (or hundredths) of an inch.
uint32_t Inch1000(int32_t tenthsMm) { return static_cast<uint32_t>((int64_t{tenthsMm} * 1000 + 127) / 254); }
uint32_t Inch100(int32_t tenthsMm) { return static_cast<uint32_t>((int64_t{tenthsMm} * 100 + 127) / 254); }

uint32_t U32At(const uint8_t* r, uint32_t at) {
  uint32_t v;
  std::memcpy(&v, r + at, 4);
  return v;
}

// The section's default item (the entry its list header names first).
bool DefaultItem(QxdContext* ctx, const char* section, void* record, uint32_t size) {
  ListSection s;
  if (!OpenListSection(ctx, section, &s) || s.list.firstEntry == 0) return false;
  std::memset(record, 0, size);
  return QxdReadRecord(ctx, s.list.firstEntry, record, size);
}

bool FirstEntryValue(QxdContext* ctx, const char* section, uint32_t* value) {
  QxdEntry entry;
  if (!DefaultItem(ctx, section, &entry, sizeof entry)) return false;
  *value = entry.next;
  return true;
}

bool DefaultKey(QxdContext* ctx, const char* section, char* key, size_t capacity) {
  QxdEntry entry;
  if (!DefaultItem(ctx, section, &entry, sizeof entry)) return false;
  key[0] = '\0';
  return QxdReadString(ctx, entry.keyOffset, key, capacity) && key[0] != '\0';
}

bool ReadSectionDefault(QxdContext* ctx, const char* section, int32_t* number) {
  uint32_t triple[3];
  if (!QxdReadSectionTriple(ctx, section, triple)) return false;
  *number = static_cast<int32_t>(triple[2]);
  return true;
}

bool ReadTrayDefault(QxdContext* ctx, const char* section, uint32_t* bin) {
  char key[128];
  return DefaultKey(ctx, section, key, sizeof key) && FindTrayAlias(section, key, bin);
}

const OptionHead* FindOption(const OptionHead* table, const char* key) {
  for (const OptionHead* row = table; row != nullptr && row->keyword[0] != '\0'; row = NextOptionRow(row)) {
    if (QxdFieldEquals(row->keyword, sizeof row->keyword, key)) return row;
  }
  return nullptr;
}

// The default key of a section looked up in an option table.
const OptionHead* ReadOptionDefault(QxdContext* ctx, const char* section, const OptionHead* table) {
  char key[128];
  if (!DefaultKey(ctx, section, key, sizeof key)) return nullptr;
  return FindOption(table, key);
}

void OptionDefaultToByte(QxdContext* ctx, const char* section, DocDMode* d, uint32_t at) {
  if (const OptionHead* row = ReadOptionDefault(ctx, section, FindStaticOptionTable(section))) PutByte(d, at, row->value);
}

// A profile default: the value as 16 bits and, when asked, the text.
void ProfileDefault(QxdContext* ctx, const char* section, DocDMode* d, uint32_t at, uint32_t textAt) {
  const OptionHead* row = ReadOptionDefault(ctx, section, FindStaticOptionTable(section));
  if (row == nullptr) return;
  PutI16(d, at, static_cast<int32_t>(row->value));
  if (textAt != 0 && row->size >= sizeof(OptionItem)) {
    const auto* item = reinterpret_cast<const OptionItem*>(row);
    char16_t text[41] = {};
    CopyWide(text, 41, item->text, 48);
    std::memcpy(DocBytes(d) + textAt, text, sizeof text);
  }
}

// Built-in substitution entries: TrueType face, printer font, font number.
struct BuiltInFont {
  const char* trueType;
  const char* printer;
  uint8_t number;
};
// The TrueType faces are free faces Debian ships (fonts-liberation,
// fonts-opensymbol, fonts-urw-base35), each given the resident family of
// the same metrics or symbols.
const BuiltInFont kBuiltInFonts[] = {
    {"Liberation Sans", "Arial", 5},          {"Liberation Mono", "Courier", 11},
    {"Liberation Serif", "Times New Roman", 23}, {"OpenSymbol", "Symbol", 20},
    {"D050000L", "ITC Zapf Dingbats", 28},
};
// Japanese faces of Debian's fonts-ipafont: the fixed-pitch and the
// proportional gothic and mincho.
const BuiltInFont kJapaneseFonts[] = {
    {"IPAGothic", "HGGothic-Bold", 29},
    {"IPAPGothic", "HGPGothic-Bold", 30},
    {"IPAMincho", "HGMincho-Light", 31},
    {"IPAPMincho", "HGPMincho-Light", 32},
};

void ClearFonts(DocFields& f) {
  std::memset(f.SubTTFontName, 0, sizeof f.SubTTFontName);
  std::memset(f.SubDevFontNumber, 0, sizeof f.SubDevFontNumber);
  std::memset(f.SubDevFontName, 0, sizeof f.SubDevFontName);
  std::memset(f.SubTTFontSum, 0, sizeof f.SubTTFontSum);
  f.SubFontEntryNum = 0;
}

void AddFont(DocFields& f, const char* trueType, uint16_t number, const char* printer) {
  const uint32_t i = f.SubFontEntryNum;
  if (i >= kFontSubEntries) return;
  CopyText(f.SubTTFontName[i], 32, trueType, 32);
  f.SubDevFontNumber[i] = static_cast<uint8_t>(number);
  CopyText(f.SubDevFontName[i], 32, printer, 32);
  f.SubTTFontSum[i] = FontNameSum(f.SubTTFontName[i]);
  f.SubFontEntryNum = static_cast<uint16_t>(i + 1);
}

void BuiltInFonts(const ModelInfo* m, DocFields& f) {
  ClearFonts(f);
  for (const BuiltInFont& font : kBuiltInFonts) AddFont(f, font.trueType, font.number, font.printer);
  if (m == nullptr || m->features[kMfColorSettingType] != 2) {
    for (const BuiltInFont& font : kJapaneseFonts) AddFont(f, font.trueType, font.number, font.printer);
  }
}

// "WM_None" and the keys that begin with it (case ignored) name no watermark.
bool IsNoWatermarkKey(const char* key) {
  static const char kNone[] = "WM_None";
  for (size_t i = 0; i + 1 < sizeof kNone; ++i) {
    const char c = key[i];
    const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    const char want = (kNone[i] >= 'A' && kNone[i] <= 'Z') ? static_cast<char>(kNone[i] - 'A' + 'a') : kNone[i];
    if (lower != want) return false;
  }
  return true;
}

void ReadWatermarkDefault(QxdContext* ctx, const ModelInfo* m, DocDMode* d) {
  ListSection s;
  if (!OpenListSection(ctx, "Watermark", &s) || s.list.firstEntry == 0) return;
  QxdEntry first;
  char key[128] = {};
  if (!QxdReadEntry(ctx, s.list.firstEntry, &first) || !QxdReadString(ctx, first.keyOffset, key, sizeof key)) return;
  for (uint32_t i = 0; i < s.list.count; ++i) {
    uint8_t r[kWatermarkItemBytes];
    if (!ReadListRecord(ctx, s, i, r, sizeof r)) continue;
    QxdEntry entry;
    std::memcpy(&entry, r, sizeof entry);
    char entryKey[128] = {};
    if (!QxdReadString(ctx, entry.keyOffset, entryKey, sizeof entryKey) || !QxdNameEquals(entryKey, key)) continue;
    PutI16(d, AT(wWmkListPos), static_cast<int32_t>(i));
    if (IsNoWatermarkKey(key)) return;
    const WaterMarkInfo mark = DecodeWatermarkItem(ctx, r);
    DocFields& f = Fields(*d);
    std::memcpy(f.WmkInfo_szWmkTitle, mark.szWmkTitle, sizeof mark.szWmkTitle);
    std::memcpy(f.WmkInfo_szWmkStr, mark.szWmkStr, sizeof mark.szWmkStr);
    std::memcpy(f.WmkInfo_szFontName, mark.szFontName, sizeof mark.szFontName);
    f.WmkInfo_nStyle = mark.nStyle;
    f.WmkInfo_wSize = mark.wSize;
    f.WmkInfo_crColor = (m != nullptr && m->colorDevice != 0) ? mark.crColor : 0x00808080u;
    f.WmkInfo_nAngle = mark.nAngle;
    f.WmkInfo_ptWmkPos_x = static_cast<uint32_t>(mark.ptWmkPosX);
    f.WmkInfo_ptWmkPos_y = static_cast<uint32_t>(mark.ptWmkPosY);
    f.WmkInfo_wFrame = mark.wFrame;
    return;
  }
}

void ReadResolutionDefault(QxdContext* ctx, DocDMode* d) {
  ListSection s;
  char key[128];
  if (!OpenListSection(ctx, "Resolution", &s) || !DefaultKey(ctx, "Resolution", key, sizeof key)) return;
  for (uint32_t i = 0; i < s.list.count; ++i) {
    uint8_t r[32];
    if (!ReadListRecord(ctx, s, i, r, sizeof r)) continue;
    QxdEntry entry;
    std::memcpy(&entry, r, sizeof entry);
    char entryKey[128] = {};
    if (!QxdReadString(ctx, entry.keyOffset, entryKey, sizeof entryKey) || !QxdNameEquals(entryKey, key)) continue;
    PutByte(d, AT(byResolution), static_cast<int32_t>(i));
    PutI16(d, AT(nResoH), static_cast<int32_t>(U32At(r, 20)));
    PutI16(d, AT(nResoV), static_cast<int32_t>(U32At(r, kPaperItemWidthAt)));
    PutI16(d, AT(nResoHV), static_cast<int32_t>(U32At(r, kPaperItemLengthAt)));
    PutI16(d, AT(nResoBit), std::strlen(key) > 5 ? QxdFirstNumber(key + 5) : 0);
    return;
  }
}

// The value of the section's default key in the option table of that name.
void OptionTableDefault(QxdContext* ctx, const char* section, DocDMode* d, uint32_t at) {
  char key[128];
  const OptionHead* table = FindOptionTable(section);
  if (table == nullptr || !DefaultKey(ctx, section, key, sizeof key)) return;
  for (const OptionHead* row = table; row != nullptr && row->keyword[0] != '\0'; row = NextOptionRow(row)) {
    if (QxdFieldEquals(row->keyword, sizeof row->keyword, key)) {
      PutByte(d, at, static_cast<int32_t>(row->value));
      return;
    }
  }
}

template <typename Row>
void ModelListDefault(QxdContext* ctx, const char* section, const Row* list, DocDMode* d, uint32_t at) {
  char key[128];
  if (list == nullptr || !DefaultKey(ctx, section, key, sizeof key)) return;
  for (const Row* row = list; row->keyword[0] != '\0'; ++row) {
    if (QxdFieldEquals(row->keyword, sizeof row->keyword, key)) {
      PutByte(d, at, static_cast<int32_t>(row->value));
      return;
    }
  }
}

void LocationDefault(QxdContext* ctx, const char* section, const ModelWideListItem* list, DocDMode* d,
                     std::initializer_list<uint32_t> places) {
  char key[128];
  if (list == nullptr || !DefaultKey(ctx, section, key, sizeof key)) return;
  for (const ModelWideListItem* row = list; row->keyword[0] != '\0'; ++row) {
    if (!QxdFieldEquals(row->keyword, sizeof row->keyword, key)) continue;
    for (uint32_t at : places) PutU32(d, at, row->value);
    return;
  }
}

}  // namespace

uint32_t FontNameSum(const char (&name)[32]) {
  uint32_t sum = 0;
  for (char c : name) sum += static_cast<uint8_t>(c);
  return sum;
}

void InitBuiltInDocDMode(DocDMode* record) {
  if (record == nullptr) return;
  std::memset(record, 0, sizeof *record);
  InitDocDModeHeader(record);
  DocFields& f = Fields(*record);
  f.nOrientation = 1;
  f.nPaperSize = 9;
  f.sizPaper_cx = 2100;
  f.sizPaper_cy = 2970;
  f.rcMargin_left = f.rcMargin_top = f.rcMargin_right = f.rcMargin_bottom = 43;
  f.sizInUserDefPaperMM_cx = f.sizOutUserDefPaperMM_cx = 2100;
  f.sizInUserDefPaperMM_cy = f.sizOutUserDefPaperMM_cy = 2970;
  f.sizInUserDefPaperIN_cx = f.sizOutUserDefPaperIN_cx = 827;
  f.sizInUserDefPaperIN_cy = f.sizOutUserDefPaperIN_cy = 1169;
  f.nOutPaperSize = 357;
  f.sizOutPaper_cx = 2100;
  f.sizOutPaper_cy = 2970;
  f.bScaleAuto = 1;
  f.nScale = 100;
  f.nDefaultSource = 7;
  f.nCopies = 1;
  f.nServerSetting = 1;
  f.nNup = 1;
  f.bPageBorder = 1;
  f.nDuplex = 1;
  f.nBookletOrder = 1;
  f.bBindingSame = 1;
  f.nStapleMode = 1;
  f.nPunchNum = 1;
  f.nFoldingMode = 3;
  f.nPageLoopNum = 1;
  f.nPBCoverMode = 1;
  f.nPBCoverTray = 1;
  f.nPBSpinWidth = 100;
  f.nFrontCoverMode = 4;
  f.nBackCoverMode = 4;
  f.nFrontCoverTray = 32767;
  f.nBackCoverTray = 32767;
  f.nOHPMode = 1;
  f.CoverMFP_nPerPageList = 1;
  f.WmkInfo_nStyle = 1;
  f.WmkInfo_wSize = 72;
  f.WmkInfo_crColor = 255;
  f.WmkInfo_wFrame = 1;
  f.WmkInfo_bBkGrnd = 1;
  f.nNumberingStartNum = 1;
  f.nDateStampMode = 1;
  f.nPageStampStartPage = 1;
  f.nPageStampStartNum = 1;
  f.bStamp = 1;
  f.nFixedStamp = 1;
  f.nRecordStamp = 1;
  f.nPatternSize = 1;
  f.nAngle = 1;
  f.DateTimePageNo_nDT_PagetoPrint = 1;
  f.DateTimePageNo_nDT_Color = 1;
  f.DateTimePageNo_nPN_StartPage = 1;
  f.DateTimePageNo_nPN_StartNum = 1;
  f.DateTimePageNo_nPN_PrintNumColor = 1;
  f.nFormListPos = -1;
  f.nOverlay = 2;
  f.nColorMode = 1;
  f.ColorAdjustMFP_EachEtc_nMatchBalance = 1;
  f.ColorAdjustMFP_EachEtc_nScreenSmooth = 1;
  f.ColorICM_nMethod = 1;
  f.ColorICM_nIntent = 2;
  f.nResoH = 600;
  f.nResoV = 600;
  f.nResoHV = 848;
  f.nResoBit = 4;
  f.nColorPattern = 1;
  f.nCompressMode = 4;
  f.nSmoothing = 1;
  f.nThinning = 1;
  f.ColorImage_nColorChg = 1;
  f.ColorImage_nScreen = 1;
  f.ColorChar_nMkBlack = 1;
  f.ColorGraphics_nColorChg = 1;
  f.ColorGraphics_nScreen = 2;
  f.nColorGraphics = 1;
  f.nCommonRGBColor = f.nImageRGBColor = f.nCharRGBColor = f.nGraphicsRGBColor = 1;
  f.nTTFont = 1;
  f.nFontDownLoad = 2;
  f.SubFontEntryNum = 9;
  f.nDeviceFontNum = kResidentFontCount;
  f.sizServerPaper_cx = 2100;
  f.sizServerPaper_cy = 2970;
  SealDocDMode(record);
}

DocDMode& DefaultDocDMode() {
  static DocDMode record = [] {
    DocDMode r;
    InitBuiltInDocDMode(&r);
    return r;
  }();
  return record;
}

void InitPerPageEntryTemplate(InterSheetEntry* e) {
  std::memset(e, 0, sizeof *e);
  e->paperSource = kInterSheetSameTray;
  e->staple = 255;
  e->punch = 255;
  e->vertPos = 1;
  e->horzPos = 1;
  std::memcpy(e->fontFace, u"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF", 8 * sizeof(char16_t));
  e->fontSize = 12;
  e->reserved1 = 1;
  e->reserved2 = 1;
}

InterSheetEntry& PerPageEntryTemplate() {
  static InterSheetEntry entry = [] {
    InterSheetEntry e;
    InitPerPageEntryTemplate(&e);
    return e;
  }();
  return entry;
}


// The font library numbers its faces by the resource id of each face's
// first record (1, 5, 9, ...: four faces to a family); the settings keep the
// family number the render core selects by.  0 stays "no font".
static uint16_t FamilyOfFontNumber(uint16_t number) { return number == 0 ? 0 : static_cast<uint16_t>((number - 1) / 4 + 1); }

void ApplyXLFontSubList(QxdContext* ctx, const XLFontList& fonts, DocDMode* d) {
  DocFields& f = Fields(*d);
  ClearFonts(f);
  ListSection s;
  if (OpenListSection(ctx, "XLFontSubList", &s)) {
    for (uint32_t i = 0; i < s.list.count && f.SubFontEntryNum < kFontSubEntries; ++i) {
      char record[64];
      uint32_t at = 0;
      if (!QxdReadIndexEntry(ctx, s.list, i, &at) || !QxdReadRecord(ctx, at, record, sizeof record)) continue;
      char trueType[32], printer[32];
      CopyText(trueType, sizeof trueType, record, 32);
      CopyText(printer, sizeof printer, record + 32, 32);
      for (uint32_t k = 0; k < fonts.count; ++k) {
        char name[65];
        CopyText(name, sizeof name, fonts.fonts[k].name, 64);
        if (QxdNameEquals(name, printer)) {
          AddFont(f, trueType, FamilyOfFontNumber(fonts.fonts[k].number), printer);
          break;
        }
      }
    }
  }
}

void FillTrayMediaEntries(const ModelInfo* m, DocDMode* d) {
  if (m == nullptr || m->inTrays == nullptr) return;
  DocFields& f = Fields(*d);
  uint32_t i = 0;
  for (const InTrayEntry* row = m->inTrays; row->keyword[0] != '\0' && i < 10; ++row) {
    if (row->binId == 7) continue;
    TrayMediaEntry& e = f.PTInfoEach[i++];
    std::memset(e.szKey, 0, sizeof e.szKey);
    CopyText(e.szKey, sizeof e.szKey, row->keyword, sizeof row->keyword);
    e.nValue = row->binId;
    e.nPaperType2 = f.nMediaType;
    e.nPaperWeight = f.PTInfoAuto.nPaperWeight;
    e.nPaperColor = f.PTInfoAuto.nPaperColor;
    e.nPaperPrePunched = f.PTInfoAuto.nPaperPrePunched;
  }
}

void SetCoverOptionTables(const ModelInfo* m, DocDMode* d) {
  DocFields& f = Fields(*d);
  f.nFrontCoverMode = (m != nullptr && m->features[kMfFCoverPrint] != 0) ? 1 : 4;
  f.nBackCoverMode = (m != nullptr && m->features[kMfBCoverPrint] != 0) ? 1 : 4;
  SelectCoverOptionTables(m);
}

void ReadFcsRecipientDefault(QxdContext* ctx) {
  QxdChainWalk walk;
  if (!QxdBeginChain(ctx, "FcsRStandard", &walk)) return;
  char16_t text[33] = {};
  bool haveFirst = false;
  QxdEntry entry;
  while (QxdNextChainEntry(ctx, &walk, &entry)) {
    char key[32] = {};
    QxdReadString(ctx, entry.keyOffset, key, sizeof key);
    if (!haveFirst || QxdNameEquals(key, "FcsRAll")) {
      std::memset(text, 0, sizeof text);
      QxdReadWideString(ctx, entry.textOffset, text, 33);
      haveFirst = true;
      if (QxdNameEquals(key, "FcsRAll")) break;
    }
  }
  if (haveFirst) SetDefaultCoverTitle(text);
}

void LoadDefaultSettings(QxdContext* ctx, const ModelInfo* m, const char* localePaper, const XLFontList* fonts,
                         DocDMode* d) {
  if (d == nullptr) return;
  DocFields& f = Fields(*d);
  uint32_t v = 0;
  int32_t n = 0;
  const bool mfp = m != nullptr && m->paperFigureStyle == 1;

  // 1. Paper.
  ListSection papers;
  if (OpenListSection(ctx, "PaperSize", &papers)) {
    uint8_t r[kPaperItemSize] = {};
    bool found = false;
    for (uint32_t i = 0; localePaper != nullptr && localePaper[0] != '\0' && i < papers.list.count; ++i) {
      if (!ReadListRecord(ctx, papers, i, r, sizeof r)) continue;
      QxdEntry entry;
      std::memcpy(&entry, r, sizeof entry);
      char key[128] = {};
      QxdReadString(ctx, entry.keyOffset, key, sizeof key);
      found = QxdNameEquals(key, localePaper);
      if (found) break;
    }
    // No locale paper among them: the section's default item.
    if (!found) found = DefaultItem(ctx, "PaperSize", r, sizeof r);
    if (found) {
      f.nPaperSize = static_cast<int16_t>(U32At(r, kPaperItemIdAt));
      f.sizPaper_cx = static_cast<int16_t>(U32At(r, kPaperItemWidthAt));
      f.sizPaper_cy = static_cast<int16_t>(U32At(r, kPaperItemLengthAt));
      f.rcMargin_left = static_cast<int16_t>(U32At(r, kPaperItemMarginsAt));
      f.rcMargin_top = static_cast<int16_t>(U32At(r, kPaperItemMarginsAt + 4));
      f.rcMargin_right = static_cast<int16_t>(U32At(r, kPaperItemMarginsAt + 8));
      f.rcMargin_bottom = static_cast<int16_t>(U32At(r, kPaperItemMarginsAt + 12));
    }
  }
  // 2. Output paper.
  uint8_t out[kOutPaperItemSize];
  if (DefaultItem(ctx, "OutPaperSize", out, sizeof out)) {
    const uint32_t id = U32At(out, kOutPaperItemIdAt);
    f.nOutPaperSize = static_cast<int16_t>(id);
    if (id == kOutPaperAsInput2) {
      f.sizOutPaper_cx = f.sizPaper_cx;
      f.sizOutPaper_cy = f.sizPaper_cy;
    } else {
      f.sizOutPaper_cx = static_cast<int16_t>(U32At(out, 24));
      f.sizOutPaper_cy = static_cast<int16_t>(U32At(out, 28));
    }
  }
  // 3. Media.
  if (FirstEntryValue(ctx, "MediaType", &v)) f.nMediaType = f.PTInfoAuto.nPaperType2 = static_cast<int16_t>(v);
  if (FirstEntryValue(ctx, "MediaWeight", &v)) f.PTInfoAuto.nPaperWeight = static_cast<int16_t>(v);
  if (FirstEntryValue(ctx, "MediaColor", &v)) f.PTInfoAuto.nPaperColor = static_cast<int16_t>(v);
  if (FirstEntryValue(ctx, "MediaPrePunched", &v)) f.PTInfoAuto.nPaperPrePunched = static_cast<uint8_t>(v);
  // 4. Tray, copies, collation.
  if (FirstEntryValue(ctx, "InTray", &v)) f.nDefaultSource = static_cast<int16_t>(v);
  if (ReadSectionDefault(ctx, "Copies", &n)) f.nCopies = static_cast<uint16_t>(n);
  if (FirstEntryValue(ctx, "Collate", &v)) f.bCollate = static_cast<uint8_t>(v);
  // 5. Custom size.
  if (ReadSectionDefault(ctx, "UserPaper_Width", &n)) f.sizInUserDefPaperMM_cx = f.sizOutUserDefPaperMM_cx = static_cast<int16_t>(n);
  if (ReadSectionDefault(ctx, "UserPaper_Length", &n)) f.sizInUserDefPaperMM_cy = f.sizOutUserDefPaperMM_cy = static_cast<int16_t>(n);
  auto inch = [mfp](int32_t tenths) { return mfp ? Inch1000(tenths) : Inch100(tenths); };
  f.sizInUserDefPaperIN_cx = inch(f.sizInUserDefPaperMM_cx);
  f.sizInUserDefPaperIN_cy = inch(f.sizInUserDefPaperMM_cy);
  f.sizOutUserDefPaperIN_cx = inch(f.sizOutUserDefPaperMM_cx);
  f.sizOutUserDefPaperIN_cy = inch(f.sizOutUserDefPaperMM_cy);
  // 6. Paper options and finishing.
  struct ByteDefault {
    const char* section;
    uint32_t at;
  };
  const ByteDefault firsts[] = {{"PaperOption1", AT(bPaperOption1)}, {"PaperOption2", AT(bPaperOption2)},
                                {"Staple", AT(nStapleMode)},         {"HolePunch", AT(nPunchNum)},
                                {"Folding", AT(nFoldingMode)},       {"Combination", AT(nLayoutMode)},
                                {"OutputOrder", AT(nOutputMode)},    {"OHP_Interleave", AT(nOHPMode)}};
  for (const ByteDefault& b : firsts) {
    if (FirstEntryValue(ctx, b.section, &v)) PutByte(d, b.at, static_cast<int32_t>(v));
  }
  if (FirstEntryValue(ctx, "OutputTray", &v)) f.nOutBin = static_cast<int16_t>(v);
  // 7. The per-page entry template.
  InterSheetEntry& entry = PerPageEntryTemplate();
  if (FirstEntryValue(ctx, "PerPageListStaple", &v)) entry.staple = static_cast<uint16_t>(v);
  if (ReadTrayDefault(ctx, "PerPageListPaperSrc", &v)) entry.paperSource = v;
  if (FirstEntryValue(ctx, "PerPageListPrintType", &v)) entry.printType = v;
  if (ReadSectionDefault(ctx, "PPSInsertPage", &n)) std::memcpy(reinterpret_cast<uint8_t*>(&entry) + 568, &n, 4);
  // 8, 9. Binding shift and image shift, in millimetres and inches.
  struct Shift {
    const char* section;
    uint32_t mm;
    uint32_t in;
    int scale;
  };
  const Shift shifts[] = {
      {"BindShift_Front", AT(nBindingUp), AT(nBindingUp_Inch), 1},
      {"BindShift_Back", AT(nBindingDown), AT(nBindingDown_Inch), 1},
      {"ImgShiftMFP_FrontH", AT(ImgShiftFronSide_nX), AT(ImgShiftFronSide_nX_Inch), 10},
      {"ImgShiftMFP_FrontV", AT(ImgShiftFronSide_nY), AT(ImgShiftFronSide_nY_Inch), 10},
      {"ImgShiftMFP_FrontI", AT(ImgShiftFronSide_nInterval), AT(ImgShiftFronSide_nInterval_Inch), 10},
      {"ImgShiftMFP_FrontO", AT(ImgShiftFronSide_nOffset), AT(ImgShiftFronSide_nOffset_Inch), 10},
      {"ImgShiftMFP_BackH", AT(ImgShiftBackSide_nX), AT(ImgShiftBackSide_nX_Inch), 10},
      {"ImgShiftMFP_BackV", AT(ImgShiftBackSide_nY), AT(ImgShiftBackSide_nY_Inch), 10},
      {"ImgShiftMFP_BackI", AT(ImgShiftBackSide_nInterval), AT(ImgShiftBackSide_nInterval_Inch), 10},
      {"ImgShiftMFP_BackO", AT(ImgShiftBackSide_nOffset), AT(ImgShiftBackSide_nOffset_Inch), 10},
  };
  for (const Shift& s : shifts) {
    if (!ReadSectionDefault(ctx, s.section, &n)) continue;
    // A default that its 16-bit field cannot hold is no default: the pair
    // keeps its value, as for a missing section.
    const int64_t mm = int64_t{n} * s.scale;
    if (mm < INT16_MIN || mm > INT16_MAX) continue;
    PutI16(d, s.mm, static_cast<int32_t>(mm));
    PutI16(d, s.in, static_cast<int32_t>(Inch1000(static_cast<int32_t>(mm))));
  }
  // 10, 11. Finishing counts and trays.
  if (ReadSectionDefault(ctx, "DivideFinish", &n)) f.nPageLoopNum = static_cast<int16_t>(n);
  const struct {
    const char* section;
    uint32_t at;
  } trays[] = {{"FCoverTray", AT(nFrontCoverTray)},
               {"BCoverTray", AT(nBackCoverTray)},
               {"PIFrontCover", AT(CoverMFP_nPIFCoverTray)},
               {"PIBackCover", AT(CoverMFP_nPIBCoverTray)},
               {"OHPIntTray", AT(nOHPTray)}};
  for (const auto& t : trays) {
    if (ReadTrayDefault(ctx, t.section, &v)) PutI16(d, t.at, static_cast<int32_t>(v));
  }
  if (ReadSectionDefault(ctx, "PIFInsertPage", &n)) f.CoverMFP_nPIFInsertPage = static_cast<int16_t>(n);
  if (ReadSectionDefault(ctx, "PIBInsertPage", &n)) f.CoverMFP_nPIBInsertPage = static_cast<int16_t>(n);
  // 12. Overlay form location.
  if (m != nullptr) LocationDefault(ctx, "OvlForm_Location", m->overlayFormLocations, d, {AT(dwOvlSrcType)});
  // 13, 14. Watermark and numbering.
  ReadWatermarkDefault(ctx, m, d);
  if (ReadSectionDefault(ctx, "NME_StartNumber", &n)) f.nNumberingStartNum = static_cast<int16_t>(n);
  // 15, 16. Colour setting and matching.
  OptionDefaultToByte(ctx, "ColorSetting", d, AT(nColorMatch));
  const ByteDefault matching[] = {
      {"Text_RGBColorMatch", AT(ColorChar_nColorChg)},     {"Text_Halftone", AT(ColorChar_nScreen)},
      {"Text_RGBGray", AT(ColorChar_nMkBlack)},            {"Img_RGBColorMatch", AT(ColorImage_nColorChg)},
      {"Img_Halftone", AT(ColorImage_nScreen)},            {"Img_RGBGray", AT(ColorImage_nMkBlack)},
      {"Graph_RGBColorMatch", AT(ColorGraphics_nColorChg)}, {"Graph_Halftone", AT(ColorGraphics_nScreen)},
      {"Graph_RGBGray", AT(ColorGraphics_nMkBlack)}};
  for (const ByteDefault& b : matching) OptionDefaultToByte(ctx, b.section, d, b.at);
  char key[128];
  if (DefaultKey(ctx, "Graphics", key, sizeof key)) f.nColorGraphics = QxdNameEquals(key, "Graph_MatchImage") ? 1 : 0;
  // 17. Resolution and the quality of JPEG images (the encoder takes 1 to 100).
  ReadResolutionDefault(ctx, d);
  if (ReadSectionDefault(ctx, "JpegQuality", &n) && n >= 1 && n <= 100) f.nJpegCompressRatio = static_cast<uint8_t>(n);
  // 18. Profiles.
  ProfileDefault(ctx, "RGBProf", d, AT(nCommonRGBColor), 0);
  ProfileDefault(ctx, "Text_RGBProf", d, AT(nCharRGBColor), AT(CharRGBSc_szProfileName));
  ProfileDefault(ctx, "Img_RGBProf", d, AT(nImageRGBColor), AT(ImageRGBSc_szProfileName));
  ProfileDefault(ctx, "Graph_RGBProf", d, AT(nGraphicsRGBColor), AT(GraphRGBSc_szProfileName));
  if (m != nullptr) {
    LocationDefault(ctx, "Prof_Location", m->profileLocations, d,
                    {AT(SimProfile_dwSrcType), AT(DestProfile_dwSrcType), AT(CharRGBSc_dwSrcType),
                     AT(ImageRGBSc_dwSrcType), AT(GraphRGBSc_dwSrcType)});
  }
  ProfileDefault(ctx, "Text_Destination", d, AT(nCharDestColor), 0);
  ProfileDefault(ctx, "Img_Destination", d, AT(nImageDestColor), 0);
  ProfileDefault(ctx, "Graph_Destination", d, AT(nGraphDestColor), 0);
  ProfileDefault(ctx, "SimulationProf", d, AT(nSimProfileMode), 0);
  ProfileDefault(ctx, "DestinationProf", d, AT(nDestProfileMode), 0);
  // 19.
  if (DefaultKey(ctx, "MatchPaperColor", key, sizeof key)) {
    f.bMatchPaperColor = QxdNameEquals(key, "MatchPaperColorON") ? 1 : 0;
  }
  ProfileDefault(ctx, "Simu_CMYKGray", d, AT(nSimCMYKGray), 0);
  // 20. Model lists.
  if (m != nullptr) {
    ModelListDefault(ctx, "NME_Density", m->densities, d, AT(nNumberingDensity));
    ModelListDefault(ctx, "Smoothing_op", m->smoothingOptions, d, AT(nSmoothing));
    ModelListDefault(ctx, "Thinning_op", m->thinningOptions, d, AT(nThinning));
  }
  OptionTableDefault(ctx, "EdgeType_op", d, AT(nEdgeType));
  // 21. Copy protection.
  if (m != nullptr && m->features[kMfCopyProtectType] == 3 && DefaultKey(ctx, "CPE_StringTYPE3_op", key, sizeof key)) {
    const OptionHead* stamps = FindOptionTable("CPE_StringTYPE3_op");
    for (const OptionHead* row = stamps; row != nullptr && row->keyword[0] != '\0'; row = NextOptionRow(row)) {
      if (!QxdFieldEquals(row->keyword, sizeof row->keyword, key)) continue;
      const bool registered = reinterpret_cast<const StampOptionItem*>(row)->registered != 0;
      f.nStampType = registered ? 1 : 0;
      if (registered) f.nRecordStamp = static_cast<uint8_t>(row->value);
      else f.nFixedStamp = static_cast<uint8_t>(row->value);
      break;
    }
  }
  // The pattern section lists the patterns by name (its entries carry no
  // number): the first one names the default.
  OptionTableDefault(ctx, "CPE_CP_Pattern", d, AT(nBackPattern));
  // 22. Density, brightness, contrast.
  if (ReadSectionDefault(ctx, "Dnst_Density", &n)) f.nMonoDensity = static_cast<uint8_t>(n);
  if (ReadSectionDefault(ctx, "ColAdj_Brightness", &n)) f.nMonoBrightness = static_cast<uint8_t>(n);
  if (ReadSectionDefault(ctx, "ColAdj_Contrast", &n)) f.nMonoContrast = static_cast<uint8_t>(n);
  // 23. Edges.
  const ByteDefault edges[] = {{"Img_Edge", AT(nImgEdge)}, {"Text_Edge", AT(nTextEdge)},
                               {"Graph_Edge", AT(nGraphEdge)}, {"EdgeType", AT(bEdgeType)}};
  for (const ByteDefault& b : edges) {
    uint8_t record[28];
    if (DefaultItem(ctx, b.section, record, sizeof record)) PutByte(d, b.at, static_cast<int32_t>(U32At(record, 12)));
  }
  // 24. Fonts.
  BuiltInFonts(m, f);
  // 25. Binding edge.
  if (m != nullptr && m->features[kMfBindingEdge4] != 0) {
    if (f.nBinding > 7) f.nBinding = 0;
    if (f.nOrientation == 1 && f.nBinding != 0) f.nBinding = 0;
    if (f.nOrientation == 2 && f.nBinding != 2) f.nBinding = 2;
  } else if (f.nBinding < 14 || f.nBinding > 17) {
    f.nBinding = 14;
  }
  // 26, 27.
  f.bBindingSame = f.nBindingUp == f.nBindingDown ? 1 : 0;
  f.nFontDownLoad = 1;
  f.sizServerPaper_cx = f.sizInUserDefPaperMM_cx;
  f.sizServerPaper_cy = f.sizInUserDefPaperMM_cy;
  // 28.
  if (fonts != nullptr) ApplyXLFontSubList(ctx, *fonts, d);
  FillTrayMediaEntries(m, d);
  SetCoverOptionTables(m, d);
  ReadFcsRecipientDefault(ctx);
  SealDocDMode(d);
}

void ClearFontSubstitution(DocFields& f) { ClearFonts(f); }
void AddFontSubstitution(DocFields& f, const char* trueType, uint16_t number, const char* printer) {
  AddFont(f, trueType, number, printer);
}
