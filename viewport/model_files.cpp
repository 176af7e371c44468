#include "viewport/model_files.h"

#include "model/model_file.h"
#include "viewport/interchange_model.h"
#include "viewport/texture_loading.h"
#include "viewport/x_model.h"

namespace viewport {

namespace {

std::string Lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

}  // namespace

bool OpenOrSaveFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                    const std::string& extension, FileMode mode, shell::Prompt* prompt,
                    const FileOptions& options, std::string* error) {
    const std::string ext = Lower(extension);
    if (ext == "mkl") {
        if (mode == FileMode::kWrite) return model::SaveModelFile(model, path, error);
        objects.textures.clear();
        if (!model::LoadModelFile(model, path, prompt)) return false;
        LoadTextureEntry(model, objects, -1, prompt);
        if (!model.wrap.textureName.empty())
            CreateWrapObject(model.wrap, options.wrapReference, objects);
        objects.SyncMaterials(model.groups);
        return true;
    }
    if (ext == "x") {
        if (mode == FileMode::kWrite)
            return ExportXFile(model, objects, path, options.binaryX, options.meshOptions, error);
        return ImportXFile(model, objects, path, prompt);
    }
    if (IsInterchangeExtension(ext)) {
        if (mode == FileMode::kWrite)
            return ExportInterchangeFile(model, objects, path, ext, options.meshOptions, error);
        std::string why;
        const bool read = ImportInterchangeFile(model, objects, path, ext, prompt, &why);
        if (!read && error) *error = why;
        return read;
    }
    if (error) *error = path + ": not a model (.mkl), X (.x), glTF (.gltf, .glb) or OBJ file";
    return false;
}

bool ReadModelFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                   const std::string& extension, shell::Prompt* prompt, model::ClearHost* host,
                   const FileOptions& options, std::string* error) {
    model.currentFile.Set(path);
    model::ClearModel(model, prompt, host, false);
    objects.textures.clear();
    model.textures.clear();
    model.textureAssignment.Reset();
    return OpenOrSaveFile(model, objects, path, extension, FileMode::kRead, prompt, options, error);
}

bool WriteModelFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                    const std::string& extension, shell::Prompt* prompt, const FileOptions& options,
                    std::string* error) {
    return OpenOrSaveFile(model, objects, path, extension, FileMode::kWrite, prompt, options,
                          error);
}

}  // namespace viewport
