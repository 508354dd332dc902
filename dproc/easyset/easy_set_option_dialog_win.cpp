#include "dproc/easyset/easy_set_option_dialog_win.h"

#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/sheets/dialog_skeleton_win.h"

namespace {

constexpr int kSelectAll = 1034;
// The boxes of restore options 0 to 3, in that order.
constexpr int kBoxes[kEasySetOptionBoxes] = {2054, 1920, 1925, 1926};
constexpr int kSharedBox = 1926;

const DWORD kHelpIds[] = {2054, 9850, 1920, 9860, 1925, 9870, 1926, 9880, 1034, 9890, 1032, 9510, 0, 0};

// The dialog's context is the request, not a sheet context.
EasySetOptionRequest* RequestOf(SheetCtx* ctx) { return reinterpret_cast<EasySetOptionRequest*>(ctx); }

void ShowBoxes(HWND dialog, const uint8_t* options, bool admin) {
  for (uint32_t i = 0; i < kEasySetOptionBoxes; ++i) {
    const bool on = options[i] != 0 && (kBoxes[i] != kSharedBox || admin);
    CheckDlgButton(dialog, kBoxes[i], on ? BST_CHECKED : BST_UNCHECKED);
  }
}

void Init(HWND dialog, SheetCtx* ctx) {
  const EasySetOptionRequest* request = RequestOf(ctx);
  if (request == nullptr || request->restore == nullptr) return;
  ShowBoxes(dialog, request->restore, request->admin);
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  const EasySetOptionRequest* request = RequestOf(ctx);
  EnableWindow(GetDlgItem(dialog, kSharedBox), request != nullptr && request->admin);
}

bool Command(HWND dialog, SheetCtx* ctx, int id, int code) {
  if (id != kSelectAll || code != BN_CLICKED) return false;
  const uint8_t all[kEasySetOptionBoxes] = {1, 1, 1, 1};
  const EasySetOptionRequest* request = RequestOf(ctx);
  ShowBoxes(dialog, all, request != nullptr && request->admin);
  return true;
}

// Default shows the default restore options (none) without writing them;
// the focus stays on Default.
void Defaults(HWND dialog, SheetCtx* ctx) {
  const uint8_t none[kEasySetOptionBoxes] = {};
  const EasySetOptionRequest* request = RequestOf(ctx);
  ShowBoxes(dialog, none, request != nullptr && request->admin);
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  EasySetOptionRequest* request = RequestOf(ctx);
  if (request == nullptr || request->restore == nullptr) return true;
  for (uint32_t i = 0; i < kEasySetOptionBoxes; ++i) {
    request->restore[i] = IsDlgButtonChecked(dialog, kBoxes[i]) == BST_CHECKED ? 1 : 0;
  }
  return true;
}

const DocumentDialog kDialog = {
    .templateId = kEasySetOptionTemplate,
    .textSection = "Dlg_EasySetOpt",
    .helpIds = kHelpIds,
    .helpTopic = 9845,
    .editsDocument = false,
    .checksConstraints = false,
    .init = Init,
    .enableRules = EnableRules,
    .command = Command,
    .ok = Ok,
    .defaults = Defaults,
};

}  // namespace

INT_PTR CALLBACK EasySetOptionDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}

intptr_t OpenEasySetOptionDialog(HWND owner, EasySetOptionRequest* request) {
  return RunSheetDialog(owner, kEasySetOptionTemplate, EasySetOptionDlgProc, reinterpret_cast<LPARAM>(request));
}
