// Settings files read into the settings records: any bytes through the
// document's reader and every section of the serialiser, then written back
// and read again.  The counts a file gives never reach past their lists.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "dproc/saved/settings_serializer.h"
#include "dproc/saved/tests/cp1252_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto doc = IniDoc_ParseFileBytes(data, size);
  if (!doc) return 0;
  DocDMode settings{};
  SettingBundle bundle;
  bundle.doc = &settings;
  XferSettingFile(XferDirection::kRead, *doc, bundle, Cp1252Codec());
  if (bundle.privateMarks.size() > kMaxPrivateWatermarks || bundle.publicMarks.size() > kMaxPublicWatermarks ||
      bundle.order.size() > kMaxWatermarkOrder || bundle.devOption.optionCount > kDevOptionMaxOptions ||
      bundle.userPapers.count > static_cast<int16_t>(kUserPaperMaxEntries))
    std::abort();
  IniDoc written;
  XferSettingFile(XferDirection::kWrite, written, bundle, Cp1252Codec());
  DocDMode again{};
  SettingBundle back;
  back.doc = &again;
  XferSettingFile(XferDirection::kRead, written, back, Cp1252Codec());
  // Easy Set texts read with their restore options.
  std::copy_n(data, std::min<size_t>(size, 4), bundle.header.restore);
  XferEasySetSections(XferDirection::kRead, *doc, bundle, Cp1252Codec());
  return 0;
}
