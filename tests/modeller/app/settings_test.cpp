#include "modeller/app/settings.h"

#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <limits>

#include "tests/support/memory_settings.h"

namespace {

using modeller::ModellerSettings;
using testing_support::MemorySettings;

TEST(Settings, RoundTripOfEverySavedValue) {
    MemorySettings store;
    ModellerSettings out;
    out.device = {2, 800, 600};
    out.jpegQuality = 90;
    out.saveCamera = out.saveAxis = out.saveColor = out.saveLight = true;
    out.camera.speed = 2.5f;
    out.camera.look = 0;
    out.camera.reverse = 0;
    out.camera.position = {3, 4, -7.25f};
    out.camera.zAxis = {0, -1, 0};
    out.camera.yAxis = {0, 0, 1};
    out.camera.lookAt = {0.5f, 0, 1};
    out.axisSize = 3;
    out.pointColor = 0xFF00FF00;
    out.backgroundColor = 0xFF102030;
    out.light = {{0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, {1, 0, 0}};
    out.xFormat = 1;
    out.pictureDirectory = "/pics";
    out.textureDirectory = "/tex";
    out.fileDirectory = "/models";
    modeller::SaveSettings(store, out);
    EXPECT_EQ(store.ints.at({"Device", "Invalid"}), 0);
    EXPECT_EQ(store.ints.at({"Camera", "Speed"}), std::bit_cast<int32_t>(2.5f));
    EXPECT_EQ(store.ints.at({"Color", "TenColor"}), static_cast<int32_t>(0xFF00FF00));

    ModellerSettings in;
    modeller::LoadSettings(store, in);
    EXPECT_EQ(store.ints.at({"Device", "Invalid"}), 1);  // running
    EXPECT_EQ(in.device.type, 2);
    EXPECT_EQ(in.device.width, 800);
    EXPECT_EQ(in.jpegQuality, 90);
    EXPECT_EQ(in.camera.speed, 2.5f);
    EXPECT_EQ(in.camera.look, 0);
    EXPECT_EQ(in.camera.position, out.camera.position);
    EXPECT_EQ(in.camera.zAxis, out.camera.zAxis);
    EXPECT_EQ(in.camera.yAxis, out.camera.yAxis);
    EXPECT_EQ(in.camera.lookAt, out.camera.lookAt);
    EXPECT_EQ(in.axisSize, 3);
    EXPECT_EQ(in.pointColor, 0xFF00FF00u);
    EXPECT_EQ(in.backgroundColor, 0xFF102030u);
    EXPECT_EQ(in.light.ambient, out.light.ambient);
    EXPECT_EQ(in.light.direction, out.light.direction);
    EXPECT_EQ(in.xFormat, 1);
    EXPECT_EQ(in.fileDirectory, "/models");
    EXPECT_TRUE(in.saveCamera && in.saveAxis && in.saveColor && in.saveLight);
}

TEST(Settings, AfterACrashTheDeviceDefaultsAreUsed) {
    MemorySettings store;
    store.ints[{"Device", "Invalid"}] = 1;  // the last run never saved
    store.ints[{"Device", "Type"}] = 0;
    store.ints[{"Device", "Width"}] = 1600;
    store.ints[{"Device", "Height"}] = 1200;
    ModellerSettings s;
    modeller::LoadSettings(store, s);
    EXPECT_EQ(s.device.type, 1);
    EXPECT_EQ(s.device.width, 640);
    EXPECT_EQ(s.device.height, 480);
    // The next normal exit overwrites the stored values and clears the guard.
    modeller::SaveSettings(store, s);
    EXPECT_EQ(store.ints.at({"Device", "Type"}), 1);
    EXPECT_EQ(store.ints.at({"Device", "Width"}), 640);
    EXPECT_EQ(store.ints.at({"Device", "Invalid"}), 0);
}

TEST(Settings, OptionsOffKeepOnlyTheFlag) {
    MemorySettings store;
    store.ints[{"Camera", "Load"}] = 0;
    store.ints[{"Camera", "ItiX"}] = std::bit_cast<int32_t>(42.0f);
    store.ints[{"Jiku", "Haba"}] = std::bit_cast<int32_t>(9.0f);
    ModellerSettings s;
    modeller::LoadSettings(store, s);
    EXPECT_EQ(s.camera.position[0], 1.0f);  // stored values ignored
    EXPECT_EQ(s.axisSize, 1.0f);
    EXPECT_FALSE(s.saveCamera);

    MemorySettings fresh;
    modeller::SaveSettings(fresh, s);
    EXPECT_EQ(fresh.ints.at({"Camera", "Load"}), 0);
    EXPECT_EQ(fresh.ints.count({"Camera", "ItiX"}), 0u);
    EXPECT_EQ(fresh.ints.count({"Light", "AR"}), 0u);
    // Missing values read as the defaults.
    ModellerSettings d;
    modeller::LoadSettings(fresh, d);
    EXPECT_EQ(d.jpegQuality, 75);
    EXPECT_EQ(d.camera.speed, 1.0f);
    EXPECT_EQ(d.light.direction, (modeller::Vec3{-1, -1, 1}));
}

// A damaged or hand-edited file: each value outside its range reads as its default.
TEST(Settings, ValuesOutOfRangeFallBackToTheirDefaults) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* section;
        const char* name;
        int32_t stored;
        std::function<bool(const ModellerSettings&)> isDefault;
    };
    const ModellerSettings d;
    auto f = [](float v) { return std::bit_cast<int32_t>(v); };
    const Case cases[] = {
        {"Device", "Width", 0, [&](auto& s) { return s.device.width == 640; }},
        {"Device", "Width", -5, [&](auto& s) { return s.device.width == 640; }},
        {"Device", "Height", 7, [&](auto& s) { return s.device.height == 480; }},
        {"Device", "Height", 199, [&](auto& s) { return s.device.height == 480; }},
        {"Device", "Type", 3, [&](auto& s) { return s.device.type == 1; }},
        {"Device", "Type", -1, [&](auto& s) { return s.device.type == 1; }},
        {"", "JQuality", 0, [&](auto& s) { return s.jpegQuality == 75; }},
        {"", "JQuality", 101, [&](auto& s) { return s.jpegQuality == 75; }},
        {"Camera", "Speed", f(-1.0f), [&](auto& s) { return s.camera.speed == d.camera.speed; }},
        {"Camera", "Speed", f(inf), [&](auto& s) { return s.camera.speed == d.camera.speed; }},
        {"Camera", "Look", 2, [&](auto& s) { return s.camera.look == d.camera.look; }},
        {"Camera", "Reverse", -1, [&](auto& s) { return s.camera.reverse == d.camera.reverse; }},
        {"Camera", "ItiX", f(nan), [&](auto& s) { return s.camera.position == d.camera.position; }},
        {"Camera", "ZY", f(-inf), [&](auto& s) { return s.camera.zAxis == d.camera.zAxis; }},
        {"Camera", "YZ", f(inf), [&](auto& s) { return s.camera.yAxis == d.camera.yAxis; }},
        {"Camera", "LookItiY", f(nan), [&](auto& s) { return s.camera.lookAt == d.camera.lookAt; }},
        {"Jiku", "Haba", f(nan), [&](auto& s) { return s.axisSize == d.axisSize; }},
        {"Light", "AG", f(inf), [&](auto& s) { return s.light.ambient == d.light.ambient; }},
        {"Light", "DB", f(nan),
         [&](auto& s) { return s.light.directional == d.light.directional; }},
        {"Light", "DDX", f(-inf), [&](auto& s) { return s.light.direction == d.light.direction; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "\\" + c.name + " = " + std::to_string(c.stored));
        MemorySettings store;
        for (const char* section : {"Camera", "Jiku", "Color", "Light"})
            store.ints[{section, "Load"}] = 1;
        store.ints[{c.section, c.name}] = c.stored;
        ModellerSettings s;
        modeller::LoadSettings(store, s);
        EXPECT_TRUE(c.isDefault(s));
    }
    // The edges of each range are kept.
    MemorySettings store;
    store.ints[{"Device", "Width"}] = 200;
    store.ints[{"Device", "Type"}] = 0;
    store.ints[{"", "JQuality"}] = 100;
    store.ints[{"Camera", "Load"}] = 1;
    store.ints[{"Camera", "Speed"}] = f(0.0f);
    ModellerSettings s;
    modeller::LoadSettings(store, s);
    EXPECT_EQ(s.device.width, 200);
    EXPECT_EQ(s.device.type, 0);
    EXPECT_EQ(s.jpegQuality, 100);
    EXPECT_EQ(s.camera.speed, 0.0f);
}

}  // namespace
