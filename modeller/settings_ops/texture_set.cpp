#include "modeller/settings_ops/texture_set.h"

#include <optional>

#include "model/vector_text.h"
#include "platform/field_exchange.h"

namespace modeller::settings {

namespace {

std::optional<model::TexCoord> ReadCoord(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t comma = line.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<float> u = shell::ExchangeFloat(line.substr(0, comma));
    const std::optional<float> v = shell::ExchangeFloat(line.substr(comma + 1));
    if (!u || !v) return std::nullopt;
    return model::TexCoord{*u, *v};
}

// The first n coordinates of the text, or nothing when a line does not read.
std::optional<std::vector<model::TexCoord>> ReadCoords(std::string_view text, size_t n) {
    std::vector<model::TexCoord> out;
    while (out.size() < n) {
        if (text.empty()) return std::nullopt;
        const size_t end = text.find('\n');
        const std::optional<model::TexCoord> c = ReadCoord(text.substr(0, end));
        if (!c) return std::nullopt;
        out.push_back(*c);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return out;
}

int FaceCorners(const rm::MeshBuilder& mesh, int32_t face) {
    return face >= 0 ? mesh.FaceVertexCount(static_cast<size_t>(face)) : -1;
}

// An invalid line renders as 0, 0, 0: coordinates given to it would land on point 0.
bool ValidFace(const model::MeshModel& m, int32_t face) {
    const auto& status = m.faces.FaceStatus;
    return face >= 0 && face <= m.faces.maxLine && static_cast<size_t>(face) < status.size() &&
           (status[static_cast<size_t>(face)] & model::FaceSheet::kStatusValid) != 0;
}

}  // namespace

std::string CoordText(const model::MeshModel& m, const rm::MeshBuilder& mesh, int32_t face) {
    std::string out;
    const int n = FaceCorners(mesh, face);
    for (int j = 0; j < n; ++j) {
        const int vertex = mesh.FaceVertexIndex(static_cast<size_t>(face), static_cast<size_t>(j));
        auto it = m.textureAssignment.uvMap.find(vertex);
        const model::TexCoord c =
            it == m.textureAssignment.uvMap.end() ? model::TexCoord{} : it->second;
        out += model::FormatNumber(c.u) + ", " + model::FormatNumber(c.v) + "\n";
    }
    return out;
}

TextureSetFields TextureSetFieldsOf(const model::MeshModel& m, const rm::MeshBuilder& mesh,
                                    int32_t face) {
    TextureSetFields f;
    f.face = std::to_string(face);
    const auto& a = m.textureAssignment;
    if (auto it = a.faceTextureMap.find(face);
        it != a.faceTextureMap.end() && it->second != 0 && it->second < a.textureNames.size())
        f.texture = a.textureNames[it->second];
    f.coords = CoordText(m, mesh, face);
    return f;
}

std::string ValidateTextureSet(const TextureSetFields& f, const model::MeshModel& m,
                               const rm::MeshBuilder& mesh) {
    const std::optional<int32_t> face = shell::ExchangeInt(f.face);
    if (!face) return shell::kNeedIntegerText;
    const int n = FaceCorners(mesh, *face);
    if (n < 1 || !ValidFace(m, *face) || !ReadCoords(f.coords, static_cast<size_t>(n)))
        return kDataIncorrectText;
    return {};
}

bool ApplyTextureSet(const TextureSetFields& f, model::MeshModel& m, ops::OpsHost& host) {
    const rm::MeshBuilder& mesh = host.ModelMesh();
    const std::optional<int32_t> face = shell::ExchangeInt(f.face);
    if (!face) return false;
    const int n = FaceCorners(mesh, *face);
    if (n < 1 || !ValidFace(m, *face)) return false;
    const std::optional<std::vector<model::TexCoord>> coords =
        ReadCoords(f.coords, static_cast<size_t>(n));
    if (!coords) return false;
    auto& a = m.textureAssignment;
    const int32_t index =
        f.texture.empty() || f.texture == model::kTextureNone ? 0 : a.FindOrAddName(f.texture);
    if (index < 0) return false;  // no room for another name
    for (int j = 0; j < n; ++j)
        a.uvMap[mesh.FaceVertexIndex(static_cast<size_t>(*face), static_cast<size_t>(j))] =
            (*coords)[static_cast<size_t>(j)];
    a.faceTextureMap[*face] = static_cast<uint16_t>(index);
    host.SetModified();
    host.RebuildModelMesh(0);
    return true;
}

}  // namespace modeller::settings
