#include "dproc/easyset/easy_set_common_items_win.h"

#include <windows.h>
#include <winddiui.h>

#include "common/qxd/model_info.h"
#include "common/qxd/model_rows.h"
#include "common/records/doc_fields.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/basic/basic_sheet_parts_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/layout/layout_rules.h"
#include "dproc/layout/nup_items_win.h"
#include "dproc/model/orientation_rules.h"

namespace {

constexpr uint16_t kPortraitOption = 64753;
constexpr uint16_t kLandscapeOption = 64754;

bool ModelFlag(const ModelInfo* model, ModelFeature feature) {
  return model != nullptr && model->features[feature] != 0;
}

// The display text of the row of a model list whose value is `value`; null
// when no row has it.  At most 64 rows are read.
const wchar_t* ModelRowText(const void* rows, uint32_t value) {
  const auto* row = static_cast<const OptionHead*>(rows);
  for (int n = 0; row != nullptr && row->keyword[0] != '\0' && row->size >= sizeof(OptionItem) && n < 64; ++n) {
    if (row->value == value) return reinterpret_cast<const wchar_t*>(basic::RowText(row));
    row = NextOptionRow(row);
  }
  return nullptr;
}

}  // namespace

void PushEasySetToCommonItems(SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const DocFields& f = Fields(*doc);
  const ModelInfo* model = ProcessModelInfo();
  DEVMODEW* pub = GetCtxPublicDevMode(ctx);

  if (f.nPaperSize == basic::kCustomPaper) {
    SelectLastFormItem(ctx);
  } else if (const OptionHead* row = basic::SessionPaperRow(ctx, false, static_cast<uint16_t>(f.nPaperSize))) {
    SelectCpsuiItemOption(ctx, DMPUB_FORMNAME, reinterpret_cast<const wchar_t*>(basic::RowText(row)));
  }
  SelectCpsuiItemOption(ctx, DMPUB_ORIENTATION,
                        MAKEINTRESOURCEW(f.nOrientation == 1 ? kPortraitOption : kLandscapeOption));
  if (model != nullptr) {
    if (const wchar_t* text = ModelRowText(model->mediaTypes, static_cast<uint16_t>(f.nMediaType))) {
      SelectCpsuiItemOption(ctx, DMPUB_MEDIATYPE, text);
    }
    if (const wchar_t* text = ModelRowText(model->inTrays, static_cast<uint16_t>(f.nDefaultSource))) {
      SelectCpsuiItemOption(ctx, DMPUB_DEFSOURCE, text);
    }
  }
  if (pub != nullptr) {
    pub->dmMediaType = static_cast<uint16_t>(f.nMediaType);
    pub->dmDefaultSource = f.nDefaultSource;
  }
  SetCpsuiItemSel(ctx, DMPUB_COPIES_COLLATE, f.nCopies);
  SetCollateCheck(ctx, f.bCollate != 0 ? TRUE : FALSE);
  SyncCpsuiNupItem(ctx, doc);

  // The duplex item and the standard field take the same choice, so that the
  // core's page and the DEVMODE say what the settings say.
  const DuplexChoice choice = ChooseDuplexText(f.nDuplex, ModelFlag(model, kMfBookletPrint),
                                               ModelFlag(model, kMfAdhesiveBind), f.bMusenToji,
                                               IsPaperRotated(model, doc) != 0);
  wchar_t text[33] = {};
  if (HMODULE images = DialogFrameworkModules().images) LoadStringW(images, choice.stringId, text, 33);
  if (text[0] != 0) SelectCpsuiItemOption(ctx, DMPUB_DUPLEX, text);
  if (pub != nullptr && (pub->dmFields & DM_DUPLEX) != 0) pub->dmDuplex = choice.dmDuplex;

  SetCpsuiItemSel(ctx, DMPUB_ICMMETHOD, 0);
  SetCpsuiItemSel(ctx, DMPUB_ICMINTENT, static_cast<LONG>(f.ColorICM_nIntent) - 1);
  SetCpsuiItemSel(ctx, DMPUB_TTOPTION, f.nTTFont != 0 ? 1 : 0);
  SetCpsuiItemSel(ctx, DMPUB_PRINTQUALITY, f.byResolution);
}
