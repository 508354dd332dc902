// Checking, reading and building overlay form file headers.
#include "common/records/overlay_form_file.h"

#include <cstring>

namespace {

constexpr char kMagic[4] = {'Q', 'F', 'V', '1'};

uint16_t U16At(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

FormHeaderStatus Form_CheckPrefix(const uint8_t* bytes, size_t size, uint16_t* headerSize) {
  *headerSize = 0;
  if (bytes == nullptr || size < kFormPrefixSize) return kFormHeaderShort;
  if (std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return kFormHeaderBadMagic;
  const uint16_t version = U16At(bytes + 4), hsize = U16At(bytes + 6);
  if (!((version == 1 && hsize == kFormHeaderV1Size) || (version == 2 && hsize == kFormHeaderV2Size))) {
    return kFormHeaderBadVersion;
  }
  *headerSize = hsize;
  return kFormHeaderOk;
}

FormHeaderStatus Form_ParseHeader(const uint8_t* bytes, size_t size, uint64_t fileSize, FormFileHeader* header,
                                  uint32_t* streamOffset, uint64_t* streamLength) {
  std::memset(header, 0, sizeof *header);
  *streamOffset = 0;
  *streamLength = 0;
  uint16_t hsize = 0;
  const FormHeaderStatus status = Form_CheckPrefix(bytes, size, &hsize);
  if (status != kFormHeaderOk) return status;
  if (size < hsize) return kFormHeaderShort;
  if (fileSize < hsize || fileSize - hsize > kFormMaxStreamLength) return kFormHeaderBadStream;
  std::memcpy(header, bytes, hsize);
  header->name[kFormNameChars] = '\0';
  header->wideName[kFormNameChars] = u'\0';
  *streamOffset = hsize;
  *streamLength = fileSize - hsize;
  return kFormHeaderOk;
}

bool Form_ReadListHeader(const uint8_t* bytes, size_t size, FormFileHeader* header) {
  std::memset(header, 0, sizeof *header);
  if (bytes == nullptr || size < kFormHeaderV1Size || std::memcmp(bytes, kMagic, sizeof kMagic) != 0) return false;
  const uint16_t version = U16At(bytes + 4);
  if (version == 1) {
    std::memcpy(header, bytes, kFormHeaderV1Size);
  } else if (version == 2 && size >= kFormHeaderV2Size) {
    std::memcpy(header, bytes, kFormHeaderV2Size);
  } else {
    std::memset(header, 0, sizeof *header);
    return false;
  }
  header->name[kFormNameChars] = '\0';
  header->wideName[kFormNameChars] = u'\0';
  return true;
}

void Form_BuildHeader(const FormHeaderFields& f, FormFileHeader* header) {
  std::memset(header, 0, sizeof *header);
  std::memcpy(header->magic, kMagic, sizeof kMagic);
  header->version = 2;
  header->headerSize = kFormHeaderV2Size;
  if (f.ansiNeededDefault) {
    for (uint32_t i = 0; f.wideName != nullptr && i < kFormNameChars && f.wideName[i] != u'\0'; ++i) {
      header->wideName[i] = f.wideName[i];
    }
  } else {
    for (uint32_t i = 0; f.ansiName != nullptr && i < kFormNameChars && f.ansiName[i] != '\0'; ++i) {
      header->name[i] = f.ansiName[i];
    }
  }
  header->paperWidth = f.paperWidth;
  header->paperLength = f.paperLength;
  header->color = f.selectColor == 1 ? 1 : 2;
  header->orientation = f.orientation == 2 ? 2 : 1;
  header->resolution = f.resolution;
}
