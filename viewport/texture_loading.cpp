#include "viewport/texture_loading.h"

#include "platform/image/image_loader.h"
#include "platform/shell.h"
#include "platform/text/cp932.h"

namespace viewport {

rm::TexturePtr LoadTextureFile(const std::string& nativePath, shell::Prompt* prompt) {
    image::ImageLoad load = image::LoadImageFile(nativePath);
    if (!load) {
        if (prompt && !load.message.empty()) prompt->Tell(load.message);
        return {};
    }
    rm::TexturePtr texture =
        rm::Texture::Create(load.image->width, load.image->height, std::move(load.image->argb));
    // X files name a texture by its file name, found again beside the file.
    if (texture) texture->SetName(nativePath.substr(nativePath.find_last_of("/\\") + 1));
    return texture;
}

bool LoadTextureEntry(const model::MeshModel& model, ModelRenderObjects& objects, int index,
                      shell::Prompt* prompt) {
    const size_t count = model.textures.size();
    objects.textures.resize(count);
    auto load = [&](size_t i) {
        const model::TextureEntry& entry = model.textures[i];
        objects.textures[i].reset();
        rm::TexturePtr texture = LoadTextureFile(text::Cp932ToUtf8(entry.path), prompt);
        if (!texture) return false;
        if (entry.transparent != 0) {
            texture->SetDecalTransparency(true);
            texture->SetDecalTransparentColor(static_cast<uint32_t>(entry.transparentColor) &
                                              0x00FFFFFF);
        }
        objects.textures[i] = std::move(texture);
        return true;
    };
    if (index >= 0 && static_cast<size_t>(index) < count) return load(static_cast<size_t>(index));
    bool all = true;
    for (size_t i = 0; i < count; ++i) all = load(i) && all;
    return all;
}

bool CreateWrapObject(const model::WrapSettings& w, const rm::FramePtr& reference,
                      ModelRenderObjects& objects) {
    objects.wrap.reset();
    // A magnification of 0 has no reciprocal; the engine then pins the coordinate.
    const float su = w.uScale != 0 ? 1.0f / w.uScale : 0.0f;
    const float sv = w.vScale != 0 ? -1.0f / w.vScale : 0.0f;
    objects.wrap = rm::Wrap::Create(static_cast<rm::WrapType>(w.wrapType), reference,
                                    {w.origin[0], w.origin[1], w.origin[2]},
                                    {w.direction[0], w.direction[1], w.direction[2]},
                                    {w.up[0], w.up[1], w.up[2]}, w.uOffset, w.vOffset, su, sv);
    return objects.wrap != nullptr;
}

}  // namespace viewport
