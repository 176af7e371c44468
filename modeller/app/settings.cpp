#include "modeller/app/settings.h"

#include <bit>

#include "platform/shell.h"

namespace modeller {

namespace {

// Floats travel as the integer of their 32-bit pattern.
float ReadFloat(shell::SettingsStore& s, const char* section, const char* name, float fallback) {
    const auto bits = s.ReadInt(section, name);
    return bits ? std::bit_cast<float>(*bits) : fallback;
}

void WriteFloat(shell::SettingsStore& s, const char* section, const char* name, float value) {
    s.WriteInt(section, name, std::bit_cast<int32_t>(value));
}

void ReadVec(shell::SettingsStore& s, const char* section, const char* const names[3], Vec3& v) {
    for (int i = 0; i < 3; ++i) v[i] = ReadFloat(s, section, names[i], v[i]);
}

void WriteVec(shell::SettingsStore& s, const char* section, const char* const names[3],
              const Vec3& v) {
    for (int i = 0; i < 3; ++i) WriteFloat(s, section, names[i], v[i]);
}

constexpr const char* kPosition[3] = {"ItiX", "ItiY", "ItiZ"};
constexpr const char* kZAxis[3] = {"ZX", "ZY", "ZZ"};
constexpr const char* kYAxis[3] = {"YX", "YY", "YZ"};
constexpr const char* kLookAt[3] = {"LookItiX", "LookItiY", "LookItiZ"};
constexpr const char* kAmbient[3] = {"AR", "AG", "AB"};
constexpr const char* kDirectional[3] = {"DR", "DG", "DB"};
constexpr const char* kDirection[3] = {"DDX", "DDY", "DDZ"};

}  // namespace

void LoadSettings(shell::SettingsStore& s, ModellerSettings& st) {
    if (s.GetInt("Device", "Invalid", 0) == 0) {
        st.device.type = s.GetInt("Device", "Type", 1);
        st.device.width = s.GetInt("Device", "Width", 640);
        st.device.height = s.GetInt("Device", "Height", 480);
    }
    s.WriteInt("Device", "Invalid", 1);
    st.jpegQuality = s.GetInt("", "JQuality", st.jpegQuality);

    st.saveCamera = s.GetInt("Camera", "Load", 0) != 0;
    if (st.saveCamera) {
        CameraSettings& c = st.camera;
        c.speed = ReadFloat(s, "Camera", "Speed", c.speed);
        c.look = s.GetInt("Camera", "Look", c.look);
        c.reverse = s.GetInt("Camera", "Reverse", c.reverse);
        ReadVec(s, "Camera", kPosition, c.position);
        ReadVec(s, "Camera", kZAxis, c.zAxis);
        ReadVec(s, "Camera", kYAxis, c.yAxis);
        ReadVec(s, "Camera", kLookAt, c.lookAt);
    }
    st.saveAxis = s.GetInt("Jiku", "Load", 0) != 0;
    if (st.saveAxis) st.axisSize = ReadFloat(s, "Jiku", "Haba", st.axisSize);
    st.saveColor = s.GetInt("Color", "Load", 0) != 0;
    if (st.saveColor) {
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
    st.xFormat = s.GetInt("", "XFormat", 0);
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
        WriteFloat(s, "Camera", "Speed", c.speed);
        s.WriteInt("Camera", "Look", c.look);
        s.WriteInt("Camera", "Reverse", c.reverse);
        WriteVec(s, "Camera", kPosition, c.position);
        WriteVec(s, "Camera", kZAxis, c.zAxis);
        WriteVec(s, "Camera", kYAxis, c.yAxis);
        WriteVec(s, "Camera", kLookAt, c.lookAt);
    }
    s.WriteInt("Jiku", "Load", st.saveAxis ? 1 : 0);
    if (st.saveAxis) WriteFloat(s, "Jiku", "Haba", st.axisSize);
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
