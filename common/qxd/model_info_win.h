// What the model loader needs to know of the running system.
#pragma once

#include "common/qxd/model_info.h"

// The Windows version class and the user's locale country; `procedureLibrary`
// is set only by the procedure library, the one build that understands the
// locale-bound smoothing value.
ModelBuildEnv CurrentModelBuildEnv(bool procedureLibrary);
