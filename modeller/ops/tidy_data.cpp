#include "modeller/ops/tidy_data.h"

#include "model/vector_text.h"
#include "modeller/ops/sheet_steps.h"
#include "viewport/model_pane.h"

namespace modeller::ops {

void TidySheets(model::MeshModel& m) {
    ParseSheets(m);
    TidyParsedSheets(m);
}

void TidyParsedSheets(model::MeshModel& m) {
    CompactPoints(m);
    CompactFaces(m);
    // Compacting faces left only valid ones: every point they name is used.
    std::vector<uint8_t> used(m.points.lines.size(), 0);
    std::vector<int32_t> corners;
    for (const std::string& line : m.faces.lines) {
        corners.clear();
        if (line.empty()) continue;
        model::ParseFaceCornersInto(line, corners);
        for (int32_t c : corners)
            if (c >= 0 && static_cast<size_t>(c) < used.size()) used[static_cast<size_t>(c)] = 1;
    }
    bool emptied = false;
    for (size_t i = 0; i < used.size(); ++i) {
        if (used[i] || m.points.lines[i].empty()) continue;
        m.points.lines[i].clear();
        m.points.lineFlags[i] &= static_cast<uint8_t>(~model::PointSheet::kFlagValid);
        emptied = true;
    }
    if (emptied) CompactPoints(m);
}

void FinishOperation(OpsHost& host) {
    host.RebuildPointMarkers(viewport::kReparseAll | viewport::kNoRender);
    host.SetModified();
    host.RefreshScreens();
}

OpsResult ApplyTidyData(model::MeshModel& m, OpsHost& host) {
    TidySheets(m);
    FinishOperation(host);
    return {};
}

}  // namespace modeller::ops
