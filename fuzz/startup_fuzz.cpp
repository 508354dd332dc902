// The procedure library's start-up reading of a main description file, as
// start-up reads it (with a font library's list): the model record, every
// section of the reading, each edit item descriptor used as the dialogs use
// it, and what start-up does with the defaults afterwards.
#include <cstdint>
#include <memory>

#include "common/cipher/ui_encryption_info.h"
#include "common/qxd/auth_messages.h"
#include "common/qxd/model_info.h"
#include "common/qxd/paper_tables.h"
#include "common/records/builtin_dev_option.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/feature_table.h"
#include "dproc/model/message_text.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/startup/description_sections.h"
#include "dproc/startup/model_startup_defaults.h"
#include "dproc/startup/process_texts.h"
#include "dproc/startup/sprinst_messages.h"
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
const XLFontList kFontList = {kFonts, 4};

// The default settings with a font library's list, as start-up reads them
// when the library is there.
void LoadDefaultsWithFonts(void*, QxdContext* ctx, const ModelInfo* model, const char* localePaper,
                           DocDMode* record) {
  LoadDefaultSettings(ctx, model, localePaper, &kFontList, record);
}

const DescriptionReadEnv kEnv = {LoadDefaultsWithFonts, nullptr, AsciiToWide};

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
  auto doc = std::make_unique<DocDMode>();
  DevOption device;
  DescriptionReadTargets targets = {doc.get(), &device, &ProcessMessageTables(), nullptr, nullptr};
  ReadDescriptionSections(ctx, model, "A4", kEnv, &targets);
  UseEditItems();
  char16_t text[64];
  FindDisplayText(ctx, "Property_0", "", text, 64);

  // What start-up does after the reading.
  ApplyLocalePaperDefaults(model, doc.get(), 9, false);
  ApplyLocalePaperDefaults(model, doc.get(), 1, true);
  SetDefaultDialogFace(model->languageId);
  FillDefaultIndexPaper(model, 81);
  CalcFitZoom(model, doc.get());

  FreeMediaTypeLists(targets.mediaTypeLists);
  FreeDeviceOptionList(targets.deviceOptions);
  FreeMessageStrTable();
  RestoreFilteredOptionTables();
  FreeSprinstErrorMessages();
  FreeEditItemTable();
  SetUiEncryptionInfo(kDefaultUiEncryption);
  FreeModelInfoRecord(model);
  ResetInputTrayTable();
  QxdClose(ctx);
  return 0;
}
