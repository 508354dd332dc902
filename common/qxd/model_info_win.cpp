#include "common/qxd/model_info_win.h"

#include "common/qxd/locale_defaults.h"
#include "common/win/win_version.h"

ModelBuildEnv CurrentModelBuildEnv(bool procedureLibrary) {
  ModelBuildEnv env = {};
  env.windows6OrLater = IsVistaOrLater();
  env.localeCountry = static_cast<uint32_t>(GetLocaleCountry());
  env.knowsJaLocale = procedureLibrary;
  return env;
}
