// The face dialog (面) of the face edit screen without its widget.
#pragma once

#include <string>

#include "model/mesh_model.h"
#include "platform/rm/rm.h"

namespace modeller::settings {

inline constexpr const char* kFaceHelpPage = "dlg_men.htm";

struct FaceFields {
    int32_t face = 0;              // インデックス
    bool valid = false;            // a valid face line: otherwise nothing is shown or changed
    uint32_t colour = 0xFFFFFFFF;  // the swatch: own colour, or the group's
    bool ownColour = false;        // 独自の色を持つ / グループの色に合わせる
    int32_t group = 0;             // 1..n; 0 while the face is in no group and none was chosen
    bool remove = false;           // この面を削除
};

FaceFields FaceFieldsOf(const model::MeshModel& model, int32_t face);
// The group colour a face would show in group `group`.
uint32_t GroupColour(const model::GroupTable& groups, int32_t group);
// 面方程式: the face's front normal and its first point, "nx, ny, nz,  x, y, z"; empty
// when the render mesh has no such face.
std::string FaceEquationText(const model::MeshModel& model, const rm::MeshBuilder& mesh,
                             int32_t face);
// OK: delete the line and its texture, or set the group and the colour choice. The caller
// rebuilds the mesh. False when nothing changed (not a valid face).
bool ApplyFace(const FaceFields& fields, model::MeshModel& model);

}  // namespace modeller::settings
