// The checks of an enhanced metafile before its records are played (a
// spooled page handed to the test host's player or to faxjob --emf): what
// they pass, every reader may read without leaving a record.
//
// Input: the file's bytes.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "tests/support/emf_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<uint8_t> bytes(data, data + size);
  const std::string damage = testsupport::EmfFileDamage(bytes);
  if (!damage.empty()) return 0;
  // A sound file walks to its end, and each record passes its own check.
  bool walked = testsupport::WalkEmf(bytes, [](const testsupport::EmfRecord& r) {
    if (testsupport::EmfRecordDamage(r) != nullptr) std::abort();
    // A text of characters reads whole (an empty one names no string).
    if (r.type == testsupport::kEmrExtTextOutW && r.U32(44) != 0) {
      const testsupport::EmfTextRun run = testsupport::ReadEmfTextRun(r);
      if (!run.valid || run.text.size() != r.U32(44)) std::abort();
    }
  });
  if (!walked) std::abort();
  testsupport::ParseEmf(bytes);
  return 0;
}
