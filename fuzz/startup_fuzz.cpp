// The procedure library's start-up reading of a main description file, in
// the order start-up reads it: versions, edit items, default document
// settings with a font list, tray and media defaults, display and option
// texts, edit ranges, watermarks, colour lists, device options, message
// tables, settings sections, tab tips, spooler messages, the cipher's
// settings and the media lists.  Then the model's fix-ups of the defaults.
#include <cstdint>

#include "common/cipher/ui_encryption_info.h"
#include "common/qxd/auth_messages.h"
#include "common/qxd/fax_cover_styles.h"
#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/qxd/version_strings.h"
#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/message_text.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/startup/color_option_lists.h"
#include "dproc/startup/edit_range_limits.h"
#include "dproc/startup/model_startup_defaults.h"
#include "dproc/startup/process_texts.h"
#include "dproc/startup/sheet_tab_tips.h"
#include "dproc/startup/sprinst_messages.h"
#include "dproc/startup/startup_settings.h"
#include "dproc/startup/watermark_defaults.h"
#include "fuzz/fuzz_input.h"

namespace {

bool AsciiToWide(const char* text, char16_t* out, size_t capacity) {
  if (capacity == 0) return false;
  size_t i = 0;
  for (; i + 1 < capacity && text[i] != '\0'; ++i) out[i] = static_cast<uint8_t>(text[i]);
  out[i] = 0;
  return true;
}

// Every descriptor the file gave, used as the dialogs use it.
void UseEditItems() {
  const EditItemRow* rows = EditItemRows();
  for (size_t i = 0; i < kEditItemRowCount; ++i) {
    const EditItemDesc* desc = rows[i].desc;
    if (desc == nullptr) continue;
    char16_t caption[kMessageRowUnits];
    char16_t text[512];
    BuildEditRangeLabel(desc, kEditUnitTenthMm, kEditUnitMm, text, 512);
    BuildEditRangeMessage(desc, kEditUnitTenthMm, kEditUnitThousandthInch, caption, text, 512);
    BuildEditLengthMessage(desc, 1, 32, caption, text, 512);
    IsInEditRange(u"123.4", kEditUnitTenthMm, kEditUnitMm, desc);
    EditLimitFor(desc, 64);
    EditChar chars[6] = {{u'a', {'a'}, 1}, {u'1', {'1'}, 1},       {u' ', {' '}, 1},
                         {u'-', {'-'}, 1}, {0x3042, {0x82, 0xA0}, 2}, {u'@', {'@'}, 1}};
    size_t count = 6;
    ApplyCharRules(desc, chars, &count);
    EditCharsPassKeywordCheck(desc, chars, count, 64);
    FindEditItem(rows[i].controlId);
    FindEditItemByKeyword(rows[i].keyword);
  }
}

const XLFontEntry kFonts[] = {{1, "Courier"}, {2, "CG Times"}, {3, "Univers"}, {4, "Letter Gothic"}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool once = [] {
    AllocProcessMessageTables();
    return true;
  }();
  (void)once;
  QxdContext* ctx = QxdOpenImage(data, size);
  if (ctx == nullptr) return 0;
  ResetInputTrayTable();
  ModelInfo* model = BuildModelInfo(ctx, kFuzzBuildEnv);
  if (model == nullptr) {
    QxdClose(ctx);
    return 0;
  }
  ReadVersionInfo(ctx);
  LoadEditItemTable(ctx);
  UseEditItems();
  DocDMode* doc = new DocDMode;
  InitBuiltInDocDMode(doc);
  DevOption device;
  InitBuiltInDevOption(&device);
  const XLFontList fonts = {kFonts, 4};
  LoadDefaultSettings(ctx, model, "A4", &fonts, doc);
  LoadPaperMediaRecords(ctx, "A4", &device);
  AdjustBindingEdgeFeatures(model, doc, nullptr);
  FillFinishPositionDefaults(model);
  DispStringItem* common = CommonItemTable();
  LoadDispStringTable(ctx, "Property_0", common);
  LoadOptionTextSections(ctx, model);
  LoadEditRangeLimits(ctx);
  LoadOverlayNoneText(ctx);
  LoadWatermarkFonts(ctx);
  LoadDefaultWatermarks(ctx, model->colorDevice != 0);
  LoadColorSettingList(ctx);
  LoadColorProfileLists(ctx);
  DeviceOptionItem* options = LoadDeviceOptionList(ctx, model, &device);
  LoadFaxCoverStyles(ctx);
  LoadMessageTables(ctx, &ProcessMessageTables());
  LoadStartupSettings(ctx, AsciiToWide);
  for (int kind : {1, 2, 4}) LoadColorDestinationList(ctx, kind);
  LoadSheetTabTipTexts(ctx);
  LoadSprinstErrorMessages(ctx);
  ReadUIEncryptionInfo(ctx);
  MediaTypeLists* media = LoadMediaTypeLists(ctx, model);
  LoadMessageStrTable(ctx);
  char16_t text[64];
  FindDisplayText(ctx, "Property_0", "", text, 64);

  ApplyLocalePaperDefaults(model, doc, 9, false);
  ApplyLocalePaperDefaults(model, doc, 1, true);
  SetDefaultDialogFace(model->languageId);
  FillDefaultIndexPaper(model, 81);
  CalcFitZoom(model, doc);

  FreeMediaTypeLists(media);
  FreeDeviceOptionList(options);
  FreeMessageStrTable();
  FreeSprinstErrorMessages();
  FreeEditItemTable();
  SetUiEncryptionInfo(kDefaultUiEncryption);
  delete doc;
  FreeModelInfoRecord(model);
  ResetInputTrayTable();
  QxdClose(ctx);
  return 0;
}
