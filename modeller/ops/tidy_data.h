// Tidy data: blank and invalid lines and points no face uses are removed, and everything
// is renumbered.
#pragma once

#include "modeller/ops/ops_host.h"

namespace modeller::ops {

// The sheet work alone (parsed first; the render meshes are left to the caller).
void TidySheets(model::MeshModel& model);
// The same over sheets the caller has just parsed.
void TidyParsedSheets(model::MeshModel& model);

// The menu command: TidySheets, the render points and mesh rebuilt, the document modified.
OpsResult ApplyTidyData(model::MeshModel& model, OpsHost& host);

// The end of every operation that changes both sheets: rebuild, mark, refresh.
void FinishOperation(OpsHost& host);

}  // namespace modeller::ops
