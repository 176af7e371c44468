#include "modeller/settings_ops/texture_list.h"

#include <map>

#include "platform/fileio/path_name.h"
#include "platform/text/cp932.h"
#include "viewport/model_pane.h"
#include "viewport/texture_loading.h"

namespace modeller::settings {

shell::FileRequest TextureFileRequest(const ModellerSettings& s) {
    shell::FileRequest r;
    r.filter = kTextureImageFilter;
    r.initialDirectory = s.textureDirectory.empty() ? s.pictureDirectory : s.textureDirectory;
    return r;
}

AddTextureResult AddTexture(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                            const std::string& nativePath, ModellerSettings& settings,
                            shell::Prompt* prompt) {
    const std::string name = text::Utf8ToCp932(fileio::StemOf(nativePath));
    if (model::FindTexture(model.textures, name) >= 0) return AddTextureResult::Duplicate;
    rm::TexturePtr texture = viewport::LoadTextureFile(nativePath, prompt);
    if (!texture) return AddTextureResult::LoadFailed;
    model::TextureEntry entry;
    entry.path = text::Utf8ToCp932(nativePath);
    entry.name = name;
    objects.textures.resize(model.textures.size());
    model.textures.push_back(std::move(entry));
    objects.textures.push_back(std::move(texture));
    const size_t slash = nativePath.find_last_of('/');
    if (slash != std::string::npos) settings.textureDirectory = nativePath.substr(0, slash);
    return AddTextureResult::Added;
}

int32_t ChooseAndAddTexture(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                            ModellerSettings& settings, shell::FileChooser& chooser,
                            shell::Prompt* prompt) {
    const std::optional<std::string> path = chooser.Choose(TextureFileRequest(settings));
    if (!path || AddTexture(model, objects, *path, settings, prompt) != AddTextureResult::Added)
        return -1;
    return static_cast<int32_t>(model.textures.size()) - 1;
}

bool DeleteTextureEntry(model::MeshModel& model, viewport::ModelRenderObjects& objects,
                        int32_t index) {
    if (index < 0 || static_cast<size_t>(index) >= model.textures.size()) return false;
    const auto i = static_cast<ptrdiff_t>(index);
    model.textures.erase(model.textures.begin() + i);
    if (static_cast<size_t>(index) < objects.textures.size())
        objects.textures.erase(objects.textures.begin() + i);
    return true;
}

void ConfirmTextureList(model::MeshModel& model, ops::OpsHost& host) {
    model::TextureAssignment& a = model.textureAssignment;
    std::vector<std::string> names{model::kTextureNone};
    for (const model::TextureEntry& e : model.textures)
        if (e.name != model::kTextureNone) names.push_back(e.name);
    auto indexOf = [&names](const std::string& name) {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == name) return i;
        names.push_back(name);
        return names.size() - 1;
    };
    std::map<int32_t, uint16_t> faces;
    for (const auto& [face, index] : a.faceTextureMap) {
        if (index == 0 || index >= a.textureNames.size()) continue;
        const size_t k = indexOf(a.textureNames[index]);
        if (k <= UINT16_MAX) faces[face] = static_cast<uint16_t>(k);
    }
    if (names.size() > UINT16_MAX + size_t{1}) names.resize(UINT16_MAX + size_t{1});
    const bool changed = names != a.textureNames || faces != a.faceTextureMap;
    a.textureNames = std::move(names);
    a.faceTextureMap = std::move(faces);
    if (changed) host.SetModified();
    host.RebuildModelMesh(0);
}

bool DeleteAllTextureData(model::MeshModel& model, ops::OpsHost& host, shell::Prompt& prompt) {
    if (prompt.Ask(kDeleteAllTexturesText, {}, shell::Buttons::OkCancel) != shell::Answer::Ok)
        return false;
    model.textureAssignment.Reset();
    host.RebuildModelMesh(viewport::kNoRender);
    host.SetModified();
    host.RefreshScreens();
    return true;
}

}  // namespace modeller::settings
