#include "dproc/sheets/dialog_skeleton_win.h"

#include <commctrl.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/qxd/model_info.h"
#include "common/win/driver_help.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/constraints/drop_list_filter_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/clip_test_report.h"
#include "dproc/dialogs/clip_test_win.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/dialog_template.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/dialogs/length_spin_edit_win.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/preview/preview_area_win.h"
#include "dproc/preview/preview_overrides.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/ddproc_binding_win.h"
#include "dproc/startup/description_loader_win.h"

namespace {

constexpr wchar_t kTooltipProp[] = L"VeldranConstraintTip";
constexpr wchar_t kBackupProp[] = L"VeldranSettingsBackup";
constexpr int kStatusStripControl = 1123;
constexpr int kPreviewControl = 1235;
constexpr size_t kMaxBoundBytes = 64;

uint8_t* FieldOf(SheetCtx* ctx, const DialogBinding& b) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const size_t at = b.where != nullptr ? b.where(ctx) : b.at;
  if (doc == nullptr || b.bytes == 0 || b.bytes > kMaxBoundBytes || at + b.bytes > sizeof(DocDMode)) return nullptr;
  return reinterpret_cast<uint8_t*>(doc) + at;
}

int32_t ReadNumber(const uint8_t* field, uint8_t bytes) {
  switch (bytes) {
    case 1: return field[0];
    case 2: { int16_t v; std::memcpy(&v, field, 2); return v; }
    case 4: { int32_t v; std::memcpy(&v, field, 4); return v; }
    default: return 0;
  }
}

void WriteNumber(uint8_t* field, uint8_t bytes, int32_t value) {
  switch (bytes) {
    case 1: field[0] = static_cast<uint8_t>(value); break;
    case 2: { const int16_t v = static_cast<int16_t>(value); std::memcpy(field, &v, 2); break; }
    case 4: std::memcpy(field, &value, 4); break;
    default: break;
  }
}

// The list row's value of the selected item; false without a selection.
bool SelectedRowValue(HWND dialog, int comboId, int32_t* value) {
  HWND combo = GetDlgItem(dialog, comboId);
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return false;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  if (data == CB_ERR || data == 0) return false;
  *value = static_cast<int32_t>(reinterpret_cast<const OptionHead*>(data)->value);
  return true;
}

void SelectRowValue(HWND dialog, int comboId, int32_t value) {
  HWND combo = GetDlgItem(dialog, comboId);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    if (data != CB_ERR && data != 0 &&
        static_cast<int32_t>(reinterpret_cast<const OptionHead*>(data)->value) == value) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
}

bool ReadBinding(HWND dialog, SheetCtx* ctx, const DialogBinding& b) {
  uint8_t* field = FieldOf(ctx, b);
  if (field == nullptr && b.kind != BindKind::kCustom) return false;
  switch (b.kind) {
    case BindKind::kCheckBox:
      WriteNumber(field, b.bytes, IsDlgButtonChecked(dialog, b.controlId) == BST_CHECKED ? 1 : 0);
      return true;
    case BindKind::kRadio:
      if (IsDlgButtonChecked(dialog, b.controlId) != BST_CHECKED) return false;
      WriteNumber(field, b.bytes, b.value);
      return true;
    case BindKind::kDropList: {
      int32_t value = 0;
      if (!SelectedRowValue(dialog, b.controlId, &value)) return false;
      WriteNumber(field, b.bytes, value);
      return true;
    }
    case BindKind::kCustom:
      return b.read != nullptr && b.read(dialog, ctx);
    default:
      return false;
  }
}

void ShowBinding(HWND dialog, SheetCtx* ctx, const DialogBinding& b) {
  const uint8_t* field = FieldOf(ctx, b);
  switch (b.kind) {
    case BindKind::kCheckBox:
      if (field != nullptr) {
        CheckDlgButton(dialog, b.controlId, ReadNumber(field, b.bytes) != 0 ? BST_CHECKED : BST_UNCHECKED);
      }
      break;
    case BindKind::kRadio:
      if (field != nullptr) {
        CheckDlgButton(dialog, b.controlId, ReadNumber(field, b.bytes) == b.value ? BST_CHECKED : BST_UNCHECKED);
      }
      break;
    case BindKind::kDropList:
      if (field != nullptr) SelectRowValue(dialog, b.controlId, ReadNumber(field, b.bytes));
      break;
    case BindKind::kCustom:
      if (b.show != nullptr) b.show(dialog, ctx);
      break;
    default:
      break;
  }
}

// The radio buttons bound to the same field show together.
void ShowBindingGroup(HWND dialog, SheetCtx* ctx, const DialogBinding* bindings, const DialogBinding& changed) {
  if (changed.kind != BindKind::kRadio || bindings == nullptr) return ShowBinding(dialog, ctx, changed);
  for (const DialogBinding* b = bindings; b->controlId != 0; ++b) {
    if (b->kind == BindKind::kRadio && b->at == changed.at) ShowBinding(dialog, ctx, *b);
  }
}

// The fields a change touches, their old bytes and their preview slots.
class KeptFields {
 public:
  // False when a field lies outside the settings or they are too many.
  bool Keep(SheetCtx* ctx, const DialogBinding& b) {
    uint8_t* bound = FieldOf(ctx, b);
    if (bound == nullptr || !Add(bound, b.bytes, b.previewSlot)) return false;
    auto* doc = reinterpret_cast<uint8_t*>(GetPrivDevMode(ctx));
    for (const BoundField* f = b.alsoKeeps; f != nullptr && f->bytes != 0; ++f) {
      if (f->at + f->bytes > sizeof(DocDMode) || !Add(doc + f->at, f->bytes, f->previewSlot)) return false;
    }
    return true;
  }
  // The old bytes of the bound field.
  const uint8_t* BoundOld() const { return old_; }
  bool Differ() const {
    for (size_t i = 0, at = 0; i < count_; at += fields_[i].bytes, ++i) {
      if (std::memcmp(fields_[i].field, old_ + at, fields_[i].bytes) != 0) return true;
    }
    return false;
  }
  void PutBack() const {
    for (size_t i = 0, at = 0; i < count_; at += fields_[i].bytes, ++i) {
      std::memcpy(fields_[i].field, old_ + at, fields_[i].bytes);
    }
  }
  // While the pass may ask the user, the preview keeps the old values.
  void HoldPreview(LayoutPreviewOverrides* overrides) {
    for (size_t i = 0, at = 0; i < count_; at += fields_[i].bytes, ++i) {
      if (uint8_t* slot = PreviewSlotOf(overrides, fields_[i].slot)) {
        slot[0] = 1;
        slot[1] = old_[at];
        held_[heldCount_++] = slot;
      }
    }
  }
  void ReleasePreview() {
    for (size_t i = 0; i < heldCount_; ++i) held_[i][0] = held_[i][1] = 0;
    heldCount_ = 0;
  }

 private:
  struct Field {
    uint8_t* field;
    uint8_t bytes;
    uint8_t slot;
  };
  static constexpr size_t kMaxFields = 16;
  bool Add(uint8_t* field, uint8_t bytes, uint8_t slot) {
    if (count_ == kMaxFields || used_ + bytes > sizeof old_) return false;
    std::memcpy(old_ + used_, field, bytes);
    fields_[count_++] = {field, bytes, slot};
    used_ += bytes;
    return true;
  }
  Field fields_[kMaxFields] = {};
  size_t count_ = 0;
  uint8_t old_[2 * kMaxBoundBytes] = {};
  size_t used_ = 0;
  uint8_t* held_[kMaxFields] = {};
  size_t heldCount_ = 0;
};

bool PassTakesBack(const DialogBinding& b, int32_t answer) {
  return b.undoOnlyWhenDeclined ? answer == 100 : ConstraintRefused(answer);
}

bool CommitBindingIn(HWND dialog, SheetCtx* ctx, const DialogBinding* table, const DialogBinding& b,
                     uint32_t hintPageId, void (*enableRules)(HWND, SheetCtx*), bool sheet) {
  DocDMode* doc = GetPrivDevMode(ctx);
  KeptFields kept;
  if (doc == nullptr || !kept.Keep(ctx, b)) return false;
  if (!ReadBinding(dialog, ctx, b)) {
    kept.PutBack();
    return false;
  }
  kept.HoldPreview(LayoutOverridesOf(GetUIState(ctx)));
  bool stands = b.before == nullptr || b.before(dialog, ctx);
  if (stands) {
    const int32_t answer = RunSheetConstraints(dialog, DialogTooltipOf(dialog), b.controlId);
    stands = !PassTakesBack(b, answer);
    if (stands && b.confirm != nullptr) {
      DispPageHint(dialog, ctx, hintPageId);
      stands = b.confirm(dialog, ctx, answer);
    }
  }
  if (!stands) {
    kept.PutBack();
    ShowBindingGroup(dialog, ctx, table, b);
  }
  kept.ReleasePreview();
  DispPageHint(dialog, ctx, hintPageId);
  if (kept.Differ()) {
    if (b.changed != nullptr) b.changed(dialog, ctx);
    if (b.changedFrom != nullptr) b.changedFrom(dialog, ctx, kept.BoundOld());
    if (sheet) NoteSheetChange(dialog, doc);
  }
  if (b.after != nullptr) b.after(dialog, ctx);
  if (enableRules != nullptr) enableRules(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
  return stands;
}

int32_t ClipKindOf(const DialogItemFacts& item) {
  switch (item.classOrdinal) {
    case 0x80:
      switch (item.style & 0x0F) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON: return kClipPushButton;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE: return kClipCheckBox;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON: return kClipRadio;
        case BS_GROUPBOX: return kClipGroupBox;
        default: return 0;  // owner-drawn buttons show no text
      }
    case 0x82:
      switch (item.style & SS_TYPEMASK) {
        case SS_LEFT:
        case SS_CENTER:
        case SS_RIGHT:
        case SS_LEFTNOWORDWRAP:
        case SS_SIMPLE: return kClipStatic;
        default: return 0;  // pictures and frames
      }
    case 0x83: return kClipListItem;
    case 0x85: return kClipComboItem;
    default: return 0;
  }
}

struct OwnBackup {
  DocDMode settings;
};

}  // namespace

const DialogBinding* FindBinding(const DialogBinding* bindings, int controlId, int notify) {
  if (bindings == nullptr) return nullptr;
  for (const DialogBinding* b = bindings; b->controlId != 0; ++b) {
    if (b->controlId == controlId && b->notify == notify) return b;
  }
  return nullptr;
}

void ShowBindings(HWND dialog, SheetCtx* ctx, const DialogBinding* bindings) {
  if (bindings == nullptr) return;
  for (const DialogBinding* b = bindings; b->controlId != 0; ++b) ShowBinding(dialog, ctx, *b);
}

bool CommitBinding(HWND dialog, SheetCtx* ctx, const DialogBinding& binding, uint32_t hintPageId,
                   void (*enableRules)(HWND dialog, SheetCtx* ctx), bool sheet) {
  return CommitBindingIn(dialog, ctx, nullptr, binding, hintPageId, enableRules, sheet);
}

void InitDialogCommon(HWND dialog, SheetCtx* ctx, const char* textSection) {
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(ctx));
  ApplyCommonDispStrings(dialog, CommonItemTable());
  if (textSection != nullptr) {
    if (const DispStringItem* table = DialogTextTable(textSection)) ApplyDispStrings(dialog, table);
  }
  HWND tooltip = CreateDialogToolWindows(dialog);
  SetPropW(dialog, kTooltipProp, tooltip);
  StoreStopIconRect(dialog, StopIconTable());
}

HWND DialogTooltipOf(HWND dialog) { return static_cast<HWND>(GetPropW(dialog, kTooltipProp)); }

void ForgetDialogTooltip(HWND dialog) { RemovePropW(dialog, kTooltipProp); }

bool DrawCommonItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item, int previewPageId) {
  const int id = static_cast<int>(item->CtlID);
  if (id == kHintBulbControl) {
    DrawHintBulbItem(dialog, item);
    return true;
  }
  if (IsStopIconId(item->CtlID)) {
    DrawStopInfoIcon(dialog, item->CtlID, item, StopIconTable());
    return true;
  }
  if (ctx == nullptr) return false;
  if (id == kStatusStripControl) {
    DrawDevFuncIcons(item->hDC, item->rcItem, dialog, DialogTooltipOf(dialog), ctx, ProcessModelInfo(),
                     g_description.deviceOptions, DialogFrameworkModules().images);
    return true;
  }
  if (id == kPreviewControl && previewPageId != 0) {
    DrawPreviewItem(dialog, ctx, item, previewPageId);
    return true;
  }
  return false;
}

void DrawPreviewItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item, int pageId) {
  if (ctx == nullptr || item == nullptr) return;
  const PreviewModules modules = {
      DialogFrameworkModules().images,
      reinterpret_cast<DrawPrinterViewProc>(reinterpret_cast<void (*)()>(g_ddproc.entry[kDrawPrinterView]))};
  DrawSheetPreview(pageId, dialog, item->hDC, item->rcItem, ctx, ProcessModelInfo(), g_description.deviceOptions,
                   modules);
}

bool RunTemplateClipTest(HWND dialog, const SheetCtx* ctx, uint16_t templateId, const wchar_t* title) {
  return RunTemplateClipTestWith(dialog, ctx, templateId, title, nullptr);
}

bool RunTemplateClipTestWith(HWND dialog, const SheetCtx* ctx, uint16_t templateId, const wchar_t* title,
                             const ClipListMargin* margins) {
  if (title == nullptr || IsClipTestMode(dialog, GetCtxPrinterHandle(ctx)) == 0) return false;
  std::vector<DialogItemFacts> facts;
  HMODULE module = DialogFrameworkModules().templates;
  HRSRC found = module != nullptr ? FindResourceW(module, MAKEINTRESOURCEW(templateId), RT_DIALOG) : nullptr;
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes != nullptr) {
    ReadDialogItems(static_cast<const uint8_t*>(bytes), SizeofResource(module, found), &facts);
  }
  std::vector<std::wstring> names;
  names.reserve(facts.size());
  std::vector<ClipTestItem> items;
  const int32_t listMargin = ComboClipMargin();
  for (const DialogItemFacts& f : facts) {
    const int32_t kind = ClipKindOf(f);
    if (kind == 0 || f.id == 0 || f.id == 0xFFFF || GetDlgItem(dialog, static_cast<int>(f.id)) == nullptr) continue;
    const bool list = kind == kClipComboItem || kind == kClipListItem;
    int32_t margin = listMargin;
    for (const ClipListMargin* m = margins; m != nullptr && m->controlId != 0; ++m) {
      if (m->controlId == f.id && m->margin != nullptr) margin = m->margin();
    }
    names.push_back(list ? (kind == kClipComboItem ? L"Combo " : L"List ") + std::to_wstring(f.id) : L"");
    items.push_back({static_cast<int>(f.id), kind, list ? names.back().c_str() : nullptr, list ? margin : 0});
  }
  items.push_back({0, 0, nullptr, 0});
  return RunClipTest(dialog, GetCtxPrinterHandle(ctx), title, items.data());
}

const DocDMode* DialogBackupOf(HWND dialog) {
  const auto* backup = static_cast<const OwnBackup*>(GetPropW(dialog, kBackupProp));
  return backup != nullptr ? &backup->settings : nullptr;
}

namespace {

// Only a dialog that edits the document settings kept a backup; the context
// of any other dialog is no sheet context and is never read as one.
void RestoreBackup(HWND dialog, SheetCtx* ctx) {
  const DocDMode* backup = DialogBackupOf(dialog);
  if (backup == nullptr) return;
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc != nullptr) *doc = *backup;
}

void DropBackup(HWND dialog) {
  delete static_cast<OwnBackup*>(RemovePropW(dialog, kBackupProp));
}

uint32_t HintPageOf(const DocumentDialog& d) { return d.hintPageId != 0 ? d.hintPageId : d.templateId; }

void StartDialog(const DocumentDialog& d, HWND dialog, SheetCtx* ctx) {
  InitDialogCommon(dialog, ctx, d.textSection);
  if (const DocDMode* doc = d.editsDocument ? GetPrivDevMode(ctx) : nullptr) {
    auto backup = std::make_unique<OwnBackup>();
    backup->settings = *doc;
    SetPropW(dialog, kBackupProp, backup.release());
  }
  if (d.init != nullptr) d.init(dialog, ctx);
  ShowBindings(dialog, ctx, d.bindings);
  if (d.checksConstraints) {
    RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
    DispPageHint(dialog, ctx, HintPageOf(d));
  }
  if (d.started != nullptr) d.started(dialog, ctx);
  if (d.enableRules != nullptr) d.enableRules(dialog, ctx);
}

void Command(const DocumentDialog& d, HWND dialog, SheetCtx* ctx, int id, int code) {
  if (const DialogBinding* b = FindBinding(d.bindings, id, code)) {
    CommitBindingIn(dialog, ctx, d.bindings, *b, HintPageOf(d), d.enableRules, false);
    return;
  }
  if (d.command != nullptr && d.command(dialog, ctx, id, code)) return;
  switch (id) {
    case IDOK:
      if (d.ok == nullptr || d.ok(dialog, ctx)) EndDialog(dialog, IDOK);
      break;
    case IDCANCEL:
      RestoreBackup(dialog, ctx);
      if (d.cancel != nullptr) d.cancel(dialog, ctx);
      EndDialog(dialog, IDCANCEL);
      break;
    case kDefaultButtonId:
      if (d.defaults == nullptr) break;
      SetFocusCtrl(dialog, kDefaultButtonId);
      d.defaults(dialog, ctx);
      ShowBindings(dialog, ctx, d.bindings);
      if (!d.quietDefaults && d.checksConstraints) {
        RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
        DispPageHint(dialog, ctx, HintPageOf(d));
      }
      if (d.enableRules != nullptr) d.enableRules(dialog, ctx);
      InvalidateRect(dialog, nullptr, FALSE);
      break;
    case kHelpButtonId:
      if (!RunTemplateClipTest(dialog, ctx, d.templateId, d.clipTitle) && d.helpTopic != 0) {
        ShowDriverHelp(dialog, HELP_CONTEXT, d.helpTopic);
      }
      break;
    default:
      break;
  }
}

}  // namespace

INT_PTR RunDocumentDialog(const DocumentDialog& d, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) SetDialogPageId(dialog, d.templateId);
  INT_PTR hooked = 0;
  if (d.offersToDeviceLibrary && OfferToDeviceLibrary(d.templateId, dialog, message, wParam, lParam, &hooked)) {
    return hooked;
  }
  ComboDropListFilter(dialog, message, wParam, lParam);
  SheetCtx* ctx = message == WM_INITDIALOG ? reinterpret_cast<SheetCtx*>(lParam) : SheetCtxOf(dialog);
  switch (message) {
    case WM_INITDIALOG:
      // Without settings to edit there is nothing to show.
      if (ctx == nullptr || (d.editsDocument && GetPrivDevMode(ctx) == nullptr)) {
        EndDialog(dialog, IDCANCEL);
        return FALSE;
      }
      StartDialog(d, dialog, ctx);
      return d.defaultFocus ? TRUE : FALSE;
    case WM_COMMAND:
      if (ctx == nullptr || (d.editsDocument && GetPrivDevMode(ctx) == nullptr)) return FALSE;
      Command(d, dialog, ctx, LOWORD(wParam), HIWORD(wParam));
      return FALSE;
    case WM_NOTIFY: {
      const NMHDR* note = reinterpret_cast<const NMHDR*>(lParam);
      if (note == nullptr || ctx == nullptr) return FALSE;
      LRESULT result = 0;
      if (d.notify != nullptr && d.notify(dialog, ctx, note, &result)) {
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, result);
        return TRUE;
      }
      if (note->code == UDN_DELTAPOS && d.lengthSpins != 0) {
        OnLengthSpinDelta(dialog, ctx, d.lengthSpins == 1 ? LengthScale::kMargin : LengthScale::kShift,
                          reinterpret_cast<const NMUPDOWN*>(lParam));
        // The spin applies its new position itself: the arrows keep stepping.
        SetWindowLongPtrW(dialog, DWLP_MSGRESULT, 0);
        return TRUE;
      }
      return FALSE;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item == nullptr) return FALSE;
      if (d.drawItem != nullptr && ctx != nullptr && d.drawItem(dialog, ctx, item)) return TRUE;
      // A context that is no sheet context is never read as one.
      return DrawCommonItem(dialog, d.editsDocument ? ctx : nullptr, item, 0) ? TRUE : FALSE;
    }
    case WM_MEASUREITEM:
      return MeasureComboItem(d.comboHeights, reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
    case WM_HELP:
    case WM_CONTEXTMENU:
      if (d.helpIds == nullptr) return FALSE;
      return HandleDialogHelpMessage(message, wParam, lParam, d.helpIds) ? TRUE : FALSE;
    case WM_DESTROY:
      if (d.destroy != nullptr) d.destroy(dialog);
      ForgetDialogTooltip(dialog);
      DropBackup(dialog);
      ForgetDialogPageId(dialog);
      return FALSE;
    default: {
      INT_PTR result = FALSE;
      if (d.other != nullptr && ctx != nullptr && d.other(dialog, ctx, message, wParam, lParam, &result)) return result;
      return FALSE;
    }
  }
}
