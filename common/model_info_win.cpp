#include "common/model_info_win.h"

#include <windows.h>

#include <cwchar>

ModelBuildEnv CurrentModelBuildEnv(bool procedureLibrary) {
  ModelBuildEnv env = {};
  OSVERSIONINFOW version = {};
  version.dwOSVersionInfoSize = sizeof version;
  if (GetVersionExW(&version)) {
    env.windows6OrLater = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6;
  }
  wchar_t country[8] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, country, 8) > 0) {
    env.localeCountry = static_cast<uint32_t>(std::wcstoul(country, nullptr, 10));
  }
  env.knowsJaLocale = procedureLibrary;
  return env;
}
