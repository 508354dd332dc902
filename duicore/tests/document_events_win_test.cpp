// The document events of a job, run in the test program against a render
// core that answers the private escapes from a job record built from the
// shared layout, with scripted outside libraries.
#include <windows.h>

#include <winddiui.h>
#include <winspool.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/contracts/fax_dialogs_win.h"
#include "common/contracts/private_escapes.h"
#include "common/records/auth_reg_record.h"
#include "common/records/doc_fields.h"
#include "common/records/job_record.h"
#include "common/win/user_registry.h"
#include "duicore/devmode/devmode_work_win.h"
#include "duicore/events/document_events_win.h"
#include "duicore/events/job_authentication_win.h"
#include "duicore/tests/event_harness_win.h"
#include "tests/support/test_printer_win.h"

namespace {

using eventtest::EventHarness;
using eventtest::Proc;

// The destination dialog as the test answers it.
struct PopupScript {
  int result = 1;
  std::vector<std::u16string> numbers;
  int calls = 0;
  FaxSetting seenSetting{};
  bool sawPrinter = false;
} g_popup;

int WINAPI ScriptedPopup(FaxSendToArgs* args) {
  ++g_popup.calls;
  g_popup.seenSetting = *args->pFaxSetting;
  g_popup.sawPrinter = args->phPrinter != nullptr && *args->phPrinter != nullptr;
  *args->pdwRecipientCount = static_cast<uint32_t>(g_popup.numbers.size());
  for (size_t i = 0; i < g_popup.numbers.size(); ++i) {
    std::memcpy(args->pRecipients[i].szFaxNumber, g_popup.numbers[i].c_str(),
                g_popup.numbers[i].size() * sizeof(char16_t));
  }
  return g_popup.result;
}

void WINAPI ScriptedCompanyName(wchar_t* out, int capacity) { lstrcpynW(out, L"EVTESTMAKER", capacity); }

struct NotifyLog {
  std::string id, printer;
  int calls = 0;
} g_notify;

int WINAPI ScriptedNotify(const char* id, const char* printer) {
  ++g_notify.calls;
  g_notify.id = id;
  g_notify.printer = printer;
  return 1;
}

class DocumentEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    g_popup = PopupScript{};
    g_notify = NotifyLog{};
    h_.libraries[L"VELDRANA.DLL"] = L"";
    h_.functions["GetCompanyName"] = Proc(ScriptedCompanyName);
    h_.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
    FaxSetting& fax = *reinterpret_cast<FaxSetting*>(DocBytes(&h_.Doc()) + kFaxSettingDocAt);
    fax.fgTimerSend = 1;
    fax.bySendHour = 9;
    fax.bySendMinute = 30;
  }
  void TearDown() override { SetMakerName(nullptr); }

  int Event(int event, ULONG inSize = 0, void* in = nullptr) {
    return DrvDocumentEvent(printer_.handle(), nullptr, event, inSize, in, 0, nullptr);
  }

  testsupport::TestPrinter printer_;
  EventHarness h_;
};

TEST_F(DocumentEvents, StartDocSendsItsEscapesInOrderWithTheirSizes) {
  g_popup.numbers = {u"0301", u"0302"};
  EXPECT_EQ(Event(DOCUMENTEVENT_STARTDOC), DOCUMENTEVENT_SUCCESS);
  const std::vector<uint32_t> want = {kEscSetJobId,       kEscGetJobData,     kEscSetJobSettings, kEscGetJobData,
                                      kEscSetPrivateArea, kEscSetDevOption,   kEscGetJobData,     kEscSetDevOption,
                                      kEscGetJobData,     kEscSetFaxData,     kEscSetSendTime,    kEscGetJobData};
  EXPECT_EQ(h_.Codes(), want);
  const std::vector<std::pair<uint32_t, size_t>> sizes = {
      {kEscSetJobId, 27},          {kEscSetJobSettings, 426}, {kEscSetPrivateArea, 8032},
      {kEscSetDevOption, 968},     {kEscSetFaxData, 69042},   {kEscSetSendTime, 16}};
  for (const auto& [code, size] : sizes) {
    ASSERT_NE(h_.Find(code), nullptr) << std::hex << code;
    EXPECT_EQ(h_.Find(code)->in.size(), size) << std::hex << code;
  }
  // The destinations reach the fax block; the dialog saw the job's settings.
  EXPECT_EQ(g_popup.calls, 1);
  EXPECT_TRUE(g_popup.sawPrinter);
  EXPECT_EQ(g_popup.seenSetting.bySendHour, 9);
  const auto* block = reinterpret_cast<const FaxSendBlock*>(h_.fax.data());
  EXPECT_EQ(block->wRecipientCount, 2);
  EXPECT_EQ(std::u16string(block->recipients[1].szFaxNumber), u"0302");
  EXPECT_EQ(block->faxSetting.bySendMinute, 30);
  EXPECT_EQ(h_.Find(kEscFaxCancelled), nullptr);
  // 09:30 seen at 09:29: today.
  uint16_t sendTime[8];
  std::memcpy(sendTime, h_.Find(kEscSetSendTime)->in.data(), 16);
  const uint16_t today[8] = {2026, 3, 5, 9, 30, 0, 0, 0};
  EXPECT_EQ(std::memcmp(sendTime, today, 16), 0);
  // The notification library is looked for beside the core; it is absent.
  EXPECT_NE(std::find(h_.loads.begin(), h_.loads.end(), L"VELDRANO.DLL"), h_.loads.end());
}

TEST_F(DocumentEvents, TheSendDateFollowsTheClock) {
  struct Case {
    SYSTEMTIME now;
    uint16_t year, month, day;
  } cases[] = {
      {{2026, 3, 4, 5, 9, 29, 0, 0}, 2026, 3, 5},     // before 09:30
      {{2026, 3, 4, 5, 9, 30, 0, 0}, 2026, 3, 5},     // at it
      {{2026, 3, 4, 5, 9, 31, 0, 0}, 2026, 3, 6},     // after it
      {{2026, 3, 2, 31, 9, 31, 0, 0}, 2026, 4, 1},    // month end
      {{2026, 12, 4, 31, 23, 59, 0, 0}, 2027, 1, 1},  // year end
      {{2028, 2, 2, 28, 10, 0, 0, 0}, 2028, 2, 29},   // leap year
  };
  for (const Case& c : cases) {
    h_.escapes.clear();
    h_.faxHeld = false;
    h_.local = c.now;
    RunStartDocSequence(printer_.handle(), nullptr);
    const auto* call = h_.Find(kEscSetSendTime);
    ASSERT_NE(call, nullptr);
    uint16_t t[8];
    std::memcpy(t, call->in.data(), 16);
    EXPECT_EQ(t[0], c.year) << c.now.wHour << ":" << c.now.wMinute;
    EXPECT_EQ(t[1], c.month) << c.now.wHour << ":" << c.now.wMinute;
    EXPECT_EQ(t[2], c.day) << c.now.wHour << ":" << c.now.wMinute;
    EXPECT_EQ(t[3], 9);
    EXPECT_EQ(t[4], 30);
  }
}

TEST_F(DocumentEvents, CancelledOrMissingDialogCancelsTheFaxButStillSendsItsBlock) {
  struct Case {
    const char* name;
    bool library, function;
    int result;
  } cases[] = {
      {"cancelled", true, true, 2},
      {"dialog failed", true, true, -1},
      {"no dialog function", true, false, 0},
      {"no procedure library", false, false, 0},
  };
  for (const Case& c : cases) {
    EventHarness h;
    if (c.library) h.libraries[L"VELDRANA.DLL"] = L"";
    h.functions["GetCompanyName"] = Proc(ScriptedCompanyName);
    if (c.function) h.functions[kPopupFaxSendToDlg] = Proc(ScriptedPopup);
    g_popup = PopupScript{};
    g_popup.result = c.result;
    RunStartDocSequence(printer_.handle(), nullptr);
    const std::vector<uint32_t> codes = h.Codes();
    auto at = [&](uint32_t code) { return std::find(codes.begin(), codes.end(), code) - codes.begin(); };
    ASSERT_NE(h.Find(kEscFaxCancelled), nullptr) << c.name;
    EXPECT_LT(at(kEscFaxCancelled), at(kEscSetFaxData)) << c.name;
    EXPECT_LT(at(kEscSetFaxData), at(kEscSetSendTime)) << c.name;
    EXPECT_NE(h.Find(kEscSetDevOption), nullptr) << c.name << ": the device options go back whatever happened";
    EXPECT_EQ(h.Find(kEscAuthResult), nullptr) << c.name;
    // The drop check after StartDoc cancels the job through the spooler.
    DWORD job = 41;
    h.windowsMajor = 5;
    EXPECT_EQ(DrvDocumentEvent(printer_.handle(), nullptr, DOCUMENTEVENT_STARTDOCPOST, sizeof job, &job, 0, nullptr),
              DOCUMENTEVENT_SUCCESS);
    ASSERT_EQ(h.cancelledJobs.size(), 1u) << c.name;
    EXPECT_EQ(h.cancelledJobs[0].first, printer_.name());
    EXPECT_EQ(h.cancelledJobs[0].second, 41u);
    EXPECT_EQ(h.abortDocs, 1) << "before Windows 6 the document is aborted too";
  }
}

TEST_F(DocumentEvents, DropCheckLeavesAJobThatGoesOn) {
  DWORD job = 7;
  EXPECT_EQ(Event(DOCUMENTEVENT_STARTDOCPOST, sizeof job, &job), DOCUMENTEVENT_SUCCESS);
  EXPECT_TRUE(h_.cancelledJobs.empty());
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscQueryDrop1, kEscQueryDrop2}));
  // A refused authentication drops it; Windows 6 needs no AbortDoc.
  h_.authRefused = 1;
  EXPECT_EQ(Event(DOCUMENTEVENT_STARTDOCPOST, sizeof job, &job), DOCUMENTEVENT_SUCCESS);
  ASSERT_EQ(h_.cancelledJobs.size(), 1u);
  EXPECT_EQ(h_.abortDocs, 0);
}

TEST_F(DocumentEvents, JobIdentifier) {
  char id[27];
  ASSERT_TRUE(MakeJobIdentifier(id));
  EXPECT_EQ(std::strlen(id), 26u);
  EXPECT_EQ(std::string(id, 6), "ACDE48") << "no adapter";
  EXPECT_EQ(std::string(id + 12), "0305081D070141") << "UTC 5 March 08:29:07.321";
  for (int i = 6; i < 12; ++i) EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(id[i])) && !std::islower(id[i]));
  h_.hasAdapter = true;
  const uint8_t mac[6] = {0x02, 0x00, 0x4c, 0x4f, 0x4f, 0x50};
  std::memcpy(h_.adapter, mac, 6);
  ASSERT_TRUE(MakeJobIdentifier(id));
  EXPECT_EQ(std::string(id), "02004C4F4F500305081D070141");
  // StartDoc sends it with its NUL and hands it to the notification.
  h_.libraries[L"VELDRANO.DLL"] = L"";
  h_.functions["BdcSetNotifyPrint"] = Proc(ScriptedNotify);
  Event(DOCUMENTEVENT_STARTDOC);
  const auto* call = h_.Find(kEscSetJobId);
  ASSERT_NE(call, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(call->in.data())), "02004C4F4F500305081D070141");
  EXPECT_EQ(call->in[26], 0);
  EXPECT_EQ(std::string(LastJobIdentifier()), "02004C4F4F500305081D070141");
  EXPECT_EQ(g_notify.calls, 1);
  EXPECT_EQ(g_notify.id, "02004C4F4F500305081D070141");
  EXPECT_EQ(std::wstring(g_notify.printer.begin(), g_notify.printer.end()), printer_.name());
}

TEST_F(DocumentEvents, EventCodesAndDevModeChecks) {
  // Flags in the high word do not change the event.
  EXPECT_EQ(Event(DOCUMENTEVENT_STARTDOCPOST | 0x10000), DOCUMENTEVENT_SUCCESS);
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscQueryDrop1, kEscQueryDrop2}));
  // Unknown events succeed without a word to the render core.
  h_.escapes.clear();
  EXPECT_EQ(Event(DOCUMENTEVENT_DELETEDC), DOCUMENTEVENT_SUCCESS);
  EXPECT_TRUE(h_.escapes.empty());
  // After EndDoc: the fax block and the per-page list are freed.
  EXPECT_EQ(Event(DOCUMENTEVENT_ENDDOCPOST), DOCUMENTEVENT_SUCCESS);
  EXPECT_EQ(h_.Codes(), (std::vector<uint32_t>{kEscFreeFaxData, kEscFreeInterSheetList}));
  // A DEVMODE that is not this driver's, or asks for no copies, fails the DC.
  DEVMODEW foreign{};
  foreign.dmSize = sizeof foreign;
  foreign.dmCopies = 1;
  DOCEVENT_CREATEDCPRE create{nullptr, nullptr, &foreign, FALSE};
  EXPECT_EQ(Event(DOCUMENTEVENT_CREATEDCPRE, sizeof create, &create), DOCUMENTEVENT_FAILURE);
  DEVMODEW* reset = &foreign;
  EXPECT_EQ(Event(DOCUMENTEVENT_RESETDCPRE, sizeof reset, &reset), DOCUMENTEVENT_FAILURE);
  DOCEVENT_CREATEDCPRE none{nullptr, nullptr, nullptr, FALSE};
  EXPECT_EQ(Event(DOCUMENTEVENT_CREATEDCPRE, sizeof none, &none), DOCUMENTEVENT_SUCCESS);
}

// The driver's own DEVMODE, as the spooler hands it out, makes the DC; the
// same DEVMODE asking for no copies fails its creation and its reset.
TEST_F(DocumentEvents, ADriverDevModeWithoutCopiesFailsTheDc) {
  wchar_t* name = const_cast<wchar_t*>(printer_.name().c_str());
  const LONG size = DocumentPropertiesW(nullptr, printer_.handle(), name, nullptr, nullptr, 0);
  ASSERT_GE(size, static_cast<LONG>(sizeof(DEVMODEW)));
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  auto* devmode = reinterpret_cast<DEVMODEW*>(bytes.data());
  ASSERT_EQ(DocumentPropertiesW(nullptr, printer_.handle(), name, devmode, nullptr, DM_OUT_BUFFER), IDOK);
  // The version this harness's procedure library reports.
  devmode->dmDriverVersion = static_cast<WORD>(DriverVersion());
  ASSERT_GE(devmode->dmCopies, 1);
  DOCEVENT_CREATEDCPRE create{nullptr, nullptr, devmode, FALSE};
  DEVMODEW* reset = devmode;
  EXPECT_EQ(Event(DOCUMENTEVENT_CREATEDCPRE, sizeof create, &create), DOCUMENTEVENT_SUCCESS);
  EXPECT_EQ(Event(DOCUMENTEVENT_RESETDCPRE, sizeof reset, &reset), DOCUMENTEVENT_SUCCESS);
  devmode->dmCopies = 0;
  EXPECT_EQ(Event(DOCUMENTEVENT_CREATEDCPRE, sizeof create, &create), DOCUMENTEVENT_FAILURE);
  EXPECT_EQ(Event(DOCUMENTEVENT_RESETDCPRE, sizeof reset, &reset), DOCUMENTEVENT_FAILURE);
}

TEST_F(DocumentEvents, EndPageFailsWithoutJobRecordOrDrawingMode) {
  h_.failing.insert(kEscGetJobData);
  EXPECT_EQ(Event(DOCUMENTEVENT_ENDPAGE), DOCUMENTEVENT_FAILURE);
  h_.failing.clear();
  DocBytes(&h_.Doc())[kDocWatermarkAt] = 1;
  h_.failing.insert(kEscSetUiDraw);
  EXPECT_EQ(Event(DOCUMENTEVENT_ENDPAGE), DOCUMENTEVENT_FAILURE);
  // Without a watermark the page ends without switching anything.
  h_.failing.clear();
  DocBytes(&h_.Doc())[kDocWatermarkAt] = 0;
  h_.escapes.clear();
  EXPECT_EQ(Event(DOCUMENTEVENT_ENDPAGE), DOCUMENTEVENT_SUCCESS);
  EXPECT_EQ(h_.Find(kEscSetUiDraw), nullptr);
}

// The per-user stores of the authentication record.
class AuthStore : public DocumentEvents {
 protected:
  void SetUp() override {
    DocumentEvents::SetUp();
    SetMakerName(L"EVTESTMAKER");
  }
  void TearDown() override {
    wchar_t path[512];
    ASSERT_TRUE(MakeUserSettingsPath(L"", printer_.name().c_str(), nullptr, path, 512));
    std::wstring root = L"Software\\EVTESTMAKER";
    RegDeleteTreeW(HKEY_CURRENT_USER, root.c_str());
    DocumentEvents::TearDown();
  }
  void Put(const wchar_t* tail, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    wchar_t path[512];
    ASSERT_TRUE(MakeUserSettingsPath(driver_.c_str(), printer_.name().c_str(), tail, path, 512));
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void PutText(const wchar_t* tail, const wchar_t* name, const std::wstring& text) {
    Put(tail, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  }
  std::wstring driver_ = L"EvDriver";
};

TEST_F(AuthStore, FieldsAreCappedAndOversizedPasswordsRefused) {
  const DWORD type = 1, server = 7;
  Put(L"Authentication", L"UserType", REG_DWORD, &type, 4);
  PutText(L"Authentication", L"UserName", std::wstring(200, L'u'));
  std::vector<uint8_t> pass(81, 0x5A);
  Put(L"Authentication", L"UserPass", REG_BINARY, pass.data(), 81);
  Put(L"Authentication", L"UserServerSetting", REG_DWORD, &server, 4);
  PutText(L"AccountTrack", L"DepartmentName", L"12345678901234");
  std::vector<uint8_t> long74(74, 1);
  Put(L"AccountTrack", L"DepartmentPass", REG_BINARY, long74.data(), 74);
  PutText(L"SecurePrint", L"ID", std::wstring(40, L'7'));
  Put(L"SecurePrint", L"Pass", REG_BINARY, long74.data(), 73);
  AuthRegRecord r;
  EXPECT_FALSE(ReadAuthRegRecord(driver_.c_str(), printer_.name().c_str(), &r)) << "one value was refused";
  EXPECT_EQ(r.byUserType, 1);
  EXPECT_EQ(std::u16string(r.szAuthUserName), std::u16string(80, u'u'));
  EXPECT_EQ(r.wAuthUserPassLen, 81);
  EXPECT_EQ(r.byAuthUserPass[80], 0x5A);
  EXPECT_EQ(r.wServerSetting, 7);
  EXPECT_EQ(std::string(r.szDeptName), "12345678");
  EXPECT_EQ(r.wDeptPassLen, 0) << "74 bytes do not fit 73";
  EXPECT_EQ(r.byDeptPass[0], 0);
  EXPECT_EQ(std::string(r.szSecurePrintId), std::string(16, '7'));
  EXPECT_EQ(r.wSecurePrintPassLen, 73);
}

TEST_F(AuthStore, StartDocSendsTheRecordReadFromTheStores) {
  PutText(L"Authentication", L"UserName", L"alice");
  // The core reads the stores under the printer's own driver name.
  wchar_t driver[260] = {};
  DWORD needed = 0;
  std::vector<uint8_t> info(4096);
  ASSERT_TRUE(GetPrinterDriverW(printer_.handle(), nullptr, 1, info.data(), 4096, &needed));
  driver_ = reinterpret_cast<DRIVER_INFO_1W*>(info.data())->pName;
  PutText(L"Authentication", L"UserName", L"alice");
  Event(DOCUMENTEVENT_STARTDOC);
  const auto* call = h_.Find(kEscSetJobSettings);
  ASSERT_NE(call, nullptr);
  AuthRegRecord r;
  std::memcpy(&r, call->in.data(), sizeof r);
  EXPECT_EQ(std::u16string(r.szAuthUserName), u"alice");
  EXPECT_EQ(r.wServerSetting, 1) << "preset to 1";
  (void)driver;
}

}  // namespace
