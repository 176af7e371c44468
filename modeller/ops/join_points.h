// Join points: points with exactly the same stored coordinates become one, then the data
// is tidied.
#pragma once

#include "modeller/ops/ops_host.h"

namespace modeller::ops {

// The sheet work alone, ending with the tidy.
void JoinSheets(model::MeshModel& model);

// The last step of the sweep and copy operations: the document marked modified, then the
// join under the busy cursor, or with noJoin the render points and mesh rebuilt; the edit
// screens refreshed.
void FinishWithJoin(model::MeshModel& model, OpsHost& host, bool noJoin);

// The menu command, under the busy cursor.
OpsResult ApplyJoinPoints(model::MeshModel& model, OpsHost& host);

}  // namespace modeller::ops
