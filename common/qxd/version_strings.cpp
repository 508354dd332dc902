#include "common/qxd/version_strings.h"

#include <cstring>

namespace {

const char16_t* const kDefaults[kVersionPartCount] = {u"6", u"6", u"6", u"6", u"5", u"1.2.6"};
char16_t g_versions[kVersionPartCount][kVersionUnits] = {u"6", u"6", u"6", u"6", u"5", u"1.2.6"};

constexpr size_t kNarrowTextBytes = 260;

void CopyCut(char16_t* out, const char16_t* text) {
  size_t i = 0;
  for (; text != nullptr && text[i] != u'\0' && i + 1 < kVersionUnits; ++i) out[i] = text[i];
  for (; i < kVersionUnits; ++i) out[i] = u'\0';
}

// Walks `count` chained entries from `first`; for each entry whose key is
// one of `keys`, reads its wide value into the matching version string.
void WalkVersionEntries(QxdContext* ctx, uint32_t first, uint32_t count, const char* const* keys,
                        const VersionPart* parts, size_t keyCount) {
  QxdChainWalk walk;
  QxdBeginChainAt(ctx, first, count, &walk);
  QxdEntry e;
  while (QxdNextChainEntry(ctx, &walk, &e)) {
    char key[kNarrowTextBytes];
    ReadQxdNarrowText(ctx, e.keyOffset, key);
    for (size_t k = 0; k < keyCount; ++k) {
      if (QxdNameEquals(key, keys[k])) ReadQxdShortWideText(ctx, e.textOffset, g_versions[parts[k]]);
    }
  }
}

// The "Version" section of a file with the standard headers.
void ReadStandardVersion(QxdContext* ctx, const char* const* keys, const VersionPart* parts, size_t keyCount) {
  if (ctx == nullptr) return;
  uint32_t at = QxdFindSection(ctx, "Version");
  QxdSectionHeader header;
  QxdListHeader list;
  if (!QxdReadSectionHeader(ctx, at, &header) || !QxdReadListHeader(ctx, at + kQxdListHeaderAt, &list)) return;
  WalkVersionEntries(ctx, header.firstEntry, list.count, keys, parts, keyCount);
}

}  // namespace

const char16_t* GetVersionString(VersionPart part) {
  if (part < 0 || part >= kVersionPartCount) return u"";
  return g_versions[part];
}

void SetVersionString(VersionPart part, const char16_t* text) {
  if (part < 0 || part >= kVersionPartCount) return;
  CopyCut(g_versions[part], text);
}

void ResetVersionStrings() {
  for (int i = 0; i < kVersionPartCount; ++i) CopyCut(g_versions[i], kDefaults[i]);
}

void GetDataVersion(char16_t* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return;
  size_t n = 0;
  for (int part = kVersionBasic; part <= kVersionConstraint; ++part) {
    if (part != kVersionBasic && n + 1 < capacity) out[n++] = u'.';
    for (const char16_t* p = g_versions[part]; *p != u'\0' && n + 1 < capacity; ++p) out[n++] = *p;
  }
  out[n] = u'\0';
}

void ReadQxdNarrowText(QxdContext* ctx, uint32_t offset, char* out) {
  std::memset(out, 0, kNarrowTextBytes);
  for (uint32_t i = 0; i + 1 < kNarrowTextBytes; ++i) {
    char c;
    if (offset + i < offset || !QxdReadFully(ctx, &c, 1, offset + i) || c == '\0') return;
    out[i] = c;
  }
}

void ReadQxdShortWideText(QxdContext* ctx, uint32_t offset, char16_t* out) {
  for (size_t i = 0; i < kVersionUnits; ++i) out[i] = u'\0';
  for (uint32_t i = 0; i + 1 < kVersionUnits; ++i) {
    uint8_t unit[2];
    uint32_t at = offset + 2 * i;
    if (at < offset || !QxdReadFully(ctx, unit, 2, at)) return;
    char16_t c = static_cast<char16_t>(unit[0] | (unit[1] << 8));
    if (c == u'\0') return;
    out[i] = c;
  }
}

void ReadVersionInfo(QxdContext* mainFile) {
  static const char* const keys[] = {"Ver_Basic", "Ver_UISetup", "Ver_Localize"};
  static const VersionPart parts[] = {kVersionBasic, kVersionSetup, kVersionLocalize};
  ReadStandardVersion(mainFile, keys, parts, 3);
}

void ReadDriverVersionFrom(QxdContext* driverFile) {
  static const char* const keys[] = {"Ver_driver"};
  static const VersionPart parts[] = {kVersionDriver};
  ReadStandardVersion(driverFile, keys, parts, 1);
}

void ReadCommandVersionFrom(QxdContext* commandFile) {
  if (commandFile == nullptr) return;
  const uint32_t at = QxdFindShortSection(commandFile, "Version");
  QxdShortSectionHeader header;
  uint32_t count = 0;
  if (at == 0 || !QxdReadFully(commandFile, &header, sizeof header, at) ||
      !QxdReadFully(commandFile, &count, sizeof count, at + kQxdShortCountAt)) {
    return;
  }
  static const char* const keys[] = {"Ver_Command"};
  static const VersionPart parts[] = {kVersionCommand};
  WalkVersionEntries(commandFile, header.firstEntry, count, keys, parts, 1);
}
