// The stamp sheet's info icons on a live property sheet: the library
// attached from a package folder (the sample model's rules and texts), the
// stand-in VELDRANV answering the device's stamps, and the library's own
// constraint pass drawing the icons.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "common/qxd/model_info.h"
#include "common/records/doc_fields.h"
#include "dproc/constraints/do_constraints_win.h"
#include "dproc/constraints/stamp_sheet_facts.h"
#include "dproc/constraints/stop_icons_win.h"
#include "dproc/model/default_settings.h"
#include "dproc/model/disp_strings.h"
#include "dproc/openapi/open_api_session_win.h"
#include "dproc/sheets/document_sheet_skeleton_win.h"
#include "dproc/startup/description_loader_win.h"
#include "dproc/startup/process_texts.h"
#include "dproc/startup/watermark_defaults.h"
#include "dproc/watermark/watermark_session_win.h"
#include "dproc/watermark/wo_sheet_win.h"
#include "tests/support/dialog_kit_win.h"
#include "tests/support/proc_library_folder_win.h"
#include "tests/support/test_paths.h"

namespace {

int32_t LibraryConstraints(HWND dialog, HWND, uint16_t controlId) {
  const ConstraintLibraryData data = {g_description.deviceOptions, ProcessModelInfo(), &ProcessMessageTables(),
                                      DocI16(&DefaultDocDMode(), kDocPaperSizeAt), nullptr};
  return RunDoConstraints(0, dialog, controlId, -1, data);
}

TEST(StampSheetIcons, TheDevicesOwnCopyProtectShowsItsInfoIcon) {
  testsupport::ProcLibraryFolder library(L"vdwostamp");
  ASSERT_TRUE(library.ok());
  ModelInfo* model = ProcessModelInfo();
  ASSERT_NE(model, nullptr);
  const uint8_t savedCopyProtect = model->features[kMfCopyProtect];
  model->features[kMfCopyProtect] = 1;  // a model whose device has copy protect
  char temp[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, temp);
  const std::string script = std::string(temp) + "wo_stamps_" + std::to_string(GetCurrentProcessId()) + ".txt";
  SetEnvironmentVariableA("OAPI_SCRIPT", script.c_str());
  SetOpenApiLibraryPath((testsupport::ProgramFolder() + L"standin_oapi\\complete\\VELDRANV.DLL").c_str());
  SetSheetConstraintCheck(LibraryConstraints);
  const std::wstring reason = reinterpret_cast<const wchar_t*>(MessageText(ProcessMessageTables(), kToolChipStr, 160));
  ASSERT_FALSE(reason.empty());

  for (const bool onAtTheDevice : {true, false}) {
    std::FILE* f = std::fopen(script.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs(onAtTheDevice ? "stamps 0 On On 1 1\n" : "stamps 0 Off Off 0 0\n", f);
    std::fclose(f);
    testsupport::DialogKit kit;
    std::memcpy(&kit.Settings(), &DefaultDocDMode(), sizeof(DocDMode));
    InstallWatermarkSession(kit.Context(), g_defaultWatermarks, 1, g_defaultWatermarks, 0);
    ASSERT_NE(kit.OpenPages(kit.Templates(), {kWOSheetTemplate}, WOSheetProc, L"Watermark"), nullptr);
    HWND icon = kit.Control(2191);
    ASSERT_NE(icon, nullptr);
    RECT r = {};
    GetWindowRect(icon, &r);
    const HintEntry* row = FindStopIcon(2191);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->show, onAtTheDevice ? 1u : 0u);
    EXPECT_EQ(r.right - r.left > 0, onAtTheDevice) << "an icon that does not show has no size";
    EXPECT_EQ(IsWindowEnabled(icon) != FALSE, onAtTheDevice);
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(row->text)).find(reason) != std::wstring::npos,
              onAtTheDevice);
    // The model has no header/footer of its own: its icon stays hidden.
    EXPECT_FALSE(IsWindowVisible(kit.Control(2194)));
    kit.Close();
    FreeWatermarkSession(kit.Context());
  }
  SetSheetConstraintCheck(nullptr);
  SetOpenApiLibraryPath(nullptr);
  SetEnvironmentVariableA("OAPI_SCRIPT", nullptr);
  DeleteFileA(script.c_str());
  model->features[kMfCopyProtect] = savedCopyProtect;
  ProcessStampSheetFacts() = {};
}

}  // namespace
