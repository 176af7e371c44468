#include "studio/app/environment_edit.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "model/vector_text.h"
#include "platform/text/cp932.h"
#include "studio/scene/vector_fields.h"

namespace studio {

namespace {

std::optional<int> ParseInt(const std::string& text) {
    const char* first = text.data();
    const char* last = first + text.size();
    while (first < last && *first == ' ') ++first;
    while (last > first && last[-1] == ' ') --last;
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

// Comma-separated numbers, each whole and finite: a typing slip is refused, not read as 0.
std::optional<std::vector<float>> ParseNumbers(std::string_view text) {
    std::vector<float> out;
    size_t begin = 0;
    while (true) {
        const size_t comma = std::min(text.find(',', begin), text.size());
        std::string_view part = text.substr(begin, comma - begin);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        if (!part.empty() && part.front() == '+') part.remove_prefix(1);
        float value = 0;
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (part.empty() || ec != std::errc() || end != part.data() + part.size() ||
            !std::isfinite(value))
            return std::nullopt;
        out.push_back(value);
        if (comma == text.size()) return out;
        begin = comma + 1;
    }
}

std::optional<float> ParseFloat(const std::string& text) {
    const auto v = ParseNumbers(text);
    if (!v || v->size() != 1) return std::nullopt;
    return v->front();
}

std::string Int(int v) {
    return std::to_string(v);
}

constexpr float kDegree = std::numbers::pi_v<float> / 180.0f;

}  // namespace

std::string FormatColor(uint32_t argb) {
    return model::FormatVector(static_cast<float>((argb >> 16) & 0xFF) / 255.0f,
                               static_cast<float>((argb >> 8) & 0xFF) / 255.0f,
                               static_cast<float>(argb & 0xFF) / 255.0f);
}

std::optional<uint32_t> ParseColor(const std::string& text) {
    const auto v = ParseNumbers(text);
    if (!v || v->size() != 3) return std::nullopt;
    uint32_t argb = 0xFF000000u;
    for (size_t i = 0; i < 3; ++i) {
        const float c = (*v)[i];
        if (!(c >= 0.0f && c <= 1.0f)) return std::nullopt;
        argb |= static_cast<uint32_t>(std::lround(c * 255.0f)) << (16 - 8 * i);
    }
    return argb;
}

ScreenFields ReadScreenFields(const SceneEnvironment& env) {
    ScreenFields f;
    f.width = Int(env.screenWidth);
    f.height = Int(env.screenHeight);
    f.freeSize = env.freeSize != 0;
    f.fitToView = env.fitToView != 0;
    f.background = FormatColor(env.backgroundColor);
    f.hasImage = env.hasImage != 0;
    f.imagePath = text::Cp932ToUtf8(env.backgroundImagePath);
    f.keepAspect = env.keepAspect != 0;
    f.imageMode = env.imageMode;
    f.left = Int(env.regionLeft);
    f.top = Int(env.regionTop);
    f.right = Int(env.regionRight);
    f.bottom = Int(env.regionBottom);
    return f;
}

std::string CheckScreenFields(const ScreenFields& f, ScreenEdit& edit) {
    const auto width = ParseInt(f.width), height = ParseInt(f.height);
    if (!width || !height) return std::string(kMsgNeedInteger);
    const auto background = ParseColor(f.background);
    if (!background) return std::string(kMsgColorRange);
    const auto left = ParseInt(f.left), top = ParseInt(f.top), right = ParseInt(f.right),
               bottom = ParseInt(f.bottom);
    if (!left || !top || !right || !bottom) return std::string(kMsgNeedInteger);
    edit.width = *width;
    edit.height = *height;
    edit.freeSize = f.freeSize;
    edit.fitToView = f.fitToView;
    edit.background = *background;
    // An image chosen without a path is no image.
    edit.hasImage = f.hasImage && !f.imagePath.empty();
    edit.imagePath = edit.hasImage ? f.imagePath : std::string();
    edit.keepAspect = f.keepAspect;
    edit.imageMode = std::clamp(f.imageMode, 0, 2);
    edit.left = *left;
    edit.top = *top;
    edit.right = *right;
    edit.bottom = *bottom;
    return {};
}

void ApplyScreenSettings(CSceneDoc& doc, const ScreenEdit& edit, int targetWidth,
                         int targetHeight) {
    SceneEnvironment& env = doc.environment;
    env.screenWidth = std::clamp(edit.width, 1, std::max(targetWidth, 1));
    env.screenHeight = std::clamp(edit.height, 1, std::max(targetHeight, 1));
    env.freeSize = edit.freeSize ? 1 : 0;
    env.fitToView = edit.fitToView ? 1 : 0;
    env.backgroundColor = edit.background;
    env.imageMode = edit.imageMode;
    env.regionLeft = edit.left;
    env.regionTop = edit.top;
    env.regionRight = edit.right;
    env.regionBottom = edit.bottom;
    env.keepAspect = edit.keepAspect ? 1 : 0;
    // The renderer loads the image when the path it last drew changes.
    env.hasImage = edit.hasImage ? 1 : 0;
    env.backgroundImagePath = edit.hasImage ? text::Utf8ToCp932(edit.imagePath) : std::string();
    doc.ApplyEnvironment();
}

FogFields ReadFogFields(const SceneEnvironment& env) {
    FogFields f;
    f.enabled = env.fogEnabled != 0;
    f.ownColor = env.fogOwnColor != 0;
    f.color = FormatColor(env.fogOwnColor != 0 ? env.fogColor : env.backgroundColor);
    f.start = model::FormatNumber(env.fogStart);
    f.end = model::FormatNumber(env.fogEnd);
    return f;
}

std::string CheckFogFields(const FogFields& f, FogEdit& edit) {
    const auto start = ParseFloat(f.start), end = ParseFloat(f.end);
    if (!start || !end) return std::string(kMsgNeedNumber);
    std::optional<uint32_t> color = 0u;
    if (f.ownColor) {
        color = ParseColor(f.color);
        if (!color) return std::string(kMsgColorRange);
    }
    edit.enabled = f.enabled;
    edit.ownColor = f.ownColor;
    edit.color = *color;
    edit.start = *start;
    edit.end = *end;
    return {};
}

void ApplyFog(CSceneDoc& doc, const FogEdit& edit) {
    SceneEnvironment& env = doc.environment;
    env.fogEnabled = edit.enabled ? 1 : 0;
    env.fogOwnColor = edit.ownColor ? 1 : 0;
    // The own colour is kept while the fog follows the background, for the next time.
    if (edit.ownColor) env.fogColor = edit.color;
    env.fogStart = edit.start;
    env.fogEnd = edit.end;
    doc.ApplyEnvironment();
}

std::string_view LightKindLabel(int kind) {
    switch (kind) {
        case kAmbientLight:
            return "環境ライト";
        case kPointLight:
            return "ポイントライト";
        case kSpotLight:
            return "スポットライト";
        default:
            return "ディレクショナルライト";
    }
}

std::string CheckLightFields(const LightFields& f, LightEdit& edit) {
    const auto color = ParseColor(f.color);
    if (!color) return std::string(kMsgColorRange);
    const auto range = ParseFloat(f.range), umbra = ParseFloat(f.umbra),
               penumbra = ParseFloat(f.penumbra), constant = ParseFloat(f.constant),
               linear = ParseFloat(f.linear), quadratic = ParseFloat(f.quadratic);
    if (!range || !umbra || !penumbra || !constant || !linear || !quadratic)
        return std::string(kMsgNeedNumber);
    const auto position = ParseFiniteVector(f.position), direction = ParseFiniteVector(f.direction);
    if (!position || !direction) return std::string(kMsgNeedNumber);
    // A direction of length zero cannot orient the light.
    if (rm::Length(*direction) == 0.0f) return std::string(kMsgNeedNumber);
    edit.kind = std::clamp(f.kind, 0, static_cast<int>(kSpotLight));
    edit.name = f.name.empty() ? std::string(LightKindLabel(edit.kind)) : f.name;
    edit.values.color = *color;
    edit.values.range = *range;
    edit.values.umbra = *umbra * kDegree;
    edit.values.penumbra = *penumbra * kDegree;
    edit.values.constant = *constant;
    edit.values.linear = *linear;
    edit.values.quadratic = *quadratic;
    edit.placement.position = *position;
    edit.placement.direction = *direction;
    // Straight up or down has no orientation with up (0, 1, 0): the z axis stands in.
    const rm::Vector3 d = *direction;
    edit.placement.up = (d.x == 0.0f && d.z == 0.0f) ? rm::Vector3{0, 0, 1} : rm::Vector3{0, 1, 0};
    edit.fixed = f.fixed;
    return {};
}

namespace {

// An ambient light has no place; a directional one has a direction only.
Placement LightPlacement(const LightEdit& edit) {
    Placement placement = edit.placement;
    if (edit.kind == kAmbientLight) placement = {};
    if (edit.kind == kDirectionalLight) placement.position = {0, 0, 0};
    return placement;
}

}  // namespace

size_t CreateLightItem(CSceneDoc& doc, const LightEdit& edit) {
    doc.AppendLight(static_cast<uint8_t>(edit.kind), text::Utf8ToCp932(edit.name), edit.values,
                    LightPlacement(edit));
    const size_t index = doc.Items().size() - 1;
    doc.Items()[index].positionLock = edit.fixed ? 1 : 0;
    return index;
}

LightFields ReadLightFields(const CSceneDoc& doc, size_t index) {
    LightFields f;
    if (index >= doc.Items().size()) return f;
    const SceneItem& item = doc.Items()[index];
    const LightValues& v = item.lightValues;
    const Placement p = doc.PlacementOf(item);
    f.kind = item.kind;
    f.name = text::Cp932ToUtf8(item.name);
    f.color = FormatColor(v.color);
    f.range = model::FormatNumber(v.range);
    // In double, so the degrees typed come back as typed (30, not 30.000002).
    const auto degrees = [](float radians) {
        return model::FormatNumber(static_cast<float>(radians * 180.0 / std::numbers::pi));
    };
    f.umbra = degrees(v.umbra);
    f.penumbra = degrees(v.penumbra);
    f.position = FormatVector(p.position);
    f.direction = FormatVector(p.direction);
    f.constant = model::FormatNumber(v.constant);
    f.linear = model::FormatNumber(v.linear);
    f.quadratic = model::FormatNumber(v.quadratic);
    f.fixed = item.positionLock != 0;
    return f;
}

void ApplyLightEdit(CSceneDoc& doc, size_t index, const LightEdit& edit) {
    if (index >= doc.Items().size() || !IsLightKind(doc.Items()[index].kind)) return;
    doc.ReplaceLight(index, static_cast<uint8_t>(edit.kind), text::Utf8ToCp932(edit.name),
                     edit.values, LightPlacement(edit));
    doc.Items()[index].positionLock = edit.fixed ? 1 : 0;
}

AxisFields ReadAxisFields(const viewport::AxisStyle& style) {
    return {style.showAxis, style.showLetters, model::FormatNumber(style.axisSize)};
}

std::string CheckAxisFields(const AxisFields& f, viewport::AxisStyle& style) {
    const auto size = ParseFloat(f.size);
    if (!size) return std::string(kMsgNeedNumber);
    style.axisSize = *size;
    style.letterSize = *size * 0.125f;
    style.showAxis = f.showAxis;
    style.showLetters = f.showLetters;
    return {};
}

CameraFields ReadCameraFields(const CSceneDoc& doc, bool reverse) {
    CameraFields f;
    const Placement p = doc.CameraPlacement();
    f.position = FormatVector(p.position);
    f.direction = FormatVector(p.direction);
    f.up = FormatVector(p.up);
    const rm::Vector3 point = doc.LookAtFrame()->Position(doc.Root());
    f.point = FormatVector(point);
    f.gaze = doc.environment.cameraLook != 0;
    f.reverse = reverse;
    f.speed = model::FormatNumber(doc.environment.cameraSpeed);
    return f;
}

std::string CheckCameraFields(const CameraFields& f, CameraEdit& edit) {
    const auto speed = ParseFloat(f.speed);
    if (!speed || *speed < 0.0f || *speed > kMaxCameraSpeed) return std::string(kMsgSpeedRange);
    edit.fields = f;
    edit.speed = *speed;
    return {};
}

void ApplyCamera(CSceneDoc& doc, const CameraEdit& edit, bool& reverse) {
    const CameraFields& f = edit.fields;
    Placement p = doc.CameraPlacement();
    if (const auto position = ParseFiniteVector(f.position)) p.position = *position;
    SceneEnvironment& env = doc.environment;
    env.cameraSpeed = edit.speed;
    env.cameraLook = f.gaze ? 1 : 0;
    reverse = f.reverse;
    if (f.gaze) {
        rm::Vector3 point = doc.LookAtFrame()->Position(doc.Root());
        if (const auto read = ParseFiniteVector(f.point)) point = *read;
        doc.LookAtFrame()->SetPosition(doc.Root(), point);
        const rm::Vector3 toPoint = point - p.position;
        const float distance = rm::Length(toPoint);
        env.cameraValue = distance;
        if (distance > 0.0f) {
            p.direction = toPoint;
            // Looking straight up or down keeps the up the camera had.
            if (toPoint.x != 0.0f || toPoint.z != 0.0f) p.up = {0, 1, 0};
        }
    } else if (const auto direction = ParseFiniteVector(f.direction);
               direction && rm::Length(*direction) > 0.0f) {
        p.direction = *direction;
        const auto up = ParseFiniteVector(f.up);
        if (up && rm::Length(*up) > 0.0f) {
            p.up = *up;
        } else {
            const rm::Vector3 d = *direction * (1.0f / rm::Length(*direction));
            p.up = {d.x, 1.0f, d.z};
        }
    }
    doc.SetCameraPlacement(p);
}

OptionFields ReadOptionFields(const StudioSettings& st) {
    OptionFields f;
    f.width = Int(st.deviceWidth);
    f.height = Int(st.deviceHeight);
    f.device = std::clamp(st.deviceType, 0, 2);
    f.jpegQuality = Int(st.jpegQuality);
    f.xFormat = st.xFormat != 0 ? 1 : 0;
    return f;
}

std::string CheckOptionFields(const OptionFields& f, StudioSettings& st) {
    const auto width = ParseInt(f.width), height = ParseInt(f.height);
    if (!width || !height || *width < 0 || *height < 0) return std::string(kMsgNeedUnsigned);
    const auto quality = ParseInt(f.jpegQuality);
    if (!quality || *quality < 1 || *quality > 100) return std::string(kMsgQualityRange);
    // Above the settings file's own limit the next start would fall back to the defaults.
    constexpr int kMaxDeviceSize = 8192;
    StudioSettings checked = st;
    checked.deviceWidth = std::clamp(*width, kMinDeviceSize, kMaxDeviceSize);
    checked.deviceHeight = std::clamp(*height, kMinDeviceSize, kMaxDeviceSize);
    checked.deviceType = std::clamp(f.device, 0, 2);
    checked.jpegQuality = *quality;
    checked.xFormat = f.xFormat != 0 ? 1 : 0;
    st = checked;
    return {};
}

}  // namespace studio
