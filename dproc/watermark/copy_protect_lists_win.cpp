// The stamp and background pattern lists of the copy-protect dialogs, and
// the query of the stamps the device has registered.  A device stamp the
// device registered is listed under the device's name behind an asterisk,
// or left out when the device gave it no name; the other stamps under their
// description texts.
#include <windows.h>

#include <string>

#include "common/contracts/open_api.h"
#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/model/device_option_values.h"
#include "dproc/model/feature_table.h"
#include "dproc/openapi/device_stamp_queries_win.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/sheets/device_address_win.h"
#include "dproc/sheets/option_rows_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/watermark/copy_protect_dialogs_win.h"

namespace {

enum : int { kStampList = 2129, kPatternList = 2155 };
constexpr size_t kItemChars = 47;

const StampOptionItem* StampRows() {
  return reinterpret_cast<const StampOptionItem*>(FindOptionTable("CPE_StringTYPE3_op"));
}
const OptionHead* NextRow(const OptionHead* row) { return NextOptionRow(row); }
bool OnDevice(const OptionHead* row) {
  return row->size == sizeof(StampOptionItem) && reinterpret_cast<const StampOptionItem*>(row)->registered != 0;
}

// The item text of a stamp row: empty when the row is left out.
std::u16string StampItemText(const OptionHead* row, int devicePosition) {
  const DeviceStamps& device = SessionDeviceStamps();
  if (OnDevice(row) && devicePosition >= 1 && devicePosition <= static_cast<int>(kDeviceStampSlots) &&
      device.registered[devicePosition - 1]) {
    const std::u16string& name = device.names[devicePosition - 1];
    return name.empty() ? std::u16string() : u"*" + name;
  }
  return reinterpret_cast<const char16_t*>(OptionRowDisplayText(row));
}

void AddItem(HWND list, std::u16string text, const OptionHead* row) {
  if (text.size() > kItemChars) text.resize(kItemChars);
  const LRESULT at = SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  if (at >= 0) SendMessageW(list, CB_SETITEMDATA, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(row));
}

const OptionHead* ItemRow(HWND list, LRESULT at) {
  const LRESULT data = SendMessageW(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0);
  return data == CB_ERR ? nullptr : reinterpret_cast<const OptionHead*>(data);
}

// Selects the first item whose row `matches`; none when no row does.
template <typename Match>
void SelectFirst(HWND list, Match matches) {
  const LRESULT count = SendMessageW(list, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const OptionHead* row = ItemRow(list, i);
    if (row != nullptr && matches(row)) {
      SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
      return;
    }
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

const OptionHead* SelectedRow(HWND dialog, int id) {
  HWND list = GetDlgItem(dialog, id);
  const LRESULT at = list != nullptr ? SendMessageW(list, CB_GETCURSEL, 0, 0) : CB_ERR;
  return at < 0 ? nullptr : ItemRow(list, at);
}

DocFields* FieldsOf(SheetCtx* ctx) {
  DocDMode* doc = ctx != nullptr ? GetPrivDevMode(ctx) : nullptr;
  return doc != nullptr ? &Fields(*doc) : nullptr;
}

}  // namespace

DeviceStamps& SessionDeviceStamps() {
  static DeviceStamps stamps;
  return stamps;
}

int CopyProtectDialogType() {
  const ModelInfo* model = ProcessModelInfo();
  return model != nullptr ? static_cast<int>(model->features[kMfCopyProtectType]) : 0;
}

void FillCopyProtectStampList(HWND dialog, SheetCtx*) {
  HWND list = GetDlgItem(dialog, kStampList);
  if (list == nullptr) return;
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  int devicePosition = 0;
  const auto* rows = reinterpret_cast<const OptionHead*>(StampRows());
  for (const OptionHead* row = rows; row != nullptr && row->keyword[0] != '\0'; row = NextRow(row)) {
    if (OnDevice(row)) ++devicePosition;
    const std::u16string text = StampItemText(row, devicePosition);
    if (!text.empty()) AddItem(list, text, row);
  }
}

void FillCopyProtectPatternList(HWND dialog, SheetCtx*) {
  HWND list = GetDlgItem(dialog, kPatternList);
  if (list == nullptr) return;
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const OptionHead* row = FindOptionTable("CPE_CP_Pattern"); row != nullptr && row->keyword[0] != '\0';
       row = NextRow(row)) {
    const std::u16string text = reinterpret_cast<const char16_t*>(OptionRowDisplayText(row));
    if (!text.empty()) AddItem(list, text, row);
  }
}

void SelectCopyProtectStampItem(HWND dialog, SheetCtx* ctx) {
  const DocFields* f = FieldsOf(ctx);
  HWND list = GetDlgItem(dialog, kStampList);
  if (f == nullptr || list == nullptr) return;
  const bool device = f->nStampType != 0;
  const uint32_t value = device ? f->nRecordStamp : f->nFixedStamp;
  SelectFirst(list, [&](const OptionHead* row) { return OnDevice(row) == device && row->value == value; });
}

void SelectCopyProtectPatternItem(HWND dialog, SheetCtx* ctx) {
  const DocFields* f = FieldsOf(ctx);
  HWND list = GetDlgItem(dialog, kPatternList);
  if (f == nullptr || list == nullptr) return;
  SelectFirst(list, [&](const OptionHead* row) { return row->value == f->nBackPattern; });
}

bool GetCopyProtectStampItem(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  const OptionHead* row = SelectedRow(dialog, kStampList);
  if (f == nullptr || row == nullptr) return false;
  if (OnDevice(row)) {
    f->nRecordStamp = static_cast<uint8_t>(row->value);
    f->nStampType = 1;
  } else {
    f->nFixedStamp = static_cast<uint8_t>(row->value);
    f->nStampType = 0;
  }
  return true;
}

bool GetCopyProtectPatternItem(HWND dialog, SheetCtx* ctx) {
  DocFields* f = FieldsOf(ctx);
  const OptionHead* row = SelectedRow(dialog, kPatternList);
  if (f == nullptr || row == nullptr) return false;
  f->nBackPattern = static_cast<uint8_t>(row->value);
  return true;
}

void QueryDeviceStamps(HWND dialog, SheetCtx* ctx) {
  if (ctx == nullptr) return;
  UpdateCtxDeviceAddress(dialog, ctx);
  const bool middle = IsInterServerAuthentication(ProcessModelInfo(), GetCtxPrinterInfo(ctx), g_description.deviceOptions);
  OpenApiSession* session = StartupAndConnect(dialog, GetCtxPrinterHandle(ctx), GetPrivDevMode(ctx),
                                              UiDeviceAddress(GetUIState(ctx)), middle);
  if (session == nullptr) return;
  // A failed query leaves an empty list: no stamp registered.
  RegisteredStampList list{};
  GetRegisteredStamps(session, &list);
  CleanupSession(session);
  DeviceStamps stamps;
  for (uint32_t i = 0; i < list.count && i < kRegisteredStampSlots; ++i) {
    const RegisteredStamp& s = list.stamps[i];
    if (s.registered == 0 || s.number < 1 || s.number > kDeviceStampSlots) continue;
    stamps.registered[s.number - 1] = true;
    stamps.names[s.number - 1] = reinterpret_cast<const char16_t*>(s.name);
  }
  SessionDeviceStamps() = stamps;
}
