#include "dproc/preview/preview_area_win.h"

#include <cstdio>
#include <cstring>

#include "common/qxd/paper_tables.h"
#include "common/records/doc_fields.h"
#include "common/win/driver_help.h"
#include "common/records/fax_send_block.h"
#include "dproc/dialogs/control_tooltips_win.h"
#include "dproc/dialogs/dialog_ui_state.h"
#include "dproc/model/device_option_values.h"
#include "dproc/model/user_paper_list.h"
#include "dproc/preview/paper_view_inputs.h"
#include "dproc/preview/paper_view_render_win.h"
#include "dproc/preview/preview_overrides.h"
#include "dproc/preview/status_icons.h"
#include "dproc/preview/view_toggle.h"
#include "dproc/settings/settings_merge.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/ui_state_layout.h"

namespace {

static_assert(sizeof(PreviewUiState) <= kUiStatePreviewBytes);
static_assert(kUiStateFreeAt <= kSheetUiStateSize);

#define AT(member) DOC_FIELD_AT(member)

bool ShellOpener(HWND window, const wchar_t* url) { return ShellOpen(window, url); }
WebPageOpener g_opener = ShellOpener;

bool IsDeviceSheet(int pageId) { return pageId == 156 || pageId == 157; }

}  // namespace

PreviewUiState* PreviewStateOf(SheetUiState* state) {
  return state != nullptr ? reinterpret_cast<PreviewUiState*>(state->bytes + kUiStatePreviewAt) : nullptr;
}

void FillPrinterViewOptions(const ModelInfo* model, const DeviceOptionItem* deviceOptions, const DevOption* option,
                            const DocDMode* doc, bool documentSheet, PrinterViewOptions* out) {
  std::memset(out, 0, sizeof *out);
  if (option == nullptr) return;
  out->documentSheet = documentSheet ? 1 : 0;
  out->deviceOptions = deviceOptions;
  out->deviceOption = option;
  if (!documentSheet || doc == nullptr) return;
  const int16_t tray = DocI16(doc, AT(nDefaultSource));
  if (model != nullptr && model->inTrays != nullptr) {
    for (const InTrayEntry* row = model->inTrays; row->size != 0; ++row) {
      if (row->keyword[0] != '\0' && row->binId == static_cast<uint32_t>(static_cast<uint16_t>(tray))) {
        std::memcpy(out->inTrayKeyword, row->keyword, sizeof out->inTrayKeyword - 1);
        break;
      }
    }
  }
  const int16_t outTray = DocI16(doc, AT(nOutBin));
  for (int i = 0; i < 12; ++i) out->outputTrays[i] = kPrinterViewOutputTrays[i] == outTray ? 1 : 0;
  out->centreStaple = DocByte(doc, AT(bCenterStapleFold)) != 0;
  const struct {
    uint8_t on;
    int16_t value;
  } covers[2] = {{DocByte(doc, AT(CoverMFP_bPIFCover)), DocI16(doc, AT(CoverMFP_nPIFCoverTray))},
                 {DocByte(doc, AT(CoverMFP_bPIBCover)), DocI16(doc, AT(CoverMFP_nPIBCoverTray))}};
  for (const auto& c : covers) {
    if (c.on == 0) continue;
    if (c.value == 1001) out->postInserterA = 1;
    if (c.value == 1002) out->postInserterB = 1;
  }
  if (DocByte(doc, AT(bFolding)) != 0) {
    out->foldKind3 = DocByte(doc, AT(nFoldingMode)) == 3;
    out->foldKind5 = DocByte(doc, AT(nFoldingMode)) == 5;
  }
}

static PaperViewInputs PaperInputsOf(const DocDMode* doc, const SheetCtx* ctx, const ModelInfo* model) {
  SheetUiState* ui = GetUIState(ctx);
  // While a change is being checked the picture keeps the old values: the
  // settings shown are a copy with the overrides in place (kept until the
  // next picture, on the one thread that draws the sheets).
  static DocDMode shown;
  if (const LayoutPreviewOverrides* o = LayoutOverridesOf(ui); o != nullptr && doc != nullptr) {
    shown = *doc;
    if (ApplyPreviewOverrides(*o, Fields(shown))) doc = &shown;
  }
  const UserPaperUiState* papers =
      ui != nullptr ? reinterpret_cast<const UserPaperUiState*>(ui->bytes + kUiStateUserPapersAt) : nullptr;
  const SheetCtxHost host = ResolveSheetCtx(ctx).host;
  PaperViewSources src{model, doc, papers != nullptr ? &papers->list : nullptr,
                       host == SheetCtxHost::kPluginDocument || host == SheetCtxHost::kPluginDevice,
                       CalcFitZoom(model, doc)};
  if (papers != nullptr) {
    src.papers = papers->papers;
    src.paperCount = papers->paperCount;
    src.outPapers = papers->outPapers;
    src.outPaperCount = papers->outPaperCount;
  }
  return ReadPaperViewInputs(src);
}

void DrawPaperViewEx(const DocDMode* settings, HDC dc, const RECT& rect, const SheetCtx* ctx, bool full,
                     const ModelInfo* model, HMODULE images) {
  if (settings == nullptr || dc == nullptr) return;
  const PaperViewInputs in = PaperInputsOf(settings, ctx, model);
  PaperViewDevice device(dc, images);
  const PaperViewPlan plan =
      BuildPaperViewPlanEx(in, {rect.left, rect.top, rect.right, rect.bottom}, device.Env(), full);
  RenderPaperViewPlanDirect(device, plan);
}

namespace {

HBITMAP LoadStripPicture(HMODULE images, uint32_t id) {
  return images != nullptr ? static_cast<HBITMAP>(LoadImageW(images, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0))
                           : nullptr;
}

void StretchPicture(HDC dc, HBITMAP bitmap, const PlanRect& to, DWORD rop) {
  BITMAP info{};
  if (GetObjectW(bitmap, sizeof info, &info) == 0) return;
  HDC source = CreateCompatibleDC(dc);
  if (source == nullptr) return;
  HGDIOBJ old = SelectObject(source, bitmap);
  StretchBlt(dc, to.left, to.top, to.Width(), to.Height(), source, 0, 0, info.bmWidth, info.bmHeight, rop);
  SelectObject(source, old);
  DeleteDC(source);
}

StatusIconInputs StatusInputsOf(const SheetCtx* ctx, const ModelInfo* model, const DeviceOptionItem* options) {
  StatusIconInputs in;
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc != nullptr) {
    in.faxPrintReport = DocByte(doc, kFaxSettingDocAt + offsetof(FaxSetting, fgPrtRecFile)) != 0;
    in.faxTimerSend = DocByte(doc, kFaxSettingDocAt + offsetof(FaxSetting, fgTimerSend)) != 0;
    in.faxCoverSheet = DocByte(doc, kFaxSettingDocAt + offsetof(FaxSetting, fgFaxCoverSheet)) != 0;
    const PaperViewInputs paper = PaperInputsOf(doc, ctx, model);
    in.watermark = paper.watermark != 0;
    in.watermarkHidden = paper.watermarkHidden;
    in.watermarkTransparent = paper.wmTransparent != 0;
  }
  const DevOption* option = GetCtxPrinterInfo(ctx);
  if (model != nullptr) {
    in.showUserAuth = model->features[kMfUserAuthentication2] != 0;
    in.showAccountTrack = model->features[kMfAccountTrackSetting] != 0;
  }
  in.userAuthOff = IsDeviceOptionValue(option, options, "DevUserAuthentication", "DevUserAuthentic_Dis");
  in.accountTrackOn = IsDeviceOptionValue(option, options, "DevAccountTrack", "DevAccountTrack_Ena");
  return in;
}

}  // namespace

void DrawDevFuncIcons(HDC dc, const RECT& rect, HWND dialog, HWND tooltip, const SheetCtx* ctx,
                      const ModelInfo* model, const DeviceOptionItem* deviceOptions, HMODULE images) {
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (dc == nullptr || width <= 0 || height <= 0) return;
  HDC memory = CreateCompatibleDC(dc);
  if (memory == nullptr) return;
  HBITMAP surface = CreateCompatibleBitmap(dc, width, height);
  if (surface == nullptr) {
    DeleteDC(memory);
    return;
  }
  HGDIOBJ oldSurface = SelectObject(memory, surface);
  const RECT all{0, 0, width, height};
  FillRect(memory, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const PlanRect control{0, 0, width, height};
  for (const StatusIcon& icon : StatusIconList(StatusInputsOf(ctx, model, deviceOptions))) {
    HBITMAP image = LoadStripPicture(images, icon.image);
    HBITMAP mask = LoadStripPicture(images, icon.mask);
    if (image != nullptr && mask != nullptr) {
      BITMAP info{};
      GetObjectW(image, sizeof info, &info);
      const PlanRect to = FitPictureInto(StatusIconCell(control, icon.row, icon.column),
                                         PlanSize{info.bmWidth, info.bmHeight});
      StretchPicture(memory, mask, to, SRCAND);
      StretchPicture(memory, image, to, SRCINVERT);
      const RECT tip{to.left, to.top, to.right, to.bottom};
      if (dialog != nullptr && tooltip != nullptr) ShowViewTip(dialog, tooltip, tip, &icon.tipIndex);
    }
    if (image != nullptr) DeleteObject(image);
    if (mask != nullptr) DeleteObject(mask);
  }
  DrawSunkenFrame(memory, all);
  BitBlt(dc, rect.left, rect.top, width, height, memory, 0, 0, SRCCOPY);
  SelectObject(memory, oldSurface);
  DeleteObject(surface);
  DeleteDC(memory);
}

static void DrawPaperPreview(HDC dc, const RECT& rect, const SheetCtx* ctx, const ModelInfo* model, HMODULE images) {
  DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const PaperViewInputs in = PaperInputsOf(doc, ctx, model);
  PaperViewDevice device(dc, images);
  const PaperViewPlan plan = BuildPaperViewPlan(in, {rect.left, rect.top, rect.right, rect.bottom}, device.Env());
  RenderPaperViewPlan(device, plan, rect);
}

void DrawSheetPreview(int pageId, HWND, HDC dc, const RECT& rect, const SheetCtx* ctx, const ModelInfo* model,
                      const DeviceOptionItem* deviceOptions, const PreviewModules& modules) {
  const PreviewUiState* state = PreviewStateOf(GetUIState(ctx));
  const bool printer = IsDeviceSheet(pageId) || (state != nullptr && state->viewFlag == 1);
  if (printer) {
    // Without the device library's drawing the printer view stays empty.
    if (modules.drawPrinterView == nullptr) return;
    PrinterViewOptions options;
    FillPrinterViewOptions(model, deviceOptions, GetCtxPrinterInfo(ctx), GetPrivDevMode(ctx), !IsDeviceSheet(pageId),
                           &options);
    const RECT inner{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
    modules.drawPrinterView(dc, &inner, &options);
    DrawSunkenFrame(dc, rect);
    return;
  }
  if (!printer && (pageId == 105 || pageId == 196)) {
    const DocDMode* doc = GetPrivDevMode(ctx);
    DrawQualityView(dc, rect, doc != nullptr ? DocByte(doc, AT(nColorMatch)) : 0, modules.images);
    return;
  }
  DrawPaperPreview(dc, rect, ctx, model, modules.images);
}

void SetViewToggleText(int pageId, HWND dialog, uint8_t viewFlag) {
  const char16_t* text = FindViewToggleText(CommonItemTable(), ViewToggleKey(pageId, viewFlag));
  if (text != nullptr) SetDlgItemTextW(dialog, kViewToggleControl, reinterpret_cast<const wchar_t*>(text));
}

void EnableWebLinkButton(HWND dialog, const SheetCtx* ctx) {
  const char* address = UiDeviceAddress(GetUIState(ctx));
  EnableCtrlIfVisible(GetDlgItem(dialog, kWebLinkControl), address != nullptr && address[0] != '\0');
}

void SetWebPageOpener(WebPageOpener opener) { g_opener = opener != nullptr ? opener : ShellOpener; }

void OpenDeviceWebPage(HWND dialog, const char* address) {
  if (address == nullptr || address[0] == '\0') return;
  wchar_t wide[65] = {};
  const int n = MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, address, static_cast<int>(strnlen(address, 64)), wide, 64);
  if (n <= 0) return;
  wchar_t url[96];
  std::swprintf(url, 96, L"http://%ls/", wide);
  g_opener(dialog, url);
}

void PreviewAreaProc(int pageId, HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      const SheetCtx* ctx = reinterpret_cast<const SheetCtx*>(lParam);
      PreviewUiState* state = PreviewStateOf(GetUIState(ctx));
      if (state != nullptr && state->addressRead == 0) {
        UpdateCtxDeviceAddress(dialog, ctx);
        state->addressRead = 1;
      }
      break;
    }
    case WM_COMMAND: {
      if (HIWORD(wParam) != 0) break;
      const SheetCtx* ctx = GetDlgPrcCtx(dialog);
      if (LOWORD(wParam) == kViewToggleControl) {
        PreviewUiState* state = PreviewStateOf(GetUIState(ctx));
        if (state == nullptr) break;
        state->viewFlag = state->viewFlag != 0 ? 0 : 1;
        SetViewToggleText(pageId, dialog, state->viewFlag);
        InvalidateRect(dialog, nullptr, FALSE);
      } else if (LOWORD(wParam) == kWebLinkControl) {
        OpenDeviceWebPage(dialog, UiDeviceAddress(GetUIState(ctx)));
      }
      break;
    }
    case WM_NOTIFY: {
      const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header != nullptr && header->code == static_cast<UINT>(PSN_SETACTIVE)) {
        const PreviewUiState* state = PreviewStateOf(GetUIState(GetDlgPrcCtx(dialog)));
        SetViewToggleText(pageId, dialog, state != nullptr ? state->viewFlag : 0);
      }
      break;
    }
    default:
      break;
  }
}
