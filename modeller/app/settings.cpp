#include "modeller/app/settings.h"

#include <limits>

#include "platform/settings_float.h"
#include "platform/shell.h"

namespace modeller {

namespace {

// Values outside a setting's range (a damaged or hand-edited file) read as the fallback.
int32_t GetIntIn(shell::SettingsStore& s, const char* section, const char* name, int32_t fallback,
                 int32_t lo, int32_t hi) {
    const auto v = s.ReadInt(section, name);
    return v && *v >= lo && *v <= hi ? *v : fallback;
}

float GetFloatIn(shell::SettingsStore& s, const char* section, const char* name, float fallback,
                 float lo = -std::numeric_limits<float>::max(),
                 float hi = std::numeric_limits<float>::max()) {
    const auto v = shell::ReadFloat(s, section, name);  // NaN and infinities are missing
    return v && *v >= lo && *v <= hi ? *v : fallback;
}

void ReadVec(shell::SettingsStore& s, const char* section, const char* const names[3], Vec3& v) {
    for (int i = 0; i < 3; ++i) v[i] = GetFloatIn(s, section, names[i], v[i]);
}

void WriteVec(shell::SettingsStore& s, const char* section, const char* const names[3],
              const Vec3& v) {
    for (int i = 0; i < 3; ++i) shell::WriteFloat(s, section, names[i], v[i]);
}

// The option dialog raises a smaller render size to this; the layout relies on it.
constexpr int32_t kMinRenderSize = 200;
constexpr float kMaxSpeed = 100000000.0f;  // the camera dialog's limit

constexpr const char* kPosition[3] = {"ItiX", "ItiY", "ItiZ"};
constexpr const char* kZAxis[3] = {"ZX", "ZY", "ZZ"};
constexpr const char* kYAxis[3] = {"YX", "YY", "YZ"};
constexpr const char* kLookAt[3] = {"LookItiX", "LookItiY", "LookItiZ"};
constexpr const char* kAmbient[3] = {"AR", "AG", "AB"};
constexpr const char* kDirectional[3] = {"DR", "DG", "DB"};
constexpr const char* kDirection[3] = {"DDX", "DDY", "DDZ"};

}  // namespace

void LoadSettings(shell::SettingsStore& s, ModellerSettings& st) {
    constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();
    if (s.GetInt("Device", "Invalid", 0) == 0) {
        const DeviceSettings d;
        st.device.type = GetIntIn(s, "Device", "Type", d.type, 0, 2);
        st.device.width = GetIntIn(s, "Device", "Width", d.width, kMinRenderSize, kMaxInt);
        st.device.height = GetIntIn(s, "Device", "Height", d.height, kMinRenderSize, kMaxInt);
    }
    s.WriteInt("Device", "Invalid", 1);
    st.jpegQuality = GetIntIn(s, "", "JQuality", st.jpegQuality, 1, 100);

    st.saveCamera = s.GetInt("Camera", "Load", 0) != 0;
    if (st.saveCamera) {
        CameraSettings& c = st.camera;
        c.speed = GetFloatIn(s, "Camera", "Speed", c.speed, 0.0f, kMaxSpeed);
        c.look = GetIntIn(s, "Camera", "Look", c.look, 0, 1);
        c.reverse = GetIntIn(s, "Camera", "Reverse", c.reverse, 0, 1);
        ReadVec(s, "Camera", kPosition, c.position);
        ReadVec(s, "Camera", kZAxis, c.zAxis);
        ReadVec(s, "Camera", kYAxis, c.yAxis);
        ReadVec(s, "Camera", kLookAt, c.lookAt);
    }
    st.saveAxis = s.GetInt("Jiku", "Load", 0) != 0;
    if (st.saveAxis) st.axisSize = GetFloatIn(s, "Jiku", "Haba", st.axisSize);
    st.saveColor = s.GetInt("Color", "Load", 0) != 0;
    if (st.saveColor) {
        // Every 32-bit pattern is a colour.
        st.pointColor = static_cast<uint32_t>(
            s.GetInt("Color", "TenColor", static_cast<int32_t>(st.pointColor)));
        st.backgroundColor = static_cast<uint32_t>(
            s.GetInt("Color", "BackColor", static_cast<int32_t>(st.backgroundColor)));
    }
    st.saveLight = s.GetInt("Light", "Load", 0) != 0;
    if (st.saveLight) {
        ReadVec(s, "Light", kAmbient, st.light.ambient);
        ReadVec(s, "Light", kDirectional, st.light.directional);
        ReadVec(s, "Light", kDirection, st.light.direction);
    }
    st.xFormat = s.GetInt("", "XFormat", 0);  // any non-zero value means binary
    st.pictureDirectory = s.GetString("Directory", "Picture", st.pictureDirectory);
    st.textureDirectory = s.GetString("Directory", "Texture", st.textureDirectory);
    st.fileDirectory = s.GetString("Directory", "File", st.fileDirectory);
}

void SaveSettings(shell::SettingsStore& s, const ModellerSettings& st) {
    s.WriteInt("Device", "Type", st.device.type);
    s.WriteInt("Device", "Width", st.device.width);
    s.WriteInt("Device", "Height", st.device.height);
    s.WriteInt("", "JQuality", st.jpegQuality);

    s.WriteInt("Camera", "Load", st.saveCamera ? 1 : 0);
    if (st.saveCamera) {
        const CameraSettings& c = st.camera;
        shell::WriteFloat(s, "Camera", "Speed", c.speed);
        s.WriteInt("Camera", "Look", c.look);
        s.WriteInt("Camera", "Reverse", c.reverse);
        WriteVec(s, "Camera", kPosition, c.position);
        WriteVec(s, "Camera", kZAxis, c.zAxis);
        WriteVec(s, "Camera", kYAxis, c.yAxis);
        WriteVec(s, "Camera", kLookAt, c.lookAt);
    }
    s.WriteInt("Jiku", "Load", st.saveAxis ? 1 : 0);
    if (st.saveAxis) shell::WriteFloat(s, "Jiku", "Haba", st.axisSize);
    s.WriteInt("Color", "Load", st.saveColor ? 1 : 0);
    if (st.saveColor) {
        s.WriteInt("Color", "TenColor", static_cast<int32_t>(st.pointColor));
        s.WriteInt("Color", "BackColor", static_cast<int32_t>(st.backgroundColor));
    }
    s.WriteInt("Light", "Load", st.saveLight ? 1 : 0);
    if (st.saveLight) {
        WriteVec(s, "Light", kAmbient, st.light.ambient);
        WriteVec(s, "Light", kDirectional, st.light.directional);
        WriteVec(s, "Light", kDirection, st.light.direction);
    }
    s.WriteInt("", "XFormat", st.xFormat);
    s.WriteString("Directory", "Picture", st.pictureDirectory);
    s.WriteString("Directory", "Texture", st.textureDirectory);
    s.WriteString("Directory", "File", st.fileDirectory);
    s.WriteInt("Device", "Invalid", 0);
}

}  // namespace modeller
