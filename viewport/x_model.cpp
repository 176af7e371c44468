#include "viewport/x_model.h"

#include <algorithm>

#include "model/path_rules.h"
#include "model/vector_text.h"
#include "platform/fileio/path_name.h"
#include "platform/text/cp932.h"
#include "platform/xfile/x_engine.h"
#include "platform/xfile/x_writer.h"
#include "viewport/model_parse.h"
#include "viewport/texture_loading.h"

namespace viewport {

namespace {

std::string GroupName(size_t index) {
    return "Group" + std::to_string(index);
}

}  // namespace

rm::TexturePtr LoadImportedTexture(model::MeshModel& model, ModelRenderObjects& objects,
                                   const std::string& name, shell::Prompt* prompt) {
    if (fileio::FileNameOf(name).empty()) return {};
    const std::string title(fileio::StemOf(name));
    const std::string path =
        model::JoinPath(text::Utf8ToCp932(model.currentFile.ModelDirectory), name);
    rm::TexturePtr texture = LoadTextureFile(text::Cp932ToUtf8(path), prompt);
    if (!texture) return {};
    texture->SetName(name);
    model.textures.push_back({path, title, 0, 0});
    objects.textures.resize(model.textures.size() - 1);
    objects.textures.push_back(texture);
    return texture;
}

void ImportMesh(const rm::MeshBuilder& mesh, model::MeshModel& model, ModelRenderObjects& objects) {
    const size_t n = mesh.VertexCount(), m = mesh.FaceCount();
    model::PointSheet& points = model.points;
    points.SetMaxLine(static_cast<int32_t>(n));
    points.parsedVertices.assign(n + 1, model::Vertex{});
    for (size_t i = 0; i < n; ++i) {
        rm::Vector3 v;
        mesh.GetVertex(i, v);
        points.parsedVertices[i] = {v.x, v.y, v.z};
        points.lines[i] = model::FormatVector(v.x, v.y, v.z);
        points.lineFlags[i] = 1;
    }
    points.lines[n].clear();
    points.parsedCount = static_cast<int32_t>(n);

    model::FaceSheet& faces = model.faces;
    faces.SetMaxLine(static_cast<int32_t>(m));
    faces.lines[m].clear();
    faces.ResizeFaceArrays();
    objects.groupMaterials.resize(model.groups.size());
    int32_t plainGroup = -1;  // the one group of faces without a material
    bool textured = false;
    std::vector<int32_t> corners;
    for (size_t j = 0; j < m; ++j) {
        corners.clear();
        const int count = mesh.FaceVertexCount(j);
        for (int k = 0; k < count; ++k) corners.push_back(mesh.FaceVertexIndex(j, k));
        faces.lines[j] = model::JoinCorners(corners);
        const uint32_t c = mesh.FaceColor(j);
        int32_t group = -1;
        if (rm::MaterialPtr material = mesh.FaceMaterial(j)) {
            for (size_t g = 1; g < objects.groupMaterials.size() && group < 0; ++g)
                if (objects.groupMaterials[g] == material) group = static_cast<int32_t>(g);
            if (group < 0) {
                group = static_cast<int32_t>(model.groups.size());
                model.groups.entries.push_back(
                    {static_cast<int32_t>(c), GroupName(group), 1, MaterialValues(*material)});
                objects.groupMaterials.push_back(material);
            }
        } else {
            if (plainGroup < 0) {
                plainGroup = static_cast<int32_t>(model.groups.size());
                model.groups.entries.push_back(
                    {static_cast<int32_t>(c), GroupName(plainGroup), 0, std::nullopt});
                objects.groupMaterials.emplace_back();
            }
            group = plainGroup;
        }
        faces.FaceGroup[j] = static_cast<uint16_t>(group);
        const bool groupColour =
            model.groups[static_cast<size_t>(group)].color == static_cast<int32_t>(c);
        faces.FaceStatus[j] = groupColour ? 1 : 3;
        faces.FaceColor[j] = static_cast<int32_t>(c);
        if (rm::TexturePtr texture = mesh.FaceTexture(j)) {
            auto it = std::find(objects.textures.begin(), objects.textures.end(), texture);
            if (it != objects.textures.end()) {
                const size_t entry = static_cast<size_t>(it - objects.textures.begin());
                const int32_t index =
                    model.textureAssignment.FindOrAddName(model.textures[entry].name);
                if (index >= 0) {
                    model.textureAssignment.faceTextureMap[static_cast<int32_t>(j)] =
                        static_cast<uint16_t>(index);
                    textured = true;
                }
            }
        }
    }
    if (textured) {
        for (size_t i = 0; i < n; ++i) {
            float u, v;
            if (mesh.GetTextureCoordinates(i, u, v))
                model.textureAssignment.uvMap[static_cast<int32_t>(i)] = {u, -v};
        }
    }
    model.groups.EnsureDefaults();
}

rm::MeshBuilder& StartMeshImport(model::MeshModel& model, ModelRenderObjects& objects,
                                 const std::string& path) {
    model.currentFile.Set(path);
    rm::MeshBuilder& mesh = *objects.modelMesh;
    mesh.Empty();
    mesh.SetColorSource(rm::ColorSource::kFace);
    mesh.SetPerspective(true);
    mesh.SetQuality(QualityForDisplayMode(model.deviceType));

    model.groups.entries.resize(1);
    objects.groupMaterials.clear();
    objects.textures.clear();
    model.textures.clear();
    return mesh;
}

bool ImportXFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                 shell::Prompt* prompt) {
    rm::MeshBuilder& mesh = StartMeshImport(model, objects, path);
    auto textures = [&](const std::string& name) {
        return LoadImportedTexture(model, objects, name, prompt);
    };
    if (xfile::LoadMeshBuilder(path, mesh, textures)) {
        model.textureAssignment.uvMap.clear();
        ImportMesh(mesh, model, objects);
        return true;
    }
    mesh.Empty();
    rm::FramePtr frame = xfile::LoadFrame(path, {}, textures);
    if (!frame || !mesh.AddFrame(*frame)) {
        model.groups.EnsureDefaults();
        return false;
    }
    ImportMesh(mesh, model, objects);
    return true;
}

std::vector<bool> BuildExportMesh(model::MeshModel& model, ModelRenderObjects& objects,
                                  const ModelMeshOptions& options) {
    ParsePointLines(model.points, true);
    const int32_t points = UsedPointCount(model.points);
    BuildPointMarkers(model.points, points, 0xFFFFFFFF, *objects.pointMesh);
    objects.SyncMaterials(model.groups);
    ModelMeshOptions all = options;
    all.showTextures = all.applyMaterials = true;
    BuildModelMesh(model, objects, points, all, *objects.modelMesh);
    // Face k of the mesh is face line k, or the mirrored copy of face line k - lines.
    const std::vector<uint8_t>& status = model.faces.FaceStatus;
    std::vector<bool> keep(objects.modelMesh->FaceCount());
    for (size_t k = 0; k < keep.size() && !status.empty(); ++k)
        keep[k] = (status[k % status.size()] & model::FaceSheet::kStatusValid) != 0;
    return keep;
}

void RestoreModelMesh(model::MeshModel& model, ModelRenderObjects& objects,
                      const ModelMeshOptions& options) {
    BuildModelMesh(model, objects, UsedPointCount(model.points), options, *objects.modelMesh);
}

bool ExportXFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                 bool binary, const ModelMeshOptions& options, std::string* error) {
    model.currentFile.Set(path);
    const std::vector<bool> keep = BuildExportMesh(model, objects, options);
    const bool saved =
        xfile::SaveMeshBuilder(*objects.modelMesh, path, binary, xfile::kSaveAll, keep, error);
    RestoreModelMesh(model, objects, options);
    return saved;
}

}  // namespace viewport
