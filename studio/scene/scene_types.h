// The studio's document records: the tree items (objects, lights, folders) with their render
// objects, the joints that link them and the scene environment.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/rm/rm.h"

namespace studio {

// Item kinds: lights 0 to 3 in the light dialog's order, then folder and object; 7 is an
// object whose model file was not found (kept with its path, drawn as nothing).
enum ItemKind : uint8_t {
    kAmbientLight = 0,
    kDirectionalLight = 1,
    kPointLight = 2,
    kSpotLight = 3,
    kFolder = 4,
    kObject = 5,
    kMissingObject = 7,
};

inline bool IsLightKind(uint8_t kind) {
    return kind <= kSpotLight;
}
inline bool IsObjectKind(uint8_t kind) {
    return kind == kObject || kind == kMissingObject;
}

// A frame's place relative to the scene: position, forward (z) and up (y).
struct Placement {
    rm::Vector3 position{0, 0, 0};
    rm::Vector3 direction{0, 0, 1};
    rm::Vector3 up{0, 1, 0};
};

// A light item's own values; angles in radians.
struct LightValues {
    uint32_t color = 0xFFFFFFFF;
    float range = 100.0f;
    float umbra = 0.4f, penumbra = 0.5f;
    float constant = 1.0f, linear = 0.0f, quadratic = 0.0f;
};

// Object display modes of the object dialog; any other value hides the object but keeps it
// pickable.
enum ObjectDisplay : int32_t {
    kShowSquare = 0,
    kShowRound = 1,
    kShowUnshaded = 2,
    kShowLines = 3,
    kShowPoints = 4,
    kShowHidden = 5,
};

struct SceneItem {
    uint8_t kind = kAmbientLight;
    rm::FramePtr frame;         // objects and lights, under the scene root
    rm::MeshBuilderPtr visual;  // an object's mesh; objects of one file may share it
    rm::LightPtr light;
    std::string name;  // CP932
    std::string path;  // CP932; full once resolved, as stored while missing
    int32_t depth = 0;
    std::array<float, 3> scale{1, 1, 1};
    int32_t displayMode = kShowSquare;
    uint8_t flipX = 0, flipY = 0, flipZ = 0;
    int32_t axisLock = 0;
    int32_t positionLock = 0;
    LightValues lightValues;
    // The slider that restricts mouse moves: 0 none, 1 along the vector, 2 in the plane whose
    // normal it is; the vector is kept in the item's own axes (0) or the scene's (1).
    int32_t sliderKind = 0;
    int32_t sliderAxes = 0;
    rm::Vector3 sliderVector{0, 0, 0};
    rm::Vector3 offset{0, 0, 0};  // free for the view's bookkeeping
    // Stable across moves in the list; joints name items by it.
    int64_t id = 0;
};

inline constexpr int64_t kNoItem = 0;

struct SceneJoint {
    int64_t owner = kNoItem;
    int64_t partner = kNoItem;
    // The marker frame under the owner's frame; its place is the joint's point and axis.
    rm::FramePtr frame;
    int32_t type = 0;    // 0 not linked, 1 free rotation, 2 axis rotation, 3 no rotation
    int32_t target = 0;  // which side turns: 0 owner, 1 partner
    // The place as read or last known, for joints whose owner has no frame.
    Placement placement;
};

struct SceneEnvironment {
    int32_t screenWidth = 400, screenHeight = 400;
    int32_t fitToView = 0;
    int32_t freeSize = 0;
    uint32_t backgroundColor = 0;
    std::string backgroundImagePath;  // CP932
    int32_t regionLeft = 0, regionTop = 0, regionRight = 400, regionBottom = 400;
    int32_t keepAspect = 1;
    int32_t imageMode = 1;  // 0 region, 1 whole picture, 2 centred at its own size
    int32_t hasImage = 0;
    int32_t cameraLook = 0;     // the camera looks at the look-at frame
    float cameraValue = -1.0f;  // the gaze distance; below 0 until the first frame takes one
    float cameraSpeed = 1.0f;
    int32_t fogOwnColor = 0;  // else the fog takes the background colour
    int32_t fogEnabled = 0;
    uint32_t fogColor = 0;
    float fogStart = 1.0f, fogEnd = 100.0f;
};

}  // namespace studio
