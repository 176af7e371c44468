// The modeller's settings that survive between runs, and their store in the settings file
// (sections and value names as the registry had them).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace shell {
class SettingsStore;
}

namespace modeller {

using Vec3 = std::array<float, 3>;

struct DeviceSettings {
    int32_t type = 1;  // 0 hardware, 1 MMX software, 2 RGB software
    int32_t width = 640;
    int32_t height = 480;
};

struct CameraSettings {
    float speed = 1.0f;
    int32_t look = 1;     // look at one point
    int32_t reverse = 1;  // drags negated
    Vec3 position{1, 1, -5};
    Vec3 zAxis{0, 0, 1};
    Vec3 yAxis{0, 1, 0};
    Vec3 lookAt{0, 0, 0};
};

struct LightSettings {
    Vec3 ambient{0.2f, 0.2f, 0.2f};
    Vec3 directional{0.8f, 0.8f, 0.8f};
    Vec3 direction{-1, -1, 1};
};

struct ModellerSettings {
    DeviceSettings device;
    int32_t jpegQuality = 75;
    CameraSettings camera;
    float axisSize = 1.0f;             // "Haba"
    uint32_t pointColor = 0xFFFFFFFF;  // "TenColor"
    uint32_t backgroundColor = 0;      // "BackColor"
    LightSettings light;
    int32_t xFormat = 0;  // 0 text, else binary
    std::string pictureDirectory, textureDirectory, fileDirectory;

    // The save options of the option dialog: which groups are kept for the next run.
    bool saveCamera = false, saveAxis = false, saveColor = false, saveLight = false;
};

// Reads what the store holds over the current values. A run that did not end normally
// (Device\Invalid still 1) keeps the built-in device settings. Marks the run as started.
void LoadSettings(shell::SettingsStore& store, ModellerSettings& settings);

// Writes every value; fileDirectory is the current model file's directory. Ends by
// marking a normal exit.
void SaveSettings(shell::SettingsStore& store, const ModellerSettings& settings);

}  // namespace modeller
