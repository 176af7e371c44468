// A parts file (.ktb) as the studio inserts it: after the items already in the scene, so
// joint positions are re-based, and without the environment.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "studio/scene/scene_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    studio::CSceneDoc doc;
    std::vector<studio::PendingItem> existing(2);
    existing[0].item.kind = studio::kFolder;
    existing[0].item.name = "set";
    existing[1].item.kind = studio::kPointLight;
    existing[1].item.depth = 1;
    doc.AppendItems(existing, {{0, 0, 1, 0, {}}}, "/nonexistent.d", "");
    studio::LoadSceneBytes(doc, std::string_view(reinterpret_cast<const char*>(data), size),
                           "/nonexistent.d/fuzz.ktb", false);
    return 0;
}
