// The dialog values the operations remember for the program run (never stored).
#pragma once

#include "modeller/ops/extrusion.h"
#include "modeller/ops/whole_model.h"

namespace modeller {

struct OpsMemory {
    ops::WholeModelMemory wholeModel;
    ops::ExtrusionSettings extrusion;
};

}  // namespace modeller
