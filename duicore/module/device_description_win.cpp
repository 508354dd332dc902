#include "duicore/module/device_description_win.h"

#include "common/qxd/auth_messages.h"
#include "common/records/builtin_dev_option.h"
#include "common/qxd/fax_cover_styles.h"
#include "common/qxd/model_info_win.h"
#include "common/qxd/qxd_file.h"
#include "common/cipher/ui_encryption_info.h"
#include "duicore/module/core_module_win.h"

namespace {

DeviceDescription g_description = {};

}  // namespace

bool LoadDeviceDescriptionFrom(const wchar_t* path, DeviceDescription* out) {
  QxdContext* ctx = QxdOpen(path, 1);
  if (ctx == nullptr) return false;
  if (out->deviceOptions != nullptr) {
    FreeDeviceOptionList(out->deviceOptions);
    out->deviceOptions = nullptr;
  }
  ModelInfo* model = BuildModelInfo(ctx, CurrentModelBuildEnv(false));
  if (model == nullptr) {
    QxdClose(ctx);
    return false;
  }
  if (out->model != nullptr) FreeModelInfoRecord(out->model);
  out->model = model;
  out->deviceOptions = LoadDeviceOptionList(ctx, model, &BuiltInDevOption());
  LoadPaperMediaRecords(ctx, nullptr, &BuiltInDevOption());
  ReadUIEncryptionInfo(ctx);
  LoadFaxCoverStyles(ctx);
  if (out->trayMapping != nullptr) FreeMediaTypeLists(out->trayMapping);
  out->trayMapping = LoadMediaTypeLists(ctx, model);
  LoadMessageStrTable(ctx);
  QxdClose(ctx);
  return true;
}

void FreeDeviceDescriptionRecords(DeviceDescription* description) {
  FreeDeviceOptionList(description->deviceOptions);
  FreeModelInfoRecord(description->model);
  FreeMediaTypeLists(description->trayMapping);
  FreeMessageStrTable();
  *description = DeviceDescription{};
}

const DeviceDescription& CoreDescription() { return g_description; }

bool LoadDeviceDescription() {
  wchar_t path[MAX_PATH];
  if (!CoreSiblingPath(L"VELDRANH.QXD", path, MAX_PATH)) return false;
  return LoadDeviceDescriptionFrom(path, &g_description);
}

void FreeDeviceDescription() { FreeDeviceDescriptionRecords(&g_description); }
