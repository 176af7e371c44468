#include "studio/scene/object_mesh.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <memory>
#include <string_view>

#include "model/current_file.h"
#include "model/mesh_model.h"
#include "model/model_file.h"
#include "model/path_rules.h"
#include "platform/fileio/path_name.h"
#include "platform/interchange/interchange.h"
#include "platform/shell.h"
#include "platform/text/cp932.h"
#include "platform/xfile/x_engine.h"
#include "viewport/interchange_model.h"
#include "viewport/model_mesh.h"
#include "viewport/model_parse.h"
#include "viewport/model_render_objects.h"
#include "viewport/texture_loading.h"

namespace studio {

namespace {

// The readers' message boxes become lines of the load's report.
class CollectingPrompt : public shell::Prompt {
public:
    CollectingPrompt(std::vector<std::string>* messages, std::string subject)
        : messages_(messages), subject_(std::move(subject)) {}
    shell::Answer Ask(std::string_view text, std::string_view, shell::Buttons) override {
        if (messages_) messages_->push_back(subject_ + ": " + std::string(text));
        return shell::Answer::Ok;
    }

private:
    std::vector<std::string>* messages_;
    std::string subject_;
};

void PrepareMesh(rm::MeshBuilder& mesh) {
    mesh.SetColorSource(rm::ColorSource::kFace);
    mesh.SetPerspective(true);
}

rm::MeshBuilderPtr LoadModelFileMesh(const std::string& path, shell::Prompt& prompt) {
    // One model at a time; its engine objects (materials, textures, the wrap) stay with the
    // mesh, so each file gets its own.
    auto m = std::make_unique<model::MeshModel>();
    viewport::ModelRenderObjects objects;
    model::ClearModel(*m, nullptr, nullptr, false);
    model::LoadOptions options;
    options.reportMissingFile = false;
    if (!model::LoadModelFile(*m, path, &prompt, options)) return {};
    viewport::LoadTextureEntry(*m, objects, -1, &prompt);
    if (m->wrap.wrapFlag == 1 && !m->wrap.textureName.empty() &&
        !viewport::CreateWrapObject(m->wrap, {}, objects))
        objects.wrap.reset();
    objects.SyncMaterials(m->groups);
    viewport::ParsePointLines(m->points, true);
    const int32_t count = viewport::UsedPointCount(m->points);
    viewport::ModelMeshOptions meshOptions;
    meshOptions.displayMode = m->deviceType;  // 1 round, 2 unlit, 3 lines, else flat
    auto mesh = rm::MeshBuilder::Create();
    viewport::BuildModelMesh(*m, objects, count, meshOptions, *mesh);
    mesh->ShrinkToFit();
    return mesh;
}

rm::MeshBuilderPtr LoadXFileMesh(const std::string& path, shell::Prompt& prompt) {
    const std::string directory = text::Utf8ToCp932(model::AbsoluteDirectoryOf(path));
    auto textures = [&](const std::string& name) -> rm::TexturePtr {
        if (fileio::FileNameOf(name).empty()) return {};
        const std::string file = model::JoinPath(directory, name);
        rm::TexturePtr texture = viewport::LoadTextureFile(text::Cp932ToUtf8(file), &prompt);
        if (texture) texture->SetName(name);
        return texture;
    };
    auto mesh = rm::MeshBuilder::Create();
    PrepareMesh(*mesh);
    mesh->SetQuality(rm::kQualityFlat);
    if (xfile::LoadMeshBuilder(path, *mesh, textures)) return mesh;
    mesh->Empty();
    const rm::FramePtr frame = xfile::LoadFrame(path, {}, textures);
    if (!frame || !mesh->AddFrame(*frame)) return {};
    return mesh;
}

// glTF and OBJ files: their images are found relative to the file, as an X file's are.
rm::MeshBuilderPtr LoadInterchangeMesh(const std::string& path, const std::string& extension,
                                       shell::Prompt& prompt) {
    const std::string directory = model::AbsoluteDirectoryOf(path);
    auto textures = [&](const std::string& uri) -> rm::TexturePtr {
        if (fileio::FileNameOf(uri).empty()) return {};
        const std::string file = text::Cp932ToUtf8(
            model::JoinPath(text::Utf8ToCp932(directory), text::Utf8ToCp932(uri)));
        return viewport::LoadTextureFile(file, &prompt);
    };
    auto mesh = rm::MeshBuilder::Create();
    PrepareMesh(*mesh);
    mesh->SetQuality(rm::kQualityFlat);
    std::string why;
    const bool read = extension == "obj" ? interchange::LoadObjMesh(path, *mesh, textures, &why)
                                         : interchange::LoadGltfMesh(path, *mesh, textures, &why);
    if (!read) {
        prompt.Tell(why);
        return {};
    }
    return mesh;
}

}  // namespace

bool ModelFileExists(const std::string& nativePath) {
    struct stat st {};
    return !nativePath.empty() && ::stat(nativePath.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
           ::access(nativePath.c_str(), R_OK) == 0;
}

rm::MeshBuilderPtr LoadObjectMesh(const std::string& nativePath,
                                  std::vector<std::string>* messages) {
    if (!ModelFileExists(nativePath)) return {};
    CollectingPrompt prompt(messages, nativePath);
    const std::string extension = fileio::ExtensionOf(nativePath);
    if (extension == "mkl") return LoadModelFileMesh(nativePath, prompt);
    if (extension == "x") return LoadXFileMesh(nativePath, prompt);
    if (viewport::IsInterchangeExtension(extension))
        return LoadInterchangeMesh(nativePath, extension, prompt);
    return {};
}

rm::MeshBuilderPtr CopyMesh(const rm::MeshBuilder& mesh) {
    auto copy = rm::MeshBuilder::Create();
    *copy = mesh;
    return copy;
}

void FlipMesh(rm::MeshBuilder& mesh, bool x, bool y, bool z) {
    if (!x && !y && !z) return;
    rm::MeshGeometry g;
    if (!mesh.GetGeometry(g) || g.vertices.empty()) return;
    const size_t faceCount = mesh.FaceCount();
    struct FaceLook {
        uint32_t color;
        rm::MaterialPtr material;
        rm::TexturePtr texture;
        int pointSize;
    };
    std::vector<FaceLook> looks(faceCount);
    for (size_t f = 0; f < faceCount; ++f)
        looks[f] = {mesh.FaceColor(f), mesh.FaceMaterial(f), mesh.FaceTexture(f),
                    mesh.FacePointSize(f)};
    auto mirror = [&](rm::Vector3& v) {
        if (x) v.x = -v.x;
        if (y) v.y = -v.y;
        if (z) v.z = -v.z;
    };
    for (rm::Vector3& v : g.vertices) mirror(v);
    for (rm::Vector3& n : g.normals) mirror(n);
    // An odd number of mirrors turns the faces inside out; reversing the corners turns them
    // back.
    if ((int(x) + int(y) + int(z)) % 2 == 1) {
        for (size_t p = 0; p < g.faceData.size() && g.faceData[p] != 0;) {
            const size_t count = g.faceData[p];
            for (size_t a = 0, b = count - 1; a < b; ++a, --b) {
                std::swap(g.faceData[p + 1 + 2 * a], g.faceData[p + 1 + 2 * b]);
                std::swap(g.faceData[p + 2 + 2 * a], g.faceData[p + 2 + 2 * b]);
            }
            p += 1 + 2 * count;
        }
    }
    mesh.Empty();
    if (!mesh.AddFaces(g.vertices, g.normals, g.faceData)) return;
    for (size_t f = 0; f < faceCount; ++f) {
        mesh.SetFaceColor(f, looks[f].color);
        if (looks[f].material) mesh.SetFaceMaterial(f, looks[f].material);
        if (looks[f].texture) mesh.SetFaceTexture(f, looks[f].texture);
        if (looks[f].pointSize > 0) mesh.SetFacePointSize(f, looks[f].pointSize);
    }
    for (size_t v = 0; v < g.texCoords.size() && v < mesh.VertexCount(); ++v)
        mesh.SetTextureCoordinates(v, g.texCoords[v].u, g.texCoords[v].v);
}

int QualityForObjectDisplay(int32_t mode) {
    switch (mode) {
        case kShowSquare:
            return rm::kQualityFlat;
        case kShowRound:
            return rm::kQualityGouraud;
        case kShowUnshaded:
            return rm::kQualityUnlitFlat;
        case kShowLines:
            return rm::kQualityWireframe;
        case kShowPoints:
            return rm::kQualityPoints;
        default:
            return -1;
    }
}

void SetObjectDisplay(rm::MeshBuilder* mesh, rm::Frame* frame, int32_t mode) {
    const int quality = QualityForObjectDisplay(mode);
    if (frame)
        frame->SetTraversalOptions(quality >= 0 ? rm::kRenderEnable | rm::kPickEnable
                                                : rm::kPickEnable);
    if (mesh && quality >= 0) mesh->SetQuality(quality);
}

rm::MeshBuilderPtr CreateLightGizmo(uint8_t kind) {
    std::vector<rm::Vector3> vertices;
    std::vector<uint32_t> faces;
    if (kind == kSpotLight) {
        vertices = {{0, 0, 0},          {0, 0.25f, 0.25f}, {0.25f, 0, 0.25f}, {0, -0.25f, 0.25f},
                    {-0.25f, 0, 0.25f}, {0, 0, 0.25f},     {0, 0, 0.125f}};
        faces = {3, 0, 1, 2, 3, 0, 2, 3, 3, 1, 0, 4, 3, 4, 0,
                 3, 3, 0, 5, 6, 3, 6, 5, 0, 4, 3, 2, 1, 4, 0};
    } else if (kind == kPointLight) {
        // Poles 0 and 3; six pairs around at y = +-0.0625, the last pair repeating the first.
        vertices.resize(16);
        vertices[0] = {0, 0.125f, 0};
        vertices[3] = {0, -0.125f, 0};
        const uint32_t pairs[7][2] = {{1, 2}, {4, 5}, {6, 7}, {8, 9}, {10, 11}, {12, 13}, {14, 15}};
        for (int k = 0; k < 7; ++k) {
            const double angle = (k % 6) * 3.14159265358979323846 / 3.0;
            const auto x = static_cast<float>(0.108253 * std::cos(angle));
            const auto z = static_cast<float>(0.108253 * std::sin(angle));
            vertices[pairs[k][0]] = {x, 0.0625f, z};
            vertices[pairs[k][1]] = {x, -0.0625f, z};
        }
        faces = {3, 1,  0, 4,  3, 2,  1,  4,  3, 2,  4,  5,  3, 3,  2,  5,  3, 4, 0,  6,
                 3, 5,  4, 6,  3, 5,  6,  7,  3, 3,  5,  7,  3, 6,  0,  8,  3, 7, 6,  8,
                 3, 7,  8, 9,  3, 3,  7,  9,  3, 8,  0,  10, 3, 9,  8,  10, 3, 9, 10, 11,
                 3, 3,  9, 11, 3, 10, 0,  12, 3, 11, 10, 12, 3, 11, 12, 13, 3, 3, 11, 13,
                 3, 12, 0, 14, 3, 13, 12, 14, 3, 13, 14, 15, 3, 3,  13, 15, 0};
    } else {
        return nullptr;
    }
    rm::MeshBuilderPtr mesh = rm::MeshBuilder::Create();
    if (!mesh || !mesh->AddFaces(vertices, {}, faces)) return nullptr;
    mesh->SetColor(0xFFFFFF00u);
    mesh->SetQuality(rm::kQualityWireframe);
    return mesh;
}

}  // namespace studio
