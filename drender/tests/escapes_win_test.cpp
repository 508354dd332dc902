// DrvEscape through the test host: the size rules of the escape table, what
// each escape leaves in the job record, QUERYESCSUPPORT and the settings
// transfer to the procedure library.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "common/records/auth_reg_record.h"
#include "common/records/doc_fields.h"
#include "common/records/fax_send_block.h"
#include "common/records/inter_sheet_list.h"
#include "common/records/job_record.h"
#include "common/records/settings_checksum.h"
#include "drender/ddi/ddi_entries.h"
#include "drender/ddi/render_pdev.h"
#include "drender/tests/render_dir.h"
#include "drender/tests/render_job_fixture.h"
#include "tests/ddi_host/ddi_host.h"

namespace {

class EscapeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(printer_.ok()) << printer_.error();
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANK.DLL"));
    ASSERT_TRUE(dir_.Copy("bin/SIBSTAND.DLL", L"VELDRANA.DLL"));
    ASSERT_TRUE(host_.Load(dir_.Path(L"VELDRANE.DLL")));
    DriverDevMode dm = A4DevMode(2);
    pdev_ = host_.EnablePdev(printer_.handle(), printer_.name().c_str(), reinterpret_cast<DEVMODEW*>(&dm), 0,
                             nullptr, 0, nullptr);
    ASSERT_NE(pdev_, nullptr);
    surface_ = host_.EnableSurface(pdev_);
    ASSERT_NE(surface_, nullptr);
  }
  void TearDown() override {
    if (surface_) host_.DisableSurface(pdev_);
    if (pdev_) host_.DisablePdev(pdev_);
    host_.Unload();
  }
  ULONG Esc(ULONG code, ULONG inSize = 0, const void* in = nullptr, ULONG outSize = 0, void* out = nullptr) {
    return host_.Escape(surface_, code, inSize, in, outSize, out);
  }
  RenderPdev* Pdev() { return reinterpret_cast<RenderPdev*>(pdev_); }
  ULONG Query(uint32_t code) { return Esc(8, sizeof code, &code); }

  RenderDir dir_;
  testsupport::TestPrinter printer_{L"Fax Escape", RenderDriver()};
  DdiHost host_;
  DHPDEV pdev_ = nullptr;
  SURFOBJ* surface_ = nullptr;
};

TEST_F(EscapeTest, QueryEscSupport) {
  struct Case {
    uint32_t code;
    ULONG want;
  };
  for (const Case& c : {Case{8, 1}, Case{17, 1}, Case{0x20001, 0} /* low 16 bits: 1 */, Case{0x30009, 0},
                        Case{10000, 1}, Case{10001, 0} /* not exported by the procedure library */,
                        Case{10004, 1}, Case{10005, 0}, Case{4711, 0}}) {
    EXPECT_EQ(Query(c.code), c.want) << std::hex << c.code;
  }
  EXPECT_EQ(Esc(8, 1, "\x11"), 0u);  // a short input asks about escape 0
  EXPECT_EQ(Esc(4711), 0u);
}

TEST_F(EscapeTest, SetCopyCount) {
  uint32_t out = 0;
  EXPECT_EQ(Esc(17, 0, nullptr, sizeof out, &out), 1u);
  EXPECT_EQ(out, 2u);  // the settings' copies
  const uint32_t five = 5;
  EXPECT_EQ(Esc(17, sizeof five, &five, sizeof out, &out), 1u);
  EXPECT_EQ(out, 5u);
  EXPECT_EQ(Esc(17, 0, nullptr, sizeof out, &out), 1u);
  EXPECT_EQ(out, 5u);
  EXPECT_EQ(DocI16(&Pdev()->settings.devmode.doc, kDocCopiesAt), 2);
}

TEST_F(EscapeTest, MinimumSizes) {
  struct Case {
    ULONG code;
    ULONG inSize;
    ULONG outSize;
  };
  std::vector<uint8_t> big(kJobRecordSize + 16);
  // One byte short of each minimum, or a missing buffer: result 0.
  for (const Case& c : {Case{0x10001, 0, kJobRecordSize - 1}, Case{0x20001, 3, 0}, Case{0x20009, 3, 0},
                        Case{0x2000a, 81, 0}, Case{0x2000d, 4, 0}, Case{0x2000f, 425, 0}, Case{0x30007, 26, 0},
                        Case{0x30008, 23, 0}, Case{0x30009, kFaxSendBlockSize - 1, 0}, Case{0x3000f, 15, 0},
                        Case{0x30010, 0, kFaxSendBlockSize - 1}, Case{0x40001, 7, 0}, Case{0x40003, 0, 3},
                        Case{0x40004, kDocDModeSize - 1, 0}, Case{0x40020, kDevOptionSize - 1, 0},
                        Case{0x50002, 0, 3}}) {
    EXPECT_EQ(Esc(c.code, c.inSize, big.data(), c.outSize, big.data()), 0u) << std::hex << c.code;
  }
  EXPECT_EQ(Esc(0x20001, 4, nullptr), 0u);
  // The 32-bit job record does not fit a 64-bit render core's.
  if (sizeof(void*) == 8) {
    EXPECT_EQ(Esc(0x10001, 0, nullptr, 27368, big.data()), 0u);
  }
  EXPECT_EQ(Esc(0x10001, 0, nullptr, kJobRecordSize, big.data()), 1u);
  EXPECT_EQ(std::memcmp(big.data(), Pdev(), 8), 0);
}

TEST_F(EscapeTest, InterSheetTableNeedsEveryRow) {
  std::vector<uint8_t> table(kInterSheetListHeadSize + 2 * kInterSheetEntrySize);
  const uint32_t rows = 2;
  std::memcpy(table.data() + 34, &rows, sizeof rows);
  table[kInterSheetListHeadSize + kInterSheetEntrySize] = 'Z';  // second row's first byte
  ASSERT_EQ(table.size(), 1230u);
  EXPECT_EQ(Esc(0x2000a, 1229, table.data()), 0u);
  EXPECT_EQ(Pdev()->state.interSheetTable, nullptr);
  EXPECT_EQ(Esc(0x2000a, 1230, table.data()), 1u);
  auto* stored = static_cast<uint8_t*>(Pdev()->state.interSheetTable);
  ASSERT_NE(stored, nullptr);
  const auto* list = reinterpret_cast<const InterSheetList*>(stored);
  EXPECT_EQ(list->count, 2u);
  EXPECT_EQ(reinterpret_cast<uint8_t*>(list->entries), stored + kInterSheetListHeadSize);
  EXPECT_EQ(stored[kInterSheetListHeadSize + kInterSheetEntrySize], 'Z');
  // A count whose size does not fit 32 bits is refused, not wrapped.
  const uint32_t huge = 0x7FFFFFFF;
  std::memcpy(table.data() + 34, &huge, sizeof huge);
  EXPECT_EQ(Esc(0x2000a, 1230, table.data()), 0u);
  EXPECT_EQ(Esc(0x2000e), 1u);
  EXPECT_EQ(Pdev()->state.interSheetTable, nullptr);
  EXPECT_EQ(Esc(0x2000e), 1u);  // nothing to free
}

TEST_F(EscapeTest, FaxBlockFirstOneStays) {
  std::unique_ptr<FaxSendBlock> fax(new FaxSendBlock());
  std::memset(fax.get(), 0, sizeof(FaxSendBlock));
  fax->wRecipientCount = 60000;  // more than the 100 rows that exist
  fax->recipients[99].szFaxNumber[0] = u'9';
  fax->coverSheet[kFaxCoverRecipientModeAt] = 1;
  fax->coverSheet[kFaxCoverRecipientSettingAt] = 1;
  EXPECT_EQ(Esc(0x30009, sizeof(FaxSendBlock), fax.get()), 1u);
  EXPECT_EQ(Pdev()->state.engine.destinationCount, 100u);
  EXPECT_EQ(Pdev()->state.engine.perRecipient, 1u);
  std::unique_ptr<FaxSendBlock> second(new FaxSendBlock());
  std::memset(second.get(), 0, sizeof(FaxSendBlock));
  second->wRecipientCount = 1;
  EXPECT_EQ(Esc(0x30009, sizeof(FaxSendBlock), second.get()), 1u);
  std::unique_ptr<FaxSendBlock> back(new FaxSendBlock());
  std::memset(back.get(), 0xEE, sizeof(FaxSendBlock));
  EXPECT_EQ(Esc(0x30010, 0, nullptr, sizeof(FaxSendBlock), back.get()), 1u);
  EXPECT_EQ(back->wRecipientCount, 100);
  EXPECT_EQ(back->recipients[99].szFaxNumber[0], u'9');
  EXPECT_EQ(back->coverSheet[kFaxCoverRecipientSettingAt], 1);
  EXPECT_EQ(Esc(0x3000a), 1u);
  // Nothing held: only the count (0) is written.
  std::memset(back.get(), 0xEE, sizeof(FaxSendBlock));
  EXPECT_EQ(Esc(0x30010, 0, nullptr, sizeof(FaxSendBlock), back.get()), 1u);
  EXPECT_EQ(back->wRecipientCount, 0);
  EXPECT_EQ(back->recipients[0].szFaxNumber[0], 0xEEEE);
}

TEST_F(EscapeTest, JobIdentifierKeepsTwentySixBytes) {
  const char id[40] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abc";
  EXPECT_EQ(Esc(0x30007, sizeof id, id), 1u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(Pdev()->state.jobId)), "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
}

// The page facts the user interface core reads while a page is drawn: its
// page counter counts the sides of the pages ended (two per one-sided page,
// one per two-sided page), the logical page is the page being drawn.
TEST_F(EscapeTest, PageCounterAndLogicalPageFollowThePages) {
  for (uint8_t sides : {1, 2}) {
    SCOPED_TRACE(int(sides));
    DriverDevMode dm = A4DevMode();
    SetDocByte(&dm.doc, kDocDoubleSidesAt, sides);
    SealDocDMode(&dm.doc);
    const std::wstring output = dir_.Path(L"facts.prn");
    std::vector<std::pair<uint32_t, uint16_t>> seen;
    std::unique_ptr<uint8_t[]> record(new uint8_t[kJobRecordSize]);
    DdiHost::FaxJob job;
    job.pages = 3;
    job.outputFile = output.c_str();
    job.devmode = reinterpret_cast<DEVMODEW*>(&dm);
    job.draw = [&](SURFOBJ* surface, int) {
      ASSERT_EQ(host_.Escape(surface, 0x10001, 0, nullptr, kJobRecordSize, record.get()), 1u);
      uint32_t counter;
      uint16_t logical;
      std::memcpy(&counter, record.get() + kJobRecordPageCounterAt, 4);
      std::memcpy(&logical, record.get() + kJobRecordLogicalPageAt, 2);
      seen.push_back({counter, logical});
    };
    EXPECT_TRUE(host_.RunFaxJob(printer_.handle(), printer_.name().c_str(), job).ok);
    DeleteFileW(output.c_str());
    const uint32_t step = sides == 2 ? 1 : 2;
    EXPECT_EQ(seen, (std::vector<std::pair<uint32_t, uint16_t>>{{0, 1}, {step, 2}, {2 * step, 3}}));
  }
}

TEST_F(EscapeTest, AuthenticationRecordGoesToItsSettingsFields) {
  AuthRegRecord record{};
  record.byUserType = 1;
  std::memcpy(record.szAuthUserName, u"alice", 10);
  record.wAuthUserPassLen = 7;
  std::memcpy(record.szDeptName, "D-42", 4);
  record.wServerSetting = 3;
  std::memcpy(record.szSecurePrintId, "SP1", 3);
  record.wSecurePrintPassLen = 9;
  EXPECT_EQ(Esc(0x2000f, sizeof record, &record), 1u);
  const DocDMode* doc = &Pdev()->settings.devmode.doc;
  EXPECT_EQ(DocByte(doc, kDocUserTypeAt), 1);
  EXPECT_EQ(std::memcmp(DocBytes(doc) + kDocAuthUserNameAt, u"alice", 10), 0);
  EXPECT_EQ(DocI16(doc, kDocAuthUserPassLenAt), 7);
  EXPECT_EQ(std::memcmp(DocBytes(doc) + kDocDeptNameAt, "D-42", 4), 0);
  EXPECT_EQ(DocI16(doc, kDocServerSettingAt), 3);
  EXPECT_EQ(std::memcmp(DocBytes(doc) + kDocSecurePrintIdAt, "SP1", 3), 0);
  EXPECT_EQ(DocI16(doc, kDocSecurePrintPassLenAt), 9);
}

TEST_F(EscapeTest, DropFlagsAndTheirQueries) {
  uint32_t drop = 7;
  EXPECT_EQ(Esc(0x50002, 0, nullptr, 4, &drop), 1u);
  EXPECT_EQ(drop, 0u);
  EXPECT_EQ(Esc(0x50001), 1u);
  EXPECT_EQ(Esc(0x50002, 0, nullptr, 4, &drop), 1u);
  EXPECT_EQ(drop, 1u);
  EXPECT_EQ(Esc(0x40003, 0, nullptr, 4, &drop), 1u);
  EXPECT_EQ(drop, 0u);
  EXPECT_EQ(Esc(0x40002), 1u);
  EXPECT_EQ(Esc(0x40003, 0, nullptr, 4, &drop), 1u);
  EXPECT_EQ(drop, 1u);
  std::vector<uint8_t> option(kDevOptionSize, 0);
  EXPECT_EQ(Esc(0x40020, kDevOptionSize, option.data()), 1u);
}

TEST_F(EscapeTest, SettingsTransfer) {
  // Path and printer name without terminators: each ends at its field.
  std::vector<char> in(8192, 'A');
  uint32_t code = 0;
  EXPECT_EQ(Esc(10000, 8192, in.data(), sizeof code, &code), 1u);
  EXPECT_EQ(code, 4095u * 10000 + 4095u);
  std::strcpy(in.data(), "C:\\settings.dat");
  std::strcpy(in.data() + 4096, "Fax");
  EXPECT_EQ(Esc(10000, 8192, in.data(), sizeof code, &code), 1u);
  EXPECT_EQ(code, 3u * 10000 + 15u);
  EXPECT_EQ(Esc(10000, 8191, in.data(), sizeof code, &code), 0u);
  EXPECT_EQ(Esc(10001, 8192, in.data(), sizeof code, &code), 0u);  // not exported
  const uint32_t error = 3;
  char text[12];
  EXPECT_EQ(Esc(10004, sizeof error, &error, sizeof text, text), 1u);
  EXPECT_STREQ(text, "The setting");
  const uint32_t unknown = 99;
  EXPECT_EQ(Esc(10004, sizeof unknown, &unknown, sizeof text, text), 1u);
  EXPECT_STREQ(text, "");
}

TEST_F(EscapeTest, SurfaceAndDocumentName) {
  // One device surface over the printable area, hooked and never banded.
  const RenderPdevState& state = Pdev()->state;
  EXPECT_EQ(DdiHost_SurfaceHooks(state.surface), static_cast<FLONG>(0x225FB));
  EXPECT_FALSE(DdiHost_SurfaceIsBanded(state.surface));
  EXPECT_EQ(state.bandCount, 1u);
  EXPECT_EQ(state.surfaceWidth, state.frames[0].printableWidthDots);
  EXPECT_EQ(state.surfaceHeight, state.frames[0].printableHeightDots);
  EXPECT_EQ(state.surfaceRowBytes % 4, 0u);
  EXPECT_GE(state.surfaceRowBytes, 3 * state.surfaceWidth);
  EXPECT_EQ(state.output.blockSize, 65536u);
  // Disabled and enabled again: the same buffer capacity.
  host_.DisableSurface(pdev_);
  EXPECT_EQ(state.output.block, nullptr);
  surface_ = host_.EnableSurface(pdev_);
  ASSERT_NE(surface_, nullptr);
  EXPECT_EQ(state.output.capacity, 512u);
  auto startDoc = host_.Get<PFN_DrvStartDoc>(INDEX_DrvStartDoc);
  std::wstring name(300, L'n');
  name[258] = L'x';
  ASSERT_TRUE(startDoc(surface_, name.data(), 12));
  EXPECT_EQ(std::wstring(state.docName), name.substr(0, 259));
  ASSERT_TRUE(startDoc(surface_, nullptr, 0));
  EXPECT_EQ(std::wstring(state.docName), name.substr(0, 259));
  EXPECT_EQ(state.jobNumber, 0u);
  EXPECT_EQ(state.lastJobNumber, 12u);
}

TEST_F(EscapeTest, AnotherRecordIsRefused) {
  SURFOBJ other = *surface_;
  other.dhpdev = nullptr;
  SetLastError(0);
  EXPECT_EQ(host_.Escape(&other, 8, 0, nullptr, 0, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
