#include "viewport/interchange_model.h"

#include <filesystem>

#include "platform/interchange/interchange.h"
#include "platform/text/cp932.h"
#include "viewport/x_model.h"

namespace viewport {

bool IsInterchangeExtension(std::string_view extension) {
    return extension == "gltf" || extension == "glb" || extension == "obj";
}

bool ImportInterchangeFile(model::MeshModel& model, ModelRenderObjects& objects,
                           const std::string& path, const std::string& extension,
                           shell::Prompt* prompt, std::string* error) {
    rm::MeshBuilder& mesh = StartMeshImport(model, objects, path);
    model.textureAssignment.uvMap.clear();

    auto textures = [&](const std::string& uri) {
        return LoadImportedTexture(model, objects, text::Utf8ToCp932(uri), prompt);
    };
    const bool read = extension == "obj" ? interchange::LoadObjMesh(path, mesh, textures, error)
                                         : interchange::LoadGltfMesh(path, mesh, textures, error);
    if (!read) {
        mesh.Empty();
        model.groups.EnsureDefaults();
        return false;
    }
    ImportMesh(mesh, model, objects);
    return true;
}

std::string ImageReference(const std::string& imagePath, const std::string& outputPath) {
    if (imagePath.empty()) return {};
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path image = fs::absolute(imagePath, ec);
    const fs::path folder = fs::absolute(outputPath, ec).parent_path();
    if (ec) return {};
    const fs::path relative =
        image.lexically_normal().lexically_relative(folder.lexically_normal());
    return relative.empty() ? image.generic_string() : relative.generic_string();
}

bool ExportInterchangeFile(model::MeshModel& model, ModelRenderObjects& objects,
                           const std::string& path, const std::string& extension,
                           const ModelMeshOptions& options, std::string* error) {
    model.currentFile.Set(path);
    const std::vector<bool> keep = BuildExportMesh(model, objects, options);
    // A face's texture is one of the model's list; the list has the image's path.
    const interchange::TextureUri uri = [&](const rm::Texture& texture) {
        for (size_t i = 0; i < objects.textures.size() && i < model.textures.size(); ++i)
            if (objects.textures[i].get() == &texture)
                return ImageReference(text::Cp932ToUtf8(model.textures[i].path), path);
        return std::string();
    };
    const bool saved = extension == "obj"
                           ? interchange::SaveObjMesh(*objects.modelMesh, path, keep, uri, error)
                           : interchange::SaveGltfMesh(*objects.modelMesh, path, extension == "glb",
                                                       keep, uri, error);
    RestoreModelMesh(model, objects, options);
    return saved;
}

}  // namespace viewport
