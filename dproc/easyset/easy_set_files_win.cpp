#include "dproc/easyset/easy_set_files_win.h"

#include <cstring>
#include <memory>
#include <string>

#include "dproc/easyset/easy_set_records.h"
#include "dproc/saved/settings_file_io_win.h"
#include "dproc/saved/settings_serializer.h"

bool ReadEasySetFile(const wchar_t* path, EasySetHeader* header) {
  auto doc = ReadSettingsFile(path);
  if (!doc || header == nullptr) return false;
  // Each key must be there; an empty value is a value.
  auto present = [&](std::u16string_view section, std::u16string_view key) {
    for (const IniSection& s : doc->sections) {
      if (s.name != section) continue;
      for (const IniLine& l : s.lines) {
        if (l.kind == IniLineKind::kKey && l.key == key) return true;
      }
    }
    return false;
  };
  for (auto [section, key] : {std::pair{u"DriverInfo", u"model"}, std::pair{u"DriverInfo", u"version"},
                              std::pair{u"DriverInfo", u"versionnum"}, std::pair{u"DriverInfo", u"system"},
                              std::pair{u"DriverInfo", u"language"}, std::pair{u"EasySetName", u"name"},
                              std::pair{u"EasySetName", u"comment"}}) {
    if (!present(section, key)) return false;
  }
  *header = EasySetHeader{};
  XferDriverInfo(XferDirection::kRead, *doc, nullptr, *header, nullptr);
  std::memcpy(header->signature, kEasySetSignature, sizeof header->signature);
  return true;
}

EasySetNode* ImportEasySetFile(const wchar_t* path, const wchar_t* name, const wchar_t* comment) {
  auto doc = ReadSettingsFile(path);
  if (!doc) return nullptr;
  EasySetHeader header{};
  XferDriverInfo(XferDirection::kRead, *doc, nullptr, header, nullptr);
  std::memcpy(header.signature, kEasySetSignature, sizeof header.signature);
  if (name != nullptr) SetEasySetField(header.name, kEasySetNameChars, std::u16string(name, name + wcslen(name)));
  if (comment != nullptr) {
    SetEasySetField(header.comment, kEasySetCommentChars, std::u16string(comment, comment + wcslen(comment)));
  }
  if (!XferDriverInfo(XferDirection::kWrite, *doc, nullptr, header, nullptr)) return nullptr;
  return EasySetNodeFromDoc(*doc);
}

bool ExportEasySetFile(const EasySetNode& node, const wchar_t* path) {
  auto doc = IniDoc_Parse(EasySetText(node));
  return doc != nullptr && WriteSettingsFile(*doc, path);
}
