#include "dproc/basic/auto_tray_dialog_win.h"

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <memory>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "dproc/basic/media_attribute_fields.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/constraints/drop_list_filter_win.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "common/media/media_columns.h"
#include "dproc/dialogs/media_list_view_win.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/owner_draw_win.h"

namespace {

constexpr uint16_t kTemplate = 164;
constexpr int kDefaultButton = 1032;

// One media attribute of the automatic tray: its label and list, the
// media-list column that admits it, the model's list and its field.
struct Attribute {
  int label, combo;
  const char* column;
  ModelListItem* ModelInfo::*list;
  size_t fieldAt;  // in DocDMode
  size_t bytes;    // 2, or 1 for punching
};
constexpr size_t kAutoAt = offsetof(DocFields, PTInfoAuto) + 64;
const Attribute kAttributes[] = {
    {1005, 1003, "MediaTypeList_Type", &ModelInfo::mediaTypes, kAutoAt + offsetof(TrayMediaEntry, nPaperType2), 2},
    {1084, 1086, "MediaTypeList_Weight", &ModelInfo::mediaWeights, kAutoAt + offsetof(TrayMediaEntry, nPaperWeight), 2},
    {1089, 1091, "MediaTypeList_Color", &ModelInfo::mediaColors, kAutoAt + offsetof(TrayMediaEntry, nPaperColor), 2},
    {1097, 1094, "MediaTypeList_Hole", &ModelInfo::prePunchedMedia,
     kAutoAt + offsetof(TrayMediaEntry, nPaperPrePunched), 1},
};
static_assert(kAutoAt + offsetof(TrayMediaEntry, nPaperType2) == 160);
static_assert(kAutoAt + offsetof(TrayMediaEntry, nPaperPrePunched) == 166);

const DWORD kHelpIds[] = {1845, 1600, 1844, 1600, 1005, 1610, 1003, 1610, 1084, 1620, 1086, 1620, 1089, 1630,
                          1091, 1630, 1097, 1640, 1094, 1640, 1069, DWORD(-1), 1032, 9510, 0, 0};

int g_columns = 0;  // of the media-type list view

const Attribute* AttributeOf(int combo) {
  for (const Attribute& a : kAttributes) {
    if (a.combo == combo) return &a;
  }
  return nullptr;
}

int32_t FieldValue(const DocDMode* doc, const Attribute& a) { return ReadMediaField(doc, a.fieldAt, a.bytes); }

void SetField(DocDMode* doc, const Attribute& a, uint32_t value) { WriteMediaField(doc, a.fieldAt, a.bytes, value); }

void SelectValue(HWND dialog, const Attribute& a, int32_t value) {
  HWND combo = GetDlgItem(dialog, a.combo);
  const int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    auto* row = reinterpret_cast<const OptionHead*>(SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0));
    if (row != nullptr && SameMediaValue(a.bytes, row->value, value)) {
      SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

const OptionHead* SelectedRow(HWND dialog, int comboId) {
  HWND combo = GetDlgItem(dialog, comboId);
  const LRESULT at = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (at == CB_ERR) return nullptr;
  const LRESULT data = SendMessageW(combo, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  return data == CB_ERR || data == 0 ? nullptr : reinterpret_cast<const OptionHead*>(data);
}

void Fill(HWND dialog, const ModelInfo* model, const Attribute& a) {
  HWND combo = GetDlgItem(dialog, a.combo);
  SendMessageW(combo, CB_RESETCONTENT, 0, 0);
  const auto* rows = model != nullptr ? reinterpret_cast<const OptionHead*>(model->*(a.list)) : nullptr;
  for (const OptionHead* row = rows; row != nullptr && row->size != 0 && row->keyword[0] != '\0';
       row = NextOptionRow(row)) {
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
  }
}

// The constraint pass judges the automatic tray's media while the dialog
// is open.
void Init(HWND dialog, SheetCtx* ctx) {
  SetMediaBindingMode(kMediaBindingAutoTray);
  DocDMode* doc = GetPrivDevMode(ctx);
  const ModelInfo* model = ProcessModelInfo();
  for (const Attribute& a : kAttributes) {
    Fill(dialog, model, a);
    SelectValue(dialog, a, FieldValue(doc, a));
  }
  InitMediaTypeListView(dialog, MediaSwitchesOf(model));
  g_columns = FillMediaTypeListView(dialog, ctx, kMediaListViewControl);
  for (const Attribute& a : kAttributes) {
    const BOOL shown = IsMediaTypeColumnShown(a.column) ? TRUE : FALSE;
    ShowEnableCtrl(dialog, a.label, shown);
    ShowEnableCtrl(dialog, a.combo, shown);
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1845, 1005, 1003, 1084, 1086, 1089, 1091, 1097, 1094, kDefaultButton}) {
      EnableWindow(GetDlgItem(dialog, id), FALSE);
    }
  }
}

// The attribute lists are bindings; the media type goes back with the
// type list's refused choice.
template <size_t N>
bool ReadAttribute(HWND dialog, SheetCtx* ctx) {
  const OptionHead* row = SelectedRow(dialog, kAttributes[N].combo);
  if (row == nullptr) return false;
  SetField(GetPrivDevMode(ctx), kAttributes[N], row->value);
  return true;
}
template <size_t N>
void ShowAttribute(HWND dialog, SheetCtx* ctx) {
  SelectValue(dialog, kAttributes[N], FieldValue(GetPrivDevMode(ctx), kAttributes[N]));
}
template <size_t N>
constexpr DialogBinding AttributeBinding(const BoundField* alsoKeeps = nullptr) {
  return {.controlId = static_cast<uint16_t>(kAttributes[N].combo), .notify = CBN_SELENDOK, .kind = BindKind::kCustom,
          .at = static_cast<uint32_t>(kAttributes[N].fieldAt), .bytes = static_cast<uint8_t>(kAttributes[N].bytes),
          .read = ReadAttribute<N>, .show = ShowAttribute<N>, .alsoKeeps = alsoKeeps};
}
const BoundField kMediaTypeKept[] = {DOC_BOUND_FIELD(nMediaType), {}};
const DialogBinding kBindings[] = {AttributeBinding<0>(kMediaTypeKept), AttributeBinding<1>(), AttributeBinding<2>(),
                                   AttributeBinding<3>(), {}};

// The default settings' values.
void Defaults(HWND dialog, SheetCtx* ctx) {
  auto defaults = std::make_unique<DocDMode>();
  if (!CopyDefaultOEMDevMode(ctx, defaults.get())) return;
  DocDMode* doc = GetPrivDevMode(ctx);
  for (const Attribute& a : kAttributes) {
    const int32_t value = FieldValue(defaults.get(), a);
    if (value == FieldValue(doc, a)) continue;
    SetField(doc, a, static_cast<uint32_t>(value));
    SelectValue(dialog, a, value);
  }
}

void DrawComboItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  if (item->itemID == static_cast<UINT>(-1)) {
    DrawItemFocus(item);
    return;
  }
  if ((item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    const auto* row = reinterpret_cast<const OptionHead*>(item->itemData);
    DrawItemBackground(item);
    if (row != nullptr) {
      const int icon = row->flag != 0 ? static_cast<int>(row->iconId & 0xFFFF) : 0;
      DrawIconText(item, icon, reinterpret_cast<const wchar_t*>(reinterpret_cast<const uint8_t*>(row) + 48));
    }
  }
  if ((item->itemAction & ODA_FOCUS) != 0 ||
      ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == GetDlgItem(dialog, static_cast<int>(item->CtlID)))) {
    DrawItemFocus(item);
  }
}

bool DrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (AttributeOf(static_cast<int>(item->CtlID)) != nullptr) {
    DrawComboItem(dialog, item);
    return true;
  }
  if (item->CtlID == static_cast<UINT>(kMediaListViewControl)) {
    DrawMediaTypeListItem(dialog, item, g_columns, kMediaListViewControl);
    return true;
  }
  return false;
}

void Destroy(HWND) { SetMediaBindingMode(kMediaBindingNone); }

const SheetComboHeight kComboHeights[] = {{1003, 16}, {1086, 16}, {1091, 16}, {1094, 16}, {0, 0}};

const DocumentDialog kDialog = {
    .templateId = kTemplate,
    .textSection = "Dlg_MediaTypeAuto",
    .helpIds = kHelpIds,
    .helpTopic = 1560,
    .clipTitle = L"Paper Settings Auto Tray Dialog",
    .bindings = kBindings,
    .quietDefaults = true,
    .comboHeights = kComboHeights,
    .init = Init,
    .defaults = Defaults,
    .drawItem = DrawItem,
    .destroy = Destroy,
};

}  // namespace

INT_PTR CALLBACK AutoTrayPaperDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
