#include "dproc/startup/description_loader_win.h"

#include "common/qxd/auth_messages.h"
#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings_win.h"
#include "dproc/model/disp_strings.h"
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

// The colour setting type of the model's colour dialog that has colour
// destinations.
constexpr uint32_t kColorSettingWithDestinations = 3;

void ReadSections(QxdContext* ctx, ModelInfo* model) {
  ReadVersionInfo(ctx);
  LoadEditItemTable(ctx);
  // The default document settings and the default device option record,
  // from their built-in state (a second reading replaces the first).
  const char* localePaper = GetLocaleDefaultPaper(model);
  InitBuiltInDocDMode(&DefaultDocDMode());
  InitBuiltInDevOption(&BuiltInDevOption());
  LoadDefaultSettingsWithFonts(g_procModules.own, ctx, model, localePaper, L"VELDRANQ.DLL", &DefaultDocDMode());
  LoadPaperMediaRecords(ctx, localePaper, &BuiltInDevOption());
  AdjustBindingEdgeFeatures(model, &DefaultDocDMode(), nullptr);
  FillFinishPositionDefaults(model);

  // The items every sheet shares and the option texts.
  LoadDispStringTable(ctx, "Property_0", CommonItemTable());
  LoadOptionTextSections(ctx, model);

  // The sections of the dialogs' own tables, in the order of the display
  // texts they belong to.
  LoadEditRangeLimits(ctx);
  LoadOverlayNoneText(ctx);
  LoadWatermarkFonts(ctx);
  LoadDefaultWatermarks(ctx, model->colorDevice != 0);
  LoadColorSettingList(ctx);
  LoadColorProfileLists(ctx);
  g_description.deviceOptions = LoadDeviceOptionList(ctx, model, &BuiltInDevOption());
  LoadFaxCoverStyles(ctx);
  LoadMessageTables(ctx, &ProcessMessageTables());

  LoadStartupSettings(ctx, AnsiToWide);
  SetMakerName(reinterpret_cast<const wchar_t*>(g_makerName));
  if (model->features[kMfColorSettingType] == kColorSettingWithDestinations) {
    LoadColorDestinationList(ctx, 1);
    LoadColorDestinationList(ctx, 2);
    LoadColorDestinationList(ctx, 4);
  }

  LoadSheetTabTipTexts(ctx);
  LoadSprinstErrorMessages(ctx);
  ReadUIEncryptionInfo(ctx);
  g_description.mediaTypeLists = LoadMediaTypeLists(ctx, model);
  LoadMessageStrTable(ctx);
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
  g_description = DescriptionData{};
}
