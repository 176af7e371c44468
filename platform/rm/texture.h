// Textures: an ARGB32 image, optionally with a decal colour key.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace rm {

class Texture;
using TexturePtr = std::shared_ptr<Texture>;

class Texture {
public:
    // Rows top to bottom, `width` pixels each. Empty handle when the sizes do not match.
    static TexturePtr Create(int width, int height, std::vector<uint32_t> argb);

    // The file name it came from, which X files write as its TextureFilename.
    void SetName(std::string name) { name_ = std::move(name); }
    const std::string& Name() const { return name_; }

    bool SetDecalTransparency(bool on);
    // 0x00RRGGBB; texels are compared with it ignoring their alpha.
    bool SetDecalTransparentColor(uint32_t rgb);

    bool DecalTransparency() const { return transparent_; }
    uint32_t DecalTransparentColor() const { return key_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<uint32_t>& Pixels() const { return pixels_; }

private:
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;
    bool transparent_ = false;
    uint32_t key_ = 0;
    std::string name_;
};

}  // namespace rm
