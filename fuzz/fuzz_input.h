// What every harness shares: a reader that takes fixed-size values off the
// front of the fuzzer's input (zeros once it runs out), the sample model
// built once per process from the description files the build compiled, and
// texts of both widths from the input's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_reader.h"

class FuzzInput {
 public:
  FuzzInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  template <typename T>
  T Take() {
    T value{};
    const size_t n = std::min(sizeof value, size_);
    std::memcpy(&value, data_, n);
    data_ += n;
    size_ -= n;
    return value;
  }
  // The bytes that are left.
  const uint8_t* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  const uint8_t* data_;
  size_t size_;
};

// A text of UTF-16 units from the bytes (pairs, little-endian), terminated.
std::u16string WideTextOf(const uint8_t* data, size_t size);
// A narrow text from the bytes, terminated (a NUL in the bytes ends it early
// for the reader, as it would for the driver).
std::string NarrowTextOf(const uint8_t* data, size_t size);

// A file of the build's sample model ("VELDRANH.QXD", ...), read once.
const std::vector<uint8_t>& SampleModelFile(const char* name);
// The model record of the sample model's main description file; its
// context stays open for the process.
ModelInfo* SampleModel();
QxdContext* SampleModelContext();
extern const ModelBuildEnv kFuzzBuildEnv;
