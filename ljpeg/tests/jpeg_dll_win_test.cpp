// VELDRANL.DLL as the render core uses it: loaded by path, its export bound
// by name, called for both passes.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/contracts/jpeg_encode_params.h"
#include "common/win/bind_export.h"
#include "ljpeg/jpeg_encoder.h"
#include "ljpeg/tests/jpeg_test_support.h"
#include "tests/support/test_paths.h"
#include "tests/support/test_text.h"

namespace {

struct Library {
  HMODULE module = nullptr;
  Library() {
    const std::string path = testsupport::BinaryPath("bin/VELDRANL.DLL");
    module = LoadLibraryW(testsupport::Widen(path).c_str());
  }
  ~Library() {
    if (module) FreeLibrary(module);
  }
};

TEST(JpegDll, EncodesBothPassesThroughTheExportBoundByName) {
  Library lib;
  ASSERT_NE(lib.module, nullptr) << GetLastError();
  const auto encode = BindExport<JpegEncodeStartProc>(lib.module, kJpegEncodeStartName);
  ASSERT_NE(encode, nullptr);

  for (uint16_t bpp : {8, 24}) {
    const jpegtest::Image image =
        jpegtest::MakeImage(jpegtest::Pattern::kShapes, 67, 45, bpp == 8);
    const std::vector<uint8_t> source = jpegtest::ToSource(image, bpp, 1);
    JpegEncodeParams p = jpegtest::MakeParams(source, 67, 45, bpp, 60, 0, 1);
    ASSERT_EQ(encode(&p, 0), 0);
    std::vector<uint8_t> out(p.output_size);
    p.output = out.data();
    ASSERT_EQ(encode(&p, 1), 0);
    ASSERT_EQ(p.output_size, out.size());
    // The library's stream is the core's.
    EXPECT_EQ(out, jpegtest::EncodeTwoPass(source, 67, 45, bpp, 60, 0, 1));
    // A failure comes back as a status, with no size.
    p.output_size = uint32_t(out.size() - 1);
    EXPECT_NE(encode(&p, 1), 0);
    EXPECT_EQ(p.output_size, 0u);
  }
}

}  // namespace
