// The overlay form list box and the watermark/overlay sheet's actions on it.
#include "dproc/overlay/overlay_list_win.h"

#include <cstring>
#include <string>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/user_registry.h"
#include "dproc/overlay/overlay_dialogs_win.h"
#include "dproc/overlay/form_store_win.h"
#include "dproc/overlay/overlay_session_win.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/message_box.h"

namespace {

std::wstring ItemText(const FormFileNode& node) {
  const std::wstring name = FormDisplayName(node.header);
  const std::wstring file = FormFileNameOf(node.path);
  return name.empty() ? file : file + L" (" + name + L")";
}
std::wstring ItemText(const DriverFormNode& node) {
  const std::wstring location = FormLocationText(node.location);
  if (node.formName[0] == '\0') return FormTextWide(node.name) + L" " + location;
  return FormTextWide(node.name) + L" (" + FormTextWide(node.formName) + L") " + location;
}

HWND List(HWND window) { return GetDlgItem(window, kOverlayListControl); }
int Count(HWND window) { return static_cast<int>(SendMessageW(List(window), LB_GETCOUNT, 0, 0)); }
int Selected(HWND window) { return static_cast<int>(SendMessageW(List(window), LB_GETCURSEL, 0, 0)); }
void* ItemNode(HWND window, int index) {
  const LRESULT data = SendMessageW(List(window), LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
  return data == LB_ERR ? nullptr : reinterpret_cast<void*>(data);
}

}  // namespace

void FillOverlayList(HWND window, const SheetCtx* ctx) {
  HWND list = List(window);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  auto add = [list](const std::wstring& text, void* node) {
    const LRESULT at = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (at >= 0) SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(node));
  };
  if (IsSoftOverlayMode()) {
    if (FormFileList* forms = SessionFormFiles(ctx)) {
      for (auto& node : forms->nodes) add(ItemText(*node), node.get());
    }
  } else if (DriverFormList* forms = SessionDeviceForms(ctx)) {
    for (auto& node : forms->nodes) {
      if (node->registered) add(ItemText(*node), node.get());
    }
  }
}

bool SelectOverlayItem(HWND window, const SheetCtx* ctx) {
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  const int count = Count(window);
  bool changed = false;
  if (f.nFormListPos >= count) {
    f.nFormListPos = static_cast<int16_t>(count == 0 ? -1 : 0);
    changed = true;
  }
  SendMessageW(List(window), LB_SETCURSEL, static_cast<WPARAM>(f.nFormListPos), 0);
  return changed;
}

bool TakeSelectedOverlay(HWND window, const SheetCtx* ctx) {
  const int at = Selected(window);
  if (at < 0) return false;
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  f.nFormListPos = static_cast<int16_t>(at);
  if (!IsSoftOverlayMode()) {
    if (const auto* node = static_cast<const DriverFormNode*>(ItemNode(window, at))) {
      CopyFormText(f.szOvlFname_PS, sizeof f.szOvlFname_PS, node->name);
      f.dwOvlSrcType = node->location;
    } else {
      std::memset(f.szOvlFname_PS, 0, sizeof f.szOvlFname_PS);
      DocDMode defaults;
      if (CopyDefaultOEMDevMode(ctx, &defaults)) f.dwOvlSrcType = Fields(defaults).dwOvlSrcType;
    }
  }
  return true;
}

int ImportFormFileInto(HWND window, const SheetCtx* ctx, bool* chosen) {
  *chosen = false;
  FormFileList* forms = SessionFormFiles(ctx);
  FormFileRequest request{};
  wchar_t printer[kFormPathChars], driver[kFormPathChars];
  SessionPrinterNames(ctx, printer, driver);
  request.mode = 1;
  request.makerName = MakerName();
  request.printerName = printer;
  request.driverName = driver;
  request.owner = window;
  const int at = Selected(window);
  if (const auto* node = at >= 0 ? static_cast<const FormFileNode*>(ItemNode(window, at)) : nullptr) {
    node->path.copy(request.path, kFormRequestPathChars - 1);
    FormDisplayName(node->header).copy(request.formName, kFormRequestNameChars - 1);
  }
  if (ShowFormFileDialog(&request) == 0 || forms == nullptr) return -1;
  *chosen = true;
  int found = -1;
  for (int i = 0, n = Count(window); i < n && found < 0; ++i) {
    const auto* node = static_cast<const FormFileNode*>(ItemNode(window, i));
    if (node != nullptr && CompareStringOrdinal(node->path.c_str(), -1, request.path, -1, TRUE) == CSTR_EQUAL) {
      found = i;
    }
  }
  if (found < 0 && AddFormFileNode(request.path, forms) != nullptr) {
    FillOverlayList(window, ctx);
    found = Count(window) - 1;
  }
  if (found >= 0) SendMessageW(List(window), LB_SETCURSEL, static_cast<WPARAM>(found), 0);
  SaveOverlayFormList(forms);
  return found;
}

bool OverlayInfoFromSheet(HWND sheet, SheetCtx* ctx, OverlayDialogRunner run) {
  OverlayUiState* state = OverlayStateOf(ctx);
  if (state == nullptr || run == nullptr) return false;
  const bool soft = IsSoftOverlayMode();
  const int at = Selected(sheet);
  state->current = at >= 0 ? ItemNode(sheet, at) : nullptr;
  if (state->current == nullptr) {
    if (soft) {
      FormFileList* forms = SessionFormFiles(ctx);
      if (forms != nullptr && !forms->nodes.empty()) state->current = forms->nodes[0].get();
    } else if (DriverFormList* forms = SessionDeviceForms(ctx); forms != nullptr && !forms->nodes.empty()) {
      state->current = forms->nodes[0].get();
    }
  }
  const intptr_t result =
      run(sheet, soft ? kOverlayFormFileTemplate : kOverlayDeviceFormTemplate, OverlayFormDlgProc,
          reinterpret_cast<LPARAM>(ctx));
  if (result != 1) return false;
  FillOverlayList(sheet, ctx);
  if (Count(sheet) == 0) {
    CheckDlgButton(sheet, 1205, BST_UNCHECKED);
    Fields(*GetPrivDevMode(ctx)).bOverlay = 0;
  }
  SelectOverlayItem(sheet, ctx);
  if (!soft) TakeSelectedOverlay(sheet, ctx);
  return true;
}

bool NewOverlayFromSheet(HWND sheet, SheetCtx* ctx, OverlayDialogRunner run) {
  if (!IsSoftOverlayMode()) {
    const ModelInfo* model = ProcessModelInfo();
    const uint16_t templateId =
        model != nullptr && model->features[kMfOverlayMgrType] == 2 ? kFormManagerType2Template : kFormManagerTemplate;
    if (run == nullptr || run(sheet, templateId, OverlayFormMgrDlgProc, reinterpret_cast<LPARAM>(ctx)) != 1) {
      return true;
    }
    FillOverlayList(sheet, ctx);
    SelectOverlayItem(sheet, ctx);
    SaveDeviceFormList(SessionDeviceForms(ctx));
    return true;
  }
  bool chosen = false;
  if (ImportFormFileInto(sheet, ctx, &chosen) >= 0) TakeSelectedOverlay(sheet, ctx);
  return true;
}

bool RemoveOverlayFromSheet(HWND sheet, SheetCtx* ctx) {
  const int at = Selected(sheet);
  if (at < 0) return false;
  const bool soft = IsSoftOverlayMode();
  void* node = ItemNode(sheet, at);
  std::wstring first, second;
  if (soft && node != nullptr) {
    const auto* form = static_cast<const FormFileNode*>(node);
    first = FormFileNameOf(form->path);
    second = FormDisplayName(form->header);
  } else if (node != nullptr) {
    const auto* form = static_cast<const DriverFormNode*>(node);
    first = FormTextWide(form->name);
    second = FormTextWide(form->formName);
  }
  if (ShowMessageBoxStr(sheet, 5, 6, 310, MB_YESNO | MB_ICONQUESTION, first.c_str(), second.c_str()) != IDYES) {
    return false;
  }
  SetFocusCtrl(sheet, kOverlayListControl);
  if (OverlayUiState* state = OverlayStateOf(ctx); state != nullptr && state->current == node) state->current = nullptr;
  if (soft) {
    FormFileList* forms = SessionFormFiles(ctx);
    RemoveFormFileNode(forms, static_cast<FormFileNode*>(node));
    SendMessageW(List(sheet), LB_DELETESTRING, static_cast<WPARAM>(at), 0);
    SaveOverlayFormList(forms);
  } else {
    DriverFormList* forms = SessionDeviceForms(ctx);
    if (node != nullptr) static_cast<DriverFormNode*>(node)->registered = 0;
    SendMessageW(List(sheet), LB_DELETESTRING, static_cast<WPARAM>(at), 0);
    SaveDeviceFormList(forms);
  }
  SendMessageW(List(sheet), LB_SETCURSEL, 0, 0);
  if (!TakeSelectedOverlay(sheet, ctx)) Fields(*GetPrivDevMode(ctx)).nFormListPos = -1;
  return true;
}
