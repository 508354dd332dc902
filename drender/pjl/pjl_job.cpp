// Reads of the job's settings and portable text conversions.
#include "drender/pjl/pjl_job.h"

#include <cstring>

namespace {

bool Inside(uint32_t at, uint32_t width) { return uint64_t{at} + width <= sizeof(DocDMode); }

}  // namespace

const uint8_t* Pjl_DocPtr(const PjlJob* job, uint32_t at) {
  // Without settings every field reads as zero, wide texts and stored
  // passwords included.
  static const uint8_t zero[512] = {};
  if (job == nullptr || job->doc == nullptr || !Inside(at, 1)) return zero;
  return reinterpret_cast<const uint8_t*>(job->doc) + at;
}

uint8_t Pjl_DocByte(const PjlJob* job, uint32_t at) { return Inside(at, 1) ? *Pjl_DocPtr(job, at) : 0; }
int8_t Pjl_DocI8(const PjlJob* job, uint32_t at) { return static_cast<int8_t>(Pjl_DocByte(job, at)); }

uint16_t Pjl_DocU16(const PjlJob* job, uint32_t at) {
  uint16_t v = 0;
  if (Inside(at, 2)) std::memcpy(&v, Pjl_DocPtr(job, at), 2);
  return v;
}

int16_t Pjl_DocI16(const PjlJob* job, uint32_t at) { return static_cast<int16_t>(Pjl_DocU16(job, at)); }

uint32_t Pjl_DocU32(const PjlJob* job, uint32_t at) {
  uint32_t v = 0;
  if (Inside(at, 4)) std::memcpy(&v, Pjl_DocPtr(job, at), 4);
  return v;
}

const FaxSetting* Pjl_FaxSetting(const PjlJob* job) {
  if (job->fax != nullptr) return &job->fax->faxSetting;
  return reinterpret_cast<const FaxSetting*>(Pjl_DocPtr(job, kFaxSettingDocAt));
}

uint32_t Pjl_FaxDestinationCount(const PjlJob* job) {
  if (job->fax == nullptr) return 0;
  return job->fax->wRecipientCount > kFaxMaxRecipients ? kFaxMaxRecipients : job->fax->wRecipientCount;
}

const DevOption* Pjl_DevOption(const PjlJob* job) { return job->device != nullptr ? &job->device->option : nullptr; }

uint32_t Pjl_PortableWide(const char16_t* text, size_t count, bool utf8, char* out, size_t size) {
  if (text == nullptr || out == nullptr || size == 0) return 0;
  std::string bytes;
  for (size_t i = 0; i < count && text[i] != u'\0'; ++i) {
    uint32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < count && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    if (!utf8) {
      bytes.push_back(c < 0x100 ? static_cast<char>(c) : '?');
    } else if (c < 0x80) {
      bytes.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | (c >> 18)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  if (bytes.empty()) return 0;
  const size_t n = bytes.size() < size ? bytes.size() : size;
  std::memcpy(out, bytes.data(), n);
  if (n < size) out[n] = '\0';
  return 1;
}

uint32_t Pjl_PortableAnsiToUtf8(const char* text, char* out, size_t size) {
  std::u16string wide;
  for (const char* p = text; p != nullptr && *p != '\0'; ++p) wide.push_back(static_cast<unsigned char>(*p));
  if (wide.empty()) {
    if (out != nullptr && size > 0) out[0] = '\0';
    return 0;
  }
  return Pjl_PortableWide(wide.data(), wide.size(), true, out, size);
}
