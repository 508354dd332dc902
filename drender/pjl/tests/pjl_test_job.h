// A job for the PJL tests: zeroed settings that a test fills field by
// field, a writer that gathers the header, and the portable conversions.
#pragma once

#include <cstring>
#include <memory>
#include <string>

#include "drender/pjl/pjl_job.h"

namespace pjltest {

inline uint32_t Gather(void* target, const void* bytes, uint32_t length) {
  static_cast<std::string*>(target)->append(static_cast<const char*>(bytes), length);
  return 1;
}

struct TestJob {
  std::unique_ptr<WorkDevMode> work{new WorkDevMode()};
  std::string out;
  PjlJob job{};

  TestJob() {
    std::memset(work.get(), 0, sizeof(WorkDevMode));
    job.doc = &work->devmode.doc;
    job.device = &work->device;
    job.write = &Gather;
    job.writeTarget = &out;
    job.wide = &Pjl_PortableWide;
    job.ansiToUtf8 = &Pjl_PortableAnsiToUtf8;
    job.values.cipherOutput = 1;
  }
  uint8_t* Doc() { return reinterpret_cast<uint8_t*>(&work->devmode.doc); }
  void Byte(uint32_t at, uint8_t v) { Doc()[at] = v; }
  void U16(uint32_t at, uint16_t v) { std::memcpy(Doc() + at, &v, 2); }
  void U32(uint32_t at, uint32_t v) { std::memcpy(Doc() + at, &v, 4); }
  void Text(uint32_t at, const char* text) { std::memcpy(Doc() + at, text, std::strlen(text) + 1); }
  void Wide(uint32_t at, const char16_t* text) {
    size_t n = std::char_traits<char16_t>::length(text);
    std::memcpy(Doc() + at, text, 2 * (n + 1));
  }
};

}  // namespace pjltest
