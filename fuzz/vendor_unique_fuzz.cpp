// The PCL XL vendor-unique command texts of the description file: checked
// and written as operators, the output read back by the stream dissector.
#include <cstdint>
#include <string>
#include <vector>

#include "drender/pclxl/pclxl_vendor_unique.h"
#include "drender/pclxl/pclxl_writer.h"
#include "fuzz/fuzz_input.h"
#include "tests/pclxl/xl_dissector.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = NarrowTextOf(data, size);
  Rdc_IsVendorUniqueText(text.c_str());
  std::vector<uint8_t> out;
  XlEncoder enc;
  XL_InitEncoder(
      &enc,
      [](void* context, const uint8_t* b, uint32_t length) -> uint32_t {
        auto* sink = static_cast<std::vector<uint8_t>*>(context);
        sink->insert(sink->end(), b, b + length);
        return 1;
      },
      &out);
  XL_VendorUnique(&enc, text.c_str());
  xl::Options options;
  options.header = false;
  options.start = xl::Context::Page;
  xl::Dissect(out, options);
  return 0;
}
