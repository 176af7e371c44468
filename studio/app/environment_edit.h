// The 3D screen, fog and light dialogs' values without the dialogs: fields as text from the
// scene, their checks, and the accepted values put on the scene.
#pragma once

#include <optional>
#include <string>

#include "studio/app/studio_settings.h"
#include "studio/scene/scene_doc.h"
#include "viewport/axis_gizmo.h"

namespace studio {

inline constexpr std::string_view kMsgNeedInteger = "整数を入力してください。";
inline constexpr std::string_view kMsgNeedNumber = "数字を入力してください。";
inline constexpr std::string_view kMsgColorRange = "色は 0 から 1 の数字を 3 つ入力してください。";

// Colours are typed as "r, g, b", each 0 to 1 (no colour chooser in the studio yet).
std::string FormatColor(uint32_t argb);
// Three numbers 0 to 1 as an opaque colour, or nothing.
std::optional<uint32_t> ParseColor(const std::string& text);

// --- 3D screen ("３Ｄ画面")
struct ScreenFields {
    std::string width = "400", height = "400";
    bool freeSize = false, fitToView = false;
    std::string background = "0, 0, 0";
    bool hasImage = false;
    std::string imagePath;  // UTF-8
    bool keepAspect = true;
    int imageMode = 1;
    std::string left = "0", top = "0", right = "400", bottom = "400";
};
struct ScreenEdit {
    int width = 400, height = 400;
    bool freeSize = false, fitToView = false;
    uint32_t background = 0;
    bool hasImage = false;
    std::string imagePath;  // UTF-8
    bool keepAspect = true;
    int imageMode = 1;
    int left = 0, top = 0, right = 400, bottom = 400;
};
ScreenFields ReadScreenFields(const SceneEnvironment& env);
// The message of the first field that fails, or empty with `edit` filled.
std::string CheckScreenFields(const ScreenFields& fields, ScreenEdit& edit);
// `ApplyScreenSettings`: the values on the environment, the size limited to the render
// target (and at least one pixel), the background and a fog that follows it on the root.
void ApplyScreenSettings(CSceneDoc& doc, const ScreenEdit& edit, int targetWidth, int targetHeight);

// --- fog ("フォグ")
struct FogFields {
    bool enabled = false;
    bool ownColor = false;
    std::string color = "0, 0, 0";
    std::string start = "1", end = "100";
};
struct FogEdit {
    bool enabled = false, ownColor = false;
    uint32_t color = 0;
    float start = 1.0f, end = 100.0f;
};
FogFields ReadFogFields(const SceneEnvironment& env);
std::string CheckFogFields(const FogFields& fields, FogEdit& edit);
// `ApplyFog`: the fog on or off, its colour (the background's while it follows it), start and
// end.
void ApplyFog(CSceneDoc& doc, const FogEdit& edit);

// --- light ("ライト")
struct LightFields {
    int kind = kDirectionalLight;
    std::string name;  // UTF-8
    std::string color = "1, 1, 1";
    std::string range = "100";
    std::string umbra = "30", penumbra = "60";  // degrees
    std::string position = "0, 0, 0", direction = "0, 0, 1";
    std::string constant = "1", linear = "0", quadratic = "0";
    bool fixed = false;
};
struct LightEdit {
    int kind = kDirectionalLight;
    std::string name;  // UTF-8; never empty once checked
    LightValues values;
    Placement placement;
    bool fixed = false;
};
// The labels of the kind buttons, also the name of a light left unnamed.
std::string_view LightKindLabel(int kind);
std::string CheckLightFields(const LightFields& fields, LightEdit& edit);
// `CreateLightItem`: a new light item at the end of the tree; its index.
size_t CreateLightItem(CSceneDoc& doc, const LightEdit& edit);
// The dialog's fields for an existing light item: its values, angles in degrees, its place.
LightFields ReadLightFields(const CSceneDoc& doc, size_t index);
// OK on an existing light: the item takes the edit in place (its row keeps its position).
void ApplyLightEdit(CSceneDoc& doc, size_t index, const LightEdit& edit);

// --- axis ("軸")
struct AxisFields {
    bool showAxis = true;     // 軸を表示する
    bool showLetters = true;  // 文字を表示する
    std::string size = "1";   // 軸の大きさ
};
AxisFields ReadAxisFields(const viewport::AxisStyle& style);
// The style of valid fields; the letters are an eighth of the axis.
std::string CheckAxisFields(const AxisFields& fields, viewport::AxisStyle& style);

// --- camera ("カメラ")
inline constexpr float kMaxCameraSpeed = 100000000.0f;
inline constexpr std::string_view kMsgSpeedRange = "0 から 100000000 の数字を入力してください。";
struct CameraFields {
    std::string position, direction, up;
    bool gaze = false;
    std::string point = "0, 0, 0";
    bool reverse = false;
    std::string speed = "1";
};
struct CameraEdit {
    CameraFields fields;  // the vectors are read on applying: an unreadable one is skipped
    float speed = 1.0f;
};
CameraFields ReadCameraFields(const CSceneDoc& doc, bool reverse);
// Only the speed can be refused.
std::string CheckCameraFields(const CameraFields& fields, CameraEdit& edit);
// The camera placed: a readable position is taken; with gaze on it turns to the point (a
// readable one, else the one it had) keeping the distance to it, else to the Z axis with
// the Y axis as up. The speed and gaze go to the scene; the reverse mode is returned in
// `reverse`.
void ApplyCamera(CSceneDoc& doc, const CameraEdit& edit, bool& reverse);

// --- option ("オプション"): device size, type and JPEG quality from the next start
inline constexpr std::string_view kMsgNeedUnsigned = "正の整数を入力してください。";
inline constexpr std::string_view kMsgQualityRange = "1 から 100 の整数を入力してください。";
inline constexpr int kMinDeviceSize = 200;
struct OptionFields {
    std::string width = "640", height = "480";
    int device = 1;  // 0 hardware, 1 MMX software, 2 RGB software
    std::string jpegQuality = "75";
    int xFormat = 0;  // 0 text, 1 binary
};
OptionFields ReadOptionFields(const StudioSettings& settings);
// "初期化": the built-in values.
inline OptionFields DefaultOptionFields() {
    return {};
}
// A size below 200 is raised to 200.
std::string CheckOptionFields(const OptionFields& fields, StudioSettings& settings);

}  // namespace studio
