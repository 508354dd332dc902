#include "dproc/auth/initialize_sheet_win.h"

#include <prsht.h>

#include <cstring>
#include <string>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/sheet_context_records_win.h"
#include "common/win/ui_services.h"
#include "dproc/auth/auth_passwords_win.h"
#include "dproc/auth/initialize_rules.h"
#include "dproc/dialogs/modal_dialog_win.h"
#include "dproc/model/edit_items.h"
#include "dproc/model/message_text.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/sheets/message_box.h"

namespace {

constexpr int kAttestation = 1866, kAttestationButton = 1867, kDeptAdmin = 1229, kDeptButton = 1220;
constexpr int kAccessLabel = 1868, kAccess = 1875, kAccessRange = 1869, kEmailNotify = 1218, kEmailButton = 1233;
constexpr int kDriverVersion = 1865, kViewToggle = 1130;
constexpr int kPublicUser = 1871, kRecordUser = 1872, kUserName = 1874, kUserPass = 2028;
constexpr int kDeptName = 1870, kDeptPass = 2029, kEmail = 1880;
constexpr size_t kUserPassBytes = 81, kDeptPassBytes = 73;

bool ModelHas(ModelFeature feature) {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[feature] != 0;
}
DocFields& F(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)); }

// --- The sheet ---

const DWORD kSheetHelpIds[] = {1131, 9570, 1132, 9570, 1133, 9580, 1134, 9590, kAttestation, 13010,
                               kAttestationButton, 13020, kDeptAdmin, 13030, kDeptButton, 13040, kAccessLabel, 13050,
                               kAccess, 13050, kAccessRange, 13050, kEmailNotify, 13060, kEmailButton, 13070,
                               kDriverVersion, 13080, kDefaultButtonId, 9510, kViewToggle, 11000, 1201, 9520,
                               1235, DWORD(-1), 1123, DWORD(-1), 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1),
                               0, 0};
const int kSheetNoChange[] = {1235, 1123, kViewToggle, 1201, 1132, 1133, 1134, kAttestation, kAttestationButton,
                              kDeptAdmin, kDeptButton, kAccess, kEmailNotify, kEmailButton, kDriverVersion,
                              kDefaultButtonId};

void SheetEnableRules(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = F(ctx);
  EnableCtrlIfVisible(GetDlgItem(dialog, kAttestationButton), f.bUserAuthentication != 0);
  EnableCtrlIfVisible(GetDlgItem(dialog, kDeptButton), f.bAccountTrackOn != 0);
  EnableCtrlIfVisible(GetDlgItem(dialog, kAccess), f.bAccountTrackOn != 0);
  EnableCtrlIfVisible(GetDlgItem(dialog, kEmailButton), f.bEmailNotify != 0);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kSheetNoChange) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// The access number is read into the settings; with `report` a number that
// is not acceptable is refused with a message.
bool CheckAccessNumber(HWND dialog, SheetCtx* ctx, bool report) {
  DocFields& f = F(ctx);
  char text[8] = {};
  GetDlgItemTextA(dialog, kAccess, text, 5);
  std::memset(f.szAccessNumber, 0, sizeof f.szAccessNumber);
  std::memcpy(f.szAccessNumber, text, strnlen(text, 4));
  if (!report || AccessNumberAcceptable(f.szAccessNumber)) return true;
  char16_t title[kMessageRowUnits], first[kMessageRowUnits], second[kMessageRowUnits];
  LoadMessageText(1, title, kMessageRowUnits);
  LoadMessageText(2, first, kMessageRowUnits);
  LoadMessageText(246, second, kMessageRowUnits);
  std::u16string body = std::u16string(first) + u"\n\n" + second;
  if (body.size() > kMessageRowUnits - 1) body.resize(kMessageRowUnits - 1);
  CurrentUiServices().messageBox(dialog, reinterpret_cast<const wchar_t*>(body.c_str()),
                                 reinterpret_cast<const wchar_t*>(title), MB_ICONEXCLAMATION | MB_OK);
  return false;
}

void ShowSheet(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = F(ctx);
  char access[5] = {};
  std::memcpy(access, f.szAccessNumber, 4);
  SetDlgItemTextA(dialog, kAccess, access);
  CheckDlgButton(dialog, kAttestation, f.bUserAuthentication != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kDeptAdmin, f.bAccountTrackOn != 0 ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(dialog, kEmailNotify, f.bEmailNotify != 0 ? BST_CHECKED : BST_UNCHECKED);
  SheetEnableRules(dialog, ctx);
}

INT_PTR SheetInit(HWND dialog, SheetCtx* ctx) {
  SendDlgItemMessageW(dialog, kAccess, EM_LIMITTEXT, 4, 0);
  const bool user = ModelHas(kMfUserAuthentication2);
  ShowEnableCtrl(dialog, kAttestation, user);
  ShowEnableCtrl(dialog, kAttestationButton, user);
  const bool track = ModelHas(kMfAccountTrackSetting), multi = ModelHas(kMfMultiDepartmentMng);
  ShowEnableCtrl(dialog, kDeptAdmin, track);
  ShowEnableCtrl(dialog, kDeptButton, track && multi);
  for (int id : {kAccessLabel, kAccess, kAccessRange}) ShowEnableCtrl(dialog, id, track && !multi);
  SheetEnableRules(dialog, ctx);
  // E-mail notification never shows here; its flag travels with the settings.
  for (int id : {kViewToggle, kEmailNotify, kEmailButton}) ShowEnableCtrl(dialog, id, FALSE);
  return TRUE;
}

bool SheetMayLeave(HWND dialog, SheetCtx* ctx) {
  if (CheckAccessNumber(dialog, ctx, true)) return true;
  SetFocus(GetDlgItem(dialog, kAccess));
  return false;
}

INT_PTR SheetCommand(HWND dialog, SheetCtx* ctx, WPARAM wParam, LPARAM) {
  const int id = LOWORD(wParam), code = HIWORD(wParam);
  if (id == kAccess && code == EN_CHANGE) {
    char old[5] = {};
    std::memcpy(old, F(ctx).szAccessNumber, 4);
    CheckAccessNumber(dialog, ctx, false);
    if (std::strncmp(old, F(ctx).szAccessNumber, 4) != 0) NoteSheetChange(dialog, GetPrivDevMode(ctx));
    return TRUE;
  }
  if (code != BN_CLICKED) return FALSE;
  const struct {
    int button;
    uint16_t templateId;
    DLGPROC proc;
  } buttons[] = {{kAttestationButton, 158, AttestationSettingDlgProc},
                 {kDeptButton, 160, DepartmentSettingDlgProc},
                 {kEmailButton, 159, EmailSettingDlgProc}};
  for (const auto& b : buttons) {
    if (id != b.button) continue;
    if (RunSheetDialog(dialog, b.templateId, b.proc, reinterpret_cast<LPARAM>(ctx)) == 1) {
      NoteSheetChange(dialog, GetPrivDevMode(ctx));
    }
    return TRUE;
  }
  if (id == kDefaultButtonId) {
    SetFocus(GetDlgItem(dialog, kDefaultButtonId));
    if (const DocDMode* defaults = GetDefaultOEMDevMode(ctx)) {
      const DocFields& d = Fields(*defaults);
      DocFields& f = F(ctx);
      std::memcpy(f.szAccessNumber, d.szAccessNumber, 4);
      f.bUserAuthentication = d.bUserAuthentication;
      f.bAccountTrackOn = d.bAccountTrackOn;
      f.bEmailNotify = d.bEmailNotify;
    }
    ShowSheet(dialog, ctx);
    InvalidateRect(dialog, nullptr, FALSE);
    return TRUE;
  }
  return FALSE;
}

const DialogBinding kSheetBindings[] = {
    {kAttestation, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bUserAuthentication), 1},
    {kDeptAdmin, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bAccountTrackOn), 1},
    {kEmailNotify, BN_CLICKED, BindKind::kCheckBox, DOC_FIELD_AT(bEmailNotify), 1},
    {},
};

const DocumentSheet kInitializeSheet = {
    .pageId = 161,
    .preview = PreviewAreaStep::kAfterUserPapers,
    .skipDropListFilter = true,
    .logoLayout = 0,
    .helpIds = kSheetHelpIds,
    .pageHelpTopic = 13000,
    .comboHeights = nullptr,
    .init = SheetInit,
    .setActive = ShowSheet,
    .killActive = SheetMayLeave,
    .apply = nullptr,
    .command = SheetCommand,
    .drawItem = nullptr,
    .destroy = nullptr,
    .other = nullptr,
    .textSection = "Property_13",
    .bindings = kSheetBindings,
    .enableRules = SheetEnableRules,
};

// --- Attestation Setting (158) ---

const DWORD kAttestationHelpIds[] = {kPublicUser, 13100, kRecordUser, 13110, 1873, 13120, kUserName, 13120,
                                    1340, 13130, kUserPass, 13130, kDefaultButtonId, 9510, 1015, DWORD(-1),
                                    1016, DWORD(-1), 1069, DWORD(-1), 0, 0};

void ShowAttestation(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = F(ctx);
  CheckRadioButton(dialog, kPublicUser, kRecordUser, f.byUserType == 0 ? kPublicUser : kRecordUser);
  wchar_t name[81] = {};
  std::memcpy(name, f.szAuthUserName, 80 * sizeof(char16_t));
  SetDlgItemTextW(dialog, kUserName, name);
  ShowStoredPassword(dialog, kUserPass, GetCtxPrinterHandle(ctx), f.byAuthUserPass, kUserPassBytes,
                     f.wAuthUserPassLen);
}

void AttestationRules(HWND dialog, SheetCtx* ctx) {
  const bool named = F(ctx).byUserType == 1 && CanChangeDocSettings(ctx);
  EnableCtrlIfVisible(GetDlgItem(dialog, kUserName), named);
  EnableCtrlIfVisible(GetDlgItem(dialog, kUserPass), named);
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {kPublicUser, kRecordUser, kDefaultButtonId}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void AttestationInit(HWND dialog, SheetCtx* ctx) {
  SetEditItemLimit(dialog, ctx, kUserName, 80);
  SetEditItemLimit(dialog, ctx, kUserPass, 64);
  ShowAttestation(dialog, ctx);
}

bool Valid(HWND dialog, SheetCtx* ctx, int id, int limit) {
  return ValidateEditItem(dialog, ctx, id, TRUE, 0, 0, limit) != 0;
}

bool AttestationOk(HWND dialog, SheetCtx* ctx) {
  // Both fields are checked whatever the user type.
  if (!Valid(dialog, ctx, kUserName, 80) || !Valid(dialog, ctx, kUserPass, 64)) return false;
  DocFields& f = F(ctx);
  wchar_t name[81] = {};
  GetDlgItemTextW(dialog, kUserName, name, 81);
  std::memset(f.szAuthUserName, 0, sizeof f.szAuthUserName);
  std::memcpy(f.szAuthUserName, name, wcsnlen(name, 80) * sizeof(char16_t));
  TakeTypedPassword(dialog, kUserPass, GetCtxPrinterHandle(ctx), f.byAuthUserPass, kUserPassBytes,
                    &f.wAuthUserPassLen);
  return true;
}

void AttestationDefaults(HWND dialog, SheetCtx* ctx) {
  SetFocus(GetDlgItem(dialog, kDefaultButtonId));
  if (const DocDMode* defaults = GetDefaultOEMDevMode(ctx)) {
    const DocFields& d = Fields(*defaults);
    DocFields& f = F(ctx);
    f.byUserType = d.byUserType;
    std::memcpy(f.szAuthUserName, d.szAuthUserName, sizeof f.szAuthUserName);
    std::memcpy(f.byAuthUserPass, d.byAuthUserPass, kUserPassBytes);
    f.wAuthUserPassLen = d.wAuthUserPassLen;
  }
  ShowAttestation(dialog, ctx);
}

const DialogBinding kAttestationBindings[] = {
    {kPublicUser, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(byUserType), 1, 0},
    {kRecordUser, BN_CLICKED, BindKind::kRadio, DOC_FIELD_AT(byUserType), 1, 1},
    {},
};

const DocumentDialog kAttestationDialog = {
    .templateId = 158,
    .textSection = "Dlg_UserAuthenticationSetting",
    .helpIds = kAttestationHelpIds,
    .helpTopic = 13090,
    .clipTitle = L"Attestation Setting Dialog",
    .bindings = kAttestationBindings,
    .quietDefaults = true,
    .init = AttestationInit,
    .enableRules = AttestationRules,
    .ok = AttestationOk,
    .defaults = AttestationDefaults,
};

// --- Department Setting (160) ---

const DWORD kDepartmentHelpIds[] = {1876, 13150, kDeptName, 13150, 1340, 13160, kDeptPass, 13160,
                                    kDefaultButtonId, 9510, 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1),
                                    0, 0};

void ShowDepartment(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = F(ctx);
  char name[9] = {};
  std::memcpy(name, f.szDeptName, 8);
  SetDlgItemTextA(dialog, kDeptName, name);
  ShowStoredPassword(dialog, kDeptPass, GetCtxPrinterHandle(ctx), f.byDeptPass, kDeptPassBytes, f.wDeptPassLen);
}

void DepartmentRules(HWND dialog, SheetCtx* ctx) {
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1876, kDeptName, 1340, kDeptPass, kDefaultButtonId}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void DepartmentInit(HWND dialog, SheetCtx* ctx) {
  SetEditItemLimit(dialog, ctx, kDeptName, 8);
  SetEditItemLimit(dialog, ctx, kDeptPass, 8);
  ShowDepartment(dialog, ctx);
}

bool DepartmentOk(HWND dialog, SheetCtx* ctx) {
  if (!Valid(dialog, ctx, kDeptName, 8) || !Valid(dialog, ctx, kDeptPass, 8)) return false;
  DocFields& f = F(ctx);
  std::memset(f.szDeptName, 0, sizeof f.szDeptName);
  GetDlgItemTextA(dialog, kDeptName, f.szDeptName, 9);
  TakeTypedPassword(dialog, kDeptPass, GetCtxPrinterHandle(ctx), f.byDeptPass, kDeptPassBytes, &f.wDeptPassLen);
  return true;
}

void DepartmentDefaults(HWND dialog, SheetCtx* ctx) {
  SetFocus(GetDlgItem(dialog, kDefaultButtonId));
  if (const DocDMode* defaults = GetDefaultOEMDevMode(ctx)) {
    const DocFields& d = Fields(*defaults);
    DocFields& f = F(ctx);
    std::memcpy(f.szDeptName, d.szDeptName, sizeof f.szDeptName);
    std::memcpy(f.byDeptPass, d.byDeptPass, kDeptPassBytes);
    f.wDeptPassLen = d.wDeptPassLen;
  }
  ShowDepartment(dialog, ctx);
}

const DocumentDialog kDepartmentDialog = {
    .templateId = 160,
    .textSection = "Dlg_AccountTrackSetting",
    .helpIds = kDepartmentHelpIds,
    .helpTopic = 13140,
    .clipTitle = L"Department Setting Dialog",
    .quietDefaults = true,
    .init = DepartmentInit,
    .enableRules = DepartmentRules,
    .ok = DepartmentOk,
    .defaults = DepartmentDefaults,
};

// --- Email Setting (159) ---

const DWORD kEmailHelpIds[] = {1881, 1330, 1879, 1330, kEmail, 1330, kDefaultButtonId, 9510, 1015, DWORD(-1),
                               1016, DWORD(-1), 1069, DWORD(-1), 0, 0};

bool LeadByte(unsigned char c) { return IsDBCSLeadByte(c) != FALSE; }

void ShowEmail(HWND dialog, SheetCtx* ctx) {
  char address[129] = {};
  std::memcpy(address, F(ctx).szEmailAddress, 128);
  SetDlgItemTextA(dialog, kEmail, address);
}

void EmailRules(HWND dialog, SheetCtx* ctx) {
  if (!CanChangeDocSettings(ctx)) {
    for (int id : {1879, kEmail, kDefaultButtonId}) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

void EmailInit(HWND dialog, SheetCtx* ctx) {
  SendDlgItemMessageW(dialog, kEmail, EM_LIMITTEXT, 128, 0);
  ShowEmail(dialog, ctx);
}

bool EmailOk(HWND dialog, SheetCtx* ctx) {
  DocFields& f = F(ctx);
  char address[260] = {};
  GetDlgItemTextA(dialog, kEmail, address, sizeof address);
  size_t n = strnlen(address, 128);
  // A double-byte character is never cut in two.
  for (size_t i = 0; i < n; ++i) {
    if (LeadByte(static_cast<unsigned char>(address[i]))) {
      if (i + 1 >= n) n = i;
      else ++i;
    }
  }
  std::memset(f.szEmailAddress, 0, sizeof f.szEmailAddress);
  std::memcpy(f.szEmailAddress, address, n);
  if (f.bEmailNotify != 0 && n == 0) {
    ShowMessageBox(dialog, 1, 3, 110, MB_ICONEXCLAMATION, 0, 0);
    SetFocus(GetDlgItem(dialog, kEmail));
    return false;
  }
  if (!IsValidEmailAddress(std::string_view(f.szEmailAddress, n), LeadByte)) {
    ShowMessageBox(dialog, 1, 221, 0, MB_ICONEXCLAMATION, 0, 0);
    SetFocus(GetDlgItem(dialog, kEmail));
    return false;
  }
  return true;
}

void EmailDefaults(HWND dialog, SheetCtx* ctx) {
  if (const DocDMode* defaults = GetDefaultOEMDevMode(ctx)) {
    DocFields& f = F(ctx);
    std::memset(f.szEmailAddress, 0, sizeof f.szEmailAddress);
    std::memcpy(f.szEmailAddress, Fields(*defaults).szEmailAddress, 127);
  }
  ShowEmail(dialog, ctx);
  SetFocus(GetDlgItem(dialog, kDefaultButtonId));
}

const DocumentDialog kEmailDialog = {
    .templateId = 159,
    .textSection = "Dlg_EmailAddressSetting",
    .helpIds = kEmailHelpIds,
    .helpTopic = 13170,
    .clipTitle = L"Email Setting Dialog",
    .quietDefaults = true,
    .init = EmailInit,
    .enableRules = EmailRules,
    .ok = EmailOk,
    .defaults = EmailDefaults,
};

}  // namespace

INT_PTR CALLBACK InitializeSheetProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentSheet(kInitializeSheet, dialog, message, wParam, lParam);
}
INT_PTR CALLBACK AttestationSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kAttestationDialog, dialog, message, wParam, lParam);
}
INT_PTR CALLBACK DepartmentSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDepartmentDialog, dialog, message, wParam, lParam);
}
INT_PTR CALLBACK EmailSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kEmailDialog, dialog, message, wParam, lParam);
}
