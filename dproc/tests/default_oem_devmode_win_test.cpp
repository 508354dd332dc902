// The default document settings of a sheet context: the printer's stored
// defaults when they are sound, the built-in ones otherwise.
#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "dproc/model/default_settings.h"
#include "common/records/settings_checksum.h"
#include "common/records/sheet_session.h"
#include "dproc/settings/default_oem_devmode_win.h"
#include "common/records/doc_fields.h"
#include "tests/support/test_printer_win.h"

namespace {

int16_t Copies(const DocDMode& d) {
  int16_t v;
  std::memcpy(&v, reinterpret_cast<const uint8_t*>(&d) + kDocCopiesAt, sizeof v);
  return v;
}

class DefaultOemDevModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    session_ = std::make_unique<SheetSession>();
    *session_ = SheetSession{};
    session_->kind = kSheetDocumentSession;
    session_->printer = printer_.handle();
    session_->working = &session_->workingRecord;
    ctx_.dwSize = sizeof ctx_;
    ctx_.lParam = reinterpret_cast<LPARAM>(session_.get());
  }
  void Store(const void* data, DWORD size) {
    ASSERT_EQ(SetPrinterDataW(printer_.handle(), const_cast<wchar_t*>(L"DefaultOEMDEV"), REG_BINARY,
                              static_cast<BYTE*>(const_cast<void*>(data)), size),
              static_cast<DWORD>(ERROR_SUCCESS));
  }
  DocDMode& Area() { return session_->workingRecord.devmode.doc; }

  testsupport::TestPrinter printer_{L"Default OEM"};
  std::unique_ptr<SheetSession> session_;
  SheetCtx ctx_ = {};
};

TEST_F(DefaultOemDevModeTest, BuiltInDefaultsWithoutAStoredRecord) {
  std::memset(&Area(), 0xCD, sizeof(DocDMode));
  ASSERT_EQ(GetDefaultOEMDevMode(&ctx_), &Area());
  EXPECT_TRUE(IsSoundDocDMode(&Area()));
  EXPECT_EQ(Copies(Area()), Copies(DefaultDocDMode()));
}

TEST_F(DefaultOemDevModeTest, SoundStoredRecordIsTaken) {
  DocDMode stored = DefaultDocDMode();
  const int16_t copies = 7;
  std::memcpy(reinterpret_cast<uint8_t*>(&stored) + kDocCopiesAt, &copies, sizeof copies);
  SealDocDMode(&stored);
  Store(&stored, sizeof stored);
  ASSERT_EQ(GetDefaultOEMDevMode(&ctx_), &Area());
  EXPECT_EQ(Copies(Area()), 7);
  EXPECT_TRUE(IsSoundDocDMode(&Area()));
}

TEST_F(DefaultOemDevModeTest, DamagedOrForeignStoredRecordsCountAsAbsent) {
  DocDMode badSum = DefaultDocDMode();
  const int16_t copies = 7;
  std::memcpy(reinterpret_cast<uint8_t*>(&badSum) + kDocCopiesAt, &copies, sizeof copies);  // sum not redone
  const uint8_t shortRecord[100] = {1, 2, 3};
  struct Case {
    const char* why;
    const void* data;
    DWORD size;
  } cases[] = {{"checksum", &badSum, sizeof badSum}, {"size", shortRecord, sizeof shortRecord}};
  for (const Case& c : cases) {
    Store(c.data, c.size);
    ASSERT_EQ(GetDefaultOEMDevMode(&ctx_), &Area()) << c.why;
    EXPECT_EQ(Copies(Area()), Copies(DefaultDocDMode())) << c.why;
    EXPECT_TRUE(IsSoundDocDMode(&Area())) << c.why;
  }
}

TEST(DefaultOemDevMode, NoContextNoArea) {
  SheetCtx empty = {};
  empty.dwSize = sizeof empty;
  EXPECT_EQ(GetDefaultOEMDevMode(&empty), nullptr);
  EXPECT_EQ(GetDefaultOEMDevMode(nullptr), nullptr);
}

}  // namespace
