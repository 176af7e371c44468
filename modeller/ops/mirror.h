// The mirror setting (ミラー) and its bake (データを下ろす), which writes the mirror image into
// the sheets.
#pragma once

#include "model/side_settings.h"
#include "modeller/ops/ops_host.h"

namespace modeller::ops {

// The dialog's fields open with the model's setting; nothing is remembered besides it.
// OK: the setting becomes the model's, the mesh is rebuilt (so the image shows or goes).
// A changed setting marks the document modified, as it is saved with the model.
OpsResult ApplyMirrorSetting(model::MeshModel& model, OpsHost& host,
                             const model::MirrorSettings& setting);

// Bakes the model's own setting (not the dialog's): tidy, then every point mirrored to
// V + i and every face reversed to F + c with its group, its own colour and texture, and
// the mirror switched off. With no mirror set nothing changes (!ok).
OpsResult ApplyMirrorBake(model::MeshModel& model, OpsHost& host);

// The mirror image of one coordinate: 2·m − v.
inline float MirrorCoordinate(float v, float position) {
    return 2 * position - v;
}

}  // namespace modeller::ops
