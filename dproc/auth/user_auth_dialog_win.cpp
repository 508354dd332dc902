#include "dproc/auth/user_auth_dialog_win.h"

#include <windows.h>

#include <prsht.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/auth_messages.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/printer_address_win.h"
#include "common/win/printer_queries.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/auth/auth_passwords_win.h"
#include "dproc/auth/auth_rules.h"
#include "dproc/dialogs/dialog_modules_win.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/device_option_values.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/feature_table.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/owner_draw_win.h"
#include "dproc/startup/description_loader_win.h"

namespace {

constexpr int kPublicUser = 1871, kRecordUser = 1872, kUserNameLabel = 1873, kUserName = 1874;
constexpr int kUserPassLabel = 2173, kUserPass = 2028, kServerButton = 2174, kUserGroup = 2172;
constexpr int kDeptGroup = 2175, kDeptNameLabel = 1876, kDeptName = 1870, kDeptPassLabel = 2176, kDeptPass = 2029;
constexpr int kVerify = 2177;
constexpr int kServerLabel = 2179, kServerList = 2180, kTreeLabel = 2181, kTree = 2182;
constexpr int kExpenseLabel = 2183, kExpense = 2184, kExpensePassLabel = 2185, kExpensePass = 2186;
constexpr uint16_t kAuthTemplate = 2171, kServerTemplate = 2178;
constexpr int kAddressBytes = 64;  // 63 characters and the end

const DWORD kAuthHelpIds[] = {kUserGroup, 13012, kPublicUser, 13100, kRecordUser, 13110, kUserNameLabel, 13120,
                              kUserName, 13120, kUserPassLabel, 13130, kUserPass, 13130, kServerButton, 13132,
                              kDeptGroup, 13032, kDeptNameLabel, 13150, kDeptName, 13150, kDeptPassLabel, 13160,
                              kDeptPass, 13160, kVerify, 13180, 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1),
                              0, 0};
const DWORD kServerHelpIds[] = {kServerLabel, 13210, kServerList, 13210, kTreeLabel, 13220, kTree, 13220,
                                kExpenseLabel, 13230, kExpense, 13230, kExpensePassLabel, 13240, kExpensePass, 13240,
                                1069, DWORD(-1), 0, 0};

const int kNoChangeAuth[] = {kUserGroup, kPublicUser, kRecordUser, kUserNameLabel, kUserName, kUserPassLabel,
                             kUserPass, kDeptGroup, kDeptNameLabel, kDeptName, kDeptPassLabel, kDeptPass, kVerify};
const int kNoChangeServer[] = {kServerLabel, kServerList, kTreeLabel, kTree, kExpenseLabel, kExpense,
                               kExpensePassLabel, kExpensePass};

// One authentication dialog at a time in a process.
bool g_popup = false;
AuthDeviceAnswer g_answer = {};

bool ModelHas(ModelFeature feature) {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[feature] != 0;
}

// The selected value's keyword of a device option ("" when unknown).
std::string OptionKeyword(const DevOption* option, const char* name) {
  const OptionItem* row = SelectedDeviceOptionValue(option, g_description.deviceOptions, name, nullptr);
  return row != nullptr ? std::string(row->keyword, strnlen(row->keyword, kKeywordSize)) : std::string();
}

OptionItem* ServerRows() { return reinterpret_cast<OptionItem*>(FindOptionTable("ServerSetting")); }

struct Modes {
  int user, track;
};
Modes ModesOf(const SheetCtx* ctx) {
  const DevOption* option = GetCtxPrinterInfo(ctx);
  const std::string user = OptionKeyword(option, "DevUserAuthentication");
  const std::string track = OptionKeyword(option, "DevAccountTrack");
  const AuthModeFacts facts{g_answer.reached && option != nullptr && option->autoAcquisition != 0,
                            g_answer.authType, g_answer.trackType, user.c_str(), track.c_str(),
                            ModelHas(kMfInterimAuthentic)};
  return {UserAuthMode(facts), AccountTrackMode(facts)};
}

std::string DeviceAddress(HWND dialog, const SheetCtx* ctx) {
  const DevOption* option = GetCtxPrinterInfo(ctx);
  char address[kAddressBytes] = {};
  if (option != nullptr) {
    wchar_t stored[kDestAddressChars] = {};
    std::memcpy(stored, option->deviceAddress, sizeof stored - sizeof(wchar_t));
    ResolveDeviceAddress(dialog, GetCtxPrinterHandle(ctx), option->destCustomize, stored, address, kAddressBytes);
  }
  address[kAddressBytes - 1] = '\0';
  return address;
}

// A session with the device for its methods (and the server names);
// nothing when it does not answer.
void AskDevice(HWND dialog, const SheetCtx* ctx, bool mergeServers) {
  if (!mergeServers) g_answer = {};
  const std::string address = DeviceAddress(dialog, ctx);
  if (address.empty()) return;
  OpenApiSession* session = StartupAndGetAuth(GetCtxPrinterHandle(ctx), address.c_str());
  if (session == nullptr) return;
  if (session->status == 0) {
    if (mergeServers) {
      const OpenApiCapability& c = session->capability;
      std::vector<DeviceServerName> servers;
      for (int i = 0; i < std::clamp<int>(c.serverCount, 0, kOpenApiServers); ++i) {
        servers.push_back({c.servers[i].number,
                           std::string_view(c.servers[i].name, strnlen(c.servers[i].name, kOpenApiServerNameBytes))});
      }
      MergeDeviceServers(ServerRows(), servers, &ProcessAuthServerNames());
    } else {
      g_answer = {true, GetAuthType(session), GetAccountTrackType(session)};
    }
  }
  CleanupSession(session);
}

void DisableNoChange(HWND dialog, const SheetCtx* ctx, const int* ids, size_t count) {
  if (g_popup || CanChangeDocSettings(ctx)) return;
  for (size_t i = 0; i < count; ++i) EnableWindow(GetDlgItem(dialog, ids[i]), FALSE);
}

void EnableIf(HWND dialog, int id, bool on) { EnableCtrlIfVisible(GetDlgItem(dialog, id), on ? TRUE : FALSE); }

void ShowPassword(HWND dialog, int id, const SheetCtx* ctx, const uint8_t* field, size_t size, uint16_t length) {
  ShowStoredPassword(dialog, id, GetCtxPrinterHandle(ctx), field, size, length);
}
void TakePassword(HWND dialog, int id, const SheetCtx* ctx, uint8_t* field, size_t size, uint16_t* length) {
  TakeTypedPassword(dialog, id, GetCtxPrinterHandle(ctx), field, size, length);
}

void TakeNarrow(HWND dialog, int id, char* field, size_t size) {
  std::memset(field, 0, size);
  GetDlgItemTextA(dialog, id, field, static_cast<int>(size));
  field[size - 1] = '\0';
}

// --- Authentication / Department Setting.

void AuthEnableRules(HWND dialog, SheetCtx* ctx) {
  const DocDMode* doc = GetPrivDevMode(ctx);
  if (doc == nullptr) return;
  const Modes m = ModesOf(ctx);
  const bool user = UserAuthInUse(m.user);
  const bool named = user && Fields(*doc).byUserType == 1;
  EnableIf(dialog, kPublicUser, user);
  EnableIf(dialog, kRecordUser, user);
  for (int id : {kUserNameLabel, kUserName, kUserPassLabel, kUserPass}) EnableIf(dialog, id, named);
  if (ModelHas(kMfAuthServerSetting)) EnableIf(dialog, kServerButton, m.user == 2 || m.user == 3);
  else ShowEnableCtrl(dialog, kServerButton, FALSE);
  const bool dept = DepartmentInUse(m.user, m.track);
  for (int id : {kDeptNameLabel, kDeptName, kDeptPassLabel, kDeptPass}) EnableIf(dialog, id, dept);
  if (ModelHas(kMfAuthVerify)) EnableIf(dialog, kVerify, g_answer.reached && (m.user != 0 || m.track != 0));
  else ShowEnableCtrl(dialog, kVerify, FALSE);
  DisableNoChange(dialog, ctx, kNoChangeAuth, std::size(kNoChangeAuth));
}

void AuthInit(HWND dialog, SheetCtx* ctx) {
  AskDevice(dialog, ctx, false);
  if (g_popup) {
    wchar_t driver[MAX_PATH] = {}, caption[256] = {};
    QueryDriverName(GetCtxPrinterHandle(ctx), driver, nullptr);
    GetWindowTextW(dialog, caption, 256);
    SetWindowTextW(dialog, (std::wstring(driver) + L" " + caption).c_str());
  }
  SetEditItemLimit(dialog, ctx, kUserName, 80);
  SetEditItemLimit(dialog, ctx, kUserPass, 64);
  SetEditItemLimit(dialog, ctx, kDeptName, 8);
  SetEditItemLimit(dialog, ctx, kDeptPass, 8);
  const DocFields& f = Fields(*GetPrivDevMode(ctx));
  if (f.byUserType == 0 || f.byUserType == 1) {
    CheckDlgButton(dialog, kPublicUser, f.byUserType == 0 ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, kRecordUser, f.byUserType == 1 ? BST_CHECKED : BST_UNCHECKED);
  }
  wchar_t name[81] = {};
  std::memcpy(name, f.szAuthUserName, sizeof f.szAuthUserName - sizeof(char16_t));
  SetDlgItemTextW(dialog, kUserName, name);
  char dept[9] = {};
  std::memcpy(dept, f.szDeptName, 8);
  SetDlgItemTextA(dialog, kDeptName, dept);
  if (!g_popup) {
    ShowPassword(dialog, kUserPass, ctx, f.byAuthUserPass, sizeof f.byAuthUserPass, f.wAuthUserPassLen);
    ShowPassword(dialog, kDeptPass, ctx, f.byDeptPass, sizeof f.byDeptPass, f.wDeptPassLen);
  }
}

void AuthStarted(HWND dialog, SheetCtx*) {
  if (!g_popup) return;
  RECT work = {}, box = {};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(dialog, &box);
  SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - (box.right - box.left)) / 2,
               work.top + (work.bottom - work.top - (box.bottom - box.top)) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool ValidateAuthFields(HWND dialog, SheetCtx* ctx) {
  const Modes m = ModesOf(ctx);
  if (Fields(*GetPrivDevMode(ctx)).byUserType == 1 && UserAuthInUse(m.user)) {
    if (ValidateEditItem(dialog, ctx, kUserName, TRUE, 0, 0, 80) == 0) return false;
    if (ValidateEditItem(dialog, ctx, kUserPass, TRUE, 0, 0, 64) == 0) return false;
  }
  if (DepartmentInUse(m.user, m.track)) {
    if (ValidateEditItem(dialog, ctx, kDeptName, TRUE, 0, 0, 8) == 0) return false;
    if (ValidateEditItem(dialog, ctx, kDeptPass, TRUE, 0, 0, 8) == 0) return false;
  }
  return true;
}

void ReadAuthFields(HWND dialog, SheetCtx* ctx) {
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  wchar_t name[81] = {};
  GetDlgItemTextW(dialog, kUserName, name, 81);
  std::memset(f.szAuthUserName, 0, sizeof f.szAuthUserName);
  std::memcpy(f.szAuthUserName, name, wcsnlen(name, 80) * sizeof(char16_t));
  TakePassword(dialog, kUserPass, ctx, f.byAuthUserPass, sizeof f.byAuthUserPass, &f.wAuthUserPassLen);
  TakeNarrow(dialog, kDeptName, f.szDeptName, sizeof f.szDeptName);
  TakePassword(dialog, kDeptPass, ctx, f.byDeptPass, sizeof f.byDeptPass, &f.wDeptPassLen);
}

void TellOwner(HWND dialog) {
  if (HWND owner = GetWindow(dialog, GW_OWNER)) SendMessageW(owner, PSM_CHANGED, reinterpret_cast<WPARAM>(dialog), 0);
}

void UserTypeClicked(HWND dialog, SheetCtx* ctx) {
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  const uint8_t old = f.byUserType;
  const uint8_t type = IsDlgButtonChecked(dialog, kPublicUser) == BST_CHECKED ? 0 : 1;
  if (g_popup) {
    f.byUserType = type;
  } else {
    const DialogBinding radio = {static_cast<uint16_t>(type == 0 ? kPublicUser : kRecordUser), BN_CLICKED,
                                 BindKind::kRadio, DOC_FIELD_AT(byUserType), 1, type};
    CommitBinding(dialog, ctx, radio, kAuthTemplate, nullptr, false);
  }
  if (f.byUserType != old) TellOwner(dialog);
  AuthEnableRules(dialog, ctx);
}

bool AuthCommand(HWND dialog, SheetCtx* ctx, int id, int code) {
  switch (id) {
    case kPublicUser:
    case kRecordUser:
      if (code == BN_CLICKED) UserTypeClicked(dialog, ctx);
      return true;
    case kServerButton:
      if (code != BN_CLICKED) return true;
      ReadAuthFields(dialog, ctx);
      if (RunMyDialogBox(DialogFrameworkModules().templates, dialog, kServerTemplate, AuthServerDlgProc,
                         reinterpret_cast<LPARAM>(ctx)) == IDOK) {
        TellOwner(dialog);
      }
      AuthEnableRules(dialog, ctx);
      return true;
    case kVerify:
      if (code == BN_CLICKED) VerifyAuthentication(dialog);
      return true;
    default:
      return false;
  }
}

bool AuthOk(HWND dialog, SheetCtx* ctx) {
  if (!ValidateAuthFields(dialog, ctx)) return false;
  Fields(*GetPrivDevMode(ctx)).byUserType = IsDlgButtonChecked(dialog, kPublicUser) == BST_CHECKED ? 0 : 1;
  ReadAuthFields(dialog, ctx);
  return true;
}

void AuthDestroy(HWND) { g_popup = false; }

DocumentDialog AuthDialog(bool popup) {
  return DocumentDialog{.templateId = kAuthTemplate,
                        .textSection = "Dlg_AuthenticationSetting",
                        .helpIds = kAuthHelpIds,
                        .helpTopic = 13002,
                        .clipTitle = L"Authentication / Department Setting Dialog",
                        .checksConstraints = !popup,
                        .init = AuthInit,
                        .started = AuthStarted,
                        .enableRules = AuthEnableRules,
                        .command = AuthCommand,
                        .ok = AuthOk,
                        .destroy = AuthDestroy};
}
const DocumentDialog kAuthSheetDialog = AuthDialog(false);
const DocumentDialog kAuthPopupDialog = AuthDialog(true);

// --- Authentication Server Setting.

void FillServerList(HWND dialog, int selected) {
  HWND list = GetDlgItem(dialog, kServerList);
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  OptionItem* rows = ServerRows();
  for (size_t i = 0; rows != nullptr && i < kAuthServerRows && rows[i].keyword[0] != '\0'; ++i) {
    std::u16string text;
    if (!AuthServerListText(rows[i], i, ProcessAuthServerNames(), &text)) continue;
    const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (at < 0) continue;
    SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(&rows[i]));
    if (static_cast<int>(rows[i].value) == selected) SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
  }
}

void ServerEnableRules(HWND dialog, SheetCtx* ctx) {
  const bool relay = ModelHas(kMfInterimAuthentic) &&
                     IsDeviceOptionValue(GetCtxPrinterInfo(ctx), g_description.deviceOptions, "DevUserAuthentication",
                                         "DevUserAuthentic_InterSV");
  const struct {
    ModelFeature feature;
    int label, edit;
  } fields[] = {{kMfTreeDomainName, kTreeLabel, kTree},
                {kMfExpenseCode, kExpenseLabel, kExpense},
                {kMfExpenseCodePassword, kExpensePassLabel, kExpensePass}};
  for (const auto& field : fields) {
    EnableWindow(GetDlgItem(dialog, field.label), relay ? TRUE : FALSE);
    EnableWindow(GetDlgItem(dialog, field.edit), relay ? TRUE : FALSE);
  }
  DisableNoChange(dialog, ctx, kNoChangeServer, std::size(kNoChangeServer));
  for (const auto& field : fields) {
    if (ModelHas(field.feature)) continue;
    ShowEnableCtrl(dialog, field.label, FALSE);
    ShowEnableCtrl(dialog, field.edit, FALSE);
  }
}

void ServerInit(HWND dialog, SheetCtx* ctx) {
  AskDevice(dialog, ctx, true);
  SetEditItemLimit(dialog, ctx, kTree, 80);
  SetEditItemLimit(dialog, ctx, kExpense, 8);
  SetEditItemLimit(dialog, ctx, kExpensePass, 8);
  const DocFields& f = Fields(*GetPrivDevMode(ctx));
  FillServerList(dialog, f.nServerSetting);
  char tree[81] = {}, code[9] = {};
  std::memcpy(tree, f.szTreeDomainName, 80);
  std::memcpy(code, f.szExpenseCode, 8);
  SetDlgItemTextA(dialog, kTree, tree);
  SetDlgItemTextA(dialog, kExpense, code);
  ShowPassword(dialog, kExpensePass, ctx, f.byExpensePass, sizeof f.byExpensePass, f.wExpensePassLen);
}

bool ServerOk(HWND dialog, SheetCtx* ctx) {
  if (ValidateEditItem(dialog, ctx, kTree, TRUE, 0, 0, 80) == 0) return false;
  if (ValidateEditItem(dialog, ctx, kExpense, TRUE, 0, 0, 8) == 0) return false;
  if (ValidateEditItem(dialog, ctx, kExpensePass, TRUE, 0, 0, 8) == 0) return false;
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  HWND list = GetDlgItem(dialog, kServerList);
  const LRESULT at = SendMessageW(list, CB_GETCURSEL, 0, 0);
  if (at != CB_ERR) {
    const LRESULT data = SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
    if (data != CB_ERR && data != 0) f.nServerSetting = static_cast<int16_t>(reinterpret_cast<const OptionItem*>(data)->value);
  }
  TakeNarrow(dialog, kTree, f.szTreeDomainName, sizeof f.szTreeDomainName);
  TakeNarrow(dialog, kExpense, f.szExpenseCode, sizeof f.szExpenseCode);
  TakePassword(dialog, kExpensePass, ctx, f.byExpensePass, sizeof f.byExpensePass, &f.wExpensePassLen);
  return true;
}

bool ServerDrawItem(HWND dialog, SheetCtx*, const DRAWITEMSTRUCT* item) {
  if (item->CtlID != static_cast<UINT>(kServerList)) return false;
  DrawServerListItem(dialog, item);
  return true;
}

const SheetComboHeight kServerHeights[] = {{kServerList, 16}, {0, 0}};

DocumentDialog ServerDialog(bool popup) {
  return DocumentDialog{.templateId = kServerTemplate,
                        .textSection = "Dlg_AuthenticationSVSetting",
                        .helpIds = kServerHelpIds,
                        .helpTopic = 13200,
                        .clipTitle = L"Authentication Server Setting Dialog",
                        .comboHeights = kServerHeights,
                        .checksConstraints = !popup,
                        .init = ServerInit,
                        .enableRules = ServerEnableRules,
                        .ok = ServerOk,
                        .drawItem = ServerDrawItem};
}
const DocumentDialog kServerSheetDialog = ServerDialog(false);
const DocumentDialog kServerPopupDialog = ServerDialog(true);

// The job's settings as a sheet context of their own while the popup runs.
struct PopupContext {
  std::unique_ptr<SheetSession> session{new SheetSession()};
  std::unique_ptr<WorkDevMode> working{new WorkDevMode()};
  PROPSHEETPAGEW page = {};
};

}  // namespace

INT_PTR CALLBACK UserAuthenticDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(g_popup ? kAuthPopupDialog : kAuthSheetDialog, dialog, message, wParam, lParam);
}

INT_PTR CALLBACK AuthServerDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(g_popup ? kServerPopupDialog : kServerSheetDialog, dialog, message, wParam, lParam);
}

int RunUserAuthenticPopup(AuthPopupArgs* args) {
  if (args == nullptr || args->doc == nullptr || args->option == nullptr || args->printer == nullptr) return -1;
  auto ctx = std::make_unique<PopupContext>();
  std::memset(ctx->session.get(), 0, sizeof(SheetSession));
  std::memset(ctx->working.get(), 0, sizeof(WorkDevMode));
  SheetSession& s = *ctx->session;
  s.kind = kSheetDocumentSession;
  s.self = &s;
  s.size = sizeof s;
  s.working = ctx->working.get();
  s.printer = *args->printer;
  s.mayChange = 1;
  ctx->working->devmode.doc = *args->doc;
  ctx->working->device.option = *args->option;
  ctx->page.dwSize = sizeof ctx->page;
  ctx->page.lParam = reinterpret_cast<LPARAM>(&s);
  g_popup = true;
  const intptr_t result = RunMyDialogBox(DialogFrameworkModules().templates, nullptr, kAuthTemplate,
                                         UserAuthenticDlgProc, reinterpret_cast<LPARAM>(&ctx->page));
  g_popup = false;
  if (result == IDOK) *args->doc = ctx->working->devmode.doc;
  return static_cast<int>(result);
}

void DrawServerListItem(HWND dialog, const DRAWITEMSTRUCT* item) {
  if (item == nullptr) return;
  if (item->itemID != static_cast<UINT>(-1) && (item->itemAction & (ODA_DRAWENTIRE | ODA_SELECT)) != 0) {
    DrawItemBackground(item);
    const auto* row = reinterpret_cast<const OptionItem*>(item->itemData);
    OptionItem* rows = ServerRows();
    std::u16string text;
    // A row of the server table may carry the device's name; a row of any
    // other option list shows its own text.
    size_t index = kAuthServerRows;
    for (size_t i = 0; rows != nullptr && i < kAuthServerRows && rows[i].keyword[0] != '\0'; ++i) {
      if (&rows[i] == row) index = i;
    }
    if (row != nullptr && !AuthServerListText(*row, index, ProcessAuthServerNames(), &text)) text.clear();
    const int icon = row != nullptr && row->flag != 0 ? static_cast<int>(row->iconId) : 0;
    DrawIconText(item, icon, reinterpret_cast<const wchar_t*>(text.c_str()));
  }
  if ((item->itemAction & ODA_FOCUS) != 0 ||
      ((item->itemState & ODS_FOCUS) != 0 && GetFocus() == item->hwndItem)) {
    DrawItemFocus(item);
  }
  (void)dialog;
}

void VerifyAuthentication(HWND dialog) {
  SheetCtx* ctx = SheetCtxOf(dialog);
  if (ctx == nullptr || GetPrivDevMode(ctx) == nullptr) return;
  if (!ValidateAuthFields(dialog, ctx)) return;
  ReadAuthFields(dialog, ctx);
  const std::string address = DeviceAddress(dialog, ctx);
  char errorName[kAuthErrorNameBytes] = {};
  uint32_t status = 1;
  if (!address.empty()) {
    if (OpenApiSession* session =
            HiddenStartupAndConnect(GetCtxPrinterHandle(ctx), GetPrivDevMode(ctx), address.c_str(), false)) {
      status = session->status;
      if (session->errorText != nullptr) std::memcpy(errorName, session->errorText, strnlen(session->errorText, kAuthErrorNameBytes - 1));
      CleanupSession(session);
    }
  }
  ShowConnectionCheckResult(GetActiveWindow(), status, errorName);
}

const AuthDeviceAnswer& LastAuthDeviceAnswer() { return g_answer; }
