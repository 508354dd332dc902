// The sheet context on each kind of host: the user interface core's
// session, a plug-in host's document and device page records, and none.
#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/sheet_context.h"
#include "tests/support/test_printer_win.h"

namespace {

struct UpdateCall {
  OPTITEM* item;
  DWORD flagsDuringCall;
  LONG selDuringCall;
  PVOID uiObject;
  DWORD mode;
};
std::vector<UpdateCall> g_updates;

HRESULT STDMETHODCALLTYPE RecordUpdate(PrintCoreUi*, PVOID pci, PVOID optItem, DWORD, DWORD mode) {
  auto* item = static_cast<OPTITEM*>(optItem);
  g_updates.push_back({item, item->Flags, item->Sel, pci, mode});
  return S_OK;
}
const PrintCoreUiVtbl kCoreUiVtbl = {nullptr, nullptr, nullptr, nullptr, nullptr, RecordUpdate};

std::vector<WORD> g_callbackReasons;
LONG APIENTRY RecordCallback(PCPSUICBPARAM param, OEMCUIPPARAM*) {
  g_callbackReasons.push_back(param->Reason);
  return 0;
}

// A plug-in host with four option items: copies/collate (3), form name (9)
// with three forms, orientation (1) with options named by a resource id and
// by texts, and an item named by resource id 464.
struct Host {
  OEMUIOBJ uiObject = {sizeof(OEMUIOBJ), nullptr};
  OEMUIPSPARAM ps = {};
  OEMCUIPPARAM cui = {};
  PrintCoreUi core = {&kCoreUiVtbl};
  OPTPARAM orientationOptions[3] = {};
  OPTTYPE orientationType = {};
  OPTPARAM formOptions[3] = {};
  OPTTYPE formType = {};
  OPTITEM items[4] = {};
  DEVMODEW publicDm = {};
  std::unique_ptr<PluginDocPage> doc = std::make_unique<PluginDocPage>();
  std::unique_ptr<DocDMode> hostDoc = std::make_unique<DocDMode>();

  Host() {
    *doc = PluginDocPage{};
    orientationOptions[0].pData = MAKEINTRESOURCEW(5);  // data that is a resource id
    orientationOptions[1].pData = const_cast<wchar_t*>(L"Portrait");
    orientationOptions[2].pData = const_cast<wchar_t*>(L"Landscape");
    orientationType.Count = 3;
    orientationType.pOptParam = orientationOptions;
    formType.Count = 3;
    formType.pOptParam = formOptions;
    items[0].DMPubID = DMPUB_COPIES_COLLATE;
    items[1].DMPubID = DMPUB_FORMNAME;
    items[1].pOptType = &formType;
    items[2].DMPubID = DMPUB_ORIENTATION;
    items[2].pOptType = &orientationType;
    items[3].pName = MAKEINTRESOURCEW(464);
    for (OPTITEM& i : items) i.Flags = OPTIF_HIDE;
    ps.hPrinter = reinterpret_cast<HANDLE>(0x1234);
    ps.pOEMDM = hostDoc.get();
    ps.poemuiobj = &uiObject;
    cui.pPublicDM = &publicDm;
    cui.pDrvOptItems = items;
    cui.cDrvOptItems = 4;
    cui.OEMCUIPCallback = RecordCallback;
    doc->marker = 0x5A;
    doc->kind = kPluginDocumentKind;
    doc->cuiParam = &cui;
    doc->coreUi = &core;
    doc->psParam = &ps;
  }
};

SheetCtx Ctx(void* record) {
  SheetCtx ctx = {};
  ctx.dwSize = sizeof ctx;
  ctx.lParam = reinterpret_cast<LPARAM>(record);
  return ctx;
}

class SheetContextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_updates.clear();
    g_callbackReasons.clear();
  }
};

TEST_F(SheetContextTest, SessionFieldsThroughEveryAccessor) {
  for (uint16_t kind : {kSheetDocumentSession, kSheetDeviceSession}) {
    auto session = std::make_unique<SheetSession>();
    *session = SheetSession{};
    session->kind = kind;
    session->printer = reinterpret_cast<HANDLE>(0x77);
    session->mayChange = 0;
    session->mode = kind == kSheetDeviceSession ? kSheetModeDevice : kSheetModeAdvanced;
    session->working = &session->workingRecord;
    session->values[kSheetPrinterDefaultsFlag] = 1;
    SheetCtx ctx = Ctx(session.get());

    EXPECT_EQ(GetPrivDevMode(&ctx), &session->workingRecord.devmode.doc);
    EXPECT_EQ(GetCtxPrinterHandle(&ctx), reinterpret_cast<HANDLE>(0x77));
    EXPECT_EQ(GetCtxPageFlags(&ctx), 0u);
    EXPECT_FALSE(CanChangeDocSettings(&ctx));
    EXPECT_FALSE(CanChangeDeviceSettings(&ctx));
    EXPECT_EQ(reinterpret_cast<void*>(GetCtxPublicDevMode(&ctx)), &session->workingRecord);
    EXPECT_EQ(GetCtxSessionFlag(&ctx), 1u);
    EXPECT_EQ(GetUIState(&ctx), &session->uiState);
    EXPECT_EQ(GetPrivDevModeBackup(&ctx), &session->docBackup);
    EXPECT_EQ(GetCtxPrinterInfo(&ctx), &session->workingRecord.device.option);
    EXPECT_EQ(GetCtxTrayStatus(&ctx), &session->deviceStatus);
    EXPECT_EQ(IsDocPropertiesMode(&ctx), kind == kSheetDocumentSession);

    session->mayChange = 1;
    EXPECT_TRUE(CanChangeDocSettings(&ctx));
    session->working = nullptr;
    EXPECT_EQ(GetPrivDevMode(&ctx), nullptr);
    EXPECT_EQ(GetCtxPrinterInfo(&ctx), nullptr);
    EXPECT_EQ(GetCtxPublicDevMode(&ctx), nullptr);

    // The setters leave a session alone and call nothing.
    SetCollateCheck(&ctx, TRUE);
    SetCpsuiItemSel(&ctx, DMPUB_FORMNAME, 2);
    NotifySheetApply(&ctx);
    EXPECT_TRUE(g_updates.empty());
    EXPECT_TRUE(g_callbackReasons.empty());
  }
}

TEST_F(SheetContextTest, DeviceAddressByTheAddressKind) {
  auto session = std::make_unique<SheetSession>();
  *session = SheetSession{};
  session->kind = kSheetDocumentSession;
  session->printer = nullptr;
  session->working = &session->workingRecord;
  SheetCtx ctx = Ctx(session.get());
  DevOption& device = session->workingRecord.device.option;
  std::memcpy(device.deviceAddress, u"fax.example.net", sizeof u"fax.example.net");
  char* text = UiDeviceAddress(GetUIState(&ctx));
  ASSERT_NE(text, nullptr);

  device.destCustomize = 2;  // the stored address
  UpdateCtxDeviceAddress(nullptr, &ctx);
  EXPECT_STREQ(text, "fax.example.net");
  device.destCustomize = 1;  // another kind: left as it is
  std::memcpy(device.deviceAddress, u"other", sizeof u"other");
  UpdateCtxDeviceAddress(nullptr, &ctx);
  EXPECT_STREQ(text, "fax.example.net");
  device.destCustomize = 0;  // the port of a printer that cannot be asked: empty
  UpdateCtxDeviceAddress(nullptr, &ctx);
  EXPECT_EQ(std::string(text, kUiDeviceAddressBytes), std::string(kUiDeviceAddressBytes, '\0'));

  // Without device settings or without a context nothing is written.
  session->working = nullptr;
  std::strcpy(text, "kept");
  UpdateCtxDeviceAddress(nullptr, &ctx);
  EXPECT_STREQ(text, "kept");
  UpdateCtxDeviceAddress(nullptr, nullptr);
  EXPECT_EQ(UiDeviceAddress(nullptr), nullptr);
}

TEST_F(SheetContextTest, DocumentHostRecord) {
  Host host;
  host.ps.dwFlags = kPluginNoDocChange | kPluginPrinterPropsFlag;
  host.doc->sessionFlag = 1;
  SheetCtx ctx = Ctx(host.doc.get());
  EXPECT_EQ(GetPrivDevMode(&ctx), host.hostDoc.get());
  EXPECT_EQ(GetCtxPrinterHandle(&ctx), reinterpret_cast<HANDLE>(0x1234));
  EXPECT_EQ(GetCtxPageFlags(&ctx), static_cast<DWORD>(kPluginNoDocChange | kPluginPrinterPropsFlag));
  EXPECT_FALSE(CanChangeDocSettings(&ctx));
  EXPECT_TRUE(CanChangeDeviceSettings(&ctx));
  EXPECT_EQ(GetCtxPublicDevMode(&ctx), &host.publicDm);
  EXPECT_EQ(GetUIState(&ctx), &host.doc->uiState);
  EXPECT_EQ(GetPrivDevModeBackup(&ctx), &host.doc->backup);
  EXPECT_EQ(GetCtxPrinterInfo(&ctx), &host.doc->devOption);
  EXPECT_FALSE(IsDocPropertiesMode(&ctx));
  host.ps.dwFlags |= kPluginDocPropsFlag;
  EXPECT_TRUE(IsDocPropertiesMode(&ctx));

  NotifySheetApply(&ctx);
  ASSERT_EQ(g_callbackReasons.size(), 1u);
  EXPECT_EQ(g_callbackReasons[0], CPSUICB_REASON_APPLYNOW);
  EXPECT_EQ(host.doc->applied, 1u);
}

TEST_F(SheetContextTest, SettersChangeTheItemAndTellTheHost) {
  Host host;
  SheetCtx ctx = Ctx(host.doc.get());
  SetCollateCheck(&ctx, TRUE);
  ASSERT_EQ(g_updates.size(), 1u);
  EXPECT_EQ(g_updates[0].item, &host.items[0]);
  EXPECT_EQ(g_updates[0].flagsDuringCall & (OPTIF_HIDE | OPTIF_CHANGED | OPTIF_ECB_CHECKED),
            static_cast<DWORD>(OPTIF_CHANGED | OPTIF_ECB_CHECKED)) << "shown, changed and checked for the call";
  EXPECT_EQ(g_updates[0].uiObject, &host.uiObject);
  EXPECT_EQ(g_updates[0].mode, kOemCuipDocProp);
  EXPECT_TRUE(host.items[0].Flags & OPTIF_HIDE) << "hidden again";
  SetCollateCheck(&ctx, FALSE);
  EXPECT_FALSE(host.items[0].Flags & OPTIF_ECB_CHECKED);

  SelectLastFormItem(&ctx);
  EXPECT_EQ(host.items[1].Sel, 2);
  SetCpsuiItemSel(&ctx, DMPUB_FORMNAME, 1);
  EXPECT_EQ(host.items[1].Sel, 1);
  SetCpsuiNamedItemSel(&ctx, 7);
  EXPECT_EQ(host.items[3].Sel, 7);

  SelectCpsuiItemOption(&ctx, DMPUB_ORIENTATION, L"Landscape");
  EXPECT_EQ(host.items[2].Sel, 2);
  SelectCpsuiItemOption(&ctx, DMPUB_ORIENTATION, MAKEINTRESOURCEW(5));
  EXPECT_EQ(host.items[2].Sel, 0);
  host.items[2].Sel = 1;
  size_t before = g_updates.size();
  SelectCpsuiItemOption(&ctx, DMPUB_ORIENTATION, L"Upside down");
  EXPECT_EQ(host.items[2].Sel, 0) << "no match selects option 0";
  EXPECT_EQ(g_updates.size(), before + 1) << "and still tells the host";

  before = g_updates.size();
  SetCpsuiItemSel(&ctx, DMPUB_COLOR, 1);  // no such item
  EXPECT_EQ(g_updates.size(), before);
}

TEST_F(SheetContextTest, DeviceHostRecordTakesSharedPartsFromItsDocumentRecord) {
  Host host;
  host.ps.dwFlags = kPluginNoDeviceChange;
  auto device = std::make_unique<PluginDevicePage>();
  *device = PluginDevicePage{};
  device->marker = 1;
  device->kind = kPluginDeviceKind;
  device->printer = reinterpret_cast<HANDLE>(0x99);
  device->docPage = host.doc.get();
  SheetCtx ctx = Ctx(device.get());
  EXPECT_EQ(GetPrivDevMode(&ctx), &device->doc);
  EXPECT_EQ(GetCtxPrinterHandle(&ctx), reinterpret_cast<HANDLE>(0x99));
  EXPECT_EQ(GetCtxPageFlags(&ctx), kPluginNoDeviceChange);
  EXPECT_TRUE(CanChangeDocSettings(&ctx));
  EXPECT_FALSE(CanChangeDeviceSettings(&ctx));
  EXPECT_EQ(GetCtxPublicDevMode(&ctx), &host.publicDm);
  EXPECT_EQ(GetUIState(&ctx), &device->uiState);
  EXPECT_EQ(GetPrivDevModeBackup(&ctx), &host.doc->backup);
  EXPECT_EQ(GetCtxPrinterInfo(&ctx), &device->devOption);
  SelectLastFormItem(&ctx);
  EXPECT_EQ(host.items[1].Sel, 2);
  NotifySheetApply(&ctx);
  EXPECT_EQ(g_callbackReasons.size(), 1u);
  EXPECT_EQ(device->applied, 0u) << "no session flag: not marked applied";

  // Without its document record the device page answers what it holds itself.
  device->docPage = nullptr;
  EXPECT_EQ(GetCtxPageFlags(&ctx), 0u);
  EXPECT_EQ(GetCtxPublicDevMode(&ctx), nullptr);
  SelectLastFormItem(&ctx);
  NotifySheetApply(&ctx);
  EXPECT_EQ(g_callbackReasons.size(), 1u);
}

TEST_F(SheetContextTest, NoContextAnswers) {
  uint8_t unknown[64] = {1, 3};
  SheetCtx empty = Ctx(nullptr);
  SheetCtx other = Ctx(unknown);
  const SheetCtx* contexts[] = {nullptr, &empty, &other};
  for (const SheetCtx* ctx : contexts) {
    EXPECT_EQ(GetPrivDevMode(ctx), nullptr);
    EXPECT_EQ(GetCtxPrinterHandle(ctx), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetCtxPageFlags(ctx), 0u);
    EXPECT_TRUE(CanChangeDocSettings(ctx));
    EXPECT_TRUE(CanChangeDeviceSettings(ctx));
    EXPECT_EQ(GetCtxPublicDevMode(ctx), nullptr);
    EXPECT_EQ(GetCtxSessionFlag(ctx), 0u);
    EXPECT_EQ(GetUIState(ctx), nullptr);
    EXPECT_EQ(GetPrivDevModeBackup(ctx), nullptr);
    EXPECT_EQ(GetCtxPrinterInfo(ctx), nullptr);
    SetCollateCheck(ctx, TRUE);
    NotifySheetApply(ctx);
  }
  EXPECT_TRUE(g_updates.empty());
}

TEST_F(SheetContextTest, AdvancedFeaturesAndFreeMemoryItems) {
  Host host;
  SheetCtx ctx = Ctx(host.doc.get());
  EXPECT_TRUE(IsAdvPrintFeaturesOn(&ctx)) << "no such item";
  host.items[3].pName = MAKEINTRESOURCEW(419);
  host.items[3].Sel = 1;
  EXPECT_FALSE(IsAdvPrintFeaturesOn(&ctx));
  host.items[3].Sel = 0;
  EXPECT_TRUE(IsAdvPrintFeaturesOn(&ctx));
  EXPECT_TRUE(IsAdvPrintFeaturesOn(nullptr));

  testsupport::TestPrinter printer(L"Free Memory Test");
  ASSERT_TRUE(printer.ok()) << printer.error();
  host.ps.hPrinter = printer.handle();
  host.items[3].pName = MAKEINTRESOURCEW(400);
  host.items[3].Sel = 12582;
  SaveFreeMemOption(&ctx);
  DWORD type = 0, value = 0, got = 0;
  ASSERT_EQ(GetPrinterDataW(printer.handle(), const_cast<wchar_t*>(L"FreeMem"), &type, reinterpret_cast<BYTE*>(&value),
                            sizeof value, &got),
            static_cast<DWORD>(ERROR_SUCCESS));
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value, 12582u);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST_F(SheetContextTest, DialogContextOrTheFallback) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  SheetCtx* fallback = GetDlgPrcCtx(window);
  ASSERT_NE(fallback, nullptr);
  EXPECT_EQ(GetCtxPrinterHandle(fallback), nullptr) << "a zero-filled session";
  DestroyWindow(window);

  // A dialog keeps its context in its user slot.
  struct {
    DLGTEMPLATE head;
    WORD menu, windowClass, title;
  } dialogTemplate = {{WS_POPUP, 0, 0, 0, 0, 50, 20}, 0, 0, 0};
  HWND dialog = CreateDialogIndirectParamW(nullptr, &dialogTemplate.head, nullptr, QuietDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  Host host;
  SheetCtx ctx = Ctx(host.doc.get());
  SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(&ctx));
  EXPECT_EQ(GetDlgPrcCtx(dialog), &ctx);
  EXPECT_EQ(GetCtxPrinterHandle(GetDlgPrcCtx(dialog)), reinterpret_cast<HANDLE>(0x1234));
  DestroyWindow(dialog);
}

}  // namespace
