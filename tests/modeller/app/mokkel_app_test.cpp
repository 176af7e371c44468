// The whole modeller on the offscreen platform: start-up, typing, pasting, titles and the
// settings it starts with.
#include "modeller/app/mokkel_app.h"

#include <gtest/gtest.h>

#include <QTest>
#include <bit>
#include <deque>
#include <filesystem>

#include "model/model_file.h"
#include "modeller/app/command_table.h"
#include "modeller/view/model_view.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace modeller;
using testing_support::MemorySettings;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;

struct ScriptedChooser : shell::FileChooser {
    std::deque<std::optional<std::string>> answers;
    int asked = 0;
    std::optional<std::string> Choose(const shell::FileRequest&) override {
        ++asked;
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct MemoryClipboard : shell::Clipboard {
    std::optional<std::string> text;
    std::optional<std::string> GetText() override { return text; }
    void SetText(std::string_view t) override { text = std::string(t); }
};

class Mokkel : public ::testing::Test {
protected:
    Mokkel() { qtshell::testing::App(); }

    TempDir dir;
    MemorySettings store;
    ScriptedPrompt prompt;
    ScriptedChooser chooser;
    MemoryClipboard clipboard;

    std::unique_ptr<MokkelApp> Start(QStringList args = {}, std::string stateDirectory = {}) {
        auto app = std::make_unique<MokkelApp>(
            AppServices{&store, &prompt, &chooser, &clipboard, nullptr, dir.path()});
        app->SetStateDirectory(stateDirectory);
        app->Start(args);
        return app;
    }
    std::string Sample() {
        const std::string path = dir.File("house.mkl");
        std::filesystem::copy_file(MOKKEL_SOURCE_DIR "/resources/samples/house.mkl", path);
        return path;
    }
};

TEST_F(Mokkel, StartsWithTheFileNamedOnTheCommandLine) {
    auto app = Start({QString::fromStdString(Sample())});
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel  [house.mkl]");
    EXPECT_EQ(app->Document().model.points.GetLine(9), "1, 1.9, 0");
    EXPECT_EQ(app->Document().objects.pointMesh->FaceCount(), 22u);
    EXPECT_EQ(app->Document().objects.modelMesh->FaceCount(), 17u);
    EXPECT_TRUE(app->View().Pane().device.initialised);
    EXPECT_EQ(app->Frame().RecentFiles().Paths().size(), 1u);
}

TEST_F(Mokkel, AFailedCommandLineOpenLeavesAnEmptyModel) {
    testing_support::WriteFile(dir.File("broken.mkl"), "garbage");
    auto app = Start({QString::fromStdString(dir.File("broken.mkl"))});
    EXPECT_EQ(prompt.Texts().back(), "Error!");
    EXPECT_EQ(app->Document().model.points.maxLine, 10);
}

// A damaged file on the command line: after "Error!" the window is untitled, and the line
// typed next is saved only under a name the user gives, never over the damaged file.
TEST_F(Mokkel, AfterAFailedOpenSaveAsksForANameInsteadOfOverwriting) {
    const std::string damaged = dir.File("damaged.mkl");
    const std::string bytes = "Mokkel\r\n.mkl\r\n1\r\nbroken\r\n";
    testing_support::WriteFile(damaged, bytes);
    auto app = Start({QString::fromStdString(damaged)});
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"Error!"});
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel");
    app->Frame().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&app->Frame()));
    CModelView& view = app->View();
    view.setFocus();
    QTest::keyClicks(&view, "1, 2, 3");
    QTest::keyClick(&view, Qt::Key_Return);
    ASSERT_EQ(app->Document().model.points.GetLine(0), "1, 2, 3");
    EXPECT_TRUE(app->Document().IsModified());
    QTest::keyClick(&view, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(chooser.asked, 1);  // the save dialog, no name chosen
    EXPECT_EQ(testing_support::ReadFile(damaged), bytes);
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel");
}

// A run killed with unsaved work: the next start offers the autosaved copy, which opens
// as that file's work, still unsaved; declining removes the copy and opens the command line.
TEST_F(Mokkel, TheNextStartOffersWorkACrashedRunLeft) {
    namespace fs = std::filesystem;
    const std::string state = dir.File("state.d/Yomiwa");
    const std::string house = Sample();
    const std::string onDisk = testing_support::ReadFile(house);
    const std::string crashedCopy = state + "/Mokkel-999999.mkl";
    auto pointLines = [](const CModelDoc& doc) {
        std::vector<std::string> lines;
        for (int32_t i = 0; i < doc.model.points.maxLine; ++i)
            lines.push_back(doc.model.points.GetLine(i));
        return lines;
    };
    std::vector<std::string> typed;
    {
        auto app = Start({QString::fromStdString(house)}, state);
        CModelView& view = app->View();
        view.setFocus();
        QTest::keyClicks(&view, "7, 8, 9");
        QTest::keyClick(&view, Qt::Key_Return);
        ASSERT_TRUE(app->Document().IsModified());
        typed = pointLines(app->Document());
        ASSERT_NE(typed[0].find("7, 8, 9"), std::string::npos);
        ASSERT_TRUE(app->Frame().Dispatch(cmd::kRefresh));  // a command: the copy is written
        const std::string copy = app->Autosave()->Store().CopyPath();
        ASSERT_TRUE(fs::exists(copy));
        // What a kill would leave: this run's files under a pid that is gone.
        fs::copy_file(copy, crashedCopy);
        fs::copy_file(app->Autosave()->Store().MarkerPath(), state + "/Mokkel-999999.run");
        app->Document().SetModified(false);
    }
    EXPECT_EQ(testing_support::ReadFile(house), onDisk);

    prompt.answers = {shell::Answer::Yes};
    auto app = Start({}, state);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].buttons, shell::Buttons::YesNo);
    EXPECT_NE(prompt.shown[0].text.find("「house.mkl」"), std::string::npos);
    CModelDoc& doc = app->Document();
    EXPECT_EQ(pointLines(doc), typed);
    EXPECT_EQ(doc.model.currentFile.path, house);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel  [house.mkl *]");
    EXPECT_FALSE(fs::exists(crashedCopy));
    EXPECT_TRUE(fs::exists(app->Autosave()->Store().CopyPath()));  // protected again
    EXPECT_EQ(testing_support::ReadFile(house), onDisk);
    // Kept for the next start once more, then declined.
    fs::copy_file(app->Autosave()->Store().CopyPath(), crashedCopy);
    fs::copy_file(app->Autosave()->Store().MarkerPath(), state + "/Mokkel-999999.run");
    doc.SetModified(false);
    app.reset();

    prompt.shown.clear();
    prompt.answers = {shell::Answer::No};
    app = Start({QString::fromStdString(house)}, state);
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(fs::exists(crashedCopy));
    EXPECT_FALSE(app->Document().IsModified());
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel  [house.mkl]");
    app.reset();
    EXPECT_TRUE(fs::is_empty(state));  // a clean end leaves nothing
}

TEST_F(Mokkel, TypingAPointAndEnterShowsItsMarker) {
    auto app = Start();
    CModelView& view = app->View();
    view.setFocus();
    QTest::keyClicks(&view, "1.5, 0, 2");
    EXPECT_EQ(app->Document().objects.pointMesh->FaceCount(), 0u);  // not before Enter
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel");
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(app->Document().model.points.GetLine(0), "1.5, 0, 2");
    ASSERT_EQ(app->Document().objects.pointMesh->FaceCount(), 1u);
    rm::Vector3 v;
    ASSERT_TRUE(app->Document().objects.pointMesh->GetVertex(0, v));
    EXPECT_EQ(v.x, 1.5f);
    EXPECT_EQ(v.z, 2.0f);
    EXPECT_EQ(view.Screens().state.pointCaretRow, 1);
    EXPECT_EQ(view.Screens().state.pointCaretColumn, 0);
    EXPECT_TRUE(app->Document().IsModified());
}

TEST_F(Mokkel, PastingRowsFromTheClipboard) {
    auto app = Start();
    clipboard.text = "1, 2, 3\r\n4, 5, 6\r\n7, 8, 9";
    EXPECT_TRUE(app->Frame().Dispatch(cmd::kPaste));
    const auto& points = app->Document().model.points;
    EXPECT_EQ(points.GetLine(0), "1, 2, 3");
    EXPECT_EQ(points.GetLine(2), "7, 8, 9");
    // Copy back what select-all takes.
    EXPECT_TRUE(app->Frame().Dispatch(cmd::kSelectAllPoints));
    EXPECT_TRUE(app->Frame().Dispatch(cmd::kCopy));
    ASSERT_TRUE(clipboard.text);
    EXPECT_EQ(clipboard.text->substr(0, 25), "1, 2, 3\r\n4, 5, 6\r\n7, 8, 9");
}

TEST_F(Mokkel, TitleWhileModifiedAndAfterSaving) {
    auto app = Start({QString::fromStdString(Sample())});
    CModelView& view = app->View();
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_End);
    QTest::keyClicks(&view, "5");
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel  [house.mkl *]");
    EXPECT_TRUE(app->Frame().Dispatch(cmd::kSave));
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel  [house.mkl]");
    model::MeshModel saved;
    ASSERT_TRUE(model::LoadModelFile(saved, dir.File("house.mkl"), nullptr));
    EXPECT_EQ(saved.points.GetLine(0), "-1, 0, -0.85");
}

TEST_F(Mokkel, StartAfterACrashUsesTheSafeDevice) {
    store.ints[{"Device", "Invalid"}] = 1;
    store.ints[{"Device", "Type"}] = 0;
    store.ints[{"Device", "Width"}] = 300;
    store.ints[{"Device", "Height"}] = 250;
    {
        auto app = Start();
        EXPECT_EQ(app->Settings().device.type, 1);
        EXPECT_EQ(app->View().Pane().device.renderWidth, 640);
        EXPECT_EQ(app->View().Pane().device.renderHeight, 480);
        EXPECT_EQ(store.ints.at({"Device", "Invalid"}), 1);  // while running
    }
    EXPECT_EQ(store.ints.at({"Device", "Invalid"}), 0);
    EXPECT_EQ(store.ints.at({"Device", "Width"}), 640);
}

TEST_F(Mokkel, StoredCameraIsIgnoredWithoutItsLoadFlag) {
    store.ints[{"Camera", "Load"}] = 0;
    store.ints[{"Camera", "ItiX"}] = std::bit_cast<int32_t>(42.0f);
    auto app = Start();
    const viewport::ModelPane& pane = app->View().Pane();
    EXPECT_LT(pane.device.camera->Position(pane.device.root).x, 10.0f);
    app->Shutdown();
    EXPECT_EQ(store.ints.at({"Camera", "Load"}), 0);
}

TEST_F(Mokkel, APaneOfWidthZeroDrawsNothing) {
    auto app = Start({QString::fromStdString(Sample())});
    viewport::ModelPane& pane = app->View().Pane();
    pane.device.pane.width = 0;
    pane.RequestFrame();
    EXPECT_EQ(pane.device.Picture().width, 0);
    EXPECT_TRUE(prompt.shown.empty());
}

}  // namespace
