#include "modeller/settings_ops/face_settings.h"

#include "model/vector_text.h"

namespace modeller::settings {

namespace {

bool ValidFace(const model::MeshModel& m, int32_t face) {
    const auto& f = m.faces;
    return face >= 0 && face <= f.maxLine && static_cast<size_t>(face) < f.FaceStatus.size() &&
           (f.FaceStatus[static_cast<size_t>(face)] & model::FaceSheet::kStatusValid) != 0;
}

}  // namespace

uint32_t GroupColour(const model::GroupTable& groups, int32_t group) {
    if (group < 0 || static_cast<size_t>(group) >= groups.size()) return 0xFFFFFFFF;
    return static_cast<uint32_t>(groups[static_cast<size_t>(group)].color);
}

FaceFields FaceFieldsOf(const model::MeshModel& m, int32_t face) {
    FaceFields out;
    out.face = face;
    out.valid = ValidFace(m, face);
    if (!out.valid) return out;
    const auto i = static_cast<size_t>(face);
    out.ownColour = (m.faces.FaceStatus[i] & model::FaceSheet::kStatusOwnColor) != 0;
    out.group = m.faces.FaceGroup[i];
    out.colour = out.ownColour ? static_cast<uint32_t>(m.faces.FaceColor[i])
                               : GroupColour(m.groups, out.group);
    return out;
}

std::string FaceEquationText(const model::MeshModel& m, const rm::MeshBuilder& mesh, int32_t face) {
    if (!ValidFace(m, face) || static_cast<size_t>(face) >= mesh.FaceCount()) return {};
    rm::Vector3 normal, point;
    if (!mesh.GetFaceFrontNormal(static_cast<size_t>(face), normal) ||
        !mesh.GetFaceVertex(static_cast<size_t>(face), 0, point))
        return {};
    return model::FormatVector(normal.x, normal.y, normal.z) + ",  " +
           model::FormatVector(point.x, point.y, point.z);
}

bool ApplyFace(const FaceFields& f, model::MeshModel& m) {
    if (!ValidFace(m, f.face)) return false;
    const auto i = static_cast<size_t>(f.face);
    auto& faces = m.faces;
    if (f.remove) {
        faces.SetLine(f.face, "");
        m.textureAssignment.faceTextureMap.erase(f.face);
        return true;
    }
    if (f.group >= 1 && static_cast<size_t>(f.group) < m.groups.size())
        faces.FaceGroup[i] = static_cast<uint16_t>(f.group);
    if (f.ownColour) {
        faces.FaceStatus[i] |= model::FaceSheet::kStatusOwnColor;
        faces.FaceColor[i] = static_cast<int32_t>(f.colour);
    } else {
        faces.FaceStatus[i] &= static_cast<uint8_t>(~model::FaceSheet::kStatusOwnColor);
        faces.FaceColor[i] = static_cast<int32_t>(GroupColour(m.groups, faces.FaceGroup[i]));
    }
    return true;
}

}  // namespace modeller::settings
