// The fix-ups on sheet contexts of the user interface core and of an
// outside host.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "common/doc_fields.h"
#include "dproc/settings_fields.h"
#include "dproc/settings_fixups_win.h"

namespace {

SheetCtx Ctx(void* record) {
  SheetCtx ctx = {};
  ctx.dwSize = sizeof ctx;
  ctx.lParam = reinterpret_cast<LPARAM>(record);
  return ctx;
}

TEST(SettingsFixUpsOnContexts, TheHostDecidesTheMetafileFixUps) {
  // An outside host whose "advanced printing features" item (resource id
  // 419) is switched off.
  OPTITEM item = {};
  item.pName = MAKEINTRESOURCEW(419);
  item.Sel = 1;
  OEMCUIPPARAM cui = {};
  cui.pDrvOptItems = &item;
  cui.cDrvOptItems = 1;
  auto hostDoc = std::make_unique<DocDMode>();
  OEMUIPSPARAM ps = {};
  ps.pOEMDM = hostDoc.get();
  auto docPage = std::make_unique<PluginDocPage>();
  *docPage = PluginDocPage{};
  docPage->marker = 0x5A;
  docPage->kind = kPluginDocumentKind;
  docPage->cuiParam = &cui;
  docPage->psParam = &ps;
  auto devicePage = std::make_unique<PluginDevicePage>();
  *devicePage = PluginDevicePage{};
  devicePage->marker = 0x5A;
  devicePage->kind = kPluginDeviceKind;
  devicePage->docPage = docPage.get();

  SheetCtx doc = Ctx(docPage.get());
  FixUpHost host = FixUpHostOf(&doc);
  EXPECT_TRUE(host.outsideHost);
  EXPECT_FALSE(host.advPrintFeaturesOn);
  EXPECT_EQ(EmfFixUpRecord(&doc), hostDoc.get());
  // The device page works on its document page's record, not its own.
  SheetCtx device = Ctx(devicePage.get());
  EXPECT_TRUE(FixUpHostOf(&device).outsideHost);
  EXPECT_EQ(EmfFixUpRecord(&device), hostDoc.get());

  item.Sel = 0;
  EXPECT_TRUE(FixUpHostOf(&doc).advPrintFeaturesOn);

  auto session = std::make_unique<SheetSession>();
  *session = SheetSession{};
  session->working = &session->workingRecord;
  SheetCtx own = Ctx(session.get());
  host = FixUpHostOf(&own);
  EXPECT_FALSE(host.outsideHost);
  EXPECT_TRUE(host.advPrintFeaturesOn);
  EXPECT_EQ(EmfFixUpRecord(&own), nullptr);
  EXPECT_FALSE(FixUpHostOf(nullptr).outsideHost);
  EXPECT_EQ(EmfFixUpRecord(nullptr), nullptr);
}

TEST(SettingsFixUpsOnContexts, BindingEdgeOfTheContextsSettings) {
  auto model = std::make_unique<ModelInfo>();
  std::memset(model.get(), 0, sizeof *model);
  model->features[kMfBindingEdge4] = 1;
  ProcessModelInfo() = model.get();
  auto session = std::make_unique<SheetSession>();
  *session = SheetSession{};
  session->working = &session->workingRecord;
  DocDMode* d = &session->workingRecord.devmode.doc;
  SetDocByte(d, kDocOrientationAt, 2);
  SetDocByte(d, kDocBindingEdgeAt, 0);
  SheetCtx ctx = Ctx(session.get());
  EXPECT_EQ(FixUpBindingEdge(&ctx), 1);
  EXPECT_EQ(DocByte(d, kDocBindingEdgeAt), 2);
  EXPECT_EQ(FixUpStaplePosition(&ctx), 0);  // the model lists no staples
  model->features[kMfBindingEdge4] = 0;
  SetDocByte(d, kDocBindingEdgeAt, 0);
  EXPECT_EQ(FixUpBindingEdge(&ctx), 0);
  EXPECT_EQ(FixUpBindingEdge(nullptr), 0);
  ProcessModelInfo() = nullptr;
}

}  // namespace
