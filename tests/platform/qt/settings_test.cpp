#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <limits>

#include "platform/qt/qt_settings_store.h"
#include "platform/settings_float.h"
#include "qt_app.h"

namespace qtshell {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testing::App();
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath(QStringLiteral("Mokkel.ini")).toStdString();
    }
    QTemporaryDir dir_;
    std::string path_;
};

TEST_F(SettingsTest, ValuesSurviveAFreshStoreOnTheSameFile) {
    const std::string japanese = "C:/モデル/テクスチャ, 木目";
    {
        QtSettingsStore store("Mokkel", path_);
        store.WriteInt("Device", "Type", 2);
        store.WriteInt("Camera", "Pos", -123456789);
        store.WriteInt("", "JQuality", 75);
        store.WriteString("Directory", "Picture", japanese);
        store.WriteString("Directory", "Texture", "");
        store.WriteString("Recent File List", "File1", "@Variant(x) = 1");
    }
    QtSettingsStore store("Mokkel", path_);
    EXPECT_EQ(store.ReadInt("Device", "Type"), 2);
    EXPECT_EQ(store.ReadInt("Camera", "Pos"), -123456789);
    EXPECT_EQ(store.GetInt("", "JQuality", 0), 75);
    EXPECT_EQ(store.ReadString("Directory", "Picture"), japanese);
    EXPECT_EQ(store.ReadString("Directory", "Texture"), "");
    EXPECT_EQ(store.ReadString("Recent File List", "File1"), "@Variant(x) = 1");

    // Missing values and strings asked for as integers fall back.
    EXPECT_EQ(store.ReadInt("Device", "Width"), std::nullopt);
    EXPECT_EQ(store.GetInt("Directory", "Picture", 9), 9);
}

TEST_F(SettingsTest, FileIsPlainIniWithSectionsAsGroups) {
    {
        QtSettingsStore store("Mokkel", path_);
        store.WriteInt("Device", "Invalid", 1);  // must be on disk before any crash
        QFile file(QString::fromStdString(path_));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("[Device]")));
        EXPECT_TRUE(text.contains(QStringLiteral("Invalid=1")));
    }
    QFile file(QString::fromStdString(path_));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Append));
    file.write("[Light]\nPower = 12 \nList=a, b\nText=abc\n");
    file.close();
    QtSettingsStore store("Mokkel", path_);
    EXPECT_EQ(store.ReadInt("Light", "Power"), 12);  // hand-edited, spaces around
    EXPECT_EQ(store.ReadString("Light", "List"), "a, b");
    EXPECT_EQ(store.ReadInt("Light", "Text"), std::nullopt);
}

TEST_F(SettingsTest, DefaultFileLivesUnderTheConfigDirectory) {
    QByteArray old = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
    {
        QtSettingsStore store("Stagora");
        EXPECT_EQ(store.FilePath(), dir_.path().toStdString() + "/Yomiwa/Stagora.ini");
        store.WriteInt("Device", "Invalid", 0);
    }
    EXPECT_TRUE(QFile::exists(dir_.path() + QStringLiteral("/Yomiwa/Stagora.ini")));
    if (old.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", old);
    }
}

TEST_F(SettingsTest, FloatsTravelAsTheirBitPattern) {
    QtSettingsStore store("Mokkel", path_);
    for (float v :
         {0.0f, -0.0f, 1.5f, -2.75e-3f, 3.4e38f, std::numeric_limits<float>::denorm_min()}) {
        shell::WriteFloat(store, "Camera", "X", v);
        EXPECT_EQ(store.ReadInt("Camera", "X"), std::bit_cast<int32_t>(v));
        auto back = shell::ReadFloat(store, "Camera", "X");
        ASSERT_TRUE(back);
        EXPECT_EQ(std::bit_cast<uint32_t>(*back), std::bit_cast<uint32_t>(v));
    }
    EXPECT_EQ(shell::FloatToPattern(1.0f), 0x3F800000);

    // A pattern that is not a finite number is refused.
    store.WriteInt("Camera", "Y", 0x7FC00000);            // NaN
    store.WriteInt("Camera", "Z", int32_t(0xFF800000u));  // -infinity
    EXPECT_EQ(shell::ReadFloat(store, "Camera", "Y"), std::nullopt);
    EXPECT_EQ(shell::GetFloat(store, "Camera", "Z", 4.0f), 4.0f);
}

}  // namespace
}  // namespace qtshell
