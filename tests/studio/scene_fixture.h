// Small scenes for the studio's tests: model files written with the model writer, scene
// files made through the document or byte by byte.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "studio/scene/scene_doc.h"

namespace studio_test {

// A cube of side `size` centred on the origin, its faces in `color`.
void WriteCubeModel(const std::string& path, float size = 1.0f, uint32_t color = 0xFFFFFFFF);

// The bytes of a scene file written by hand, field by field.
class SceneBytes {
public:
    SceneBytes& Line(const std::string& text) {
        bytes_ += text;
        bytes_ += "\r\n";
        return *this;
    }
    template <typename T>
    SceneBytes& Put(T value) {
        char raw[sizeof(T)];
        std::memcpy(raw, &value, sizeof(T));
        bytes_.append(raw, sizeof(T));
        return *this;
    }
    SceneBytes& Floats(std::initializer_list<float> values) {
        for (float f : values) Put(f);
        return *this;
    }
    const std::string& Bytes() const { return bytes_; }
    size_t Size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

struct HandScene {
    std::string bytes;
    size_t itemsEnd = 0;  // just after "ITEM_END\r\n"
    size_t fogEnd = 0;    // just after the fog end value
};

// Header, a folder with an object (model `modelPath` as stored) and a point light inside,
// a second object whose model is missing, one joint between the objects, and the
// environment with camera and fog (or the older form without them).
HandScene HandWrittenScene(const std::string& directory, const std::string& modelPath,
                           bool withCameraAndFog = true, int32_t itemCount = 4);

// The file's bytes without the line after "DIRECTORY".
std::string WithoutDirectory(const std::string& bytes);

// Items with default placements, for AppendItems.
studio::PendingItem Folder(const std::string& name, int32_t depth);
studio::PendingItem Object(const std::string& path, int32_t depth, rm::Vector3 position = {});
studio::PendingItem Light(uint8_t kind, int32_t depth, rm::Vector3 position = {});

}  // namespace studio_test
