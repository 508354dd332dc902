#include "dproc/startup/description_loader_win.h"

#include "common/qxd/auth_messages.h"
#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings_win.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/model/edit_items.h"
#include "common/qxd/fax_cover_styles.h"
#include "dproc/model/feature_table.h"
#include "common/qxd/locale_defaults.h"
#include "common/qxd/model_info_win.h"
#include "common/win/module_path.h"
#include "common/qxd/qxd_file.h"
#include "common/cipher/ui_encryption_info.h"
#include "common/win/user_registry.h"
#include "common/qxd/version_strings.h"
#include "dproc/startup/color_option_lists.h"
#include "dproc/startup/description_sections.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/startup/proc_library_entry_win.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/startup/model_startup_defaults.h"
#include "dproc/startup/process_texts.h"
#include "dproc/startup/sheet_tab_tips.h"
#include "dproc/startup/sprinst_messages.h"
#include "dproc/startup/startup_settings.h"
#include "dproc/startup/watermark_defaults.h"

DescriptionData g_description = {};

namespace {

bool AnsiToWide(const char* text, char16_t* out, size_t capacity) {
  if (capacity == 0) return false;
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, reinterpret_cast<wchar_t*>(out), static_cast<int>(capacity));
  if (n > 0) return true;
  // Too long for the field: keep what fits.
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return false;
  out[capacity - 1] = 0;
  return true;
}

void LoadDefaultsWithFonts(void*, QxdContext* ctx, const ModelInfo* model, const char* localePaper,
                           DocDMode* record) {
  LoadDefaultSettingsWithFonts(g_procModules.own, ctx, model, localePaper, L"VELDRANQ.DLL", record);
}

void ReadSections(QxdContext* ctx, ModelInfo* model) {
  const DescriptionReadEnv env = {LoadDefaultsWithFonts, nullptr, AnsiToWide};
  DescriptionReadTargets targets = {&DefaultDocDMode(), &BuiltInDevOption(), &ProcessMessageTables(), nullptr,
                                    nullptr};
  ReadDescriptionSections(ctx, model, GetLocaleDefaultPaper(model), env, &targets);
  g_description.deviceOptions = targets.deviceOptions;
  g_description.mediaTypeLists = targets.mediaTypeLists;
  SetMakerName(reinterpret_cast<const wchar_t*>(g_makerName));
}

}  // namespace

void LoadDispStringTablesFrom(const wchar_t* path) {
  QxdContext* ctx = QxdOpen(path, 1);
  if (ctx == nullptr) return;
  ModelInfo* model = BuildModelInfo(ctx, CurrentModelBuildEnv(true));
  if (model == nullptr) {
    QxdClose(ctx);
    return;
  }
  FreeDescriptionData();  // read once per process; a second reading replaces the first
  ProcessModelInfo() = model;
  ReadSections(ctx, model);
  QxdClose(ctx);
  ApplyLocalePaperDefaults(model, &DefaultDocDMode(), LocaleDefaultPaperId(GetLocaleCountry()), IsUSMeasure());
  SetDefaultDialogFace(model->languageId);
  FillDefaultIndexPaper(model, LocaleDefaultPaperId(GetLocaleCountry()));
}

void LoadDispStringTables(HMODULE own) {
  wchar_t path[MAX_PATH + 1];
  if (SiblingFilePath(own, L"VELDRANH.QXD", path, MAX_PATH + 1)) LoadDispStringTablesFrom(path);
}

void FreeDescriptionData() {
  FreeModelInfo();
  FreeDeviceOptionList(g_description.deviceOptions);
  FreeEditItemTable();
  FreeMediaTypeLists(g_description.mediaTypeLists);
  FreeMessageStrTable();
  RestoreFilteredOptionTables();
  g_description = DescriptionData{};
}
