// Row decoders of the PCL XL image compression methods.
#include <cstdio>

#include "tests/pclxl/xl_dissector.h"

namespace xl {

namespace {

// Decoded blocks larger than this are refused rather than allocated: a
// damaged block could otherwise announce gigabytes of rows.
constexpr size_t kMaxDecodedBytes = 64u << 20;

bool Fail(std::string* error, const char* format, size_t a, size_t b = 0) {
  char text[160];
  std::snprintf(text, sizeof(text), format, a, b);
  if (error) *error = text;
  return false;
}

}  // namespace

bool DecodePackBits(const uint8_t* data, size_t size, uint32_t rowBytes, uint32_t paddedBytes,
                    uint32_t rows, std::vector<uint8_t>* out, std::string* error) {
  size_t total = static_cast<size_t>(paddedBytes) * rows;
  // Two bytes of PackBits data give at most 128 bytes of rows.
  if (total > kMaxDecodedBytes || total / 64 > size + 1) {
    return Fail(error, "PackBits data of %zu bytes cannot hold %zu bytes of rows", size, total);
  }
  std::vector<uint8_t> plain;
  plain.reserve(total);
  size_t i = 0;
  while (plain.size() < total) {
    if (i >= size) {
      return Fail(error, "PackBits data ends after %zu of %zu bytes", plain.size(), total);
    }
    int count = static_cast<int8_t>(data[i++]);
    if (count >= 0) {
      size_t n = static_cast<size_t>(count) + 1;
      if (size - i < n) return Fail(error, "PackBits literal of %zu bytes runs past the data", n);
      if (plain.size() + n > total) {
        return Fail(error, "PackBits literal runs %zu bytes past the last row",
                    plain.size() + n - total);
      }
      plain.insert(plain.end(), data + i, data + i + n);
      i += n;
    } else if (count != -128) {
      size_t n = static_cast<size_t>(1 - count);
      if (i >= size) return Fail(error, "PackBits repeat without its byte at %zu", i);
      if (plain.size() + n > total) {
        return Fail(error, "PackBits repeat runs %zu bytes past the last row",
                    plain.size() + n - total);
      }
      plain.insert(plain.end(), n, data[i++]);
    }
  }
  if (i != size) return Fail(error, "%zu bytes of PackBits data after the last row", size - i);
  out->clear();
  for (uint32_t r = 0; r < rows; ++r) {
    const uint8_t* row = plain.data() + static_cast<size_t>(r) * paddedBytes;
    out->insert(out->end(), row, row + rowBytes);
  }
  return true;
}

bool DecodeDeltaRows(const uint8_t* data, size_t size, uint32_t rowBytes, uint32_t rows,
                     std::vector<uint8_t>* seed, std::vector<uint8_t>* out, std::string* error) {
  if (static_cast<size_t>(rowBytes) * rows > kMaxDecodedBytes) {
    return Fail(error, "%zu delta rows of %zu bytes are too many to decode", rows, rowBytes);
  }
  seed->resize(rowBytes, 0);
  out->clear();
  size_t i = 0;
  for (uint32_t r = 0; r < rows; ++r) {
    if (size - i < 2) return Fail(error, "delta-row data ends before row %zu of %zu", r, rows);
    size_t length = data[i] | (data[i + 1] << 8);
    i += 2;
    if (size - i < length) {
      return Fail(error, "delta row %zu announces %zu bytes past the data", r, length);
    }
    size_t end = i + length;
    size_t position = 0;
    while (i < end) {
      uint8_t command = data[i++];
      size_t count = (command >> 5) + 1;
      size_t offset = command & 0x1F;
      if (offset == 31) {
        for (;;) {
          if (i >= end) return Fail(error, "delta row %zu: offset runs past the row's data", r);
          uint8_t more = data[i++];
          offset += more;
          if (more != 255) break;
        }
      }
      position += offset;
      if (end - i < count) {
        return Fail(error, "delta row %zu: command lacks its %zu bytes", r, count);
      }
      if (position + count > rowBytes) {
        return Fail(error, "delta row %zu: replacement reaches byte %zu of the row",
                    r, position + count);
      }
      for (size_t k = 0; k < count; ++k) (*seed)[position + k] = data[i + k];
      i += count;
      position += count;
    }
    out->insert(out->end(), seed->begin(), seed->end());
  }
  if (i != size) return Fail(error, "%zu bytes of delta-row data after the last row", size - i);
  return true;
}

}  // namespace xl
