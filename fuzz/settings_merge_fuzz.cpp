// DEVMODEs from callers: the public part merged into the sample model's
// default document settings (any declared size, any length handed in), and
// a caller's private part taken as document settings and put right by the
// fix-ups, with a user paper list from the same bytes.
#include <cstdint>
#include <cstring>
#include <memory>

#include "dproc/model/default_settings.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/settings/settings_fixups.h"
#include "dproc/settings/settings_merge.h"
#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ModelInfo* model = SampleModel();
  FuzzInput in(data, size);
  const uint16_t publicBytes = in.Take<uint16_t>();
  const size_t inputBytes = std::min<size_t>(publicBytes, in.size());
  // The caller's public part, exactly as long as the caller says it is.
  std::unique_ptr<uint8_t[]> input(new uint8_t[inputBytes + 1]);
  std::memcpy(input.get(), in.data(), inputBytes);
  const uint8_t* rest = in.data() + inputBytes;
  size_t restSize = in.size() - inputBytes;

  UserPaperList users{};
  if (restSize >= sizeof users) {
    std::memcpy(&users, rest, sizeof users);
    rest += sizeof users;
    restSize -= sizeof users;
  }
  const SettingsModel env = {model, {&users, nullptr, 0}};

  auto doc = std::make_unique<DocDMode>();
  InitBuiltInDocDMode(doc.get());
  PublicDevMode devmode{};
  MergeDMode(env, &devmode, doc.get(), inputBytes != 0 ? input.get() : nullptr, inputBytes, u"Fax");
  UpdateCmnDModeArea(env, &devmode, doc.get(), u"Fax");
  CalcFitZoom(model, doc.get());

  // A private part from the caller: whatever bytes there are over the
  // built-in record.
  std::memcpy(doc.get(), rest, std::min(restSize, sizeof(DocDMode)));
  const FixUpHost host = {false, true, false, false};
  DocDMode defaults;
  InitBuiltInDocDMode(&defaults);
  AdjustBindingEdge(model, doc.get());
  FixUpBindingEdge(model, doc.get());
  FixUpNupStyle(doc.get());
  FixUpStaplePosition(model, doc.get());
  FixUpPunchPosition(model, doc.get());
  FixUpBookletBinding(doc.get());
  FixUpCombinationOrder(model, doc.get());
  ResetEmfOnlyNup(model, doc.get(), &defaults, host);
  FixUpEmfOnlyNup(model, doc.get(), &defaults, host);
  FixUpEmfOnlyDuplex(doc.get(), &defaults, host);
  MergeDMode(env, &devmode, doc.get(), &devmode, sizeof devmode, nullptr);
  UpdateCmnDModeArea(env, &devmode, doc.get(), nullptr);
  int32_t width, length, margins[4];
  GetPaperSizeAndMargins(model, doc.get(), 9, false, &width, &length, margins);
  CalcFitZoom(model, doc.get());
  return 0;
}
