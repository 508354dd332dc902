// The model values of the PJL header, taken from the model record.
#pragma once

#include "common/qxd/model_info.h"
#include "drender/pjl/pjl_job.h"

PjlModelValues Pjl_ModelValues(const ModelInfo* model);
