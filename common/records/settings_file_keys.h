// The keys under which a settings file carries the document settings (its
// section "OEMDEV"): one row per field, named after the field, in the order
// the file holds them, with the field's place and width from the field map
// and how its value is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

enum class SettingsValueKind : uint8_t {
  kU8, kI8, kU16, kI16, kI32,  // integers, widened (by their sign) and written as signed 32-bit
  kWide,                       // UTF-16 text field, its NUL included
  kAnsi,                       // narrow text field, its NUL included
};

// Which keys a reader may leave alone.
enum class SettingsKeyGate : uint8_t {
  kNone,
  kResolution,  // read only when the resolution is restored
  kPaper,       // read only when the document size and orientation are restored
  kFullFile,    // written and read only in whole settings files
};

struct SettingsFileKey {
  const char* name;         // "%d" stands for the element number, from 0
  uint16_t at;              // byte offset of element 0 in the record
  SettingsValueKind kind;
  uint16_t size;            // bytes of one element
  uint8_t count;            // elements: 1 for a single field
  uint8_t stride;           // bytes from one element to the next
  SettingsKeyGate gate;
  // Rows of one record array (the tray media entries) share a non-zero
  // group: they are walked element by element, all their keys per element.
  uint8_t group;
};

// The keys of "OEMDEV", offsets in DocDMode.
std::span<const SettingsFileKey> OemDevKeys();

// Bytes of a value of the kind (0 for the texts, whose size is the field's).
constexpr uint32_t SettingsValueBytes(SettingsValueKind kind) {
  switch (kind) {
    case SettingsValueKind::kU8: case SettingsValueKind::kI8: return 1;
    case SettingsValueKind::kU16: case SettingsValueKind::kI16: return 2;
    case SettingsValueKind::kI32: return 4;
    default: return 0;
  }
}
