// The model record and every list and look-up built from a main description
// file: papers, trays, media, device options and their values, the
// orientation list, the tray and media defaults, the version texts, the
// password cipher's settings, the fax cover styles and the message table.
#include <cstdint>

#include "common/cipher/ui_encryption_info.h"
#include "common/qxd/auth_messages.h"
#include "common/qxd/fax_cover_styles.h"
#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/version_strings.h"
#include "common/records/builtin_dev_option.h"
#include "fuzz/fuzz_input.h"

namespace {

// What a file can honestly describe: every machine item and every device
// option value stands on bytes of its own.
void CheckHonestSize(QxdContext* ctx, const ModelInfo* model, const DeviceOptionItem* options) {
  uint64_t items = 0;
  for (uint32_t i = 0; model->machines != nullptr && i < model->machineRowCount; ++i) {
    if (model->machines[i].itemCount > 0) items += model->machines[i].itemCount - 1;
  }
  uint64_t values = 0;
  for (const DeviceOptionItem* o = options; o != nullptr && o->keyword[0] != '\0'; ++o) values += CountRows(o->values);
  if (items * 32 > QxdFileSize(ctx) || values * sizeof(QxdEntry) > QxdFileSize(ctx)) __builtin_trap();
}

void UseModel(QxdContext* ctx, ModelInfo* model) {
  DevOption defaults;
  InitBuiltInDevOption(&defaults);
  DeviceOptionItem* options = LoadDeviceOptionList(ctx, model, &defaults);
  CheckHonestSize(ctx, model, options);
  // Every option the count claims is in the list.
  if (options == nullptr ? defaults.optionCount != 0 : CountRows(options) < defaults.optionCount) __builtin_trap();
  FreeDeviceOptionList(options);
  FreeMediaTypeLists(LoadMediaTypeLists(ctx, model));
  OptionItem orientations[4];
  BuildOrientationList(ctx, model, orientations);
  LoadPaperMediaRecords(ctx, "A4", &defaults);

  // Every paper id the file names, and the ids with a meaning of their own.
  for (const PaperSizeEntry* p = model->papers; p != nullptr && p->keyword[0] != '\0'; ++p) {
    FindPaperById(model, p->paperId);
    FindTwoUpPaperId(model, p->paperId);
    PaperSizeInfo info;
    FillPaperSizeInfo(model, p->paperId, false, nullptr, &info);
  }
  for (uint32_t id : {kPaperCustom, kPaperUserFirst, kOutPaperAsInput1, kOutPaperAsInput2, kOutPaperTwoUp}) {
    ResolvePaperSizeId(model, 9, id);
    PaperSizeInfo info;
    FillPaperSizeInfo(model, id, true, nullptr, &info);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QxdContext* ctx = QxdOpenImage(data, size);
  if (ctx == nullptr) return 0;
  ResetInputTrayTable();
  ModelInfo* model = BuildModelInfo(ctx, kFuzzBuildEnv);
  if (model != nullptr) UseModel(ctx, model);
  FreeModelInfoRecord(model);
  UpdateInputTrayTable(ctx);
  ResetInputTrayTable();

  ResetVersionStrings();
  ReadVersionInfo(ctx);
  ReadCommandVersionFrom(ctx);
  ReadDriverVersionFrom(ctx);
  char16_t version[64];
  GetDataVersion(version, 64);
  ReadUIEncryptionInfo(ctx);
  SetUiEncryptionInfo(kDefaultUiEncryption);
  LoadFaxCoverStyles(ctx);
  if (LoadMessageStrTable(ctx)) FindMessageStr(0, "Error");
  FreeMessageStrTable();
  QxdClose(ctx);
  return 0;
}
