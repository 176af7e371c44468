// A scene file (.stg) as the studio opens it: items, joints and environment appended to an
// empty scene. Object models are looked for in a folder that does not exist.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "studio/scene/scene_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    studio::CSceneDoc doc;
    studio::LoadSceneBytes(doc, std::string_view(reinterpret_cast<const char*>(data), size),
                           "/nonexistent.d/fuzz.stg", true);
    return 0;
}
