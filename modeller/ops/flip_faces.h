// Flip: every face line's items in reverse order, so every face shows its other side.
#pragma once

#include "modeller/ops/ops_host.h"

namespace modeller::ops {

OpsResult ApplyFlipFaces(model::MeshModel& model, OpsHost& host);

}  // namespace modeller::ops
