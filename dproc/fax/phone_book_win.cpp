#include "dproc/fax/phone_book_win.h"

#include <cstring>
#include <memory>
#include <string>

#include "common/contracts/fax_dialogs_win.h"
#include "common/win/bind_export.h"
#include "common/win/module_path.h"
#include "dproc/fax/fax_recipient_list.h"

namespace {

std::wstring g_folder;  // empty: VELDRANA's own folder
HWND g_guard = nullptr;

// The library, loaded from its full path; freed when the holder goes.
struct PhoneBookLibrary {
  HMODULE module = nullptr;
  PhoneBookLibrary() {
    wchar_t path[MAX_PATH + 32];
    if (!g_folder.empty()) {
      std::wstring p = g_folder;
      if (p.back() != L'\\' && p.back() != L'/') p += L'\\';
      p += kPhoneBookLibrary;
      module = LoadLibraryW(p.c_str());
    } else if (SiblingFilePath(ModuleOfThisCode(), kPhoneBookLibrary, path, sizeof path / sizeof path[0])) {
      module = LoadLibraryW(path);
    }
  }
  ~PhoneBookLibrary() {
    if (module != nullptr) FreeLibrary(module);
  }
  PhoneBookLibrary(const PhoneBookLibrary&) = delete;
  PhoneBookLibrary& operator=(const PhoneBookLibrary&) = delete;
};

}  // namespace

void SetPhoneBookFolder(const wchar_t* folder) { g_folder = folder != nullptr ? folder : L""; }

bool TakePhoneBookGuard(HWND window) {
  if (g_guard != nullptr && g_guard != window) return false;
  g_guard = window;
  return true;
}

bool HoldsPhoneBookGuard(HWND window) { return window != nullptr && g_guard == window; }

void ReleasePhoneBookGuard(HWND window) {
  if (HoldsPhoneBookGuard(window)) g_guard = nullptr;
}

PhoneBookCall PhoneBookAddFrom(HWND owner, FaxRecipientEntry* slots, uint32_t* count, uint8_t flags[100]) {
  PhoneBookLibrary lib;
  auto add = BindExport<AddFromPhoneBookFn>(lib.module, kAddFromPhoneBook);
  if (add == nullptr) return PhoneBookCall::kUnavailable;
  std::memset(flags, 0, kFaxMaxRecipients);
  int changed = add(owner, slots, count, flags, kPhoneBookModelFile);
  ClampPhoneBookAnswer(slots, count);
  return changed != 0 ? PhoneBookCall::kChanged : PhoneBookCall::kUnchanged;
}

PhoneBookCall PhoneBookRegister(const FaxRecipientEntry& entry) {
  PhoneBookLibrary lib;
  auto regist = BindExport<RegistToPhoneBookFn>(lib.module, kRegistToPhoneBook);
  if (regist == nullptr) return PhoneBookCall::kUnavailable;
  auto copy = std::make_unique<FaxRecipientEntry>(entry);
  uint32_t count = 1;
  return regist(&count, copy.get()) != 0 ? PhoneBookCall::kChanged : PhoneBookCall::kUnchanged;
}

PhoneBookCall PhoneBookEdit(HWND owner, uint32_t documentMode) {
  PhoneBookLibrary lib;
  auto edit = BindExport<EditPhoneBookFn>(lib.module, kEditPhoneBook);
  if (edit == nullptr) return PhoneBookCall::kUnavailable;
  edit(owner, kPhoneBookModelFile, documentMode);
  return PhoneBookCall::kChanged;
}
