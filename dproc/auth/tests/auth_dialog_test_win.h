// What the authentication dialogs' test programs share: the procedure
// library attached from a folder of its own (once per program, named by
// `kFolder`) and a test printer per test.
#pragma once

#include <gtest/gtest.h>

#include "tests/support/proc_library_folder_win.h"
#include "tests/support/test_printer_win.h"

template <const wchar_t* kFolder>
class AuthDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { library_ = new testsupport::ProcLibraryFolder(kFolder); }
  static void TearDownTestSuite() {
    delete library_;
    library_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(library_->ok());
    ASSERT_TRUE(printer_.ok()) << printer_.error();
  }
  static inline testsupport::ProcLibraryFolder* library_ = nullptr;
  testsupport::TestPrinter printer_;
};
