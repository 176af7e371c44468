// The operation commands in the running window: a dialog filled in and the sample changed
// through the 3D pane's rebuilds, with the modified mark in the title.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <filesystem>

#include "modeller/app/command_table.h"
#include "modeller/app/mokkel_app.h"
#include "modeller/dialogs/extrusion_dlg.h"
#include "modeller/dialogs/revolution_dlg.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace modeller;

struct NoFiles : shell::FileChooser {
    std::optional<std::string> Choose(const shell::FileRequest&) override { return std::nullopt; }
};

TEST(OpsCommands, ExtrudeTheDoorOfTheSampleAndJoin) {
    qtshell::testing::App();
    testing_support::TempDir dir;
    testing_support::MemorySettings store;
    testing_support::ScriptedPrompt prompt;
    NoFiles files;
    const std::string path = dir.File("house.mkl");
    std::filesystem::copy_file(MOKKEL_SOURCE_DIR "/resources/samples/house.mkl", path);
    MokkelApp app(AppServices{&store, &prompt, &files, nullptr, nullptr, dir.path()});
    app.Start({QString::fromStdString(path)});
    const model::MeshModel& m = app.Document().model;

    QTimer::singleShot(0, [] {
        auto* dlg = dynamic_cast<CExtrusionDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->findChild<QLineEdit*>(QStringLiteral("faceList"))->setText(QStringLiteral("7"));
        dlg->findChild<QLineEdit*>(QStringLiteral("vector"))->setText(QStringLiteral("0, 0, -0.5"));
        dlg->accept();
    });
    EXPECT_TRUE(app.Frame().Dispatch(cmd::kExtrude));
    EXPECT_TRUE(prompt.shown.empty());
    // Toward the door's front: the door turns round, the cap keeps its order, and the join
    // closed up the blank point lines of the sample.
    EXPECT_EQ(m.faces.GetLine(7), "11, 12, 13, 10");
    EXPECT_EQ(m.points.GetLine(25), "0.2, 0, -1.301");
    EXPECT_EQ(m.points.maxLine, 25);
    EXPECT_EQ(m.faces.GetLine(21), "22, 23, 24, 25");
    EXPECT_EQ(app.Document().objects.modelMesh->FaceCount(), 22u);
    EXPECT_EQ(app.Frame().windowTitle().toStdString(), "Mokkel  [house.mkl *]");

    EXPECT_TRUE(app.Frame().Dispatch(cmd::kFlipFaces));
    EXPECT_EQ(m.faces.GetLine(7), "10, 13, 12, 11");
}

TEST(OpsCommands, RevolveTheDoorAndRememberAfterTheRun) {
    qtshell::testing::App();
    testing_support::TempDir dir;
    testing_support::MemorySettings store;
    testing_support::ScriptedPrompt prompt;
    NoFiles files;
    const std::string path = dir.File("house.mkl");
    std::filesystem::copy_file(MOKKEL_SOURCE_DIR "/resources/samples/house.mkl", path);
    MokkelApp app(AppServices{&store, &prompt, &files, nullptr, nullptr, dir.path()});
    app.Start({QString::fromStdString(path)});

    QTimer::singleShot(0, [] {
        auto* dlg = dynamic_cast<CRevolutionDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        dlg->findChild<QLineEdit*>(QStringLiteral("faceList"))->setText(QStringLiteral("7"));
        dlg->findChild<QLineEdit*>(QStringLiteral("angle"))->setText(QStringLiteral("90"));
        dlg->findChild<QLineEdit*>(QStringLiteral("divisions"))->setText(QStringLiteral("4"));
        dlg->accept();
    });
    EXPECT_TRUE(app.Frame().Dispatch(cmd::kRevolve));
    EXPECT_TRUE(prompt.shown.empty());
    // The sample's 13 faces (the join dropped its blank lines), then four edges of two
    // triangles each per step, and the cap.
    EXPECT_EQ(app.Document().objects.modelMesh->FaceCount(), 13u + 4 * 2 * 4 + 1);
    EXPECT_EQ(app.Frame().windowTitle().toStdString(), "Mokkel  [house.mkl *]");

    std::string shown;
    QTimer::singleShot(0, [&shown] {
        auto* dlg = dynamic_cast<CRevolutionDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        shown = dlg->findChild<QLineEdit*>(QStringLiteral("faceList"))->text().toStdString() + " " +
                dlg->findChild<QLineEdit*>(QStringLiteral("angle"))->text().toStdString();
        dlg->reject();
    });
    EXPECT_TRUE(app.Frame().Dispatch(cmd::kRevolve));
    EXPECT_EQ(shown, "7 90");
}

}  // namespace
