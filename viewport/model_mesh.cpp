#include "viewport/model_mesh.h"

#include <algorithm>

#include "viewport/model_parse.h"

namespace viewport {

namespace {

constexpr float kFullCrease = 6.2831855f;  // 2 pi: every shared vertex smooth

std::vector<rm::Vector3> ParsedVertices(const model::PointSheet& points, int32_t count) {
    std::vector<rm::Vector3> vertices(static_cast<size_t>(std::max(count, 0)));
    for (size_t i = 0; i < vertices.size() && i < points.parsedVertices.size(); ++i) {
        const model::Vertex& v = points.parsedVertices[i];
        vertices[i] = {v.x, v.y, v.z};
    }
    return vertices;
}

uint32_t FaceColorOf(const model::MeshModel& m, size_t face) {
    const model::FaceSheet& f = m.faces;
    if (f.FaceStatus[face] & model::FaceSheet::kStatusOwnColor)
        return static_cast<uint32_t>(f.FaceColor[face]);
    const size_t group = f.FaceGroup[face];
    return group < m.groups.size() ? static_cast<uint32_t>(m.groups[group].color) : 0xFFFFFFFF;
}

}  // namespace

int QualityForDisplayMode(int32_t mode) {
    switch (mode) {
        case kDisplayGouraud:
            return rm::kQualityGouraud;
        case kDisplayUnlit:
            return rm::kQualityUnlitFlat;
        case kDisplayWireframe:
            return rm::kQualityWireframe;
        default:
            return rm::kQualityFlat;
    }
}

void BuildModelMesh(model::MeshModel& m, const ModelRenderObjects& objects, int32_t pointCount,
                    const ModelMeshOptions& options, rm::MeshBuilder& mesh) {
    ParseFaceLines(m.faces, m.points, pointCount);
    BuildParsedModelMesh(m, objects, pointCount, options, mesh);
}

void BuildParsedModelMesh(const model::MeshModel& m, const ModelRenderObjects& objects,
                          int32_t pointCount, const ModelMeshOptions& options,
                          rm::MeshBuilder& mesh) {
    mesh.Empty();
    mesh.SetQuality(rm::kQualityGouraud);
    mesh.SetColorSource(rm::ColorSource::kFace);
    mesh.SetPerspective(true);

    const size_t faceCount = m.faces.parsedFaceCount;
    // Without points the degenerate faces would name a vertex that does not exist: the
    // mesh stays empty.
    if (pointCount > 0 && !m.faces.parsedFaces.empty())
        mesh.AddFaces(ParsedVertices(m.points, pointCount), {}, m.faces.parsedFaces);
    if (mesh.FaceCount() != faceCount) {
        mesh.SetQuality(QualityForDisplayMode(options.displayMode));
        return;
    }

    for (size_t i = 0; i < faceCount; ++i) mesh.SetFaceColor(i, FaceColorOf(m, i));
    mesh.SetQuality(QualityForDisplayMode(options.displayMode));

    if (options.applyMaterials) {
        for (size_t i = 0; i < faceCount; ++i) {
            if (!(m.faces.FaceStatus[i] & model::FaceSheet::kStatusValid)) continue;
            const size_t group = m.faces.FaceGroup[i];
            if (group < m.groups.size() && m.groups[group].hasMaterial != 0)
                if (rm::MaterialPtr material = objects.GroupMaterial(group))
                    mesh.SetFaceMaterial(i, material);
        }
    }

    if (options.showTextures && m.wrap.wrapFlag != 0 && !m.wrap.textureName.empty()) {
        if (rm::TexturePtr texture = objects.TextureOf(m.textures, m.wrap.textureName))
            if (mesh.SetTexture(texture) && objects.wrap) objects.wrap->Apply(mesh);
    }
    if (options.showTextures) ApplyFaceTextures(m, objects, mesh);

    switch (m.mirror.mirrorAxis) {
        case 1:
            AddMirroredCopy(mesh, true, false, false, m.mirror.mirrorPosition);
            break;
        case 2:
            AddMirroredCopy(mesh, false, true, false, m.mirror.mirrorPosition);
            break;
        case 3:
            AddMirroredCopy(mesh, false, false, true, m.mirror.mirrorPosition);
            break;
        default:
            break;
    }
    mesh.GenerateNormals(kFullCrease, rm::kGenerateNormalsUseCreaseAngle);
}

void ApplyFaceTextures(const model::MeshModel& m, const ModelRenderObjects& objects,
                       rm::MeshBuilder& mesh) {
    const auto& names = m.textureAssignment.textureNames;
    for (const auto& [face, index] : m.textureAssignment.faceTextureMap) {
        if (index == 0 || index >= names.size() || face < 0) continue;
        if (rm::TexturePtr texture = objects.TextureOf(m.textures, names[index]))
            mesh.SetFaceTexture(static_cast<size_t>(face), texture);
    }
    for (const auto& [vertex, uv] : m.textureAssignment.uvMap)
        if (vertex >= 0 && static_cast<size_t>(vertex) < mesh.VertexCount())
            mesh.SetTextureCoordinates(static_cast<size_t>(vertex), uv.u, -uv.v);
}

void AddMirroredCopy(rm::MeshBuilder& mesh, bool ax, bool ay, bool az, float position) {
    rm::MeshGeometry g;
    if (!mesh.GetGeometry(g) || g.vertices.empty()) return;
    const size_t faceCount = mesh.FaceCount();
    const size_t vertexCount = g.vertices.size();
    auto reflect = [&](rm::Vector3& v, float origin) {
        if (ax) v.x = 2 * origin - v.x;
        if (ay) v.y = 2 * origin - v.y;
        if (az) v.z = 2 * origin - v.z;
    };
    for (rm::Vector3& v : g.vertices) reflect(v, position);
    for (rm::Vector3& n : g.normals) reflect(n, 0);  // directions reflect about the origin
    const int flagged = int(ax) + int(ay) + int(az);
    if (flagged % 2 == 1) {
        for (size_t p = 0; g.faceData[p] != 0;) {
            const size_t count = g.faceData[p];
            // Reverse the (vertex, normal) pairs in place.
            for (size_t a = 0, b = count - 1; a < b; ++a, --b) {
                std::swap(g.faceData[p + 1 + 2 * a], g.faceData[p + 1 + 2 * b]);
                std::swap(g.faceData[p + 2 + 2 * a], g.faceData[p + 2 + 2 * b]);
            }
            p += 1 + 2 * count;
        }
    }
    if (!mesh.AddFaces(g.vertices, g.normals, g.faceData)) return;
    for (size_t k = 0; k < faceCount; ++k) {
        mesh.SetFaceColor(k + faceCount, mesh.FaceColor(k));
        if (rm::MaterialPtr material = mesh.FaceMaterial(k))
            mesh.SetFaceMaterial(k + faceCount, material);
        if (rm::TexturePtr texture = mesh.FaceTexture(k))
            mesh.SetFaceTexture(k + faceCount, texture);
    }
    // The copy's vertices are the originals in order, so each takes its twin's coordinates;
    // a reversed face's corner m lands on its twin's corner count - m - 1 that way.
    for (size_t v = 0; v < vertexCount && v < g.texCoords.size(); ++v)
        mesh.SetTextureCoordinates(v + vertexCount, g.texCoords[v].u, g.texCoords[v].v);
}

void BuildPointMarkers(const model::PointSheet& points, int32_t pointCount, uint32_t pointColor,
                       rm::MeshBuilder& markers) {
    markers.Empty();
    markers.SetQuality(rm::kQualityPoints);
    markers.SetPointSize(kPointMarkerSize);
    if (pointCount > 0) {
        const std::vector<rm::Vector3> vertices = ParsedVertices(points, pointCount);
        std::vector<uint32_t> faceData;
        faceData.reserve(static_cast<size_t>(pointCount) * 4 + 1);
        for (uint32_t j = 0; j < static_cast<uint32_t>(pointCount); ++j)
            faceData.insert(faceData.end(), {3, j, j, j});
        faceData.push_back(0);
        markers.AddFaces(vertices, {}, faceData);
    }
    markers.SetColor(pointColor);
}

void MarkPoint(rm::MeshBuilder& markers, int32_t index, bool selected, uint32_t pointColor) {
    const size_t count = markers.VertexCount();
    if (index < 0) {
        for (size_t i = 0; i < markers.FaceCount(); ++i) {
            markers.SetFaceColor(i, pointColor);
            markers.SetFacePointSize(i, kPointMarkerSize);
        }
        return;
    }
    if (static_cast<size_t>(index) >= count) return;
    const size_t face = static_cast<size_t>(index);
    markers.SetFaceColor(face, selected ? kSelectedPointColor : pointColor);
    markers.SetFacePointSize(face, selected ? kSelectedPointMarkerSize : kPointMarkerSize);
}

}  // namespace viewport
