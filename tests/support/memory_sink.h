// A byte sink in memory for encoder tests: keeps the bytes and the length
// of every call, and can be told to fail from a given call on.
#pragma once
#include <cstdint>
#include <vector>

namespace testsupport {

struct MemorySink {
  std::vector<uint8_t> bytes;
  std::vector<uint32_t> calls;  // length of each write; 0 for a refused one
  int failAfter = -1;           // calls that succeed before every call fails

  static uint32_t Write(void* context, const uint8_t* data, uint32_t length) {
    auto* sink = static_cast<MemorySink*>(context);
    if (sink->failAfter >= 0 && static_cast<int>(sink->calls.size()) >= sink->failAfter) {
      sink->calls.push_back(0);
      return 0;
    }
    sink->calls.push_back(length);
    sink->bytes.insert(sink->bytes.end(), data, data + length);
    return 1;
  }
};

}  // namespace testsupport
