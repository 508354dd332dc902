#include "dproc/quality/color_detail_pages_win.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstring>
#include <initializer_list>
#include <utility>

#include "common/qxd/model_info.h"
#include "common/records/color_profile_entries.h"
#include "common/records/color_profile_record.h"
#include "common/records/doc_fields.h"
#include "dproc/constraints/constraint_rules.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/hint_area_win.h"
#include "dproc/model/feature_table.h"
#include "dproc/quality/color_sample_win.h"
#include "dproc/quality/slider_rows_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/startup/dl_manager_win.h"

ColorPagesUiState* ColorPagesStateOf(const SheetCtx* ctx) {
  SheetUiState* state = ctx != nullptr ? GetUIState(ctx) : nullptr;
  return state != nullptr ? reinterpret_cast<ColorPagesUiState*>(state->bytes + kUiStateColorPagesAt) : nullptr;
}

namespace {

// The host sheet's controls.
enum : int {
  kObjectList = 1739,
  kAllObjectsRadio = 1740,
  kEachObjectRadio = 1741,
  kProfileManagerLabel = 1528,
  kProfileManagerButton = 1393,
  kDetailsFrame = 1877,
  kNoDetailsText = 1890,
};
constexpr int kDefault = kDefaultButtonId;
constexpr int32_t kLow = -9, kHigh = 9;
constexpr uint32_t kItemHeight = 16;

// One colour adjustment set: type, brightness, contrast, chroma, cyan,
// magenta, yellow, black, grey compensation, screen, smoothing.
enum SetField : uint32_t {
  kType, kBrightness, kContrast, kChroma, kCyan, kMagenta, kYellow, kBlack, kPureBlack, kScreen, kSmoothing,
};
constexpr uint32_t kAllSet = DOC_FIELD_AT(ColorAdjustMFP_MatchAll_nType);
constexpr uint32_t kTextSet = DOC_FIELD_AT(ColorAdjustMFP_EachText_Match_nType);
constexpr uint32_t kPhotoSet = DOC_FIELD_AT(ColorAdjustMFP_EachPhoto_Match_nType);
static_assert(kTextSet == kAllSet + 11 && kPhotoSet == kTextSet + 11);
static_assert(DOC_FIELD_AT(ColorAdjustMFP_OthersAll_nSmoothing) == kAllSet + kSmoothing);
static_assert(DOC_FIELD_AT(ColorAdjustMFP_EachPhoto_Others_nSmoothing) == kPhotoSet + kSmoothing);
constexpr uint32_t kNoSet = 0;

const DocFields& Fields(const DocDMode* doc) { return *reinterpret_cast<const DocFields*>(DocBytes(doc) + kDocDModeSettingsAt); }

bool EachObject(const DocDMode* doc) { return doc != nullptr && Fields(doc).ColorAdjustMFP_nMatchSettings == 1; }

// The set the pages 147 to 149 show: all objects, or text or photo of the
// each-object mode; none for any other object or mode.
uint32_t SetOf(uint8_t mode, uint32_t object) {
  if (mode == 0) return kAllSet;
  if (mode != 1) return kNoSet;
  return object == 0 ? kTextSet : object == 1 ? kPhotoSet : kNoSet;
}
uint32_t CurrentSet(const DocDMode* doc) {
  return doc != nullptr ? SetOf(Fields(doc).ColorAdjustMFP_nMatchSettings, Fields(doc).ColorAdjustMFP_nMatchType)
                        : kNoSet;
}

int8_t SetValue(const DocDMode* doc, uint32_t set, SetField f) { return static_cast<int8_t>(DocBytes(doc)[set + f]); }
void PutSetValue(DocDMode* doc, uint32_t set, SetField f, int32_t v) {
  DocBytes(doc)[set + f] = static_cast<uint8_t>(static_cast<int8_t>(v));
}

const ModelInfo* Model() { return ProcessModelInfo(); }
bool ProfilesSwitch() { return Model() != nullptr && Model()->features[kMfColorAdjustIccProf] != 0; }
bool CoreContext(const SheetCtx* ctx) { return IsSessionPage(ctx) != FALSE; }

HWND HostOf(const SheetCtx* ctx) {
  const ColorPagesUiState* s = ColorPagesStateOf(ctx);
  return s != nullptr ? s->sheet : nullptr;
}

// The object the host's list selects (-1 without a host or a selection).
int32_t HostObject(const SheetCtx* ctx) {
  HWND host = HostOf(ctx);
  if (host == nullptr) return -1;
  const LRESULT index = SendDlgItemMessageW(host, kObjectList, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return -1;
  const LRESULT data = SendDlgItemMessageW(host, kObjectList, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (data == LB_ERR || data == 0) return -1;
  return static_cast<int32_t>(reinterpret_cast<const OptionHead*>(data)->value);
}
// The set a Default button restores: by the host's list rather than the
// settings' object.
uint32_t DefaultSet(const DocDMode* doc, const SheetCtx* ctx) {
  if (doc == nullptr) return kNoSet;
  const uint8_t mode = Fields(doc).ColorAdjustMFP_nMatchSettings;
  if (mode != 1) return kAllSet;
  const int32_t object = HostObject(ctx);
  return object == 0 ? kTextSet : object == 1 ? kPhotoSet : kNoSet;
}

void ShowAll(HWND page, std::initializer_list<int> ids, bool on) {
  for (int id : ids) ShowWindow(GetDlgItem(page, id), on ? SW_SHOW : SW_HIDE);
}
void LockList(HWND page, const SheetCtx* ctx, const int* ids, size_t count) {
  if (CanChangeDocSettings(ctx)) return;
  for (size_t i = 0; i < count; ++i) EnableWindow(GetDlgItem(page, ids[i]), FALSE);
}
template <size_t N>
void LockList(HWND page, const SheetCtx* ctx, const int (&ids)[N]) {
  LockList(page, ctx, ids, N);
}

// A change that stood: the frame enables Apply (through the host sheet when
// there is one: the pages are children of its page) and the Easy Set area
// hears of it.
void NoteChange(HWND page, SheetCtx* ctx) {
  HWND host = HostOf(ctx);
  NoteSheetChange(host != nullptr ? host : page, GetPrivDevMode(ctx));
}
void NoteChangeOf(HWND page, SheetCtx* ctx) { NoteChange(page, ctx); }

void EnablePage(ColorPageIndex i, HWND page, SheetCtx* ctx, int mode);
// With a host the rules choose the page; a page that stands alone (a host
// that shows one page only) is shown as it is.
template <ColorPageIndex kPage>
void Enable(HWND page, SheetCtx* ctx) {
  if (HostOf(ctx) != nullptr) EnableQualityControls(page, ctx);
  else EnablePage(kPage, page, ctx, 5);
}

// Puts the page into its slot (page 148 is put there by its host).
void TakeSlot(HWND page, SheetCtx* ctx, ColorPageIndex i) {
  if (ColorPagesUiState* s = ColorPagesStateOf(ctx)) s->pages[i] = page;
}

void ForgetSlot(HWND page) {
  // The slot is cleared by the page's own context; the page may outlive
  // nothing else.
  if (SheetCtx* ctx = SheetCtxOf(page)) {
    if (ColorPagesUiState* s = ColorPagesStateOf(ctx)) {
      for (HWND& w : s->pages) {
        if (w == page) w = nullptr;
      }
    }
  }
}

INT_PTR Answer(HWND page, bool ok) {
  SetWindowLongPtrW(page, DWLP_MSGRESULT, ok ? 1 : 0);
  return ok ? 1 : 0;
}

// ---- Slider rows (pages 147 and 148).

struct AdjustRow {
  SliderRow slider;
  SetField field;
  int rangeMessage;
};

// Reads every row in order; the first without a number in range raises the
// range message and takes the focus.
bool CheckRows(HWND page, const AdjustRow* rows, size_t count, int32_t* values) {
  for (size_t i = 0; i < count; ++i) {
    if (!ReadSliderRow(page, rows[i].slider, kLow, kHigh, &values[i])) {
      ShowMessageBox(page, 1, 2, rows[i].rangeMessage, MB_ICONWARNING | MB_OK, kLow, kHigh);
      SetFocusCtrl(page, rows[i].slider.edit);
      return false;
    }
  }
  return true;
}

bool RowCommand(HWND page, SheetCtx* ctx, const AdjustRow* rows, size_t count, int id, int code) {
  if (code != EN_CHANGE) return false;
  for (size_t i = 0; i < count; ++i) {
    if (id != rows[i].slider.edit) continue;
    int32_t value = 0;
    DocDMode* doc = GetPrivDevMode(ctx);
    const uint32_t set = CurrentSet(doc);
    if (SliderEditChanged(page, rows[i].slider, kLow, kHigh, &value) && set != kNoSet) {
      PutSetValue(doc, set, rows[i].field, value);
    }
    return true;
  }
  return false;
}

void RowSliderMoved(HWND page, SheetCtx* ctx, const AdjustRow* rows, size_t count, HWND slider) {
  SliderRow sliders[4];
  for (size_t i = 0; i < count && i < 4; ++i) sliders[i] = rows[i].slider;
  const int moved = SliderRowMoved(page, sliders, static_cast<int>(count), slider);
  DocDMode* doc = GetPrivDevMode(ctx);
  const uint32_t set = CurrentSet(doc);
  if (moved < 0 || set == kNoSet) return;
  PutSetValue(doc, set, rows[moved].field,
              static_cast<int32_t>(SendMessageW(slider, TBM_GETPOS, 0, 0)));
}

void ShowRows(HWND page, const DocDMode* doc, const AdjustRow* rows, size_t count) {
  const uint32_t set = CurrentSet(doc);
  if (set == kNoSet) return;
  for (size_t i = 0; i < count; ++i) ShowSliderRow(page, rows[i].slider, SetValue(doc, set, rows[i].field));
}

// Copies the fields of the Default's set from the defaults; true when
// something changed.
bool CopyDefaults(DocDMode* doc, const SheetCtx* ctx, std::initializer_list<SetField> fields) {
  const uint32_t set = DefaultSet(doc, ctx);
  DocDMode defaults;
  if (set == kNoSet || !CopyDefaultOEMDevMode(ctx, &defaults)) return false;
  bool changed = false;
  for (SetField f : fields) {
    changed |= DocBytes(doc)[set + f] != DocBytes(&defaults)[set + f];
    DocBytes(doc)[set + f] = DocBytes(&defaults)[set + f];
  }
  return changed;
}

// What every Default button of pages 147 to 162 does around its own copy:
// the host shows the object choice again, and a change is noted.
void AfterDefaults(HWND page, SheetCtx* ctx, bool changed) {
  if (HWND host = HostOf(ctx)) {
    SetColorMatchObjectChecks(host, ctx);
    SelectColorMatchObject(host, ctx);
  }
  if (changed) NoteChange(page, ctx);
}

// ---- Page 147: colour matching with brightness, contrast and chroma.

const AdjustRow kMatchRows[3] = {
    {{1452, 1733, 1456, 1457, 1453, 1454}, kBrightness, 80},
    {{1458, 1734, 1462, 1463, 1459, 1460}, kContrast, 81},
    {{1470, 1472, 1474, 1476, 1478, 1479}, kChroma, 82},
};
constexpr int kMatchTypeList = 1744;
const int kMatchRowExtras[] = {1455, 1461, 1480, 2231, 2232, 2233, 2024, 2025, 2026};
const int kAdjustLock[] = {1742, 1744, 1452, 1733, 1456, 1457, 1453, 1454, 1458, 1734, 1462,
                           1463, 1459, 1460, 1470, 1472, 1474, 1476, 1478, 1479, 1032};
const DWORD kAdjustHelp[] = {1742, 6180, 1744, 6180, 1452, 6190, 1733, 6190, 1453, 6190, 1454, 6190, 2024, 6190,
                             1458, 6310, 1734, 6310, 1459, 6310, 1460, 6310, 2025, 6310, 1470, 6320, 1472, 6320,
                             1478, 6320, 1479, 6320, 2026, 6320, 1032, 9510, 0,    0};

void EnableColorAdjustPage(HWND page, SheetCtx* ctx, int mode) {
  ShowAll(page, {2231, 2232, 2233}, mode == 5 && !CoreContext(ctx));
  LockList(page, ctx, kAdjustLock);
}

void AdjustInit(HWND page, SheetCtx* ctx) {
  TakeSlot(page, ctx, kColorAdjustPage);
  for (const AdjustRow& r : kMatchRows) SetUpSliderRow(page, r.slider, kLow, kHigh);
  if (CoreContext(ctx)) {
    // The user interface core's own sheets leave the adjustments to the
    // device: only the type stays.
    for (const AdjustRow& r : kMatchRows) {
      for (int id : {r.slider.label, r.slider.slider, r.slider.minimum, r.slider.maximum, r.slider.edit,
                     r.slider.spin}) {
        ShowEnableCtrl(page, id, FALSE);
      }
    }
    for (int id : kMatchRowExtras) ShowEnableCtrl(page, id, FALSE);
  }
}

void AdjustShow(HWND page, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  const uint32_t set = CurrentSet(doc);
  if (set == kNoSet) {
    SendDlgItemMessageW(page, kMatchTypeList, CB_RESETCONTENT, 0, 0);
    return;
  }
  FillOptionRowsByName(page, kMatchTypeList, "ColAdj_ColorMatchType");
  SelectOptionRow(page, kMatchTypeList, static_cast<uint8_t>(SetValue(doc, set, kType)));
  ShowRows(page, doc, kMatchRows, 3);
  for (int id : {2024, 2025, 2026}) InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
}

uint32_t MatchTypeAt(SheetCtx* ctx) {
  const uint32_t set = CurrentSet(GetPrivDevMode(ctx));
  return (set == kNoSet ? kAllSet : set) + kType;
}

// The type's old value while a change is checked, and the all-objects type
// the check saw in its place.
struct TypeChange {
  bool active = false;
  uint8_t allType = 0;
};
TypeChange g_typeChange;

bool ReadMatchType(HWND page, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const uint32_t set = CurrentSet(doc);
  uint32_t value = 0;
  if (set == kNoSet || !SelectedOptionValue(page, kMatchTypeList, &value)) return false;
  int32_t values[3];
  if (!CoreContext(ctx) && !CheckRows(page, kMatchRows, 3, values)) {
    SelectOptionRow(page, kMatchTypeList, static_cast<uint8_t>(SetValue(doc, set, kType)));
    return false;
  }
  PutSetValue(doc, set, kType, static_cast<int32_t>(value));
  // The rules know the type by the all-objects field: in each-object mode
  // it stands there while they judge the change.
  g_typeChange = {};
  if (set != kAllSet) {
    g_typeChange = {true, DocBytes(doc)[kAllSet + kType]};
    DocBytes(doc)[kAllSet + kType] = static_cast<uint8_t>(value);
  }
  return true;
}
void ShowMatchType(HWND page, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  const uint32_t set = CurrentSet(doc);
  if (set != kNoSet) SelectOptionRow(page, kMatchTypeList, static_cast<uint8_t>(SetValue(doc, set, kType)));
}
void AfterMatchType(HWND page, SheetCtx* ctx) {
  if (g_typeChange.active) {
    if (DocDMode* doc = GetPrivDevMode(ctx)) DocBytes(doc)[kAllSet + kType] = g_typeChange.allType;
    g_typeChange = {};
  }
  (void)page;
}

bool AdjustCommand(HWND page, SheetCtx* ctx, int id, int code) {
  if (!RowCommand(page, ctx, kMatchRows, 3, id, code)) return false;
  for (int i = 0; i < 3; ++i) {
    if (id == kMatchRows[i].slider.edit) InvalidateRect(GetDlgItem(page, 2024 + i), nullptr, FALSE);
  }
  return true;
}

void AdjustDefaults(HWND page, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const bool changed = CopyDefaults(doc, ctx, {kType, kBrightness, kContrast, kChroma});
  AfterDefaults(page, ctx, changed);
  AdjustShow(page, ctx);
}

bool AdjustDraw(HWND page, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlID == kMatchTypeList) {
    DrawOptionRowItem(page, item);
    return true;
  }
  if (item->CtlID < 2024 || item->CtlID > 2026) return false;
  const DocDMode* doc = GetPrivDevMode(ctx);
  const uint32_t set = CurrentSet(doc);
  if (set == kNoSet) return true;
  const int32_t b = SetValue(doc, set, kBrightness), c = SetValue(doc, set, kContrast),
                s = SetValue(doc, set, kChroma);
  HMODULE images = DialogFrameworkModules().images;
  switch (item->CtlID) {
    case 2024: DrawColorSamplePicture(item, images, kBrightnessSample, kBrightnessSampleMask, b, 0, 0); break;
    case 2025: DrawColorSamplePicture(item, images, kContrastSample, kContrastSampleMask, 0, c, 0); break;
    default: DrawColorSamplePicture(item, images, kChromaSample, kChromaSampleMask, 0, 0, s); break;
  }
  return true;
}

bool AdjustOther(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  if (message == WM_HSCROLL && lParam != 0) {
    RowSliderMoved(page, ctx, kMatchRows, 3, reinterpret_cast<HWND>(lParam));
    for (int id : {2024, 2025, 2026}) InvalidateRect(GetDlgItem(page, id), nullptr, FALSE);
    *result = 0;
    return true;
  }
  if (message == kColorPageStore) {
    DocDMode* doc = GetPrivDevMode(ctx);
    const uint32_t set = CurrentSet(doc);
    int32_t values[3] = {};
    if (set != kNoSet && !CoreContext(ctx)) {
      if (!CheckRows(page, kMatchRows, 3, values)) {
        *result = Answer(page, false);
        return true;
      }
      for (int i = 0; i < 3; ++i) PutSetValue(doc, set, kMatchRows[i].field, values[i]);
    }
    uint32_t type = 0;
    if (set != kNoSet && SelectedOptionValue(page, kMatchTypeList, &type)) PutSetValue(doc, set, kType, int32_t(type));
    *result = Answer(page, true);
    return true;
  }
  if (message == kColorPageRefresh) {
    AdjustShow(page, ctx);
    DispPageHint(page, ctx, 147);
    *result = Answer(page, true);
    return true;
  }
  return false;
}

const SheetComboHeight kAdjustHeights[] = {{kMatchTypeList, kItemHeight}, {0, 0}};
const DialogBinding kAdjustBindings[] = {
    {.controlId = kMatchTypeList, .notify = CBN_SELENDOK, .kind = BindKind::kCustom, .bytes = 1,
     .read = ReadMatchType, .show = ShowMatchType, .after = AfterMatchType, .where = MatchTypeAt,
     .changed = NoteChangeOf},
    {},
};
const DocumentDialog kAdjustPage = {
    .templateId = 147,
    .textSection = "Dlg_ColorAdjust",
    .helpIds = kAdjustHelp,
    .bindings = kAdjustBindings,
    .comboHeights = kAdjustHeights,
    .init = AdjustInit,
    .started = AdjustShow,
    .enableRules = Enable<kColorAdjustPage>,
    .command = AdjustCommand,
    .defaults = AdjustDefaults,
    .drawItem = AdjustDraw,
    .destroy = ForgetSlot,
    .other = AdjustOther,
};

// ---- Page 148: colour balance.

const AdjustRow kBalanceRows[4] = {
    {{1754, 1755, 1774, 1775, 1756, 1757}, kCyan, 85},
    {{1759, 1760, 1764, 1765, 1761, 1762}, kMagenta, 84},
    {{1766, 1767, 1768, 1770, 1771, 1772}, kYellow, 83},
    {{1481, 1483, 1484, 1485, 1487, 1488}, kBlack, 86},
};
// The swatch before each row and its bitmap of the image library.
const int kSwatches[4][2] = {{1778, 457}, {1593, 459}, {1596, 461}, {1598, 455}};
const int kBalanceLock[] = {1778, 1754, 1755, 1774, 1775, 1756, 1757, 1593, 1759, 1760, 1764, 1765, 1761, 1762, 1596,
                            1766, 1767, 1768, 1770, 1771, 1772, 1598, 1481, 1483, 1484, 1485, 1487, 1488, 1032};
const DWORD kBalanceHelp[] = {1754, 6220, 1755, 6220, 1756, 6220, 1757, 6220, 1759, 6230, 1760, 6230,
                              1761, 6230, 1762, 6230, 1766, 6240, 1767, 6240, 1771, 6240, 1772, 6240,
                              1481, 6250, 1483, 6250, 1487, 6250, 1488, 6250, 1032, 9510, 0,    0};

void EnableColorBalancePage(HWND page, SheetCtx* ctx, int mode) {
  ShowAll(page, {2226}, mode == 5);
  LockList(page, ctx, kBalanceLock);
}

void BalanceInit(HWND page, SheetCtx* ctx) {
  for (const AdjustRow& r : kBalanceRows) SetUpSliderRow(page, r.slider, kLow, kHigh);
  // The swatches are drawn unchanged at the top centre of their buttons.
  HMODULE images = DialogFrameworkModules().images;
  for (const auto& s : kSwatches) {
    HBITMAP bitmap = images != nullptr ? static_cast<HBITMAP>(LoadImageW(images, MAKEINTRESOURCEW(s[1]), IMAGE_BITMAP,
                                                                         0, 0, LR_DEFAULTCOLOR))
                                       : nullptr;
    if (bitmap != nullptr) {
      HWND button = GetDlgItem(page, s[0]);
      SetWindowLongPtrW(button, GWL_STYLE, (GetWindowLongPtrW(button, GWL_STYLE) & ~LONG_PTR(BS_CENTER | BS_VCENTER)) |
                                               BS_CENTER | BS_TOP);
      HGDIOBJ old = reinterpret_cast<HGDIOBJ>(SendMessageW(button, BM_SETIMAGE, IMAGE_BITMAP, LPARAM(bitmap)));
      if (old != nullptr) DeleteObject(old);
    }
  }
  ShowRows(page, GetPrivDevMode(ctx), kBalanceRows, 4);
}

void BalanceDestroy(HWND page) {
  for (const auto& s : kSwatches) {
    HGDIOBJ bitmap = reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(page, s[0], BM_GETIMAGE, IMAGE_BITMAP, 0));
    if (bitmap != nullptr) DeleteObject(bitmap);
  }
  ForgetSlot(page);
}

bool BalanceCommand(HWND page, SheetCtx* ctx, int id, int code) {
  return RowCommand(page, ctx, kBalanceRows, 4, id, code);
}

void BalanceDefaults(HWND page, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const bool changed = CopyDefaults(doc, ctx, {kCyan, kMagenta, kYellow, kBlack});
  AfterDefaults(page, ctx, changed);
  ShowRows(page, doc, kBalanceRows, 4);
}

bool BalanceOther(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM lParam, INT_PTR* result) {
  if (message == WM_HSCROLL && lParam != 0) {
    RowSliderMoved(page, ctx, kBalanceRows, 4, reinterpret_cast<HWND>(lParam));
    *result = 0;
    return true;
  }
  if (message == kColorPageStore) {
    DocDMode* doc = GetPrivDevMode(ctx);
    const uint32_t set = CurrentSet(doc);
    int32_t values[4] = {};
    if (set != kNoSet) {
      if (!CheckRows(page, kBalanceRows, 4, values)) {
        *result = Answer(page, false);
        return true;
      }
      for (int i = 0; i < 4; ++i) PutSetValue(doc, set, kBalanceRows[i].field, values[i]);
    }
    *result = Answer(page, true);
    return true;
  }
  if (message == kColorPageRefresh) {
    // The core's own sheets refresh the balance themselves.
    if (!CoreContext(ctx)) {
      ShowRows(page, GetPrivDevMode(ctx), kBalanceRows, 4);
      DispPageHint(page, ctx, 148);
    }
    *result = Answer(page, true);
    return true;
  }
  return false;
}

const DocumentDialog kBalancePage = {
    .templateId = 148,
    .textSection = "Dlg_ColorAdjust",
    .helpIds = kBalanceHelp,
    // The balance rows are judged when the host stores the page.
    .checksConstraints = false,
    .init = BalanceInit,
    .enableRules = Enable<kColorBalancePage>,
    .command = BalanceCommand,
    .defaults = BalanceDefaults,
    .destroy = BalanceDestroy,
    .other = BalanceOther,
};

// ---- Page 149: grey compensation, screen and smoothing.

constexpr int kPureBlackList = 1777, kScreenList = 1748, kSmoothingList = 1752;
const int kScreenLock[] = {1776, 1777, 1746, 1748, 1750, 1752, 1032};
const DWORD kScreenHelp[] = {1776, 6260, 1777, 6260, 1746, 6270, 1748, 6270, 1750, 6280, 1752, 6280, 1032, 9510, 0, 0};

void EnableObjectScreenPage(HWND page, SheetCtx* ctx, int mode) {
  ShowAll(page, {2221}, mode == 5);
  const FeatureSpecialRows& rows = SpecialFeatureRows();
  const FeatureEntry* smoothing = rows.colAdjSmoothing != 0 ? FeatureRow(static_cast<int32_t>(rows.colAdjSmoothing))
                                                            : nullptr;
  bool on = smoothing == nullptr || smoothing->locked != 1;
  if (EachObject(GetPrivDevMode(ctx)) && HostObject(ctx) == 0) on = false;
  EnableWindow(GetDlgItem(page, 1750), on);
  EnableWindow(GetDlgItem(page, kSmoothingList), on);
  LockList(page, ctx, kScreenLock);
}

uint32_t PureBlackAt(SheetCtx* ctx) {
  const uint32_t set = CurrentSet(GetPrivDevMode(ctx));
  return (set == kNoSet ? kAllSet : set) + kPureBlack;
}
uint32_t ScreenAt(SheetCtx* ctx) { return PureBlackAt(ctx) + 1; }
uint32_t SmoothingAt(SheetCtx* ctx) { return PureBlackAt(ctx) + 2; }

void ScreenFill(HWND page, SheetCtx* ctx) {
  const bool shown = CurrentSet(GetPrivDevMode(ctx)) != kNoSet;
  const std::pair<int, const char*> lists[] = {
      {kPureBlackList, "ColAdj_PureBlack"}, {kScreenList, "ColAdj_Screen"}, {kSmoothingList, "ColAdj_Smoothing"}};
  for (const auto& [id, table] : lists) {
    if (shown) FillOptionRowsByName(page, id, table);
    else SendDlgItemMessageW(page, id, CB_RESETCONTENT, 0, 0);
  }
}

void ScreenInit(HWND page, SheetCtx* ctx) {
  TakeSlot(page, ctx, kObjectScreenPage);
  ScreenFill(page, ctx);
}

void ScreenDefaults(HWND page, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const bool changed = CopyDefaults(doc, ctx, {kPureBlack, kScreen, kSmoothing});
  AfterDefaults(page, ctx, changed);
  ScreenFill(page, ctx);
}

bool DrawRows(HWND page, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_COMBOBOX) return false;
  DrawOptionRowItem(page, item);
  return true;
}

const DialogBinding kScreenBindings[] = {
    {.controlId = kPureBlackList, .notify = CBN_SELENDOK, .kind = BindKind::kDropList, .bytes = 1,
     .where = PureBlackAt, .changed = NoteChangeOf},
    {.controlId = kScreenList, .notify = CBN_SELENDOK, .kind = BindKind::kDropList, .bytes = 1, .where = ScreenAt,
     .changed = NoteChangeOf},
    {.controlId = kSmoothingList, .notify = CBN_SELENDOK, .kind = BindKind::kDropList, .bytes = 1,
     .where = SmoothingAt, .changed = NoteChangeOf},
    {},
};

bool ScreenOther(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM, INT_PTR* result) {
  if (message == kColorPageStore) {
    DocDMode* doc = GetPrivDevMode(ctx);
    if (CurrentSet(doc) != kNoSet) {
      for (const DialogBinding* b = kScreenBindings; b->controlId != 0; ++b) {
        uint32_t value = 0;
        if (SelectedOptionValue(page, b->controlId, &value)) DocBytes(doc)[b->where(ctx)] = static_cast<uint8_t>(value);
      }
    }
    *result = Answer(page, true);
    return true;
  }
  if (message == kColorPageRefresh) {
    ScreenFill(page, ctx);
    ShowBindings(page, ctx, kScreenBindings);
    DispPageHint(page, ctx, 149);
    *result = Answer(page, true);
    return true;
  }
  return false;
}

const SheetComboHeight kScreenHeights[] = {
    {kPureBlackList, kItemHeight}, {kScreenList, kItemHeight}, {kSmoothingList, kItemHeight}, {0, 0}};
const DocumentDialog kScreenPage = {
    .templateId = 149,
    .textSection = "Dlg_ColorAdjust",
    .helpIds = kScreenHelp,
    .bindings = kScreenBindings,
    .comboHeights = kScreenHeights,
    .init = ScreenInit,
    .enableRules = Enable<kObjectScreenPage>,
    .defaults = ScreenDefaults,
    .drawItem = DrawRows,
    .destroy = ForgetSlot,
    .other = ScreenOther,
};

// ---- Page 162: the choices for other objects.

constexpr int kMatchBalanceList = 1887, kScreenSmoothList = 1889;
const int kOthersLock[] = {1883, 1885, 1887, 1889, 1032};
const DWORD kOthersHelp[] = {1883, 6290, 1887, 6290, 1885, 6300, 1889, 6300, 1032, 9510, 0, 0};

void EnableColorMatchPage(HWND page, SheetCtx* ctx, int) { LockList(page, ctx, kOthersLock); }

void OthersFill(HWND page, SheetCtx*) {
  FillOptionRowsByName(page, kMatchBalanceList, "ColAdj_MatchBalance");
  FillOptionRowsByName(page, kScreenSmoothList, "ColAdj_ScreenSmooth");
}

void OthersInit(HWND page, SheetCtx* ctx) {
  TakeSlot(page, ctx, kColorMatchPage);
  OthersFill(page, ctx);
}

void OthersDefaults(HWND page, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const int32_t object = HostObject(ctx);
  DocDMode defaults;
  bool changed = false;
  if (EachObject(doc) && object != 0 && object != 1 && CopyDefaultOEMDevMode(ctx, &defaults)) {
    for (uint32_t at : {DOC_FIELD_AT(ColorAdjustMFP_EachEtc_nMatchBalance),
                        DOC_FIELD_AT(ColorAdjustMFP_EachEtc_nScreenSmooth)}) {
      changed |= DocBytes(doc)[at] != DocBytes(&defaults)[at];
      DocBytes(doc)[at] = DocBytes(&defaults)[at];
    }
  }
  AfterDefaults(page, ctx, changed);
}

const DialogBinding kOthersBindings[] = {
    {.controlId = kMatchBalanceList, .notify = CBN_SELENDOK, .kind = BindKind::kDropList,
     .at = DOC_FIELD_AT(ColorAdjustMFP_EachEtc_nMatchBalance), .bytes = 1, .changed = NoteChangeOf},
    {.controlId = kScreenSmoothList, .notify = CBN_SELENDOK, .kind = BindKind::kDropList,
     .at = DOC_FIELD_AT(ColorAdjustMFP_EachEtc_nScreenSmooth), .bytes = 1, .changed = NoteChangeOf},
    {},
};

bool OthersOther(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM, INT_PTR* result) {
  if (message == kColorPageStore) {
    DocDMode* doc = GetPrivDevMode(ctx);
    for (const DialogBinding* b = kOthersBindings; b->controlId != 0; ++b) {
      uint32_t value = 0;
      if (SelectedOptionValue(page, b->controlId, &value)) DocBytes(doc)[b->at] = static_cast<uint8_t>(value);
    }
    *result = Answer(page, true);
    return true;
  }
  if (message == kColorPageRefresh) {
    OthersFill(page, ctx);
    ShowBindings(page, ctx, kOthersBindings);
    DispPageHint(page, ctx, 162);
    LockList(page, ctx, kOthersLock);
    *result = Answer(page, true);
    return true;
  }
  return false;
}

const SheetComboHeight kOthersHeights[] = {{kMatchBalanceList, kItemHeight}, {kScreenSmoothList, kItemHeight}, {0, 0}};
const DocumentDialog kOthersPage = {
    .templateId = 162,
    .textSection = "Dlg_ColorAdjust",
    .helpIds = kOthersHelp,
    .bindings = kOthersBindings,
    .comboHeights = kOthersHeights,
    .init = OthersInit,
    .enableRules = Enable<kColorMatchPage>,
    .defaults = OthersDefaults,
    .drawItem = DrawRows,
    .destroy = ForgetSlot,
    .other = OthersOther,
};

// ---- Page 189: the colour profiles.

constexpr int kRgbList = 2268, kDestList = 2270, kSimList = 2273, kPaperColorBox = 2274, kGrayList = 2276;
const int kProfileLock[] = {2267, 2268, 2269, 2270, 2272, 2273, 2274, 2275, 2276, 1032};
const DWORD kProfileHelp[] = {2267, 6330, 2268, 6330, 2269, 6331, 2270, 6331, 2272, 6332, 2273, 6332,
                              2274, 6333, 2275, 6334, 2276, 6334, 1032, 9510, 0,    0};

// A profile list: its built-in table, the first value of the resident
// profiles' entries, the resident list and the slot of its built-in count.
struct ProfileList {
  int combo;
  const char* table;
  uint32_t residentBase;
  ResidentProfileList resident;
  int countSlot;
};
const ProfileList kProfileLists[3] = {
    {kRgbList, "ColAdj_RGBProf", 256, ResidentProfileList::kRgbSource, 0},
    {kDestList, "ColAdj_DestinationProf", 128, ResidentProfileList::kDestination, 1},
    {kSimList, "ColAdj_SimulationProf", 128, ResidentProfileList::kSimulation, 2},
};

// The object's selection field and record of a list.
struct ProfileField {
  uint32_t selection;  // signed 16-bit
  uint32_t record;     // ColorProfileRecord
};
ProfileField FieldOf(const DocDMode* doc, int list) {
  if (list == 2) return {DOC_FIELD_AT(nSimProfileMode), DOC_FIELD_AT(SimProfile_szProfileName)};
  const uint8_t object = doc != nullptr ? Fields(doc).ColorAdjustMFP_nMatchType : 0;
  if (list == 0) {
    if (object == 0) return {DOC_FIELD_AT(nCharRGBColor), DOC_FIELD_AT(CharRGBSc_szProfileName)};
    if (object == 1) return {DOC_FIELD_AT(nImageRGBColor), DOC_FIELD_AT(ImageRGBSc_szProfileName)};
    return {DOC_FIELD_AT(nGraphicsRGBColor), DOC_FIELD_AT(GraphRGBSc_szProfileName)};
  }
  if (object == 0) return {DOC_FIELD_AT(nCharDestColor), DOC_FIELD_AT(CharDestSc_szProfileName)};
  if (object == 1) return {DOC_FIELD_AT(nImageDestColor), DOC_FIELD_AT(ImageDestSc_szProfileName)};
  return {DOC_FIELD_AT(nGraphDestColor), DOC_FIELD_AT(GraphDestSc_szProfileName)};
}
static_assert(DOC_FIELD_AT(CharRGBSc_szProfileName) == 2620 && DOC_FIELD_AT(GraphDestSc_szProfileName) == 3486);
static_assert(DOC_FIELD_AT(nSimProfileMode) == 2258 && DOC_FIELD_AT(SimProfile_szProfileName) == 2260);

int16_t ReadI16(const DocDMode* doc, uint32_t at) {
  int16_t v;
  std::memcpy(&v, DocBytes(doc) + at, 2);
  return v;
}
void WriteI16(DocDMode* doc, uint32_t at, int32_t value) {
  const int16_t v = static_cast<int16_t>(value);
  std::memcpy(DocBytes(doc) + at, &v, 2);
}
ColorProfileRecord* RecordAt(DocDMode* doc, uint32_t at) {
  return reinterpret_cast<ColorProfileRecord*>(DocBytes(doc) + at);
}

bool BuiltInRow(const OptionHead* row) { return std::strstr(row->keyword, "Prof_DL") == nullptr; }

ResidentProfileUiState Residents(const SheetCtx* ctx) {
  ResidentProfileUiState lists{};
  SheetUiState* state = GetUIState(ctx);
  if (state != nullptr) std::memcpy(&lists, state->bytes + kUiStateResidentProfilesAt, sizeof lists);
  return lists;
}
const ColorProfileRecord* ResidentAt(const SheetCtx* ctx, ResidentProfileList list, uint32_t index) {
  const ResidentProfileUiState lists = Residents(ctx);
  const size_t i = static_cast<size_t>(list);
  const uint32_t count = lists.counts[i] < kResidentProfilesMax ? lists.counts[i] : kResidentProfilesMax;
  return lists.lists[i] != nullptr && index < count ? &lists.lists[i][index] : nullptr;
}

uint32_t BuiltInCount(const SheetCtx* ctx, int list) {
  const ColorPagesUiState* s = ColorPagesStateOf(ctx);
  return s != nullptr ? s->builtInCounts[list] : 0;
}

// The value an entry stands for: a built-in row's, or the resident
// profile's item data.
bool EntryValue(HWND page, int combo, LRESULT index, const SheetCtx* ctx, int list, uint32_t* value) {
  const LRESULT data = SendDlgItemMessageW(page, combo, CB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  if (data == CB_ERR) return false;
  if (static_cast<uint32_t>(index) < BuiltInCount(ctx, list)) {
    if (data == 0) return false;
    *value = reinterpret_cast<const OptionHead*>(data)->value;
  } else {
    *value = static_cast<uint32_t>(data);
  }
  return true;
}

void FillProfileList(HWND page, SheetCtx* ctx, int list) {
  const ProfileList& l = kProfileLists[list];
  FillOptionRows(page, l.combo, FindOptionTable(l.table), BuiltInRow);
  const LRESULT builtIn = SendDlgItemMessageW(page, l.combo, CB_GETCOUNT, 0, 0);
  if (ColorPagesUiState* s = ColorPagesStateOf(ctx)) s->builtInCounts[list] = builtIn > 0 ? uint32_t(builtIn) : 0;
  if (!CoreContext(ctx)) return;
  const ModelInfo* model = Model();
  for (uint32_t i = 0; i < kResidentProfilesMax; ++i) {
    const ColorProfileRecord* r = ResidentAt(ctx, l.resident, i);
    if (r == nullptr) break;
    char16_t text[200];
    FormatProfileEntryText(*r, model != nullptr ? model->profileLocations : nullptr, text, 200);
    const LRESULT at =
        SendDlgItemMessageW(page, l.combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(reinterpret_cast<wchar_t*>(text)));
    if (at >= 0) SendDlgItemMessageW(page, l.combo, CB_SETITEMDATA, static_cast<WPARAM>(at), l.residentBase + i);
  }
}

// Puts the value of entry `index` into the object's fields: a built-in
// choice clears the record and names it, a resident one is copied.
void StoreProfileEntry(HWND page, SheetCtx* ctx, int list, LRESULT index) {
  DocDMode* doc = GetPrivDevMode(ctx);
  uint32_t value = 0;
  if (doc == nullptr || !EntryValue(page, kProfileLists[list].combo, index, ctx, list, &value)) return;
  const ProfileField f = FieldOf(doc, list);
  WriteI16(doc, f.selection, static_cast<int32_t>(value));
  ColorProfileRecord* record = RecordAt(doc, f.record);
  const uint32_t base = kProfileLists[list].residentBase;
  if (value < base) {
    const char16_t* name = nullptr;
    for (const OptionHead* row = FindOptionTable(kProfileLists[list].table); row != nullptr && row->keyword[0] != 0;
         row = NextOptionRow(row)) {
      if (row->value == value) {
        name = reinterpret_cast<const char16_t*>(OptionRowDisplayText(row));
        break;
      }
    }
    StoreBuiltInProfile(record, name);
    return;
  }
  const ColorProfileRecord* resident = ResidentAt(ctx, kProfileLists[list].resident, value - base);
  *record = resident != nullptr ? *resident : ColorProfileRecord{};
}

// Selects the entry of the object's selection; without a match the first
// entry, which the object then takes.
void SelectProfileList(HWND page, SheetCtx* ctx, int list) {
  DocDMode* doc = GetPrivDevMode(ctx);
  const int combo = kProfileLists[list].combo;
  const LRESULT count = SendDlgItemMessageW(page, combo, CB_GETCOUNT, 0, 0);
  const int32_t selection = ReadI16(doc, FieldOf(doc, list).selection);
  for (LRESULT i = 0; i < count; ++i) {
    uint32_t value = 0;
    if (EntryValue(page, combo, i, ctx, list, &value) && static_cast<int32_t>(value) == selection) {
      SendDlgItemMessageW(page, combo, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendDlgItemMessageW(page, combo, CB_SETCURSEL, 0, 0);
  if (count > 0 && EachObject(doc)) StoreProfileEntry(page, ctx, list, 0);
}

void ShowGray(HWND page, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  SelectOptionRow(page, kGrayList, static_cast<uint32_t>(ReadI16(doc, DOC_FIELD_AT(nSimCMYKGray))));
  if (SendDlgItemMessageW(page, kGrayList, CB_GETCURSEL, 0, 0) == CB_ERR) {
    SendDlgItemMessageW(page, kGrayList, CB_SETCURSEL, 0, 0);
    uint32_t value = 0;
    if (EachObject(doc) && SelectedOptionValue(page, kGrayList, &value)) {
      WriteI16(GetPrivDevMode(ctx), DOC_FIELD_AT(nSimCMYKGray), static_cast<int32_t>(value));
    }
  }
}

void ProfileShow(HWND page, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  for (int list = 0; list < 3; ++list) {
    FillProfileList(page, ctx, list);
    // In all-objects mode the lists only show their first entry.
    if (EachObject(doc)) SelectProfileList(page, ctx, list);
    else SendDlgItemMessageW(page, kProfileLists[list].combo, CB_SETCURSEL, 0, 0);
  }
  FillOptionRowsByName(page, kGrayList, "ColAdj_Simu_CMYKGray");
  if (EachObject(doc)) ShowGray(page, ctx);
  else SendDlgItemMessageW(page, kGrayList, CB_SETCURSEL, 0, 0);
  CheckDlgButton(page, kPaperColorBox, Fields(doc).bMatchPaperColor != 0 ? BST_CHECKED : BST_UNCHECKED);
}

void EnableColorProfilePage(HWND page, SheetCtx* ctx, int mode) {
  ShowAll(page, {2271, 2518, 2519, 2520, 2521}, mode == 5);
  const bool each = EachObject(GetPrivDevMode(ctx));
  for (const auto& [label, combo] : {std::pair{2267, kRgbList}, std::pair{2269, kDestList}, std::pair{2272, kSimList},
                                     std::pair{2275, kGrayList}}) {
    EnableWindow(GetDlgItem(page, label), each);
    EnableWindow(GetDlgItem(page, combo), each);
  }
  EnableWindow(GetDlgItem(page, kPaperColorBox), each);
  EnableWindow(GetDlgItem(page, kDefault), each);
  LockList(page, ctx, kProfileLock);
}

// A profile list changed: the selection and its record are kept, the new
// entry stored and judged, and both put back when the rules refuse.  (The
// skeleton's undo keeps one short field; this change spans the selection
// and its 172-byte record.)
void ProfileChanged(HWND page, SheetCtx* ctx, int list) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr || !EachObject(doc)) return;
  const ProfileField f = FieldOf(doc, list);
  const int16_t oldSelection = ReadI16(doc, f.selection);
  const ColorProfileRecord oldRecord = *RecordAt(doc, f.record);
  const LRESULT index = SendDlgItemMessageW(page, kProfileLists[list].combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return;
  StoreProfileEntry(page, ctx, list, index);
  if (ConstraintRefused(RunSheetConstraints(page, DialogTooltipOf(page), static_cast<uint16_t>(kProfileLists[list].combo)))) {
    WriteI16(doc, f.selection, oldSelection);
    *RecordAt(doc, f.record) = oldRecord;
    SelectProfileList(page, ctx, list);
  } else if (ReadI16(doc, f.selection) != oldSelection) {
    NoteChange(page, ctx);
  }
  Enable<kColorProfilePage>(page, ctx);
  InvalidateRect(page, nullptr, FALSE);
}

bool ProfileCommand(HWND page, SheetCtx* ctx, int id, int code) {
  for (int list = 0; list < 3; ++list) {
    if (id == kProfileLists[list].combo && code == CBN_SELENDOK) {
      ProfileChanged(page, ctx, list);
      return true;
    }
  }
  return false;
}

void ProfileDefaults(HWND page, SheetCtx* ctx) {
  DocDMode* doc = GetPrivDevMode(ctx);
  DocDMode defaults;
  const int32_t object = HostObject(ctx);
  if (!EachObject(doc) || object < 0 || !CopyDefaultOEMDevMode(ctx, &defaults)) return;
  const uint8_t kept = Fields(doc).ColorAdjustMFP_nMatchType;
  // The defaults of the object the host's list selects.
  DocBytes(doc)[DOC_FIELD_AT(ColorAdjustMFP_nMatchType)] = static_cast<uint8_t>(object == 0 || object == 1 ? object : 2);
  bool changed = false;
  for (int list = 0; list < 3; ++list) {
    const ProfileField f = FieldOf(doc, list);
    const int16_t value = ReadI16(&defaults, f.selection);
    changed |= ReadI16(doc, f.selection) != value;
    WriteI16(doc, f.selection, value);
  }
  for (uint32_t at : {DOC_FIELD_AT(bMatchPaperColor)}) {
    changed |= DocBytes(doc)[at] != DocBytes(&defaults)[at];
    DocBytes(doc)[at] = DocBytes(&defaults)[at];
  }
  changed |= ReadI16(doc, DOC_FIELD_AT(nSimCMYKGray)) != ReadI16(&defaults, DOC_FIELD_AT(nSimCMYKGray));
  WriteI16(doc, DOC_FIELD_AT(nSimCMYKGray), ReadI16(&defaults, DOC_FIELD_AT(nSimCMYKGray)));
  // The records follow their selections as a choice would set them.
  ProfileShow(page, ctx);
  for (int list = 0; list < 3; ++list) {
    const LRESULT index = SendDlgItemMessageW(page, kProfileLists[list].combo, CB_GETCURSEL, 0, 0);
    if (index != CB_ERR) StoreProfileEntry(page, ctx, list, index);
  }
  DocBytes(doc)[DOC_FIELD_AT(ColorAdjustMFP_nMatchType)] = kept;
  if (changed) NoteChange(page, ctx);
}

void ProfileInit(HWND page, SheetCtx* ctx) { TakeSlot(page, ctx, kColorProfilePage); }

bool ProfileDraw(HWND page, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  if (item->CtlType != ODT_COMBOBOX) return false;
  int list = -1;
  for (int i = 0; i < 3; ++i) {
    if (static_cast<int>(item->CtlID) == kProfileLists[i].combo) list = i;
  }
  if (list < 0 || item->itemID == static_cast<UINT>(-1) || item->itemID < BuiltInCount(ctx, list)) {
    DrawOptionRowItem(page, item);
    return true;
  }
  // A resident profile: its text on the item's background.
  const bool selected = (item->itemState & ODS_SELECTED) != 0;
  FillRect(item->hDC, &item->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  SetTextColor(item->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  wchar_t text[200] = {};
  const LRESULT length = SendMessageW(item->hwndItem, CB_GETLBTEXTLEN, item->itemID, 0);
  if (length > 0 && length < 200) SendMessageW(item->hwndItem, CB_GETLBTEXT, item->itemID, reinterpret_cast<LPARAM>(text));
  if (list == 0) {
    for (int attempt = 0; attempt < 5 && !DrawIconTextItem(item, 0, text); ++attempt) {
    }
  } else {
    DrawIconText(item, 0, text);
  }
  return true;
}

const DialogBinding kProfileBindings[] = {
    {.controlId = kPaperColorBox, .notify = BN_CLICKED, .kind = BindKind::kCheckBox,
     .at = DOC_FIELD_AT(bMatchPaperColor), .bytes = 1, .changed = NoteChangeOf},
    {.controlId = kGrayList, .notify = CBN_SELENDOK, .kind = BindKind::kDropList, .at = DOC_FIELD_AT(nSimCMYKGray),
     .bytes = 2, .changed = NoteChangeOf},
    {},
};

bool ProfileOther(HWND page, SheetCtx* ctx, UINT message, WPARAM, LPARAM, INT_PTR* result) {
  if (message == kColorPageStore) {
    DocDMode* doc = GetPrivDevMode(ctx);
    if (EachObject(doc)) {
      for (int list = 0; list < 3; ++list) {
        const LRESULT index = SendDlgItemMessageW(page, kProfileLists[list].combo, CB_GETCURSEL, 0, 0);
        if (index != CB_ERR) StoreProfileEntry(page, ctx, list, index);
      }
      DocBytes(doc)[DOC_FIELD_AT(bMatchPaperColor)] = IsDlgButtonChecked(page, kPaperColorBox) == BST_CHECKED;
      uint32_t value = 0;
      if (SelectedOptionValue(page, kGrayList, &value)) WriteI16(doc, DOC_FIELD_AT(nSimCMYKGray), int32_t(value));
    }
    *result = Answer(page, true);
    return true;
  }
  if (message == kColorPageRefresh) {
    ProfileShow(page, ctx);
    *result = Answer(page, true);
    return true;
  }
  return false;
}

const SheetComboHeight kProfileHeights[] = {
    {kRgbList, kItemHeight}, {kDestList, kItemHeight}, {kSimList, kItemHeight}, {kGrayList, kItemHeight}, {0, 0}};
const DocumentDialog kProfilePage = {
    .templateId = 189,
    .textSection = "Dlg_ColorAdjust",
    .helpIds = kProfileHelp,
    .bindings = kProfileBindings,
    .comboHeights = kProfileHeights,
    .init = ProfileInit,
    .started = ProfileShow,
    .enableRules = Enable<kColorProfilePage>,
    .command = ProfileCommand,
    .defaults = ProfileDefaults,
    .drawItem = ProfileDraw,
    .destroy = ForgetSlot,
    .other = ProfileOther,
};

// The skeleton's own Default shows the bindings; the profile lists show
// themselves in ProfileDefaults.

void EnablePage(ColorPageIndex i, HWND page, SheetCtx* ctx, int mode) {
  switch (i) {
    case kColorAdjustPage: EnableColorAdjustPage(page, ctx, mode); break;
    case kColorBalancePage: EnableColorBalancePage(page, ctx, mode); break;
    case kObjectScreenPage: EnableObjectScreenPage(page, ctx, mode); break;
    case kColorMatchPage: EnableColorMatchPage(page, ctx, mode); break;
    default: EnableColorProfilePage(page, ctx, mode); break;
  }
}

}  // namespace

INT_PTR CALLBACK ColorAdjustPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kAdjustPage, page, message, wParam, lParam);
}
INT_PTR CALLBACK ColorBalancePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kBalancePage, page, message, wParam, lParam);
}
INT_PTR CALLBACK ObjectScreenPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kScreenPage, page, message, wParam, lParam);
}
INT_PTR CALLBACK ColorMatchPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kOthersPage, page, message, wParam, lParam);
}
INT_PTR CALLBACK ColorProfilePageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kProfilePage, page, message, wParam, lParam);
}

const ColorPageRow kColorPageTable[kColorPageCount] = {
    {147, ColorAdjustPageProc, 0}, {189, ColorProfilePageProc, 0}, {148, ColorBalancePageProc, 0},
    {149, ObjectScreenPageProc, 0}, {162, ColorMatchPageProc, 0},
};

void SetColorMatchObjectChecks(HWND sheet, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (sheet == nullptr || doc == nullptr) return;
  const uint8_t mode = Fields(doc).ColorAdjustMFP_nMatchSettings;
  if (mode > 1) return;
  CheckDlgButton(sheet, kAllObjectsRadio, mode == 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(sheet, kEachObjectRadio, mode == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void SelectColorMatchObject(HWND sheet, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (sheet == nullptr || doc == nullptr) return;
  const LRESULT count = SendDlgItemMessageW(sheet, kObjectList, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT data = SendDlgItemMessageW(sheet, kObjectList, LB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    if (data == LB_ERR || data == 0) continue;
    if (reinterpret_cast<const OptionHead*>(data)->value == Fields(doc).ColorAdjustMFP_nMatchType) {
      SendDlgItemMessageW(sheet, kObjectList, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
}

void EnableQualityControls(HWND window, SheetCtx* ctx) {
  (void)window;
  const DocDMode* doc = GetPrivDevMode(ctx);
  ColorPagesUiState* s = ColorPagesStateOf(ctx);
  if (doc == nullptr || s == nullptr) return;
  const DocFields& f = Fields(doc);
  const bool profiles = ProfilesSwitch();
  HWND host = s->sheet;
  if (host != nullptr) {
    if (f.ColorAdjustMFP_nMatchSettings == 1) EnableCtrlIfVisible(GetDlgItem(host, kObjectList), TRUE);
    ShowWindow(GetDlgItem(host, kProfileManagerLabel), profiles ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(host, kProfileManagerButton), profiles ? SW_SHOW : SW_HIDE);
    if (profiles) EnableWindow(GetDlgItem(host, kProfileManagerButton), DLManagerInstalled() != 0);
  }
  const bool figure = f.ColorAdjustMFP_nMatchSettings == 1 && f.ColorAdjustMFP_nMatchType == 2;
  const bool details = profiles || !figure;
  if (host != nullptr) ShowWindow(GetDlgItem(host, kDetailsFrame), details ? SW_SHOW : SW_HIDE);

  const uint32_t t = s->currentTab;
  ColorPageIndex chosen;
  if (!CoreContext(ctx)) chosen = t == 1 ? kColorBalancePage : t == 2 ? kObjectScreenPage : kColorAdjustPage;
  else if (!profiles) chosen = t == 1 ? kObjectScreenPage : kColorAdjustPage;
  else if (figure) chosen = t == 1 ? kColorMatchPage : kColorProfilePage;
  else chosen = t == 1 ? kColorProfilePage : t == 2 ? kObjectScreenPage : kColorAdjustPage;

  // One page at a time: the others stand hidden behind it.
  for (uint32_t i = 0; i < kColorPageCount; ++i) {
    if (i == chosen || s->pages[i] == nullptr) continue;
    if (!profiles && i == kColorMatchPage) continue;
    ShowEnableWnd(s->pages[i], FALSE);
  }
  if (HWND page = s->pages[chosen]) {
    ShowEnableWnd(page, details);
    EnablePage(chosen, page, ctx, details ? 5 : 0);
  }
  if (host != nullptr) ShowWindow(GetDlgItem(host, kNoDetailsText), details ? SW_HIDE : SW_SHOW);
  if (!profiles && s->pages[kColorMatchPage] != nullptr) {
    ShowEnableWnd(s->pages[kColorMatchPage], !details);
    if (!details) EnablePage(kColorMatchPage, s->pages[kColorMatchPage], ctx, 5);
  }
  if (host != nullptr) EnableWindow(GetDlgItem(host, kNoDetailsText), FALSE);
}
