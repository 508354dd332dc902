#include "common/records/settings_checksum.h"

#include <cstring>

namespace {

uint32_t LoadU32(const uint8_t* p) {
  uint32_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

uint16_t LoadU16(const uint8_t* p) {
  uint16_t v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// A 16-byte signature field: the text, then NULs to the end of the field.
bool FieldHolds(const char (&field)[16], const char* text) {
  char expected[16] = {};
  std::memcpy(expected, text, std::strlen(text));
  return std::memcmp(field, expected, sizeof expected) == 0;
}

}  // namespace

uint32_t CalcOEMDevChecksum(const DocDMode* record) {
  if (record == nullptr) return 0;
  const uint8_t* bytes = reinterpret_cast<const uint8_t*>(record);
  uint32_t sum = 0;
  for (uint32_t i = 0; i < kDocDModeChecksumWords; ++i) sum += LoadU32(bytes + i * 4);
  return sum;
}

void SealDocDMode(DocDMode* record) {
  if (record != nullptr) record->checksum = CalcOEMDevChecksum(record);
}

void SealDriverDevMode(DriverDevMode* devmode) {
  if (devmode == nullptr) return;
  devmode->magic = kDriverDevModeMagic;
  SealDocDMode(&devmode->doc);
}

bool DocDModeChecksumMatches(const DocDMode* record) {
  return record != nullptr && record->checksum == CalcOEMDevChecksum(record);
}

void StoreDocDModePrinterHandle(DocDMode* record, void* printer) {
  if (record == nullptr) return;
  std::memset(record->handleBytes, 0, sizeof record->handleBytes);
  record->printerHandle = printer;
  SealDocDMode(record);
}

void InitDocDModeHeader(DocDMode* record) {
  if (record == nullptr) return;
  record->size = kDocDModeSize;
  record->tag = kDocDModeTag;
  record->version = kDocDModeVersion;
  record->sizeAgain = kDocDModeSize;
  std::memset(record->signature, 0, sizeof record->signature);
  std::memcpy(record->signature, kDocDModeSignature, sizeof kDocDModeSignature - 1);
  std::memset(record->language, 0, sizeof record->language);
  std::memcpy(record->language, kDocDModeLanguage, sizeof kDocDModeLanguage - 1);
}

DocDMode* LocateDocDMode(void* devmode, uint32_t* error) {
  uint32_t ignored = 0;
  if (error == nullptr) error = &ignored;
  if (devmode == nullptr) {
    *error = kFindDocInvalidParameter;
    return nullptr;
  }
  uint8_t* base = static_cast<uint8_t*>(devmode);
  const uint32_t headSize = LoadU16(base + kDevModeSizeAt);
  const uint32_t extra = LoadU16(base + kDevModeDriverExtraAt);
  uint8_t* area = base + headSize;
  // A record counts only when it lies wholly inside the driver-extra area.
  if (extra >= kDocDModeSize) {
    for (uint32_t p = 0; p + kDocDModeSize <= extra; ++p) {
      if (LoadU32(area + p) == kDocDModeSize && LoadU32(area + p + 4) == kDocDModeTag &&
          LoadU32(area + p + 8) == kDocDModeVersion) {
        return reinterpret_cast<DocDMode*>(area + p);
      }
    }
  }
  *error = kFindDocInvalidData;
  return nullptr;
}

bool IsOwnDriverDevMode(const void* devmode, size_t available) {
  return IsDriverDevModeOfVersion(devmode, available, kDriverDriverVersion);
}

bool IsDriverDevModeOfVersion(const void* devmode, size_t available, uint32_t driverVersion) {
  if (devmode == nullptr || available < kDriverDevModeSize) return false;
  const uint8_t* base = static_cast<const uint8_t*>(devmode);
  if (LoadU16(base + kDevModeSpecVersionAt) != kDriverSpecVersion ||
      LoadU16(base + kDevModeDriverVersionAt) != driverVersion ||
      LoadU16(base + kDevModeSizeAt) != kDevModeWSize ||
      LoadU16(base + kDevModeDriverExtraAt) != kDriverDevModeExtra) {
    return false;
  }
  const DriverDevMode* dm = static_cast<const DriverDevMode*>(devmode);
  if (dm->magic != kDriverDevModeMagic) return false;
  const DocDMode& doc = dm->doc;
  return doc.sizeAgain == kDocDModeSize && FieldHolds(doc.signature, kDocDModeSignature) &&
         FieldHolds(doc.language, kDocDModeLanguage) && DocDModeChecksumMatches(&doc);
}

bool IsSoundDocDMode(const DocDMode* record) {
  return record != nullptr && record->size == kDocDModeSize && record->tag == kDocDModeTag &&
         record->version == kDocDModeVersion && DocDModeChecksumMatches(record);
}
