// Storing the user paper list on a test printer: the 682 bytes written and
// read back, the forms replaced only after the write, and a failed write
// that leaves the printer data and the forms as they were.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dproc/basic/user_paper_store_win.h"
#include "dproc/model/user_paper_list_win.h"
#include "tests/support/test_printer_win.h"

namespace {

UserPaperEntry Entry(const char16_t* name, int32_t w, int32_t l, int16_t id) {
  UserPaperEntry e = {};
  std::char_traits<char16_t>::copy(e.name, name, std::char_traits<char16_t>::length(name));
  e.width = w;
  e.length = l;
  e.areaRight = w;
  e.areaBottom = l;
  e.paperId = id;
  return e;
}

// The spooler's form calls recorded in order; the data write is the
// system's unless refused.
std::vector<std::wstring> g_calls;
bool g_refuseWrite = false;
DWORD SetData(HANDLE printer, const wchar_t* name, DWORD type, const BYTE* data, DWORD size) {
  g_calls.push_back(L"write");
  if (g_refuseWrite) return ERROR_ACCESS_DENIED;
  return SystemUserPaperSpooler().setPrinterData(printer, name, type, data, size);
}
bool HasForm(HANDLE, const wchar_t*) { return true; }
BOOL DeleteForm(HANDLE, const wchar_t* name) {
  g_calls.push_back(std::wstring(L"delete ") + name);
  return TRUE;
}
BOOL AddForm(HANDLE, const FORM_INFO_1W* form) {
  g_calls.push_back(std::wstring(L"add ") + form->pName + L" " + std::to_wstring(form->Size.cx));
  return TRUE;
}
const UserPaperSpooler kRecording = {SetData, HasForm, DeleteForm, AddForm};

TEST(UserPaperStore, WritesTheListFirstThenReplacesTheForms) {
  testsupport::TestPrinter printer;
  ASSERT_TRUE(printer.ok()) << printer.error();
  UserPaperList start = {};
  start.count = 1;
  start.entries[0] = Entry(u"Old labels", 100000, 150000, 512);
  UserPaperList list = {};
  list.count = 2;
  list.entries[0] = Entry(u"Labels", 100000, 150000, 512);
  list.entries[1] = Entry(u"Cards", 120000, 180000, 513);
  g_calls.clear();
  g_refuseWrite = false;
  ASSERT_TRUE(StoreUserPaperList(printer.handle(), start, &list, false, kRecording));
  EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"write", L"delete Old labels", L"add Labels 100000",
                                                L"add Cards 120000"}));
  UserPaperList back;
  ASSERT_TRUE(ReadCustomPaperData(printer.handle(), &back));
  EXPECT_EQ(std::memcmp(&back, &list, kUserPaperListSize), 0) << "all 682 bytes read back";
  DWORD type = 0, needed = 0;
  GetPrinterDataW(printer.handle(), const_cast<wchar_t*>(L"CustomPaperData"), &type, nullptr, 0, &needed);
  EXPECT_EQ(needed, kUserPaperListSize);
  EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));

  // A refused write: nothing deleted or added, the stored list unchanged.
  UserPaperList next = list;
  next.count = 0;
  g_calls.clear();
  g_refuseWrite = true;
  EXPECT_FALSE(StoreUserPaperList(printer.handle(), list, &next, false, kRecording));
  EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"write"}));
  ASSERT_TRUE(ReadCustomPaperData(printer.handle(), &back));
  EXPECT_EQ(std::memcmp(&back, &list, kUserPaperListSize), 0);

  // The session flag: the data only, no form calls.
  g_calls.clear();
  g_refuseWrite = false;
  EXPECT_TRUE(StoreUserPaperList(printer.handle(), list, &next, true, kRecording));
  EXPECT_EQ(g_calls, (std::vector<std::wstring>{L"write"}));
}

TEST(UserPaperStore, AnOutOfRangeCountIsStoredClamped) {
  testsupport::TestPrinter printer;
  ASSERT_TRUE(printer.ok()) << printer.error();
  UserPaperList list;
  std::memset(&list, 0x42, sizeof list);
  list.count = 40;
  g_calls.clear();
  g_refuseWrite = false;
  ASSERT_TRUE(StoreUserPaperList(printer.handle(), UserPaperList{}, &list, false, kRecording));
  UserPaperList back;
  ASSERT_TRUE(ReadCustomPaperData(printer.handle(), &back));
  EXPECT_EQ(back.count, 10);
  EXPECT_EQ(back.entries[9].name[19], 0) << "names are ended";
  EXPECT_EQ(g_calls.size(), 11u) << "the write and ten forms";
}

}  // namespace
