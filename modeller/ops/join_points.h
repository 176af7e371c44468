// Join points: points with exactly the same stored coordinates become one, then the data
// is tidied.
#pragma once

#include "modeller/ops/ops_host.h"

namespace modeller::ops {

// The sheet work alone, ending with the tidy.
void JoinSheets(model::MeshModel& model);

// The menu command, under the busy cursor.
OpsResult ApplyJoinPoints(model::MeshModel& model, OpsHost& host);

}  // namespace modeller::ops
