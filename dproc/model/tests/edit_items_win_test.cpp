// Field checks on real edit, up-down and label controls.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "dproc/model/edit_items.h"
#include "dproc/model/message_text.h"
#include "common/win/ui_services.h"
#include "tools/qxd/qxd_document.h"

namespace {

std::vector<std::wstring> g_boxes;
int RecordBox(HWND, const wchar_t* text, const wchar_t*, UINT) {
  g_boxes.push_back(text);
  return IDOK;
}
const UiServices kRecorder = {RecordBox, nullptr, nullptr};

std::map<uint32_t, std::u16string> g_rows = {
    {10, u"Width"}, {11, u"Out of range. "}, {12, u"Use %s to %s."}, {13, u"Use %s to %s in."},
    {20, u"Name"},  {21, u"Wrong length. "}, {22, u"Use %d to %d characters."}};
const char16_t* Row(uint32_t row) {
  auto it = g_rows.find(row);
  return it == g_rows.end() ? nullptr : it->second.c_str();
}

// Descriptors of the fields this test uses, by their control ids:
// 1555 width (number), 1553 paper name (text, bytes), 1011 copies (number,
// length check), 1874 user name (text, no "0").
const char kDescriptors[] =
    "qxd 1\n\n"
    "section \"UserPaper_Width\" editfield\n"
    "  length chars 1 6\n"
    "  value 900 2970\n"
    "  check number 10 11 12 13\n"
    "\n"
    "section \"Paper_Name\" editfield\n"
    "  length bytes 0 8\n"
    "  value none none\n"
    "  check text 0 0 0 0\n"
    "\n"
    "section \"Copies\" editfield\n"
    "  length chars 1 3\n"
    "  value 1 none\n"
    "  rule letters forbid \"\"\n"
    "  check text 0 0 0 0\n"
    "  lengthcheck on 20 21 22\n"
    "\n"
    "section \"RecipientUserName\" editfield\n"
    "  length chars 0 20\n"
    "  value none none\n"
    "  rule digits forbid \"0\"\n"
    "  check text 0 0 0 0\n"
    "\n"
    "section \"BindShift_Front\" editfield\n"
    "  length chars 0 6\n"
    "  value -300 300\n"
    "  check text 0 0 0 0\n";

class EditItemsWinTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qxd::Document doc;
    std::string error;
    ASSERT_TRUE(qxd::ParseText(kDescriptors, &doc, &error)) << error;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(qxd::Build(doc, &bytes, &error)) << error;
    QxdContext* ctx = QxdOpenImage(bytes.data(), bytes.size());
    LoadEditItemTable(ctx);
    QxdClose(ctx);
    SetMessageRowSource(Row);
    previous_ = SetUiServices(&kRecorder);
    g_boxes.clear();

    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&icc);
    dialog_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(dialog_, nullptr);
    for (int id : {1555, 1553, 1011, 1874, 1362}) Child(L"EDIT", id);
    Child(UPDOWN_CLASSW, 2000);
    Child(L"STATIC", 2001);
  }
  void TearDown() override {
    DestroyWindow(dialog_);
    SetUiServices(previous_);
    SetMessageRowSource(nullptr);
    SetEditCodePage(CP_ACP);
    FreeEditItemTable();
  }
  void Child(const wchar_t* cls, int id) {
    ASSERT_NE(CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 0, 0, 100, 20, dialog_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr),
              nullptr);
  }
  void Type(int id, const wchar_t* text, DWORD caret) {
    SetDlgItemTextW(dialog_, id, text);
    SendDlgItemMessageW(dialog_, id, EM_SETSEL, caret, caret);
  }
  std::wstring Text(int id) {
    wchar_t text[256] = {};
    GetDlgItemTextW(dialog_, id, text, 256);
    return text;
  }
  DWORD Caret(int id) {
    DWORD start = 0, end = 0;
    SendDlgItemMessageW(dialog_, id, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start;
  }
  HWND dialog_ = nullptr;
  const UiServices* previous_ = nullptr;
};

TEST_F(EditItemsWinTest, RangeLabelOnARealEditAndUpDown) {
  SetEditRangeText(dialog_, nullptr, 1555, 2000, 2001, kEditUnitTenthMm, kEditUnitTenthMm);
  EXPECT_EQ(Text(2001), L"mm [90.0...297.0]");
  int low = 0, high = 0;
  SendDlgItemMessageW(dialog_, 2000, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low), reinterpret_cast<LPARAM>(&high));
  EXPECT_EQ(low, 900);
  EXPECT_EQ(high, 2970);
  EXPECT_EQ(SendDlgItemMessageW(dialog_, 1555, EM_GETLIMITTEXT, 0, 0), 5);
  SetEditRangeText(dialog_, nullptr, 1555, 2000, 2001, kEditUnitTenthMm, kEditUnitHundredthInch);
  EXPECT_EQ(Text(2001), L"inch [3.54...11.69]");
}

TEST_F(EditItemsWinTest, TypingAForbiddenCharacterRemovesItAndMovesTheCaretBack) {
  Type(1874, L"1024", 3);
  EXPECT_EQ(FilterEditItemText(dialog_, nullptr, 1874, 0, 0, 0, 64), 1);
  EXPECT_EQ(Text(1874), L"124");
  EXPECT_EQ(Caret(1874), 2u);
  EXPECT_TRUE(g_boxes.empty());
}

TEST_F(EditItemsWinTest, ByteLimitCutsBeforeADoubleByteCharacterInCodePage932) {
  SetEditCodePage(932);
  Type(1553, L"abcdefg\x3042", 8);
  EXPECT_EQ(FilterEditItemText(dialog_, nullptr, 1553, 0, 0, 0, 64), 1);
  EXPECT_EQ(Text(1553), L"abcdefg");
  // The same text in a single-byte code page fits its eight bytes.
  SetEditCodePage(1252);
  Type(1553, L"abcdefg\x00E9", 8);
  FilterEditItemText(dialog_, nullptr, 1553, 0, 0, 0, 64);
  EXPECT_EQ(Text(1553), L"abcdefg\x00E9");
  // The caller's limit wins when it is smaller.
  Type(1553, L"abcdefgh", 8);
  FilterEditItemText(dialog_, nullptr, 1553, 0, 0, 0, 5);
  EXPECT_EQ(Text(1553), L"abcde");
  EXPECT_EQ(ValidateEditTextByKeyword("paper", L"abcdefgh", 64), 1);
  EXPECT_EQ(ValidateEditTextByKeyword("paper", L"abcdefghi", 64), 0);
  SetEditCodePage(932);
  EXPECT_EQ(ValidateEditTextByKeyword("Paper_Name", L"abcdefg\x3042", 64), 0);
  EXPECT_EQ(ValidateEditTextByKeyword("NoSuchField", L"anything at all", 1), 1);
}

TEST_F(EditItemsWinTest, NumberFieldsAndTheirRangeMessage) {
  struct Case {
    const wchar_t* text;
    BOOL allowNonDigits;
    int result;
    size_t boxes;
  } cases[] = {
      {L"150", FALSE, 1, 0},
      {L"1500", FALSE, 0, 1},
      {L"50", FALSE, 0, 1},
      {L"95.5", FALSE, 1, 0},  // a decimal point without non-digits allowed: not range-checked
      {L"95.5", TRUE, 1, 0},   // 95.5 shown in millimetres is inside
      {L"", FALSE, 0, 1},      // empty, with a minimum length of 1
  };
  for (const Case& c : cases) {
    g_boxes.clear();
    Type(1555, c.text, 0);
    EXPECT_EQ(ValidateEditItem(dialog_, nullptr, 1555, c.allowNonDigits, kEditUnitTenthMm, kEditUnitMm, 64), c.result)
        << c.text;
    EXPECT_EQ(g_boxes.size(), c.boxes) << c.text;
    EXPECT_EQ(Text(1555), c.text) << "the field keeps the user's text";
  }
  Type(1555, L"50", 0);
  ValidateEditItem(dialog_, nullptr, 1555, FALSE, kEditUnitTenthMm, kEditUnitMm, 64);
  EXPECT_EQ(g_boxes.back(), L"Out of range. Use 90 to 297.");
}

TEST_F(EditItemsWinTest, TextFieldsClampToTheirBoundsAndCheckTheirLength) {
  Type(1362, L"-450", 2);
  EXPECT_EQ(ValidateEditItem(dialog_, nullptr, 1362, TRUE, kEditUnitTenthMm, kEditUnitTenthMm, 64), 1);
  EXPECT_EQ(Text(1362), L"-30.0");
  Type(1362, L"45", 0);
  ValidateEditItem(dialog_, nullptr, 1362, TRUE, kEditUnitTenthMm, kEditUnitTenthMm, 64);
  EXPECT_EQ(Text(1362), L"30.0");
  Type(1362, L"12", 0);
  ValidateEditItem(dialog_, nullptr, 1362, TRUE, kEditUnitTenthMm, kEditUnitTenthMm, 64);
  EXPECT_EQ(Text(1362), L"12");

  Type(1011, L"1234", 0);
  EXPECT_EQ(ValidateEditItem(dialog_, nullptr, 1011, FALSE, 0, 0, 64), 0);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_EQ(g_boxes[0], L"Wrong length. Use 1 to 3 characters.");
  Type(1011, L"12", 0);
  EXPECT_EQ(ValidateEditItem(dialog_, nullptr, 1011, FALSE, 0, 0, 64), 1);
}

TEST_F(EditItemsWinTest, LimitsFromTheDescriptors) {
  SetEditItemLimit(dialog_, nullptr, 1555, 99);
  EXPECT_EQ(SendDlgItemMessageW(dialog_, 1555, EM_GETLIMITTEXT, 0, 0), 6);
  SendDlgItemMessageW(dialog_, 1559, EM_LIMITTEXT, 0, 0);
  Child(L"EDIT", 1559);
  SetEditItemLimit(dialog_, nullptr, 1559, 99);
  EXPECT_EQ(SendDlgItemMessageW(dialog_, 1559, EM_GETLIMITTEXT, 0, 0), 99) << "no descriptor: the default";
}

}  // namespace
