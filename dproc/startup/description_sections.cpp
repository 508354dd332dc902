#include "dproc/startup/description_sections.h"

#include "common/media/media_columns.h"

#include "common/cipher/ui_encryption_info.h"
#include "common/qxd/auth_messages.h"
#include "common/qxd/fax_cover_styles.h"
#include "common/qxd/version_strings.h"
#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/startup/color_option_lists.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/startup/model_startup_defaults.h"
#include "dproc/startup/sheet_tab_tips.h"
#include "dproc/startup/sprinst_messages.h"
#include "dproc/startup/watermark_defaults.h"

namespace {

// The colour setting type of the model's colour dialog that has colour
// destinations.
constexpr uint32_t kColorSettingWithDestinations = 3;

}  // namespace

void ReadDescriptionSections(QxdContext* ctx, ModelInfo* model, const char* localePaper, const DescriptionReadEnv& env,
                             DescriptionReadTargets* t) {
  ReadVersionInfo(ctx);
  LoadEditItemTable(ctx);
  // The default document settings and the default device option record,
  // from their built-in state (a second reading replaces the first).
  InitBuiltInDocDMode(t->defaults);
  InitBuiltInDevOption(t->builtInDevice);
  // The stamp default is looked up among all the built-in stamps, not those
  // an earlier reading kept.
  RestoreFilteredOptionTables();
  if (env.loadDefaultSettings != nullptr) env.loadDefaultSettings(env.context, ctx, model, localePaper, t->defaults);
  LoadPaperMediaRecords(ctx, localePaper, t->builtInDevice);
  AdjustBindingEdgeFeatures(model, t->defaults, nullptr);
  FillFinishPositionDefaults(model);

  // The display texts of every sheet and dialog, then the option texts.
  LoadDialogTextSections(ctx, model);
  LoadOptionTextSections(ctx, model);

  // The sections of the dialogs' own tables, in the order of the display
  // texts they belong to.
  LoadEditRangeLimits(ctx);
  LoadOverlayNoneText(ctx);
  LoadWatermarkFonts(ctx);
  LoadDefaultWatermarks(ctx, model->colorDevice != 0);
  LoadColorSettingList(ctx);
  LoadColorProfileLists(ctx);
  t->deviceOptions = LoadDeviceOptionList(ctx, model, t->builtInDevice);
  LoadFaxCoverStyles(ctx);
  LoadMessageTables(ctx, t->messages);

  LoadStartupSettings(ctx, env.toWide);
  if (model->features[kMfColorSettingType] == kColorSettingWithDestinations) {
    LoadColorDestinationList(ctx, 1);
    LoadColorDestinationList(ctx, 2);
    LoadColorDestinationList(ctx, 4);
  }

  LoadSheetTabTipTexts(ctx);
  // The media-type list view's column titles, where the description names them.
  for (MediaListColumn* c = MediaListColumnTable(); c->keyword[0] != '\0'; ++c) {
    FindDisplayText(ctx, "Dlg_PaperSourceTraySetting", c->keyword, c->title, 48);
  }
  LoadSprinstErrorMessages(ctx);
  ReadUIEncryptionInfo(ctx);
  t->mediaTypeLists = LoadMediaTypeLists(ctx, model);
  LoadMessageStrTable(ctx);
}
