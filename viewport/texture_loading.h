// Texture images and the wrap, made from the model's records.
#pragma once

#include <string>

#include "model/mesh_model.h"
#include "platform/rm/rm.h"
#include "viewport/model_render_objects.h"

namespace shell {
class Prompt;
}

namespace viewport {

// An engine texture from an image file (JPEG by extension, else BMP or PPM); the JPEG
// reader's message is shown through prompt on failure.
rm::TexturePtr LoadTextureFile(const std::string& nativePath, shell::Prompt* prompt);

// (Re)loads the texture of entry `index`, or of every entry when index is out of range.
// False when a load failed; that entry then has no texture.
bool LoadTextureEntry(const model::MeshModel& model, ModelRenderObjects& objects, int index,
                      shell::Prompt* prompt);

// The wrap object from the model's wrap settings, relative to `reference` (the model
// frame). The entered scales are magnifications: the engine takes 1/u and -1/v.
bool CreateWrapObject(const model::WrapSettings& wrap, const rm::FramePtr& reference,
                      ModelRenderObjects& objects);

}  // namespace viewport
