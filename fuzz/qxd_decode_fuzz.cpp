// The description tool's dump: any file decoded as a description file and
// as a constraint file, and what it decodes written as text.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/qxd/constraint_document.h"
#include "tools/qxd/qxd_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  std::string error;
  qxd::Document doc;
  if (qxd::Decode(bytes, &doc, &error)) qxd::FormatText(doc);
  qxd::ConstraintDocument rules;
  if (qxd::DecodeConstraints(bytes, &rules, &error)) qxd::FormatConstraintText(rules);
  return 0;
}
