#include "dproc/saved/settings_serializer.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string>

#include "common/contracts/settings_transfer_codes.h"
#include "common/records/doc_fields.h"
#include "common/records/settings_file_keys.h"
#include "common/records/stored_counts.h"

namespace {

using Kind = SettingsValueKind;
using Gate = SettingsKeyGate;

// One section being written or read.
struct SectionWalk {
  XferDirection dir;
  IniDoc& doc;
  std::u16string section;
  const AnsiCodec* codec = nullptr;
  bool ok = true;

  bool reading() const { return dir == XferDirection::kRead; }
};

std::u16string Ascii(std::string_view text) { return std::u16string(text.begin(), text.end()); }

// The key of a row: its "%d" replaced by the number.
std::u16string KeyName(const char* pattern, int number) {
  std::string name(pattern);
  const size_t at = name.find("%d");
  if (at != std::string::npos) name.replace(at, 2, std::to_string(number));
  return Ascii(name);
}

int32_t LoadInt(const uint8_t* p, Kind kind) {
  switch (kind) {
    case Kind::kU8: return p[0];
    case Kind::kI8: return static_cast<int8_t>(p[0]);
    case Kind::kU16: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case Kind::kI16: { int16_t v; std::memcpy(&v, p, 2); return v; }
    default: { int32_t v; std::memcpy(&v, p, 4); return v; }
  }
}

// The low bytes of the value, as wide as the field.
void StoreInt(uint8_t* p, Kind kind, int32_t value) {
  const uint32_t bits = static_cast<uint32_t>(value);
  const uint8_t bytes[4] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16), uint8_t(bits >> 24)};
  std::memcpy(p, bytes, SettingsValueBytes(kind));
}

void XferInt(SectionWalk& w, std::u16string_view key, uint8_t* field, Kind kind) {
  if (!w.reading()) {
    w.ok &= IniDoc_SetInt(w.doc, w.section, key, LoadInt(field, kind));
    return;
  }
  int32_t value = 0;
  if (IniDoc_GetInt(w.doc, w.section, key, &value)) {
    StoreInt(field, kind, value);
  } else {
    w.ok = false;
  }
}

void XferWide(SectionWalk& w, std::u16string_view key, uint8_t* field, uint32_t chars) {
  std::u16string text(chars, u'\0');
  std::memcpy(text.data(), field, chars * 2);
  if (!w.reading()) {
    text.resize(std::char_traits<char16_t>::length(text.c_str()));
    w.ok &= IniDoc_SetString(w.doc, w.section, key, text);
    return;
  }
  if (IniDoc_GetString(w.doc, w.section, key, text.data(), chars)) {
    std::memcpy(field, text.data(), chars * 2);
  } else {
    w.ok = false;
  }
}

void XferAnsi(SectionWalk& w, std::u16string_view key, uint8_t* field, uint32_t size) {
  const char* chars = reinterpret_cast<const char*>(field);
  if (!w.reading()) {
    w.ok &= IniDoc_SetStringA(w.doc, *w.codec, w.section, key, std::string_view(chars, strnlen(chars, size)));
    return;
  }
  std::string text(size, '\0');
  if (IniDoc_GetStringA(w.doc, *w.codec, w.section, key, text.data(), size)) {
    std::memcpy(field, text.data(), size);
  } else {
    w.ok = false;
  }
}

void XferField(SectionWalk& w, std::u16string_view key, uint8_t* field, Kind kind, uint32_t size) {
  switch (kind) {
    case Kind::kWide: XferWide(w, key, field, size / 2); break;
    case Kind::kAnsi: XferAnsi(w, key, field, size); break;
    default: XferInt(w, key, field, kind); break;
  }
}

void XferRow(SectionWalk& w, const SettingsFileKey& row, uint8_t* base, int number) {
  XferField(w, KeyName(row.name, number), base + row.at, row.kind, row.size);
}

// A table of one record's keys, "%d" being `number`.
void XferRecord(SectionWalk& w, std::span<const SettingsFileKey> rows, uint8_t* record, int number) {
  for (const auto& row : rows) XferRow(w, row, record, number);
}

SettingsFileKey Key(const char* name, size_t at, Kind kind, size_t size) {
  return SettingsFileKey{name, static_cast<uint16_t>(at), kind, static_cast<uint16_t>(size), 1, 0, Gate::kNone, 0};
}

#define REC_KEY(Record, name, member, kind) Key(name, offsetof(Record, member), kind, sizeof(Record::member))

const SettingsFileKey kWatermarkKeys[] = {
    REC_KEY(WaterMarkInfo, "WMInfo%d.szKey", szKey, Kind::kAnsi),
    REC_KEY(WaterMarkInfo, "WMInfo%d.szWmkTitle", szWmkTitle, Kind::kWide),
    REC_KEY(WaterMarkInfo, "WMInfo%d.szWmkStr", szWmkStr, Kind::kWide),
    REC_KEY(WaterMarkInfo, "WMInfo%d.szFontName", szFontName, Kind::kWide),
    REC_KEY(WaterMarkInfo, "WMInfo%d.nStyle", nStyle, Kind::kI16),
    REC_KEY(WaterMarkInfo, "WMInfo%d.wSize", wSize, Kind::kU16),
    REC_KEY(WaterMarkInfo, "WMInfo%d.crColor", crColor, Kind::kI32),
    REC_KEY(WaterMarkInfo, "WMInfo%d.nAngle", nAngle, Kind::kI16),
    REC_KEY(WaterMarkInfo, "WMInfo%d.ptWmkPos.x", ptWmkPosX, Kind::kI32),
    REC_KEY(WaterMarkInfo, "WMInfo%d.ptWmkPos.y", ptWmkPosY, Kind::kI32),
    REC_KEY(WaterMarkInfo, "WMInfo%d.ptStrPOS.x", ptStrPosX, Kind::kI32),
    REC_KEY(WaterMarkInfo, "WMInfo%d.ptStrPOS.y", ptStrPosY, Kind::kI32),
    REC_KEY(WaterMarkInfo, "WMInfo%d.wFrame", wFrame, Kind::kU16),
    REC_KEY(WaterMarkInfo, "WMInfo%d.bBkGrnd", bBkGrnd, Kind::kU8),
    REC_KEY(WaterMarkInfo, "WMInfo%d.bFstPg", bFstPg, Kind::kU8),
    REC_KEY(WaterMarkInfo, "WMInfo%d.bMultiStamp", bMultiStamp, Kind::kU8),
};

const SettingsFileKey kOrderKeys[] = {
    REC_KEY(WMOrderEntry, "WMOrder%d.bPublic", bPublic, Kind::kI32),
    REC_KEY(WMOrderEntry, "WMOrder%d.szName", szName, Kind::kWide),
};

const SettingsFileKey kTrayKeys[] = {
    REC_KEY(TrayMediaSlot, "PaperSize%d", paperId, Kind::kI16),
    REC_KEY(TrayMediaSlot, "PaperDir%d", orientation, Kind::kI16),
    REC_KEY(TrayMediaSlot, "PaperType%d", mediaType, Kind::kI16),
    REC_KEY(TrayMediaSlot, "PaperWeight%d", mediaWeight, Kind::kI16),
    REC_KEY(TrayMediaSlot, "PaperColor%d", mediaColor, Kind::kI16),
    REC_KEY(TrayMediaSlot, "PaperPrePunched%d", prePunched, Kind::kU8),
};

// The device address travels as a text of 63 characters and its NUL.
inline constexpr uint32_t kAcquisitionAddressChars = 63;
const SettingsFileKey kAcquisitionKeys[] = {
    REC_KEY(DevOption, "AutoAcquisition", autoAcquisition, Kind::kI16),
    REC_KEY(DevOption, "CustomAcquisition", destCustomize, Kind::kU8),
    Key("IPAddress", offsetof(DevOption, deviceAddress), Kind::kWide, kAcquisitionAddressChars * 2),
};

const SettingsFileKey kInitialKeys[] = {
    REC_KEY(DevOption, "EMFSpool", emfSpool, Kind::kI16),
    REC_KEY(DevOption, "DisplayConstMsg", displayConstMsg, Kind::kI16),
    REC_KEY(DevOption, "UseServerForm", useServerForm, Kind::kI16),
    REC_KEY(DevOption, "FirstSheetAll", firstSheetAll, Kind::kI16),
    REC_KEY(DevOption, "HardSecurityMode", hardSecurityMode, Kind::kI16),
};

const SettingsFileKey kPaperKeys[] = {
    REC_KEY(UserPaperEntry, "name%d", name, Kind::kWide),
    REC_KEY(UserPaperEntry, "width%d", width, Kind::kI32),
    REC_KEY(UserPaperEntry, "length%d", length, Kind::kI32),
    REC_KEY(UserPaperEntry, "image%d.left", areaLeft, Kind::kI32),
    REC_KEY(UserPaperEntry, "image%d.top", areaTop, Kind::kI32),
    REC_KEY(UserPaperEntry, "image%d.right", areaRight, Kind::kI32),
    REC_KEY(UserPaperEntry, "image%d.bottom", areaBottom, Kind::kI32),
    REC_KEY(UserPaperEntry, "paper%d", paperId, Kind::kI16),
    REC_KEY(UserPaperEntry, "unit%d", unit, Kind::kI16),
};

#undef REC_KEY

template <typename T>
uint8_t* Bytes(T& record) {
  return reinterpret_cast<uint8_t*>(&record);
}

bool Skipped(Gate gate, bool reading, bool fullFile, const uint8_t restore[4]) {
  switch (gate) {
    case Gate::kFullFile: return !fullFile;
    case Gate::kResolution: return reading && restore[kRestoreResolution] == 0;
    case Gate::kPaper: return reading && restore[kRestorePaper] == 0;
    default: return false;
  }
}

void SetNamedText(char16_t* out, size_t capacity, std::u16string_view text) {
  std::fill(out, out + capacity, u'\0');
  std::copy_n(text.data(), std::min(text.size(), capacity - 1), out);
}

}  // namespace

bool XferDriverInfo(XferDirection dir, IniDoc& doc, const EasySetPresetNames* preset, EasySetHeader& header,
                    bool* usedPreset) {
  if (usedPreset) *usedPreset = false;
  SectionWalk info{dir, doc, u"DriverInfo"};
  XferWide(info, u"model", Bytes(header) + offsetof(EasySetHeader, model), kEasySetModelChars);
  XferWide(info, u"version", Bytes(header) + offsetof(EasySetHeader, version), kEasySetVersionChars);
  XferInt(info, u"versionnum", Bytes(header) + offsetof(EasySetHeader, formatVersion), Kind::kI32);
  XferWide(info, u"system", Bytes(header) + offsetof(EasySetHeader, system), kEasySetSystemChars);
  XferWide(info, u"language", Bytes(header) + offsetof(EasySetHeader, language), kEasySetLanguageChars);
  SectionWalk names{dir, doc, u"EasySetName"};
  XferWide(names, u"name", Bytes(header) + offsetof(EasySetHeader, name), kEasySetNameChars);
  XferWide(names, u"comment", Bytes(header) + offsetof(EasySetHeader, comment), kEasySetCommentChars);
  if (dir == XferDirection::kRead && preset != nullptr) {
    bool used = false;
    if (header.name[0] == u'\0') {
      SetNamedText(header.name, kEasySetNameChars, preset->name);
      used = true;
    }
    if (header.comment[0] == u'\0') {
      SetNamedText(header.comment, kEasySetCommentChars, preset->comment);
      used = true;
    }
    if (usedPreset) *usedPreset = used;
  }
  return info.ok && names.ok;
}

bool XferOEMDEV(XferDirection dir, IniDoc& doc, bool fullFile, DocDMode& settings, const uint8_t restore[4],
                const AnsiCodec& codec) {
  SectionWalk w{dir, doc, u"OEMDEV", &codec};
  uint8_t* base = Bytes(settings);
  const auto keys = OemDevKeys();
  for (size_t i = 0; i < keys.size();) {
    const SettingsFileKey& row = keys[i];
    if (row.group != 0) {
      // A record array: all its keys for element 0, then for element 1 ...
      size_t end = i;
      while (end < keys.size() && keys[end].group == row.group) ++end;
      for (int e = 0; e < row.count; ++e)
        for (size_t k = i; k < end; ++k)
          XferField(w, KeyName(keys[k].name, e), base + keys[k].at + e * keys[k].stride, keys[k].kind, keys[k].size);
      i = end;
      continue;
    }
    if (!Skipped(row.gate, w.reading(), fullFile, restore))
      for (int e = 0; e < row.count; ++e)
        XferField(w, KeyName(row.name, e), base + row.at + e * row.stride, row.kind, row.size);
    ++i;
  }
  if (w.reading()) {
    // The server's own paper sizes take the document's dimensions.
    DocFields& f = Fields(settings);
    if (f.nOutPaperSize == 356 || f.nOutPaperSize == 357) {
      f.sizOutPaper_cx = f.sizPaper_cx;
      f.sizOutPaper_cy = f.sizPaper_cy;
    }
  }
  return w.ok;
}

bool XferWatermarkList(bool publicList, XferDirection dir, IniDoc& doc, SettingBundle& bundle,
                       const uint8_t restore[4], const AnsiCodec& codec) {
  SectionWalk w{dir, doc, publicList ? u"Watermark_Public" : u"Watermark_Private", &codec};
  if (w.reading() && (restore[kRestoreWatermarks] == 0 || (publicList && restore[kRestoreSharedWatermarks] == 0)))
    return true;
  std::vector<WaterMarkInfo>& list = publicList ? bundle.publicMarks : bundle.privateMarks;
  const uint32_t limit = publicList ? kMaxPublicWatermarks : kMaxPrivateWatermarks;
  if (!w.reading()) {
    w.ok &= IniDoc_SetInt(doc, w.section, u"WMInfoCnt", static_cast<int32_t>(list.size()));
    for (size_t n = 0; n < list.size(); ++n) XferRecord(w, kWatermarkKeys, Bytes(list[n]), static_cast<int>(n + 1));
    return w.ok;
  }
  int32_t count = 0;
  w.ok &= IniDoc_GetInt(doc, w.section, u"WMInfoCnt", &count);
  std::vector<WaterMarkInfo> read(Store_CapSignedCount(count, limit), WaterMarkInfo{});
  for (size_t n = 0; n < read.size(); ++n) XferRecord(w, kWatermarkKeys, Bytes(read[n]), static_cast<int>(n + 1));
  list = std::move(read);
  return w.ok;
}

bool XferWatermarkOrder(XferDirection dir, IniDoc& doc, SettingBundle& bundle, const uint8_t restore[4]) {
  SectionWalk w{dir, doc, u"Watermark_Order"};
  if (w.reading() && restore[kRestoreWatermarks] == 0) return true;
  if (!w.reading()) {
    w.ok &= IniDoc_SetInt(doc, w.section, u"WMOrderCnt", static_cast<int32_t>(bundle.order.size()));
    for (size_t n = 0; n < bundle.order.size(); ++n)
      XferRecord(w, kOrderKeys, Bytes(bundle.order[n]), static_cast<int>(n + 1));
    return w.ok;
  }
  int32_t count = 0;
  w.ok &= IniDoc_GetInt(doc, w.section, u"WMOrderCnt", &count);
  std::vector<WMOrderEntry> read(Store_CapSignedCount(count, kMaxWatermarkOrder), WMOrderEntry{});
  for (size_t n = 0; n < read.size(); ++n) XferRecord(w, kOrderKeys, Bytes(read[n]), static_cast<int>(n + 1));
  bundle.order = std::move(read);
  return w.ok;
}

bool XferDeviceOption(XferDirection dir, IniDoc& doc, SettingBundle& bundle) {
  SectionWalk w{dir, doc, u"DeviceOption"};
  DevOption& option = bundle.devOption;
  if (!w.reading()) {
    // A stored record never says more than the array holds.
    const uint32_t count = std::min(option.optionCount, kDevOptionMaxOptions);
    w.ok &= IniDoc_SetInt(doc, w.section, u"OptionCount", static_cast<int32_t>(count));
    for (uint32_t n = 0; n < count; ++n)
      w.ok &= IniDoc_SetInt(doc, w.section, KeyName("Option%d", n + 1), static_cast<int32_t>(option.optionValues[n]));
    return w.ok;
  }
  int32_t count = 0;
  w.ok &= IniDoc_GetInt(doc, w.section, u"OptionCount", &count);
  option.optionCount = Store_CapSignedCount(count, kDevOptionMaxOptions);
  for (uint32_t n = 0; n < option.optionCount; ++n) {
    int32_t value = 0;
    w.ok &= IniDoc_GetInt(doc, w.section, KeyName("Option%d", n + 1), &value);
    option.optionValues[n] = static_cast<uint32_t>(value);
  }
  return w.ok;
}

bool XferSourceTraySetting(XferDirection dir, IniDoc& doc, SettingBundle& bundle) {
  SectionWalk w{dir, doc, u"SourceTraySetting"};
  for (uint32_t n = 0; n < kDevOptionTraySlots; ++n)
    XferRecord(w, kTrayKeys, Bytes(bundle.devOption.trays[n]), static_cast<int>(n + 1));
  return w.ok;
}

bool XferAcquisitionSetting(XferDirection dir, IniDoc& doc, SettingBundle& bundle) {
  SectionWalk w{dir, doc, u"AcquistionSetting"};
  XferRecord(w, kAcquisitionKeys, Bytes(bundle.devOption), 0);
  return w.ok;
}

bool XferInitialSetting(XferDirection dir, IniDoc& doc, SettingBundle& bundle) {
  SectionWalk w{dir, doc, u"InitialSetting"};
  XferRecord(w, kInitialKeys, Bytes(bundle.devOption), 0);
  return w.ok;
}

bool XferVistrel(XferDirection dir, IniDoc& doc, SettingBundle& bundle) {
  SectionWalk w{dir, doc, u"Vistrel"};
  XferInt(w, u"Vistrel", &bundle.devOption.vistrel, Kind::kU8);
  return w.ok;
}

bool XferCustomPaper(XferDirection dir, IniDoc& doc, SettingBundle& bundle) {
  SectionWalk w{dir, doc, u"CustomPaper"};
  UserPaperList& papers = bundle.userPapers;
  XferInt(w, u"PaperCount", Bytes(papers) + offsetof(UserPaperList, count), Kind::kI16);
  // At most the list's ten entries; a count of 0 or less carries none.
  if (w.reading() && papers.count > static_cast<int16_t>(kUserPaperMaxEntries))
    papers.count = static_cast<int16_t>(kUserPaperMaxEntries);
  const uint32_t count = UserPaperCount(&papers);
  for (uint32_t n = 0; n < count; ++n) XferRecord(w, kPaperKeys, Bytes(papers.entries[n]), static_cast<int>(n + 1));
  return w.ok;
}

namespace {

bool XferEasySetPart(XferDirection dir, IniDoc& doc, SettingBundle& bundle, const AnsiCodec& codec, bool fullFile,
                     const uint8_t restore[4]) {
  bool ok = XferDriverInfo(dir, doc, nullptr, bundle.header, nullptr);
  if (bundle.doc != nullptr) {
    ok &= XferOEMDEV(dir, doc, fullFile, *bundle.doc, restore, codec);
  } else {
    ok = false;
  }
  ok &= XferWatermarkList(false, dir, doc, bundle, restore, codec);
  ok &= XferWatermarkList(true, dir, doc, bundle, restore, codec);
  ok &= XferWatermarkOrder(dir, doc, bundle, restore);
  return ok;
}

}  // namespace

bool XferSettingFile(XferDirection dir, IniDoc& doc, SettingBundle& bundle, const AnsiCodec& codec) {
  bool ok = XferEasySetPart(dir, doc, bundle, codec, true, kRestoreAll);
  ok &= XferDeviceOption(dir, doc, bundle);
  ok &= XferSourceTraySetting(dir, doc, bundle);
  ok &= XferAcquisitionSetting(dir, doc, bundle);
  ok &= XferInitialSetting(dir, doc, bundle);
  ok &= XferVistrel(dir, doc, bundle);
  ok &= XferCustomPaper(dir, doc, bundle);
  return ok;
}

bool XferEasySetSections(XferDirection dir, IniDoc& doc, SettingBundle& bundle, const AnsiCodec& codec) {
  const uint8_t restore[4] = {bundle.header.restore[0], bundle.header.restore[1], bundle.header.restore[2],
                              bundle.header.restore[3]};
  return XferEasySetPart(dir, doc, bundle, codec, false, restore);
}

std::unique_ptr<SettingBundle> LoadEasySetFromText(const EasySetNode& node, DocDMode* settings, bool monoDriver,
                                                   const AnsiCodec& codec) {
  if (settings == nullptr || node.text == nullptr) return nullptr;
  auto bundle = std::make_unique<SettingBundle>();
  bundle->header = node.header;
  bundle->doc = settings;
  auto doc = IniDoc_Parse(std::u16string_view(node.text, node.header.textLength / sizeof(char16_t)));
  if (!doc) return nullptr;
  const bool ok = XferEasySetSections(XferDirection::kRead, *doc, *bundle, codec);
  if (monoDriver) Fields(*settings).nColorMode = 1;
  if (!ok) return nullptr;
  return bundle;
}

uint32_t CheckSettingFileHeader(const EasySetHeader& fileHeader, std::u16string_view driverName,
                                std::u16string_view languageCode) {
  if (fileHeader.formatVersion != kEasySetFormatVersion) return kTransferWrongVersion;
  auto text = [](const char16_t* field, size_t chars) {
    std::u16string_view v(field, chars);
    return v.substr(0, std::min(v.find(u'\0'), chars));
  };
  if (text(fileHeader.model, kEasySetModelChars) != driverName.substr(0, kEasySetModelChars - 1))
    return kTransferWrongModel;
  const std::u16string_view language = text(fileHeader.language, kEasySetLanguageChars);
  const std::u16string_view driverLanguage = languageCode.substr(0, kEasySetLanguageChars - 1);
  auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; };
  if (!std::equal(language.begin(), language.end(), driverLanguage.begin(), driverLanguage.end(),
                  [&](char16_t a, char16_t b) { return lower(a) == lower(b); }))
    return kTransferWrongLanguage;
  return kTransferOk;
}
