// The studio's settings that survive between runs, in its own settings file (sections and
// value names as the registry had them). The modeller's file is never touched.
#pragma once

#include <cstdint>
#include <string>

namespace shell {
class SettingsStore;
}

namespace studio {

struct StudioSettings {
    int32_t deviceType = 1;  // 0 hardware, 1 MMX software, 2 RGB software
    int32_t deviceWidth = 640, deviceHeight = 480;
    int32_t jpegQuality = 75;
    bool saveCamera = false;  // Camera\Load
    float cameraSpeed = 1.0f;
    int32_t cameraLook = 0, cameraReverse = 1;
    bool saveAxis = false;  // Jiku\Load
    float axisSize = 1.0f;
    int32_t xFormat = 0;  // 0 text, else binary
    std::string pictureDirectory, textureDirectory, fileDirectory;
    // Set when the device could not be made this run: the next start gets the defaults.
    bool deviceFailed = false;
};

// Reads what the store holds over the current values; out-of-range values keep theirs. A run
// that did not end normally (Device\Invalid still 1) keeps the built-in device settings.
// Marks the run as started.
void LoadStudioSettings(shell::SettingsStore& store, StudioSettings& settings);

// Writes every value and ends by marking a normal exit.
void SaveStudioSettings(shell::SettingsStore& store, const StudioSettings& settings);

}  // namespace studio
