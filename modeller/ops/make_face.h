// Making a face from the points picked in order (面の決定), and deleting the picked points.
#pragma once

#include <cstdint>
#include <vector>

#include "modeller/ops/ops_host.h"

namespace modeller::ops {

// The buttons of the make-face dialog.
enum class MakeFaceButton { kOk, kReverse, kMove, kEnd, kDelete, kCancel };

// With three or more picks: the face line of the picked numbers in pick order goes into the
// first exactly empty face line (else appended) and the mesh is rebuilt. Fewer picks change
// nothing (!ok).
OpsResult WritePickedFace(model::MeshModel& model, OpsHost& host,
                          const std::vector<int32_t>& picks);

// Every picked point's line is emptied with its texture coordinates; points and mesh are
// rebuilt and the screens refreshed.
OpsResult DeletePickedPoints(model::MeshModel& model, OpsHost& host,
                             const std::vector<int32_t>& picks);

}  // namespace modeller::ops
