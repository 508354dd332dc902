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

void UseModel(QxdContext* ctx, ModelInfo* model) {
  DevOption defaults;
  InitBuiltInDevOption(&defaults);
  DeviceOptionItem* options = LoadDeviceOptionList(ctx, model, &defaults);
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
