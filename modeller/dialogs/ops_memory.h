// The dialog values the operations remember for the program run (never stored).
#pragma once

#include "modeller/ops/extrusion.h"
#include "modeller/ops/face_copy.h"
#include "modeller/ops/revolution.h"
#include "modeller/ops/rotate_copy.h"
#include "modeller/ops/whole_model.h"

namespace modeller {

struct OpsMemory {
    ops::WholeModelMemory wholeModel;
    ops::ExtrusionSettings extrusion;
    ops::RevolutionSettings revolution;  // written after a run completes
    ops::RotateCopySettings rotateCopy;
    ops::FaceCopySettings faceCopy;
};

}  // namespace modeller
