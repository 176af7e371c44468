#include "modeller/settings_ops/texture_properties.h"

#include "platform/field_exchange.h"
#include "platform/fileio/path_name.h"
#include "platform/text/cp932.h"
#include "viewport/texture_loading.h"

namespace modeller::settings {

namespace {

bool InList(const model::MeshModel& m, int32_t index) {
    return index >= 0 && static_cast<size_t>(index) < m.textures.size();
}

void RenameInAssignment(model::MeshModel& m, const std::string& from, const std::string& to) {
    for (std::string& name : m.textureAssignment.textureNames)
        if (name == from) name = to;
    if (m.wrap.textureName == from) m.wrap.textureName = to;
}

}  // namespace

TexturePropertyFields TexturePropertyFieldsOf(const model::MeshModel& m,
                                              const viewport::ModelRenderObjects& objects,
                                              int32_t index) {
    TexturePropertyFields f;
    f.index = index;
    if (!InList(m, index)) return f;
    const model::TextureEntry& e = m.textures[static_cast<size_t>(index)];
    f.name = text::Cp932ToUtf8(e.name);
    f.path = text::Cp932ToUtf8(e.path);
    f.valid = static_cast<size_t>(index) < objects.textures.size() &&
              objects.textures[static_cast<size_t>(index)] != nullptr;
    f.transparent = e.transparent != 0;
    f.colour = TransparentColourText(e.transparentColor);
    return f;
}

std::string TransparentColourText(int32_t rgb) {
    const auto c = static_cast<uint32_t>(rgb);
    return std::to_string((c >> 16) & 0xFF) + ", " + std::to_string((c >> 8) & 0xFF) + ", " +
           std::to_string(c & 0xFF);
}

std::optional<int32_t> ParseTransparentColour(std::string_view text) {
    uint32_t rgb = 0;
    for (int i = 0; i < 3; ++i) {
        const size_t comma = i < 2 ? text.find(',') : std::string_view::npos;
        if (i < 2 && comma == std::string_view::npos) return std::nullopt;
        const std::optional<int32_t> v = shell::ExchangeInt(text.substr(0, comma));
        if (!v || *v < 0 || *v > 255) return std::nullopt;
        rgb = rgb << 8 | static_cast<uint32_t>(*v);
        if (i < 2) text.remove_prefix(comma + 1);
    }
    return static_cast<int32_t>(rgb);
}

bool ApplyTextureProperties(const TexturePropertyFields& f, model::MeshModel& m,
                            viewport::ModelRenderObjects& objects, shell::Prompt* prompt) {
    if (!InList(m, f.index)) return false;
    model::TextureEntry& e = m.textures[static_cast<size_t>(f.index)];
    const std::optional<int32_t> colour = ParseTransparentColour(f.colour);
    e.transparent = f.transparent && colour ? 1 : 0;
    if (colour) e.transparentColor = *colour;
    viewport::LoadTextureEntry(m, objects, f.index, prompt);
    return true;
}

RechooseResult RechooseTextureFile(model::MeshModel& m, viewport::ModelRenderObjects& objects,
                                   int32_t index, const std::string& nativePath,
                                   shell::Prompt& prompt) {
    if (!InList(m, index)) return RechooseResult::Unchanged;
    const std::string name = text::Utf8ToCp932(fileio::StemOf(nativePath));
    const std::string oldName = m.textures[static_cast<size_t>(index)].name;
    const int32_t other = model::FindTexture(m.textures, name);
    if (other < 0 || other == index) {
        model::TextureEntry& e = m.textures[static_cast<size_t>(index)];
        e.path = text::Utf8ToCp932(nativePath);
        e.name = name;
        viewport::LoadTextureEntry(m, objects, index, &prompt);
        RenameInAssignment(m, oldName, name);
        return RechooseResult::Renamed;
    }
    if (prompt.Ask(kMergeQuestionText, {}, shell::Buttons::YesNoCancel) != shell::Answer::Yes)
        return RechooseResult::Unchanged;
    RenameInAssignment(m, oldName, name);
    m.textures.erase(m.textures.begin() + index);
    if (static_cast<size_t>(index) < objects.textures.size())
        objects.textures.erase(objects.textures.begin() + index);
    return RechooseResult::Merged;
}

}  // namespace modeller::settings
