#include "studio/app/studio_settings.h"

#include <limits>

#include "platform/settings_float.h"
#include "platform/shell.h"

namespace studio {

namespace {

int32_t GetIntIn(shell::SettingsStore& s, const char* section, const char* name, int32_t fallback,
                 int32_t lo, int32_t hi) {
    const auto v = s.ReadInt(section, name);
    return v && *v >= lo && *v <= hi ? *v : fallback;
}

float GetFloatIn(shell::SettingsStore& s, const char* section, const char* name, float fallback,
                 float lo, float hi) {
    const auto v = shell::ReadFloat(s, section, name);  // NaN and infinities are missing
    return v && *v >= lo && *v <= hi ? *v : fallback;
}

// The option dialog raises a smaller render size to this; a larger one would cost memory
// for nothing, as no screen shows it.
constexpr int32_t kMinRenderSize = 200;
constexpr int32_t kMaxRenderSize = 8192;
constexpr float kMaxSpeed = 100000000.0f;

}  // namespace

void LoadStudioSettings(shell::SettingsStore& s, StudioSettings& st) {
    if (s.GetInt("Device", "Invalid", 0) == 0) {
        const StudioSettings d;
        st.deviceType = GetIntIn(s, "Device", "Type", d.deviceType, 0, 2);
        st.deviceWidth =
            GetIntIn(s, "Device", "Width", d.deviceWidth, kMinRenderSize, kMaxRenderSize);
        st.deviceHeight =
            GetIntIn(s, "Device", "Height", d.deviceHeight, kMinRenderSize, kMaxRenderSize);
    }
    s.WriteInt("Device", "Invalid", 1);
    st.jpegQuality = GetIntIn(s, "", "JQuality", st.jpegQuality, 1, 100);
    st.saveCamera = s.GetInt("Camera", "Load", 0) != 0;
    if (st.saveCamera) {
        st.cameraSpeed = GetFloatIn(s, "Camera", "Speed", st.cameraSpeed, 0.0f, kMaxSpeed);
        st.cameraLook = GetIntIn(s, "Camera", "Look", st.cameraLook, 0, 1);
        st.cameraReverse = GetIntIn(s, "Camera", "Reverse", st.cameraReverse, 0, 1);
    }
    st.saveAxis = s.GetInt("Jiku", "Load", 0) != 0;
    if (st.saveAxis)
        st.axisSize =
            GetFloatIn(s, "Jiku", "Haba", st.axisSize, 0.0f, std::numeric_limits<float>::max());
    st.xFormat = s.GetInt("", "XFormat", 0);
    st.pictureDirectory = s.GetString("Directory", "Picture", st.pictureDirectory);
    st.textureDirectory = s.GetString("Directory", "Texture", st.textureDirectory);
    st.fileDirectory = s.GetString("Directory", "File", st.fileDirectory);
}

void SaveStudioSettings(shell::SettingsStore& s, const StudioSettings& st) {
    const StudioSettings d;
    s.WriteInt("Device", "Type", st.deviceFailed ? d.deviceType : st.deviceType);
    s.WriteInt("Device", "Width", st.deviceFailed ? d.deviceWidth : st.deviceWidth);
    s.WriteInt("Device", "Height", st.deviceFailed ? d.deviceHeight : st.deviceHeight);
    s.WriteInt("", "JQuality", st.jpegQuality);
    s.WriteInt("Camera", "Load", st.saveCamera ? 1 : 0);
    if (st.saveCamera) {
        shell::WriteFloat(s, "Camera", "Speed", st.cameraSpeed);
        s.WriteInt("Camera", "Look", st.cameraLook);
        s.WriteInt("Camera", "Reverse", st.cameraReverse);
    }
    s.WriteInt("Jiku", "Load", st.saveAxis ? 1 : 0);
    if (st.saveAxis) shell::WriteFloat(s, "Jiku", "Haba", st.axisSize);
    s.WriteInt("", "XFormat", st.xFormat);
    s.WriteString("Directory", "Picture", st.pictureDirectory);
    s.WriteString("Directory", "Texture", st.textureDirectory);
    s.WriteString("Directory", "File", st.fileDirectory);
    s.WriteInt("Device", "Invalid", 0);
}

}  // namespace studio
