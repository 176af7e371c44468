#include "model/texture_tables.h"

namespace model {

int32_t TextureAssignment::FindOrAddName(const std::string& name) {
    for (size_t i = 0; i < textureNames.size(); ++i)
        if (textureNames[i] == name) return static_cast<int32_t>(i);
    if (textureNames.size() > UINT16_MAX) return -1;
    textureNames.push_back(name);
    return static_cast<int32_t>(textureNames.size() - 1);
}

int32_t FindTexture(const TextureList& list, const std::string& name) {
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i].name == name) return static_cast<int32_t>(i);
    return -1;
}

}  // namespace model
