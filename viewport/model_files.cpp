#include "viewport/model_files.h"

#include <algorithm>

#include "model/model_file.h"
#include "viewport/texture_loading.h"
#include "viewport/x_model.h"

namespace viewport {

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
        return static_cast<char>(c < 0x80 ? std::tolower(c) : c);
    });
    return s;
}

}  // namespace

bool OpenOrSaveFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                    const std::string& extension, FileMode mode, shell::Prompt* prompt,
                    const FileOptions& options) {
    const std::string ext = Lower(extension);
    if (ext == "mkl") {
        if (mode == FileMode::kWrite) return model::SaveModelFile(model, path);
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
            return ExportXFile(model, objects, path, options.binaryX, options.meshOptions);
        return ImportXFile(model, objects, path, prompt);
    }
    return false;
}

bool ReadModelFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                   const std::string& extension, shell::Prompt* prompt, model::ClearHost* host,
                   const FileOptions& options) {
    model.currentFile.Set(path);
    model::ClearModel(model, prompt, host, false);
    objects.textures.clear();
    model.textures.clear();
    model.textureAssignment.Reset();
    return OpenOrSaveFile(model, objects, path, extension, FileMode::kRead, prompt, options);
}

bool WriteModelFile(model::MeshModel& model, ModelRenderObjects& objects, const std::string& path,
                    const std::string& extension, shell::Prompt* prompt,
                    const FileOptions& options) {
    return OpenOrSaveFile(model, objects, path, extension, FileMode::kWrite, prompt, options);
}

}  // namespace viewport
