// The shared printer description of the render core.
#include "drender/model/render_model.h"

#include <cwchar>

#include "common/qxd/item_layouts.h"
#include "common/contracts/settings_functions_win.h"
#include "common/qxd/model_info_win.h"
#include "common/win/bind_export.h"
#include "common/win/module_path.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/qxd_file.h"
#include "common/cipher/ui_encryption_info.h"
#include "drender/model/vendor_name.h"

namespace {

constexpr size_t kMakerNameChars = 128;
constexpr wchar_t kBuiltInMaker[] = L"HALDOVAR";
constexpr uint16_t kNoPaper = 0xFFFF;

HMODULE g_module = nullptr;
LONG g_users = 0;
ModelInfo* g_model = nullptr;
DeviceOptionItem* g_deviceOptions = nullptr;
wchar_t g_makerName[kMakerNameChars] = L"HALDOVAR";
uint16_t g_defaultPaper = kNoPaper;
bool g_defaultPaperLooked = false;


// The description's maker name, from the system ANSI
// code page; the built-in name when the description names none.
void Rdc_ReadVendorName(QxdContext* description) {
  char value[kVendorValueSize];
  if (!Rdc_FindVendorName(description, value) || value[0] == 0) {
    wcscpy(g_makerName, kBuiltInMaker);
    return;
  }
  // Converted whole (a narrow text never has more characters than bytes),
  // then cut.
  wchar_t wide[kVendorValueSize] = {};
  if (!MultiByteToWideChar(CP_ACP, 0, value, -1, wide, kVendorValueSize)) {
    wcscpy(g_makerName, kBuiltInMaker);
    return;
  }
  wcsncpy(g_makerName, wide, kMakerNameChars - 1);
  g_makerName[kMakerNameChars - 1] = 0;
}

QxdContext* OpenDescription() {
  return QxdOpenBeside(g_module, L"VELDRANH.QXD");
}

// The paper id of the "PaperSize" item whose keyword is `keyword` (ASCII
// case ignored), or of the section's default item.
uint16_t FindPaperRecordId(QxdContext* description, const char* keyword) {
  uint32_t section = QxdFindSection(description, "PaperSize");
  QxdListHeader list;
  if (!section || !QxdReadListHeader(description, section + kQxdListHeaderAt, &list)) return kNoPaper;
  uint32_t record = 0;
  if (keyword && keyword[0] && QxdArrayFits(description, list.indexOffset, list.count, 4)) {
    for (uint32_t i = 0; i < list.count && !record; ++i) {
      uint32_t at = 0;
      QxdEntry entry;
      char key[64];
      if (QxdReadIndexEntry(description, list, i, &at) && QxdReadEntry(description, at, &entry) &&
          QxdReadString(description, entry.keyOffset, key, sizeof key) && QxdNameEquals(key, keyword)) {
        record = at;
      }
    }
  }
  if (!record) record = list.firstEntry;
  uint32_t id = 0;
  if (!record || !QxdReadDword(description, record + kPaperItemIdAt, &id)) return kNoPaper;
  return static_cast<uint16_t>(id);
}

}  // namespace

const wchar_t* Rdc_MakerName() { return g_makerName; }
const ModelInfo* Rdc_Model() { return g_model; }
const DeviceOptionItem* Rdc_DeviceOptions() { return g_deviceOptions; }

void Rdc_SetModule(HMODULE module) { g_module = module; }
HMODULE Rdc_Module() { return g_module; }

bool Rdc_SiblingPath(const wchar_t* fileName, wchar_t path[MAX_PATH]) {
  return SiblingFilePath(g_module, fileName, path, MAX_PATH);
}

BOOL Rdc_LoadModelInfo() {
  if (g_model) {
    ++g_users;
    return TRUE;
  }
  QxdContext* description = OpenDescription();
  if (!description) return FALSE;
  ModelInfo* model = BuildModelInfo(description, CurrentModelBuildEnv(false));
  if (!model) {
    QxdClose(description);
    return FALSE;
  }
  // A model without device options has an empty list; a list that is there
  // but cannot be built fails the load.
  DevOption defaults{};
  DeviceOptionItem* options = LoadDeviceOptionList(description, model, &defaults);
  if (!options && QxdFindSection(description, "DeviceOption")) {
    FreeModelInfoRecord(model);
    QxdClose(description);
    return FALSE;
  }
  g_model = model;
  g_deviceOptions = options;
  ++g_users;
  Rdc_ReadVendorName(description);
  ReadUIEncryptionInfo(description);
  QxdClose(description);
  return TRUE;
}

void Rdc_ReleaseModelInfo() {
  if (g_users <= 0) return;
  if (--g_users > 0) return;
  FreeDeviceOptionList(g_deviceOptions);
  FreeModelInfoRecord(g_model);
  g_deviceOptions = nullptr;
  g_model = nullptr;
  // The next load looks the default paper up again.
  g_defaultPaper = kNoPaper;
  g_defaultPaperLooked = false;
}

LONG Rdc_ModelInfoUsers() { return g_users; }

uint16_t Rdc_DefaultPaperId() {
  if (g_defaultPaperLooked) return g_defaultPaper;
  g_defaultPaperLooked = true;
  char keyword[32] = {};
  wchar_t path[MAX_PATH];
  if (Rdc_SiblingPath(L"VELDRANA.DLL", path)) {
    if (HMODULE procedures = LoadLibraryW(path)) {
      auto get = BindExport<PrcGetDefaultInPaperKeyFn>(procedures, kPrcGetDefaultInPaperKey);
      if (!get || !get(keyword, sizeof keyword)) keyword[0] = 0;
      keyword[sizeof keyword - 1] = 0;
      FreeLibrary(procedures);
    }
  }
  if (QxdContext* description = OpenDescription()) {
    g_defaultPaper = FindPaperRecordId(description, keyword);
    QxdClose(description);
  }
  return g_defaultPaper;
}
