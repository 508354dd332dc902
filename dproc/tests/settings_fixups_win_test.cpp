// The fix-ups on sheet contexts of the user interface core and of an
// outside host.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "dproc/model/default_settings.h"
#include "common/records/doc_fields.h"
#include "dproc/settings/settings_fixups_win.h"

namespace {

SheetCtx Ctx(void* record) {
  SheetCtx ctx = {};
  ctx.dwSize = sizeof ctx;
  ctx.lParam = reinterpret_cast<LPARAM>(record);
  return ctx;
}

// An outside host's document page whose "advanced printing features" item
// (resource id 419) has the given selection.
struct PluginHost {
  OPTITEM item = {};
  OEMCUIPPARAM cui = {};
  OEMUIPSPARAM ps = {};
  std::unique_ptr<DocDMode> hostDoc = std::make_unique<DocDMode>();
  std::unique_ptr<PluginDocPage> docPage = std::make_unique<PluginDocPage>();

  explicit PluginHost(LONG advancedSelection) {
    item.pName = MAKEINTRESOURCEW(419);
    item.Sel = advancedSelection;
    cui.pDrvOptItems = &item;
    cui.cDrvOptItems = 1;
    std::memset(hostDoc.get(), 0, sizeof *hostDoc);
    ps.pOEMDM = hostDoc.get();
    *docPage = PluginDocPage{};
    docPage->marker = 0x5A;
    docPage->kind = kPluginDocumentKind;
    docPage->cuiParam = &cui;
    docPage->psParam = &ps;
  }
};

TEST(SettingsFixUpsOnContexts, TheHostDecidesTheMetafileFixUps) {
  PluginHost plugin(1);
  DocDMode* hostDoc = plugin.hostDoc.get();
  PluginDocPage* docPage = plugin.docPage.get();
  OPTITEM& item = plugin.item;
  auto devicePage = std::make_unique<PluginDevicePage>();
  *devicePage = PluginDevicePage{};
  devicePage->marker = 0x5A;
  devicePage->kind = kPluginDeviceKind;
  devicePage->docPage = docPage;

  SheetCtx doc = Ctx(docPage);
  FixUpHost host = FixUpHostOf(&doc);
  EXPECT_TRUE(host.outsideHost);
  EXPECT_FALSE(host.advPrintFeaturesOn);
  EXPECT_EQ(EmfFixUpRecord(&doc), hostDoc);
  // The device page works on its document page's record, not its own.
  SheetCtx device = Ctx(devicePage.get());
  EXPECT_TRUE(FixUpHostOf(&device).outsideHost);
  EXPECT_EQ(EmfFixUpRecord(&device), hostDoc);

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

TEST(SettingsFixUpsOnContexts, ConflictsOnAnotherRecordLeaveTheContextsOwn) {
  auto model = std::make_unique<ModelInfo>();
  std::memset(model.get(), 0, sizeof *model);
  ProcessModelInfo() = model.get();
  // An outside host's document page whose advanced printing features are off.
  PluginHost plugin(1);
  DocDMode* hostDoc = plugin.hostDoc.get();
  SheetCtx ctx = Ctx(plugin.docPage.get());

  auto given = std::make_unique<DocDMode>();
  std::memset(given.get(), 0, sizeof *given);
  SetDocByte(given.get(), kDocOrientationAt, 2);
  SetDocByte(given.get(), kDocNupAt, 1);
  SetDocByte(given.get(), kDocNupKindAt, 8);          // a poster
  SetDocByte(given.get(), kDocDoubleSidesAt, 3);      // a booklet
  SetDocByte(given.get(), kDocBookletBindingAt, 1);   // portrait binding on a landscape page
  SetDocByte(given.get(), kDocBindingEdgeAt, 14);
  const DocDMode before = *hostDoc;
  EXPECT_EQ(FixUpSettingsConflicts(&ctx, given.get()), 1);
  EXPECT_EQ(DocByte(given.get(), kDocNupKindAt), DocByte(&DefaultDocDMode(), kDocNupKindAt));
  EXPECT_EQ(DocByte(given.get(), kDocDoubleSidesAt), DocByte(&DefaultDocDMode(), kDocDoubleSidesAt));
  EXPECT_EQ(DocByte(given.get(), kDocBookletBindingAt), 3);
  EXPECT_EQ(std::memcmp(&before, hostDoc, sizeof before), 0);

  // On the host's own record, through the context.
  SetDocByte(hostDoc, kDocNupAt, 1);
  SetDocByte(hostDoc, kDocNupKindAt, 9);
  EXPECT_EQ(FixUpEmfOnlyNup(&ctx), 1);
  EXPECT_EQ(DocByte(hostDoc, kDocNupKindAt), DocByte(&DefaultDocDMode(), kDocNupKindAt));
  SetDocByte(hostDoc, kDocDoubleSidesAt, 3);
  EXPECT_EQ(FixUpEmfOnlyDuplex(&ctx), 1);
  SetDocByte(hostDoc, kDocNupKindAt, 7);
  EXPECT_EQ(ResetEmfOnlyNup(&ctx), 1);  // the model has no posters
  ProcessModelInfo() = nullptr;
}

}  // namespace
