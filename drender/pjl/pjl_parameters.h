// Template parameters: the placeholder syntax and the value of every
// parameter name a template may use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "drender/pjl/pjl_job.h"

struct PjlPlaceholder {
  bool api;         // SOURCE is "API"
  char name[32];
  int32_t length;   // maximum value bytes; negative: no limit
  bool utf8;
  uint8_t cipher;   // 0 plain, 1 "DES", 2 "AES"
  size_t end;       // offset just behind the closing "}"
};

// Parses the placeholder at the start of `text` (which begins "%s{").
// False when it breaks a rule; `out->cipher` is set as soon as it is known.
bool Pjl_ParsePlaceholder(const char* text, PjlPlaceholder* out);

// Resolves one placeholder into `value` (`size` bytes); `length` gets the
// value's bytes and `cipher` its cipher marker.  1 when a value (possibly
// empty) was produced, 0 when the placeholder or its parameter failed.
// A text that does not begin "%s{" gives an empty value and 1.
uint32_t Pjl_GetParameterValue(PjlJob* job, const char* text, char* value, size_t size, uint64_t* length,
                               uint8_t* cipher);

// What a parameter's rule produces before conversion and encipherment.
enum class PjlValueKind { Narrow, Wide, Missing, Fail };
struct PjlRawValue {
  PjlValueKind kind = PjlValueKind::Missing;
  std::string narrow;     // Narrow: ANSI text or number text
  std::u16string wide;    // Wide: text the settings keep as UTF-16
  bool noUtf8 = false;    // copied as it is whatever ENCODING says
};
inline PjlRawValue PjlNarrow(std::string text) { return PjlRawValue{PjlValueKind::Narrow, std::move(text), {}, false}; }
inline PjlRawValue PjlFail() { return PjlRawValue{PjlValueKind::Fail, {}, {}, false}; }
PjlRawValue PjlWide(const char16_t* text, size_t units);
PjlRawValue PjlNumber(long long value);
PjlRawValue PjlFormat(const char* format, ...);
// A narrow field of `size` bytes of the settings (cut at its terminator).
PjlRawValue PjlDocText(const PjlJob* job, uint32_t at, uint32_t size);

// The parameter groups; each returns Missing for a name it does not know.
PjlRawValue Pjl_JobParameter(PjlJob* job, const char* name, bool api);
PjlRawValue Pjl_PaperParameter(PjlJob* job, const char* name);
PjlRawValue Pjl_PerPageParameter(PjlJob* job, const char* name);
