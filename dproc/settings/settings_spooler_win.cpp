#include "dproc/settings/settings_spooler_win.h"

#include <cstddef>
#include <cstring>

#include "dproc/model/user_paper_list_win.h"

static_assert(sizeof(DEVMODEW) == sizeof(PublicDevMode));
static_assert(offsetof(DEVMODEW, dmFields) == offsetof(PublicDevMode, dmFields));
static_assert(offsetof(DEVMODEW, dmOrientation) == offsetof(PublicDevMode, dmOrientation));
static_assert(offsetof(DEVMODEW, dmYResolution) == offsetof(PublicDevMode, dmYResolution));
static_assert(offsetof(DEVMODEW, dmFormName) == offsetof(PublicDevMode, dmFormName));
static_assert(offsetof(DEVMODEW, dmICMMethod) == offsetof(PublicDevMode, dmICMMethod));
static_assert(offsetof(DEVMODEW, dmMediaType) == offsetof(PublicDevMode, dmMediaType));
static_assert(offsetof(DEVMODEW, dmPanningHeight) == offsetof(PublicDevMode, dmPanningHeight));

SpoolerPaperData::SpoolerPaperData(const DocDMode* doc, const DevOption* option) {
  HANDLE printer = doc != nullptr ? static_cast<HANDLE>(doc->printerHandle) : nullptr;
  if (printer == nullptr || !ReadCustomPaperData(printer, &users_)) return;
  papers_.users = &users_;
  if (option == nullptr || option->useServerForm == 0) return;
  forms_ = EnumerateServerForms(printer, &buffer_);
  papers_.forms = forms_.data();
  papers_.formCount = static_cast<uint32_t>(forms_.size());
}

SettingsModel ProcessSettingsModel(const SpoolerPaperData& papers) {
  return SettingsModel{ProcessModelInfo(), papers.papers()};
}

PublicDevMode ReadCallerDevMode(const DEVMODEW* devmode) {
  PublicDevMode dm{};
  if (devmode == nullptr) return dm;
  std::memcpy(&dm, devmode, std::min<size_t>(devmode->dmSize, sizeof dm));
  return dm;
}
