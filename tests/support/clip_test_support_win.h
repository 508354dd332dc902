// What the tests of the text-clipping check need: the debugger output the
// report goes to, the three keys held down, and the printer's "ClipTest"
// value.
#pragma once

#include <windows.h>

#include <winspool.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testsupport {

constexpr DWORD kDebugPrint = 0x40010006;      // OutputDebugStringA's exception
constexpr DWORD kDebugPrintWide = 0x4001000A;  // OutputDebugStringW's, where the system raises it

// Collects what the process writes to the debugger output, as a debugger
// would see it, and swallows it.
class DebugOutput {
 public:
  DebugOutput() {
    lines_ = &collected_;
    handler_ = AddVectoredExceptionHandler(1, &DebugOutput::Handler);
  }
  ~DebugOutput() {
    RemoveVectoredExceptionHandler(handler_);
    lines_ = nullptr;
  }
  std::vector<std::wstring> Take() { return std::move(collected_); }

 private:
  static LONG CALLBACK Handler(EXCEPTION_POINTERS* e) {
    const EXCEPTION_RECORD* r = e->ExceptionRecord;
    if (lines_ == nullptr || r->NumberParameters < 2) return EXCEPTION_CONTINUE_SEARCH;
    if (r->ExceptionCode == kDebugPrintWide) {
      lines_->emplace_back(reinterpret_cast<const wchar_t*>(r->ExceptionInformation[1]));
    } else if (r->ExceptionCode == kDebugPrint) {
      const char* text = reinterpret_cast<const char*>(r->ExceptionInformation[1]);
      std::wstring wide;
      for (; *text != 0; ++text) wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*text)));
      lines_->push_back(wide);
    } else {
      return EXCEPTION_CONTINUE_SEARCH;
    }
    return EXCEPTION_CONTINUE_EXECUTION;
  }
  static inline std::vector<std::wstring>* lines_ = nullptr;
  std::vector<std::wstring> collected_;
  void* handler_;
};

// The three keys of the check held down (or let go) in this thread.
inline void HoldKeys(bool control, bool shift, bool alt) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  keys[VK_LCONTROL] = control ? 0x80 : 0;
  keys[VK_LSHIFT] = shift ? 0x80 : 0;
  keys[VK_LMENU] = alt ? 0x80 : 0;
  SetKeyboardState(keys);
}

inline void SetClipTest(HANDLE printer, DWORD value) {
  ASSERT_EQ(SetPrinterDataW(printer, const_cast<wchar_t*>(L"ClipTest"), REG_DWORD, reinterpret_cast<BYTE*>(&value),
                            sizeof value),
            static_cast<DWORD>(ERROR_SUCCESS));
}

}  // namespace testsupport
