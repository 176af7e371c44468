// Textures of the model: the image list, and which faces and vertices use them.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace model {

struct TextureEntry {
    std::string path;  // CP932; full after a load, stored relative in the file
    std::string name;  // the file's title; faces and the wrap refer to it
    int32_t transparent = 0;
    int32_t transparentColor = 0;  // 0x00RRGGBB
    friend bool operator==(const TextureEntry&, const TextureEntry&) = default;
};

using TextureList = std::vector<TextureEntry>;

struct TexCoord {
    float u = 0, v = 0;
    friend bool operator==(const TexCoord&, const TexCoord&) = default;
};

inline const std::string kTextureNone = "\x96\xb3\x82\xb5";  // 無し

struct TextureAssignment {
    // Ordered maps, so that a file saved twice is the same bytes.
    std::map<int32_t, TexCoord> uvMap;
    std::vector<std::string> textureNames{kTextureNone};
    std::map<int32_t, uint16_t> faceTextureMap;

    void Reset() {
        uvMap.clear();
        textureNames.assign(1, kTextureNone);
        faceTextureMap.clear();
    }
    // Index of the name in textureNames, appended when new; -1 when the 16-bit index space
    // is full.
    int32_t FindOrAddName(const std::string& name);
    friend bool operator==(const TextureAssignment&, const TextureAssignment&) = default;
};

// Index of the entry with this exact name, or -1.
int32_t FindTexture(const TextureList& list, const std::string& name);

}  // namespace model
