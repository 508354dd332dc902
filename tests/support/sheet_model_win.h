// A description file read for a sheet or dialog test: the model record, the
// messages, the edit ranges, the option texts and the sheets' display texts,
// in the order the procedure library reads them.  A test that needs more of
// the file reads it in `afterBuild` (straight after the model record is
// built, before any text) or `afterTexts` (once the texts are loaded).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "common/qxd/model_info.h"
#include "common/qxd/qxd_file.h"
#include "dproc/model/dialog_text_tables.h"
#include "dproc/model/disp_strings.h"
#include "dproc/model/option_text_sections.h"
#include "dproc/startup/edit_range_limits.h"
#include "tests/support/test_paths.h"

namespace testsupport {

struct SheetModelReaders {
  std::function<void(QxdContext*, ModelInfo*)> afterBuild;
  std::function<void(QxdContext*, ModelInfo*)> afterTexts;
};

// Reads `relative` (a path under the build tree, such as
// "model/VELDRANH.QXD") into *model and *texts.  Fails the running test when
// the file does not open or the message tables cannot be made.
inline void LoadSheetModel(const std::string& relative, ModelInfo** model, MessageTables* texts,
                           const SheetModelReaders& readers = {}) {
  const std::string path = BinaryPath(relative);
  const std::wstring wide(path.begin(), path.end());
  QxdContext* file = QxdOpen(wide.c_str(), 1);
  ASSERT_NE(file, nullptr) << relative;
  ModelBuildEnv env = {};
  *model = BuildModelInfo(file, env);
  if (*model == nullptr) {
    QxdClose(file);
    FAIL() << "no model record in " << relative;
  }
  if (readers.afterBuild) readers.afterBuild(file, *model);
  if (!AllocMessageTables(texts)) {
    QxdClose(file);
    FAIL() << "message tables";
  }
  LoadMessageTables(file, texts);
  LoadEditRangeLimits(file);
  LoadOptionTextSections(file, *model);
  LoadDialogTextSections(file, *model);
  if (readers.afterTexts) readers.afterTexts(file, *model);
  QxdClose(file);
}

}  // namespace testsupport
