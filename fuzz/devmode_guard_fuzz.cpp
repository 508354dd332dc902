// A whole DEVMODE from a caller, public part and driver-extra area, in
// front of the settings: the search for the document settings record inside
// it (over as many bytes as the DEVMODE declares), the test whether it is
// the driver's own (over the bytes handed over), the easy-set reset from a
// stored record of any size, and the merge of its public fields into the
// sample model's defaults, with a found record put right by the fix-ups.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "common/records/devmode_field_guard.h"
#include "common/records/settings_checksum.h"
#include "dproc/model/default_settings.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/settings/settings_merge.h"
#include "fuzz/fuzz_input.h"

namespace {

uint16_t U16At(const std::vector<uint8_t>& bytes, size_t at) {
  return at + 2 <= bytes.size() ? static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)) : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The bytes handed over, in a block of exactly that size.
  std::vector<uint8_t> given(data, data + size);
  const uint8_t* handed = given.empty() ? nullptr : given.data();

  IsOwnDriverDevMode(handed, given.size());
  IsDriverDevModeOfVersion(handed, given.size(), U16At(given, kDevModeDriverVersionAt));
  const uint16_t dmSize = U16At(given, offsetof(PublicDevMode, dmSize));
  constexpr size_t kFieldsAt = offsetof(PublicDevMode, dmFields);
  const uint32_t fields = static_cast<uint32_t>(U16At(given, kFieldsAt) | (U16At(given, kFieldsAt + 2) << 16));
  const size_t usable = DevModeUsableBytes(dmSize, given.size());
  for (const DevModeFieldExtent& f : kDevModeFieldExtents) DevModeHasField(fields, usable, f.bit);
  DevModeFieldsInside(fields, usable);

  // The search runs over what the DEVMODE declares: its dmSize and
  // dmDriverExtra, as the caller promises them.
  const size_t declared = std::max<size_t>(size_t{dmSize} + U16At(given, kDevModeDriverExtraAt), kDevModeDriverExtraAt + 2);
  std::vector<uint8_t> whole(declared, 0);
  if (!given.empty()) std::memcpy(whole.data(), given.data(), std::min(given.size(), declared));
  uint32_t error = 0;
  DocDMode* found = LocateDocDMode(whole.data(), &error);
  if (found != nullptr && reinterpret_cast<uint8_t*>(found) + sizeof(DocDMode) > whole.data() + whole.size()) {
    __builtin_trap();  // a record reaching past the declared area
  }

  ModelInfo* model = SampleModel();
  const SettingsModel env = {model, {nullptr, nullptr, 0}};
  auto doc = std::make_unique<DocDMode>();
  auto defaults = std::make_unique<DocDMode>();
  InitBuiltInDocDMode(defaults.get());
  SealDocDMode(defaults.get());
  ResetDocDModeFrom(doc.get(), *defaults, false, handed, given.size());
  if (found != nullptr) {
    ResetDocDModeFrom(doc.get(), *defaults, true, found, sizeof(DocDMode));
    IsSoundDocDMode(found);
    std::memcpy(doc.get(), found, sizeof(DocDMode));
    FixUpBindingEdge(model, doc.get());
    FixUpNupStyle(doc.get());
    FixUpStaplePosition(model, doc.get());
    FixUpPunchPosition(model, doc.get());
    FixUpCombinationOrder(model, doc.get());
  }
  PublicDevMode devmode{};
  MergeDMode(env, &devmode, doc.get(), handed, given.size(), u"Fax");
  return 0;
}
