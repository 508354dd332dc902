// The description tool's text compiler: any text parsed as a description
// file or a constraint file; what it accepts must compile, and the compiled
// file must read back to the same text.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/fuzz_input.h"
#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"

namespace {

void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "%s: %s\n", what, detail.c_str());
  __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = NarrowTextOf(data, size);
  std::string error;
  std::vector<uint8_t> bytes;
  if (qxd::IsConstraintText(text)) {
    qxd::ConstraintDocument doc;
    if (!qxd::ParseConstraintText(text, &doc, &error)) return 0;
    if (!qxd::BuildConstraints(doc, &bytes, &error)) return 0;
    qxd::ConstraintDocument back;
    if (!qxd::DecodeConstraints(bytes, &back, &error)) Fail("a compiled constraint file does not read back", error);
    if (qxd::FormatConstraintText(back) != qxd::FormatConstraintText(doc)) Fail("constraint text changed", "");
    return 0;
  }
  qxd::Document doc;
  if (!qxd::ParseText(text, &doc, &error)) return 0;
  if (!qxd::Build(doc, &bytes, &error)) return 0;
  qxd::Document back;
  if (!qxd::Decode(bytes, &back, &error)) Fail("a compiled file does not read back", error);
  if (qxd::FormatText(back) != qxd::FormatText(doc)) Fail("the text changed on its way through the binary form", "");
  return 0;
}
