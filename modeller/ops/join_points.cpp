#include "modeller/ops/join_points.h"

#include "modeller/ops/sheet_steps.h"
#include "modeller/ops/tidy_data.h"

namespace modeller::ops {

void JoinSheets(model::MeshModel& m) {
    ParseSheets(m);
    CompactPoints(m);
    RewriteFaces(m, CoincidentPoints(m.points));
    ParseFaces(m);
    TidyParsedSheets(m);
}

OpsResult ApplyJoinPoints(model::MeshModel& m, OpsHost& host) {
    host.SetBusy(true);
    JoinSheets(m);
    FinishOperation(host);
    host.SetBusy(false);
    return {};
}

}  // namespace modeller::ops
