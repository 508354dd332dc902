// The device library's dialogs as they run in the driver: opened through the
// device library's exports, beside the build's procedure library, whose
// dialog skeleton runs them, on the sample model as shipped.  (Refusals are
// the stand-in's: the sample model's rules refuse nothing in these dialogs.)
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/records/doc_fields.h"
#include "ddproc/tests/device_dialog_folder_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/modal_dialog_driver_win.h"

namespace {

using ddtest::Choose;
using ddtest::ConfigurePage;
using ddtest::Folder;
using ddtest::Selected;

// One folder for the program: the build's procedure library stays in the
// process once it has run.
Folder& TheFolder() {
  static Folder folder(ddtest::ReadText(testsupport::SourcePath("model/VELDRANH.txt")), "real");
  return folder;
}

using Script = std::function<int(HWND)>;

// Ends the dialog with the button the script names.
void Press(HWND dialog, int button) {
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// The Configure page's media-type button, offered to the device library;
// the script runs in the open dialog.
void ClickMediaType(testsupport::ModalDialogDriver& driver, HWND page, const Script& script) {
  driver.Then([&](HWND d) { Press(d, script(d)); }, testsupport::ModalDialogDriver::WithControl(1844),
              testsupport::ModalDialogDriver::kWhenShown);
  int32_t handled = 0;
  TheFolder().hook()(156, page, WM_COMMAND, MAKEWPARAM(1847, BN_CLICKED), 0, &handled);
  EXPECT_EQ(driver.Driven(), 1);
}

TEST(DeviceDialogOnTheSkeleton, MediaTypeCancelRestoresTheTraysAndOkKeepsThem) {
  ASSERT_NE(TheFolder().hook(), nullptr);
  testsupport::DialogKit kit;
  ConfigurePage sheet(kit);
  TrayMediaSlot* trays = kit.Session().working->device.option.trays;
  trays[0].mediaType = 1;  // plain
  trays[0].paperId = 9;    // A4
  {
    testsupport::ModalDialogDriver driver;
    ClickMediaType(driver, sheet.page, [&](HWND d) {
      EXPECT_EQ(Selected(d, 1003), 0);
      Choose(d, 1003, 1);  // recycled
      EXPECT_EQ(trays[0].mediaType, 2u);
      Choose(d, 1860, 1);
      EXPECT_EQ(trays[0].paperId, 1u);
      // A picture for review, under <build>/screenshots/.
      RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
      EXPECT_FALSE(kit.Screenshot("media_type_on_the_skeleton", d).empty());
      return IDCANCEL;
    });
  }
  EXPECT_EQ(trays[0].mediaType, 1u);
  EXPECT_EQ(trays[0].paperId, 9u);
  EXPECT_TRUE(ConfigurePage::changed.empty());
  {
    testsupport::ModalDialogDriver driver;
    ClickMediaType(driver, sheet.page, [&](HWND d) {
      Choose(d, 1003, 1);
      return IDOK;
    });
  }
  EXPECT_EQ(trays[0].mediaType, 2u);
  EXPECT_EQ(ConfigurePage::changed.size(), 1u);
}

// A caller of the Colour Setting dialogs: every message offered to the
// device library under the template id.
struct ColorCaller {
  static inline int32_t templateId = 0;
  static INT_PTR CALLBACK Proc(HWND d, UINT m, WPARAM w, LPARAM l) {
    int32_t handled = 0;
    const uint32_t result = TheFolder().hook()(templateId, d, m, w, l, &handled);
    return handled != 0 ? static_cast<INT_PTR>(result) : FALSE;
  }
};

INT_PTR RunColorDialog(testsupport::ModalDialogDriver& driver, testsupport::DialogKit& kit, int32_t templateId,
                       const Script& script) {
  ColorCaller::templateId = templateId;
  driver.Then([&](HWND d) { Press(d, script(d)); }, testsupport::ModalDialogDriver::WithControl(1332),
              testsupport::ModalDialogDriver::kWhenShown);
  const INT_PTR result = DialogBoxParamW(kit.Templates(), MAKEINTRESOURCEW(templateId), nullptr, ColorCaller::Proc,
                                         reinterpret_cast<LPARAM>(kit.Context()));
  EXPECT_EQ(driver.Driven(), 1);
  return result;
}

TEST(DeviceDialogOnTheSkeleton, ColorSettingCancelDefaultAndOk) {
  ASSERT_NE(TheFolder().hook(), nullptr);
  testsupport::DialogKit kit;
  DocFields& f = Fields(kit.Settings());
  auto before = std::make_unique<DocDMode>(kit.Settings());
  {
    testsupport::ModalDialogDriver driver;
    EXPECT_EQ(RunColorDialog(driver, kit, 128, [&](HWND d) {
                Choose(d, 1330, 1);  // text halftone
                RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                EXPECT_FALSE(kit.Screenshot("color_setting_on_the_skeleton", d).empty());
                EXPECT_NE(std::memcmp(&kit.Settings(), before.get(), sizeof(DocDMode)), 0);
                return IDCANCEL;
              }),
              IDCANCEL);
  }
  EXPECT_EQ(std::memcmp(&kit.Settings(), before.get(), sizeof(DocDMode)), 0);
  {
    testsupport::ModalDialogDriver driver;
    EXPECT_EQ(RunColorDialog(driver, kit, 128, [&](HWND d) {
                Choose(d, 1330, 1);
                return IDOK;
              }),
              IDOK);
  }
  const int32_t chosen = f.ColorChar_nScreen;
  EXPECT_NE(std::memcmp(&kit.Settings(), before.get(), sizeof(DocDMode)), 0);
  {
    // Default puts the template's fields back to the printer's defaults.
    testsupport::ModalDialogDriver driver;
    EXPECT_EQ(RunColorDialog(driver, kit, 128, [&](HWND d) {
                Press(d, 1032);
                return IDOK;
              }),
              IDOK);
  }
  EXPECT_NE(f.ColorChar_nScreen, chosen);
}

// Every Colour Setting template opens on the skeleton and ends with OK.
TEST(DeviceDialogOnTheSkeleton, EveryColorSettingTemplateOpens) {
  testsupport::DialogKit kit;
  for (int32_t id : {122, 123, 124, 125, 128, 2505, 2506, 2507, 2508, 2529, 2530}) {
    SCOPED_TRACE(id);
    testsupport::ModalDialogDriver driver;
    EXPECT_EQ(RunColorDialog(driver, kit, id, [](HWND) { return IDOK; }), IDOK);
  }
}

}  // namespace
