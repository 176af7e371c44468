#include "modeller/ops/join_points.h"

#include "modeller/ops/sheet_steps.h"
#include "modeller/ops/tidy_data.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

void JoinSheets(model::MeshModel& m) {
    ParseSheets(m);
    CompactPoints(m);
    RewriteFaces(m, CoincidentPoints(m.points));
    ParseFaces(m);
    TidyParsedSheets(m);
}

void FinishWithJoin(model::MeshModel& m, OpsHost& host, bool noJoin) {
    host.SetModified();
    if (noJoin) {
        host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
        host.RefreshScreens();
        return;
    }
    host.SetBusy(true);
    JoinSheets(m);
    FinishOperation(host);
    host.SetBusy(false);
}

OpsResult ApplyJoinPoints(model::MeshModel& m, OpsHost& host) {
    host.SetBusy(true);
    JoinSheets(m);
    FinishOperation(host);
    host.SetBusy(false);
    return {};
}

}  // namespace modeller::ops
