#include "dproc/auth/user_setting_dialog_win.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "common/cipher/password_cipher_win.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "common/win/sheet_context_records_win.h"
#include "dproc/auth/auth_passwords_win.h"
#include "dproc/model/edit_items.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "dproc/sheets/dialog_helpers.h"
#include "dproc/sheets/dialog_skeleton_win.h"

namespace {

constexpr int kSecureGroup = 1576, kIdLabel = 1394, kId = 1424, kIdRange = 1395, kPassLabel = 1340, kPass = 2027;
constexpr int kPassRange = 1422, kBoxGroup = 1415, kFileLabel = 1396, kFile = 1421, kFileRange = 2119;
constexpr int kNumberLabel = 1341, kNumber = 1419, kNumberRange = 1397;
constexpr int kIdChars = 16, kPassChars = 16, kFileChars = 30, kNumberChars = 16;
constexpr size_t kPassBytes = 73;

const int kSecureIds[] = {kSecureGroup, kIdLabel, kIdRange, kPassLabel, kPassRange, kId, kPass};
const int kBoxIds[] = {kBoxGroup, kFileLabel, kFile, kFileRange, kNumberLabel, kNumber, kNumberRange};
const int kNoChange[] = {kSecureGroup, kIdLabel, kId, kIdRange, kPassLabel, kPass, kPassRange, kBoxGroup,
                         kFileLabel, kFile, kFileRange, kNumberLabel, kNumber, kNumberRange, kDefaultButtonId};

const DWORD kHelpIds[] = {kSecureGroup, 1340, kIdLabel, 1350, kId, 1350, kIdRange, 1350, kPassLabel, 1360,
                          kPass, 1360, kPassRange, 1360, kBoxGroup, 1370, kFileLabel, 1380, kFile, 1380,
                          kFileRange, 1380, kNumberLabel, 1390, kNumber, 1390, kNumberRange, 1390,
                          kDefaultButtonId, 9510, 1015, DWORD(-1), 1016, DWORD(-1), 1069, DWORD(-1),
                          2228, DWORD(-1), 2229, DWORD(-1), 0, 0};

bool BoxModel() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr && model->features[kMfBoxSave] != 0;
}
uint8_t Method(SheetCtx* ctx) { return Fields(*GetPrivDevMode(ctx)).nOutputMethod; }
bool SecureCase(SheetCtx* ctx) { return Method(ctx) == 3 || !BoxModel(); }
bool BoxCase(SheetCtx* ctx) { return BoxModel() && (Method(ctx) == 7 || Method(ctx) == 8); }

void EnableGroup(HWND dialog, const int* ids, size_t n, bool on) {
  for (size_t i = 0; i < n; ++i) {
    HWND control = GetDlgItem(dialog, ids[i]);
    if (on) EnableCtrlIfVisible(control, TRUE);
    else EnableWindow(control, FALSE);
  }
}

void EnableRules(HWND dialog, SheetCtx* ctx) {
  if (SecureCase(ctx)) {
    EnableGroup(dialog, kSecureIds, std::size(kSecureIds), true);
    EnableGroup(dialog, kBoxIds, std::size(kBoxIds), false);
  } else if (BoxCase(ctx)) {
    EnableGroup(dialog, kSecureIds, std::size(kSecureIds), false);
    EnableGroup(dialog, kBoxIds, std::size(kBoxIds), true);
  }
  if (!CanChangeDocSettings(ctx)) {
    for (int id : kNoChange) EnableWindow(GetDlgItem(dialog, id), FALSE);
  }
}

// The stored password as text (at most 72 bytes).
void Deciphered(SheetCtx* ctx, const DocFields& f, char* out) {
  uint8_t buffer[kPassBytes + 1] = {};
  const size_t n = std::min<size_t>(f.wSecurePrintPassLen, kPassBytes);
  std::memcpy(buffer, f.bySecurePrintPass, n);
  const uint32_t plain = DecryptPassword(GetCtxPrinterHandle(ctx), buffer, static_cast<uint32_t>(n), kPassBytes);
  buffer[std::min<size_t>(plain, kPassBytes - 1)] = 0;
  std::memcpy(out, buffer, kPassBytes);
}

void ShowFields(HWND dialog, SheetCtx* ctx) {
  const DocFields& f = Fields(*GetPrivDevMode(ctx));
  char id[17] = {}, number[17] = {}, pass[kPassBytes] = {};
  std::memcpy(id, f.szSecurePrintId, 16);
  std::memcpy(number, f.szBoxNumber, 16);
  Deciphered(ctx, f, pass);
  wchar_t file[31] = {};
  std::memcpy(file, f.szBoxFileName, 30 * sizeof(char16_t));
  SetDlgItemTextA(dialog, kId, id);
  SetDlgItemTextA(dialog, kPass, pass);
  SetDlgItemTextW(dialog, kFile, file);
  SetDlgItemTextA(dialog, kNumber, number);
}

void Init(HWND dialog, SheetCtx* ctx) {
  SetEditItemLimit(dialog, ctx, kId, kIdChars);
  SetEditItemLimit(dialog, ctx, kPass, kPassChars);
  SetEditItemLimit(dialog, ctx, kFile, kFileChars);
  SetEditItemLimit(dialog, ctx, kNumber, kNumberChars);
  ShowFields(dialog, ctx);
  if (!BoxModel()) {
    for (int id : kBoxIds) ShowEnableCtrl(dialog, id, FALSE);
  }
}

bool Filled(HWND dialog, int id) { return GetWindowTextLengthW(GetDlgItem(dialog, id)) > 0; }
bool Check(HWND dialog, SheetCtx* ctx, int id, int limit) {
  return ValidateEditItem(dialog, ctx, id, TRUE, 0, 0, limit) != 0;
}

bool Ok(HWND dialog, SheetCtx* ctx) {
  const bool secure = SecureCase(ctx), box = BoxCase(ctx);
  if (secure && !box) {
    if (!Check(dialog, ctx, kId, kIdChars) || !Check(dialog, ctx, kPass, kPassChars)) return false;
  } else if (!secure && !box) {
    const struct {
      int id, limit;
    } fields[] = {{kId, kIdChars}, {kPass, kPassChars}, {kFile, kFileChars}, {kNumber, kNumberChars}};
    for (const auto& field : fields) {
      if (Filled(dialog, field.id) && !Check(dialog, ctx, field.id, field.limit)) return false;
    }
  } else if (box) {
    if (!Check(dialog, ctx, kFile, kFileChars) || !Check(dialog, ctx, kNumber, kNumberChars)) return false;
  }
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  if (!box) {
    std::memset(f.szSecurePrintId, 0, sizeof f.szSecurePrintId);
    GetDlgItemTextA(dialog, kId, f.szSecurePrintId, kIdChars + 1);
    TakeTypedPassword(dialog, kPass, GetCtxPrinterHandle(ctx), f.bySecurePrintPass, kPassBytes,
                      &f.wSecurePrintPassLen);
  }
  if (BoxModel() && Method(ctx) != 3) {
    wchar_t file[kFileChars + 1] = {};
    GetDlgItemTextW(dialog, kFile, file, kFileChars + 1);
    std::memset(f.szBoxFileName, 0, sizeof f.szBoxFileName);
    std::memcpy(f.szBoxFileName, file, wcsnlen(file, kFileChars) * sizeof(char16_t));
    std::memset(f.szBoxNumber, 0, sizeof f.szBoxNumber);
    GetDlgItemTextA(dialog, kNumber, f.szBoxNumber, kNumberChars + 1);
  }
  return true;
}

// Each field whose shown value differs from the default takes the default.
void Defaults(HWND dialog, SheetCtx* ctx) {
  DocDMode defaults{};
  if (!CopyDefaultOEMDevMode(ctx, &defaults)) return;
  const DocFields& d = Fields(defaults);
  DocFields& f = Fields(*GetPrivDevMode(ctx));
  char id[17] = {};
  GetDlgItemTextA(dialog, kId, id, sizeof id);
  if (std::strncmp(id, d.szSecurePrintId, 17) != 0) std::memcpy(f.szSecurePrintId, d.szSecurePrintId, 17);
  char typed[kPassBytes] = {}, defaultPass[kPassBytes] = {};
  GetDlgItemTextA(dialog, kPass, typed, kPassBytes);
  Deciphered(ctx, d, defaultPass);
  if (std::strncmp(typed, defaultPass, kPassBytes - 1) != 0) {
    std::memcpy(f.bySecurePrintPass, d.bySecurePrintPass, kPassBytes);
    f.wSecurePrintPassLen = d.wSecurePrintPassLen;
  }
  wchar_t file[31] = {};
  GetDlgItemTextW(dialog, kFile, file, 31);
  if (std::memcmp(file, d.szBoxFileName, wcsnlen(file, 30) * sizeof(char16_t)) != 0 ||
      d.szBoxFileName[wcsnlen(file, 30)] != u'\0') {
    std::memcpy(f.szBoxFileName, d.szBoxFileName, sizeof f.szBoxFileName);
  }
  // The box number is compared over its own 17 bytes.
  char number[17] = {};
  GetDlgItemTextA(dialog, kNumber, number, sizeof number);
  if (std::strncmp(number, d.szBoxNumber, 17) != 0) std::memcpy(f.szBoxNumber, d.szBoxNumber, 17);
  ShowFields(dialog, ctx);
}

const DocumentDialog kDialog = {
    .templateId = 132,
    .textSection = "Dlg_UserSetting",
    .helpIds = kHelpIds,
    .helpTopic = 1291,
    .clipTitle = L"User Settings Dialog",
    .quietDefaults = true,
    .init = Init,
    .enableRules = EnableRules,
    .ok = Ok,
    .defaults = Defaults,
};

}  // namespace

INT_PTR CALLBACK UserSettingDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  return RunDocumentDialog(kDialog, dialog, message, wParam, lParam);
}
