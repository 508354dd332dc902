// A plug-in host's installable-option items set from the device option
// record: matched by the image library's item names, "Ena..." values on,
// the memory item by the value's place with the printer memory beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "dproc/sheets/sheet_context.h"
#include "tests/support/test_paths.h"

namespace {

std::vector<OPTITEM*> g_updates;
HRESULT STDMETHODCALLTYPE RecordUpdate(PrintCoreUi*, PVOID, PVOID item, DWORD, DWORD) {
  g_updates.push_back(static_cast<OPTITEM*>(item));
  return S_OK;
}
const PrintCoreUiVtbl kCoreUiVtbl = {nullptr, nullptr, nullptr, nullptr, nullptr, RecordUpdate};

// One device option with its values, as the description's list holds it.
struct Option {
  const char* keyword;
  std::vector<const char*> values;
};

struct DeviceOptions {
  std::vector<std::vector<OptionItem>> values;
  std::vector<DeviceOptionItem> rows;
  explicit DeviceOptions(const std::vector<Option>& options) {
    values.resize(options.size());
    for (size_t i = 0; i < options.size(); ++i) {
      for (const char* v : options[i].values) {
        OptionItem item = {};
        item.size = sizeof item;
        std::strcpy(item.keyword, v);
        values[i].push_back(item);
      }
      values[i].push_back(OptionItem{});
      DeviceOptionItem row = {};
      row.size = sizeof row;
      std::strcpy(row.keyword, options[i].keyword);
      row.optionIndex = static_cast<uint32_t>(i);
      row.values = values[i].data();
      rows.push_back(row);
    }
    rows.push_back(DeviceOptionItem{});
  }
};

class InstallableOptions : public ::testing::Test {
 protected:
  void SetUp() override {
    strings_ = LoadLibraryA(testsupport::BinaryPath("bin/VELDRANW.DLL").c_str());
    ASSERT_NE(strings_, nullptr);
    g_updates.clear();
    const struct {
      const wchar_t* name;
      BYTE level;
    } items[] = {{L"Installed Memory", 2}, {L"Paper Cassette 1", 2}, {L"Optional Duplexer", 2},
                 {L"Hard Disk", 1},        {L"Manual Feeder", 2},    {nullptr, 2}};
    for (size_t i = 0; i < 6; ++i) {
      items_[i].cbSize = sizeof(OPTITEM);
      items_[i].Level = items[i].level;
      items_[i].pName = items[i].name != nullptr ? const_cast<wchar_t*>(items[i].name) : MAKEINTRESOURCEW(400);
      items_[i].Sel = 7;
    }
    ps_.poemuiobj = &uiObject_;
    cui_.pDrvOptItems = items_;
    cui_.cDrvOptItems = 6;
    *doc_ = PluginDocPage{};
    doc_->marker = 0x5A;
    doc_->kind = kPluginDocumentKind;
    doc_->cuiParam = &cui_;
    doc_->coreUi = &core_;
    doc_->psParam = &ps_;
    ctx_.dwSize = sizeof ctx_;
    ctx_.lParam = reinterpret_cast<LPARAM>(doc_.get());
  }
  void TearDown() override { FreeLibrary(strings_); }

  HMODULE strings_ = nullptr;
  OEMUIOBJ uiObject_ = {sizeof(OEMUIOBJ), nullptr};
  OEMUIPSPARAM ps_ = {};
  OEMCUIPPARAM cui_ = {};
  PrintCoreUi core_ = {&kCoreUiVtbl};
  OPTITEM items_[6] = {};
  std::unique_ptr<PluginDocPage> doc_ = std::make_unique<PluginDocPage>();
  SheetCtx ctx_ = {};
};

const std::vector<Option> kModelOptions = {
    {"OpMemory", {"Mem0", "Mem1", "Mem2", "Mem3", "Mem4", "Mem5", "Mem6", "Mem7", "Mem8", "Mem9"}},
    {"OpInTray1", {"Disable", "Enable"}},
    {"OpDuplex", {"Enable", "Disable"}},
    {"OpHDD", {"Disable", "Enable"}},
};

TEST_F(InstallableOptions, TheHostsItemsFollowTheDeviceOptions) {
  DeviceOptions options(kModelOptions);
  DevOption record = {};
  record.optionValues[0] = 3;  // the fourth memory size
  record.optionValues[1] = 1;  // cassette 1 fitted
  record.optionValues[2] = 1;  // no duplexer
  record.optionValues[3] = 1;  // hard disk fitted, but its host item is not an installable one
  MapInstallableOptions(&ctx_, &record, options.rows.data(), strings_);

  EXPECT_EQ(items_[0].Sel, 3);      // memory: the value's place
  EXPECT_EQ(items_[1].Sel, 1);      // "Enable"
  EXPECT_EQ(items_[2].Sel, 0);      // "Disable"
  EXPECT_EQ(items_[3].Sel, 7);      // a level-1 item is not matched
  EXPECT_EQ(items_[4].Sel, 7);      // the model has no manual feeder option
  EXPECT_EQ(items_[5].Sel, 12582);  // printer memory in kilobytes
  for (int i : {0, 1, 2, 5}) EXPECT_NE(items_[i].Flags & OPTIF_CHANGED, 0u) << i;
  for (int i : {3, 4}) EXPECT_EQ(items_[i].Flags & OPTIF_CHANGED, 0u) << i;
  // The host heard of each change, the memory size right after the memory.
  EXPECT_EQ(g_updates, (std::vector<OPTITEM*>{&items_[0], &items_[5], &items_[1], &items_[2]}));
}

TEST_F(InstallableOptions, PrinterMemoryByTheMemoryValue) {
  DeviceOptions options(kModelOptions);
  const struct {
    uint32_t place;
    LONG kilobytes;
  } cases[] = {{0, 11534}, {1, 12582}, {8, 12582}, {9, 0}};
  for (const auto& c : cases) {
    DevOption record = {};
    record.optionValues[0] = c.place;
    MapInstallableOptions(&ctx_, &record, options.rows.data(), strings_);
    EXPECT_EQ(items_[0].Sel, static_cast<LONG>(c.place));
    EXPECT_EQ(items_[5].Sel, c.kilobytes) << c.place;
  }
  // A slot that names no value leaves the items alone.
  DevOption record = {};
  record.optionValues[0] = 12;
  items_[0].Sel = items_[5].Sel = 7;
  MapInstallableOptions(&ctx_, &record, options.rows.data(), strings_);
  EXPECT_EQ(items_[0].Sel, 7);
  EXPECT_EQ(items_[5].Sel, 7);
}

TEST_F(InstallableOptions, OnlyForAPluginHost) {
  DeviceOptions options(kModelOptions);
  DevOption record = {};
  record.optionValues[1] = 1;
  auto session = std::make_unique<SheetSession>();
  *session = SheetSession{};
  session->kind = kSheetDocumentSession;
  SheetCtx sessionCtx = {};
  sessionCtx.lParam = reinterpret_cast<LPARAM>(session.get());
  MapInstallableOptions(&sessionCtx, &record, options.rows.data(), strings_);
  MapInstallableOptions(nullptr, &record, options.rows.data(), strings_);
  MapInstallableOptions(&ctx_, nullptr, options.rows.data(), strings_);
  MapInstallableOptions(&ctx_, &record, nullptr, strings_);
  EXPECT_TRUE(g_updates.empty());
  EXPECT_EQ(items_[1].Sel, 7);
}

}  // namespace
