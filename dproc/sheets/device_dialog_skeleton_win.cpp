#include "dproc/sheets/device_dialog_skeleton_win.h"

#include <cstring>
#include <memory>
#include <vector>

#include "dproc/dialogs/hint_area_win.h"
#include "dproc/model/disp_strings_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"

namespace {

constexpr wchar_t kStateProp[] = L"VeldranDeviceDialog";

// What the skeleton keeps of an open device dialog.
struct DeviceDialogState {
  const DeviceDialog* desc = nullptr;
  std::vector<SheetComboHeight> heights;
};

DeviceDialogState* StateOf(HWND dialog) { return static_cast<DeviceDialogState*>(GetPropW(dialog, kStateProp)); }
const DeviceDialog* DescOf(HWND dialog) {
  const DeviceDialogState* state = StateOf(dialog);
  return state != nullptr ? state->desc : nullptr;
}

uint32_t HintPageOf(const DeviceDialog& d) { return d.hintPageId != 0 ? d.hintPageId : d.templateId; }

void ShowChanges(HWND dialog, SheetCtx* ctx, const DeviceDialog& d) {
  for (const DeviceDialogChange* c = d.changes; c != nullptr && c->controlId != 0; ++c) {
    if (c->show != nullptr) c->show(dialog, ctx, *c);
  }
}

// A change of one control: its bytes kept, the control read, the
// constraint pass; a refusal puts the bytes back and shows them; then the
// hint, what follows the change, the enable rules and a repaint.
void CommitChange(HWND dialog, SheetCtx* ctx, const DeviceDialog& d, const DeviceDialogChange& c) {
  uint32_t bytes = 0;
  uint8_t* place = c.place != nullptr ? c.place(dialog, ctx, c, &bytes) : nullptr;
  if (place == nullptr || bytes == 0 || c.read == nullptr) return;
  const std::vector<uint8_t> old(place, place + bytes);
  if (!c.read(dialog, ctx, c)) return;
  if (ConstraintRefused(RunSheetConstraints(dialog, DialogTooltipOf(dialog), c.controlId))) {
    std::memcpy(place, old.data(), bytes);
    if (c.show != nullptr) c.show(dialog, ctx, c);
  }
  DispPageHint(dialog, ctx, d.changeHintPageId != 0 ? d.changeHintPageId : HintPageOf(d));
  if (c.after != nullptr) c.after(dialog, ctx, c);
  if (d.enableRules != nullptr) d.enableRules(dialog, ctx);
  InvalidateRect(dialog, nullptr, FALSE);
}

void Init(HWND dialog, SheetCtx* ctx) {
  const DeviceDialog* d = DescOf(dialog);
  if (d == nullptr) return;
  if (d->texts != nullptr) ApplyDispStrings(dialog, d->texts);
  if (d->init != nullptr) d->init(dialog, ctx);
  ShowChanges(dialog, ctx, *d);
}
void EnableRules(HWND dialog, SheetCtx* ctx) {
  const DeviceDialog* d = DescOf(dialog);
  if (d != nullptr && d->enableRules != nullptr) d->enableRules(dialog, ctx);
}
bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  const DeviceDialog* d = DescOf(dialog);
  if (d == nullptr) return false;
  for (const DeviceDialogChange* c = d->changes; c != nullptr && c->controlId != 0; ++c) {
    if (c->controlId == id && c->notify == code) {
      CommitChange(dialog, ctx, *d, *c);
      return true;
    }
  }
  return d->command != nullptr && d->command(dialog, ctx, id, code);
}
bool Ok(HWND dialog, SheetCtx* ctx) {
  const DeviceDialog* d = DescOf(dialog);
  return d == nullptr || d->ok == nullptr || d->ok(dialog, ctx);
}
void Defaults(HWND dialog, SheetCtx* ctx) {
  const DeviceDialog* d = DescOf(dialog);
  if (d == nullptr || d->defaults == nullptr) return;
  d->defaults(dialog, ctx);
  ShowChanges(dialog, ctx, *d);
}
void Cancel(HWND dialog, SheetCtx* ctx) {
  const DeviceDialog* d = DescOf(dialog);
  if (d != nullptr && d->cancel != nullptr) d->cancel(dialog, ctx);
}
bool DrawItem(HWND dialog, SheetCtx* ctx, const DRAWITEMSTRUCT* item) {
  const DeviceDialog* d = DescOf(dialog);
  return d != nullptr && d->drawItem != nullptr && d->drawItem(dialog, ctx, item);
}
bool Notify(HWND dialog, SheetCtx* ctx, const NMHDR* note, LRESULT* result) {
  const DeviceDialog* d = DescOf(dialog);
  return d != nullptr && d->notify != nullptr && d->notify(dialog, ctx, note, result);
}
bool Other(HWND dialog, SheetCtx* ctx, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  const DeviceDialog* d = DescOf(dialog);
  if (d == nullptr) return false;
  if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && d->checksOnActivate != 0) {
    RunSheetConstraints(dialog, DialogTooltipOf(dialog), 0);
    DispPageHint(dialog, ctx, HintPageOf(*d));
  }
  return d->other != nullptr && d->other(dialog, ctx, message, wParam, lParam, result);
}
void Destroy(HWND dialog) {
  const DeviceDialog* d = DescOf(dialog);
  if (d != nullptr && d->destroy != nullptr) d->destroy(dialog);
}

}  // namespace

INT_PTR RunDescribedDeviceDialog(const DeviceDialog& desc, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  DeviceDialogState* state = StateOf(dialog);
  if (message == WM_INITDIALOG && state == nullptr) {
    auto made = std::make_unique<DeviceDialogState>();
    made->desc = &desc;
    for (const DeviceItemHeight* h = desc.itemHeights; h != nullptr && h->controlId != 0; ++h) {
      made->heights.push_back({h->controlId, h->height});
    }
    made->heights.push_back({0, 0});
    state = made.release();
    SetPropW(dialog, kStateProp, state);
  }
  const DocumentDialog skeleton = {
      .templateId = desc.templateId,
      .helpIds = desc.helpIds,
      .helpTopic = desc.helpTopic,
      .clipTitle = desc.clipTitle,
      .comboHeights = state != nullptr ? state->heights.data() : nullptr,
      .hintPageId = desc.hintPageId,
      .editsDocument = desc.editsDocument != 0,
      .offersToDeviceLibrary = false,
      .init = Init,
      .enableRules = EnableRules,
      .command = Command,
      .ok = Ok,
      .defaults = desc.defaults != nullptr ? Defaults : nullptr,
      .drawItem = DrawItem,
      .notify = Notify,
      .destroy = Destroy,
      .cancel = Cancel,
      .other = Other,
  };
  const INT_PTR result = RunDocumentDialog(skeleton, dialog, message, wParam, lParam);
  if (message == WM_DESTROY) delete static_cast<DeviceDialogState*>(RemovePropW(dialog, kStateProp));
  return result;
}
