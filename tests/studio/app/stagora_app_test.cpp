// The whole studio on the offscreen platform: start-up with a scene on the command line,
// clear-all, create-folder, save-parts, the tree's drop and an idle window that stays idle.
#include "studio/app/stagora_app.h"

#include <gtest/gtest.h>

#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSplitter>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <deque>
#include <filesystem>

#include "studio/app/environment_dialogs.h"
#include "studio/app/joint_dialogs.h"
#include "studio/scene/scene_file.h"
#include "studio/view/scene_scroll_view.h"
#include "studio/view/scene_tree.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/studio/scene_fixture.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace studio;
using testing_support::MemorySettings;
using testing_support::ScriptedPrompt;
using testing_support::TempDir;

struct ScriptedChooser : shell::FileChooser {
    std::deque<std::optional<std::string>> answers;
    int asked = 0;
    std::string lastFilter;
    std::optional<std::string> Choose(const shell::FileRequest& request) override {
        ++asked;
        lastFilter = request.filter;
        if (answers.empty()) return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
};

class StagoraAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtshell::testing::App();
        studio_test::WriteCubeModel(dir.File("cube.mkl"));
        // A folder holding two cubes, then a cube at the top.
        CSceneDoc doc;
        doc.AppendFolder("box");
        ASSERT_TRUE(doc.AppendObject(dir.File("cube.mkl")));
        ASSERT_TRUE(doc.AppendObject(dir.File("cube.mkl")));
        ASSERT_TRUE(doc.AppendObject(dir.File("cube.mkl")));
        doc.Items()[1].depth = 1;
        doc.Items()[2].depth = 1;
        doc.Items()[1].name = "one";
        doc.Items()[2].name = "two";
        doc.Items()[3].name = "top";
        ASSERT_TRUE(SaveSceneFile(doc, dir.File("scene.stg")).ok);

        app = std::make_unique<StagoraApp>(
            StagoraServices{&settings, &prompt, &chooser, nullptr, dir.path(),
                            [this]() -> std::optional<std::string> { return folderName; }});
        app->Start({QString::fromStdString(dir.File("scene.stg"))});
    }

    std::string TreeText() {
        std::string out;
        CSceneView& tree = app->Tree();
        for (int i = 0; i < tree.topLevelItemCount(); ++i) {
            QTreeWidgetItem* node = tree.topLevelItem(i);
            out += node->text(0).toStdString();
            if (node->childCount()) {
                out += '(';
                for (int k = 0; k < node->childCount(); ++k) {
                    if (k) out += ' ';
                    out += node->child(k)->text(0).toStdString();
                }
                out += ')';
            }
            out += ' ';
        }
        return out;
    }

    TempDir dir;
    MemorySettings settings;
    ScriptedPrompt prompt;
    ScriptedChooser chooser;
    std::optional<std::string> folderName;
    std::unique_ptr<StagoraApp> app;
};

// A studio killed with a changed scene: the next start offers the autosaved scene, which
// opens under its scene file again with its models found; saving it leaves nothing behind.
TEST_F(StagoraAppTest, TheNextStartOffersASceneACrashedRunLeft) {
    namespace fs = std::filesystem;
    const std::string state = dir.File("state.d/Yomiwa");
    const std::string scene = dir.File("scene.stg");
    const std::string onDisk = testing_support::ReadFile(scene);
    const std::string crashedCopy = state + "/Stagora-999999.stg";
    auto start = [&](QStringList args) {
        app.reset();
        app = std::make_unique<StagoraApp>(
            StagoraServices{&settings, &prompt, &chooser, nullptr, dir.path(),
                            [this]() -> std::optional<std::string> { return folderName; }});
        app->SetStateDirectory(state);
        app->Start(args);
    };
    start({QString::fromStdString(scene)});
    const std::string copy = app->Autosave()->Store().CopyPath();
    ASSERT_TRUE(app->Frame().Dispatch(cmd::kCreateFolder));  // cancelled: nothing changed
    EXPECT_FALSE(fs::exists(copy));
    folderName = "new";
    ASSERT_TRUE(app->Frame().Dispatch(cmd::kCreateFolder));
    ASSERT_TRUE(fs::exists(copy));
    // What a kill would leave: this run's files under a pid that is gone.
    fs::copy_file(copy, crashedCopy);
    fs::copy_file(app->Autosave()->Store().MarkerPath(), state + "/Stagora-999999.run");
    app.reset();
    EXPECT_FALSE(fs::exists(copy));

    prompt.answers = {shell::Answer::Yes};
    start({});
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].text.find("「scene.stg」"), std::string::npos);
    EXPECT_EQ(TreeText(), "box(one two) top new ");
    ASSERT_EQ(app->Document().Items().size(), 5u);
    EXPECT_TRUE(app->Document().Items()[3].visual);  // the model found from the state folder
    EXPECT_EQ(app->Commands().ScenePath(), scene);
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Stagora  [scene.stg]");
    EXPECT_FALSE(fs::exists(crashedCopy));
    const std::string ownCopy = app->Autosave()->Store().CopyPath();
    EXPECT_TRUE(fs::exists(ownCopy));  // protected again
    EXPECT_EQ(testing_support::ReadFile(scene), onDisk);

    prompt.answers = {shell::Answer::Yes};  // overwrite the scene file
    ASSERT_TRUE(app->Frame().Dispatch(cmd::kSave));
    EXPECT_NE(testing_support::ReadFile(scene), onDisk);
    EXPECT_FALSE(fs::exists(ownCopy));
    app.reset();
    EXPECT_TRUE(fs::is_empty(state));
}

TEST_F(StagoraAppTest, StartsWithTheSceneOfTheCommandLine) {
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Stagora  [scene.stg]");
    EXPECT_EQ(TreeText(), "box(one two) top ");
    EXPECT_EQ(app->Frame().Splitter()->sizes().front(), kTreeWidth);
    EXPECT_EQ(app->Frame().RecentFiles().Paths().front(), dir.File("scene.stg"));
    EXPECT_EQ(settings.ints[(std::pair<std::string, std::string>{"Device", "Invalid"})], 1);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(app->Frame().Action(cmd::kJointNew)->isEnabled());
    EXPECT_TRUE(app->Frame().Action(cmd::kCreateFolder)->isEnabled());

    // A painted window renders once, then stays idle.
    CSceneScrollView& view = app->View();
    view.viewport()->repaint();
    const int frames = view.FramesRendered();
    EXPECT_GE(frames, 1);
    QTest::qWait(300);
    view.viewport()->repaint();  // an expose with nothing changed
    EXPECT_EQ(view.FramesRendered(), frames);
    EXPECT_FALSE(view.Picture().isNull());
}

// The file menu's recent scenes sit above their separator; one that no longer opens leaves
// the menu and the stored list.
TEST_F(StagoraAppTest, RecentScenesInTheFileMenu) {
    StudioFrame& frame = app->Frame();
    frame.AddRecentFile(dir.File("gone&.stg"));
    const auto texts = [&] {
        std::vector<std::string> out;
        const QList<QAction*> items = frame.menuBar()->actions().front()->menu()->actions();
        for (qsizetype i = 0; i < items.size(); ++i) {
            if (items[i] != frame.Action(cmd::kRecentFirst)) continue;
            for (; i < items.size() && !items[i]->isSeparator(); ++i)
                out.push_back(items[i]->text().toStdString());
            EXPECT_LT(i, items.size());  // the block ends at a separator
            break;
        }
        return out;
    };
    EXPECT_EQ(texts(), (std::vector<std::string>{"&1 gone&&.stg", "&2 scene.stg"}));
    EXPECT_TRUE(frame.Dispatch(cmd::kRecentFirst));
    EXPECT_EQ(frame.RecentFiles().Paths(), std::vector<std::string>{dir.File("scene.stg")});
    EXPECT_EQ(texts(), std::vector<std::string>{"&1 scene.stg"});
    EXPECT_EQ(settings.strings.at({"Recent File List", "File2"}), "");
}

TEST_F(StagoraAppTest, ClearAllAsksFirst) {
    prompt.answers = {shell::Answer::Cancel};
    app->Frame().Dispatch(cmd::kClearAll);
    EXPECT_EQ(app->Document().Items().size(), 4u);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, kAskClearAll);

    prompt.answers = {shell::Answer::Ok};
    app->Frame().Dispatch(cmd::kClearAll);
    EXPECT_TRUE(app->Document().Items().empty());
    EXPECT_EQ(app->Tree().topLevelItemCount(), 0);

    // Opening again adds; a folder goes to the end of the list and the top of the tree.
    ASSERT_TRUE(app->Commands().OpenPath(dir.File("scene.stg")));
    folderName = "新しいフォルダ";
    app->Frame().Dispatch(cmd::kCreateFolder);
    EXPECT_EQ(TreeText(), "box(one two) top 新しいフォルダ ");
    EXPECT_EQ(app->Document().Items().back().kind, kFolder);
}

TEST_F(StagoraAppTest, SavePartsTakesTheSelectedItemWithItsContents) {
    // A lone item makes no parts file: the dialog is not even shown.
    app->Tree().SelectIndex(3);
    app->Frame().Dispatch(cmd::kSaveParts);
    EXPECT_EQ(chooser.asked, 0);

    app->Tree().SelectIndex(0);
    chooser.answers = {dir.File("box.ktb")};
    app->Frame().Dispatch(cmd::kSaveParts);
    CSceneDoc parts;
    ASSERT_TRUE(LoadSceneFile(parts, dir.File("box.ktb"), false).ok);
    ASSERT_EQ(parts.Items().size(), 3u);
    EXPECT_EQ(parts.Items()[0].name, "box");
    EXPECT_EQ(parts.Items()[2].name, "two");
    EXPECT_EQ(app->Commands().LastDirectory(), dir.path());
}

TEST_F(StagoraAppTest, TreeDropMovesTheBlockAndRebuildsTheNodes) {
    // "top" dropped on "box" with Shift: into the folder, first.
    app->Tree().dropped(3, 0, true);
    EXPECT_EQ(TreeText(), "box(top one two) ");
    // The folder dropped onto its own contents: nothing.
    app->Tree().dropped(0, 2, false);
    EXPECT_EQ(TreeText(), "box(top one two) ");
}

TEST_F(StagoraAppTest, SaveAsksBeforeOverwriting) {
    prompt.answers = {shell::Answer::No};
    app->Frame().Dispatch(cmd::kDelete);  // nothing selected: nothing deleted
    EXPECT_EQ(app->Document().Items().size(), 4u);
    app->Tree().SelectIndex(3);
    app->Frame().Dispatch(cmd::kDelete);
    const std::string before = testing_support::ReadFile(dir.File("scene.stg"));
    app->Frame().Dispatch(cmd::kSave);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "scene.stg\nファイルを上書きしますか？");
    EXPECT_EQ(testing_support::ReadFile(dir.File("scene.stg")), before);  // No: kept

    prompt.answers = {shell::Answer::Yes};
    app->Frame().Dispatch(cmd::kSave);
    CSceneDoc reread;
    ASSERT_TRUE(LoadSceneFile(reread, dir.File("scene.stg"), true).ok);
    EXPECT_EQ(reread.Items().size(), 3u);
}

}  // namespace

namespace {

TEST_F(StagoraAppTest, MouseDragInTheTreeDropsWithShift) {
    CSceneView& tree = app->Tree();
    QWidget* port = tree.viewport();
    const QPoint from = tree.visualItemRect(tree.NodeOf(3)).center();
    const QPoint to = tree.visualItemRect(tree.NodeOf(0)).center();
    QTest::mousePress(port, Qt::LeftButton, {}, from);
    for (const QPoint& at : {from + QPoint(0, -10), to}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(at), port->mapToGlobal(QPointF(at)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(port, &move);
    }
    EXPECT_EQ(tree.SelectedIndex(), 0);  // the node under the mouse shows the target
    QTest::mouseRelease(port, Qt::LeftButton, Qt::ShiftModifier, to);
    EXPECT_EQ(TreeText(), "box(top one two) ");
    EXPECT_EQ(app->Document().Items()[1].depth, 1);
}

}  // namespace

namespace {

TEST_F(StagoraAppTest, CameraDragMovesTheCameraAndRightButtonCyclesModes) {
    CSceneScrollView& view = app->View();
    QWidget* port = view.viewport();
    port->repaint();
    const rm::Vector3 before = app->Document().Camera()->Position(app->Document().Root());
    const int frames = view.FramesRendered();
    QTest::mousePress(port, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_EQ(view.MouseMode(), kStudioCameraDrag);
    QMouseEvent move(QEvent::MouseMove, QPointF(60, 40), port->mapToGlobal(QPointF(60, 40)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(port, &move);
    QTest::mouseRelease(port, Qt::LeftButton, {}, QPoint(60, 40));
    EXPECT_EQ(view.MouseMode(), kStudioCamera);
    const rm::Vector3 after = app->Document().Camera()->Position(app->Document().Root());
    EXPECT_NE(before.x, after.x);
    port->repaint();
    EXPECT_EQ(view.FramesRendered(), frames + 1);

    for (int expected : {kStudioObject, kStudioJoint, kStudioCamera}) {
        QTest::mouseClick(port, Qt::RightButton, {}, QPoint(50, 50));
        EXPECT_EQ(view.MouseMode(), expected);
    }
}

}  // namespace

namespace {

TEST_F(StagoraAppTest, OpenModelsAndSaveAsByExtension) {
    // A model file adds one object named after it; one that will not load says "Error!".
    ASSERT_TRUE(app->Commands().OpenPath(dir.File("cube.mkl")));
    EXPECT_EQ(app->Document().Items().back().name, "cube.mkl");
    testing_support::WriteFile(dir.File("bad.mkl"), "not a model");
    EXPECT_FALSE(app->Commands().OpenPath(dir.File("bad.mkl")));
    ASSERT_EQ(prompt.Texts(), std::vector<std::string>{"Error!"});
    EXPECT_EQ(app->Document().Items().size(), 5u);
    // An OBJ file is an object too.
    testing_support::WriteFile(dir.File("tri.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    ASSERT_TRUE(app->Commands().OpenPath(dir.File("tri.obj")));
    EXPECT_EQ(app->Document().Items().back().visual->FaceCount(), 1u);

    // Save-as to an X file exports the items and leaves the title alone.
    chooser.answers = {dir.File("all.x")};
    app->Frame().Dispatch(cmd::kSaveAs);
    EXPECT_EQ(testing_support::ReadFile(dir.File("all.x")).substr(0, 4), "xof ");
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Stagora  [scene.stg]");
    // The designed filters first and unchanged, glTF after them.
    EXPECT_EQ(chooser.lastFilter,
              "Stagoraファイル(*.stg)|*.stg|Stagoraパーツデータ(*.ktb)|*.ktb|Xファイル(*.x)|*.x|"
              "glTF バイナリ (*.glb)|*.glb|glTF (*.gltf)|*.gltf||");
    // A later save writes that export again in its own format, never a scene into it.
    std::filesystem::remove(dir.File("all.x"));
    prompt.answers = {shell::Answer::Yes};
    app->Frame().Dispatch(cmd::kSave);
    EXPECT_EQ(prompt.shown.back().text, "all.x\nファイルを上書きしますか？");
    EXPECT_EQ(testing_support::ReadFile(dir.File("all.x")).substr(0, 4), "xof ");
    chooser.answers = {dir.File("all.glb")};
    app->Frame().Dispatch(cmd::kSaveAs);
    EXPECT_EQ(testing_support::ReadFile(dir.File("all.glb")).substr(0, 4), "glTF");
    chooser.answers = {dir.File("copy.stg")};
    app->Frame().Dispatch(cmd::kSaveAs);
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Stagora  [copy.stg]");
    CSceneDoc reread;
    ASSERT_TRUE(LoadSceneFile(reread, dir.File("copy.stg"), true).ok);
    EXPECT_EQ(reread.Items().size(), 6u);

    // A save-as that cannot write leaves the scene with the file it has.
    chooser.answers = {dir.File("missing.d/lost.stg")};
    app->Frame().Dispatch(cmd::kSaveAs);
    EXPECT_EQ(prompt.shown.back().text, "Error!");
    EXPECT_EQ(app->Commands().ScenePath(), dir.File("copy.stg"));
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Stagora  [copy.stg]");
}

}  // namespace

namespace {

// Each settings command opens its dialog; the test types into it and presses OK.
void AnswerDialog(const char* name, const std::function<void(QDialog&)>& fill) {
    QTimer::singleShot(0, [name, fill] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->objectName(), QString::fromLatin1(name));
        fill(*dialog);
        dialog->accept();
    });
}

// F1 in a dialog opens its page, as the Help button does.
TEST_F(StagoraAppTest, F1InADialogOpensItsHelpPage) {
    std::vector<std::string> pages;
    const HelpFunction help = [&](std::string_view page) { pages.emplace_back(page); };
    CFogDlg fog(app->Document(), help);
    CJointDlg joint(app->Document(), -1, help);
    for (auto [dialog, page] :
         {std::pair<QDialog*, std::string_view>{&fog, kFogHelpPage}, {&joint, kJointHelpPage}}) {
        pages.clear();
        dialog->show();
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        ASSERT_TRUE(QApplication::focusWidget());  // a field: the key reaches the dialog from it
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        EXPECT_EQ(pages, std::vector<std::string>{std::string(page)}) << page;
        dialog->hide();
    }
}

TEST_F(StagoraAppTest, SettingsDialogsAndViewTogglesFromTheirCommands) {
    StudioFrame& frame = app->Frame();
    for (int id : {cmd::kScreen, cmd::kFog, cmd::kCamera, cmd::kOption, cmd::kCreateLight,
                   cmd::kFrameMode, cmd::kShowLights})
        EXPECT_TRUE(frame.IsEnabled(id));
    AnswerDialog("ScreenDialog", [](QDialog& d) {
        auto* screen = static_cast<CScreenDlg*>(&d);
        ScreenFields f = screen->Fields();
        f.width = "200";
        f.background = "0, 1, 0";
        screen->SetFields(f);
    });
    frame.Dispatch(cmd::kScreen);
    EXPECT_EQ(app->Document().environment.screenWidth, 200);
    EXPECT_EQ(app->Document().environment.backgroundColor, 0xFF00FF00u);

    AnswerDialog("FogDialog", [](QDialog& d) {
        auto* fog = static_cast<CFogDlg*>(&d);
        FogFields f = fog->Fields();
        f.enabled = true;
        fog->SetFields(f);
    });
    frame.Dispatch(cmd::kFog);
    EXPECT_EQ(app->Document().environment.fogEnabled, 1);

    AnswerDialog("CameraDialog", [](QDialog& d) {
        auto* camera = static_cast<CCameraDlg*>(&d);
        CameraFields f = camera->Fields();
        f.speed = "7.5";
        f.reverse = false;
        camera->SetFields(f);
    });
    frame.Dispatch(cmd::kCamera);
    EXPECT_FLOAT_EQ(app->Settings().cameraSpeed, 7.5f);
    EXPECT_EQ(app->Settings().cameraReverse, 0);

    AnswerDialog("OptionDialog", [](QDialog& d) {
        auto* option = static_cast<COptionDlg*>(&d);
        OptionFields f = option->Fields();
        f.jpegQuality = "90";
        option->SetFields(f);
    });
    frame.Dispatch(cmd::kOption);
    EXPECT_EQ(app->Settings().jpegQuality, 90);

    const QAction* lights = frame.Action(cmd::kShowLights);
    EXPECT_TRUE(lights->isChecked());
    frame.Dispatch(cmd::kShowLights);
    EXPECT_FALSE(lights->isChecked());
    EXPECT_FALSE(app->Document().ShowLights());
    frame.Dispatch(cmd::kFrameMode);
    EXPECT_TRUE(frame.Action(cmd::kFrameMode)->isChecked());

    const size_t items = app->Document().Items().size();
    AnswerDialog("LightDialog", [](QDialog& d) {
        auto* light = static_cast<CLightDlg*>(&d);
        LightFields f = light->Fields();
        f.kind = kPointLight;
        f.name = "lamp";
        light->SetFields(f);
    });
    frame.Dispatch(cmd::kCreateLight);
    ASSERT_EQ(app->Document().Items().size(), items + 1);
    EXPECT_EQ(app->Document().Items().back().kind, kPointLight);
    EXPECT_EQ(app->Tree().topLevelItem(app->Tree().topLevelItemCount() - 1)->text(0),
              QStringLiteral("lamp"));
    EXPECT_TRUE(prompt.Texts().empty());
}

// The joint management's 新規作成, the group operation on the folder and the slider from the
// object dialog, each through its own dialog.
TEST_F(StagoraAppTest, JointGroupAndSliderDialogs) {
    CSceneDoc& doc = app->Document();
    const auto modal = [] { return QApplication::activeModalWidget(); };
    QTimer::singleShot(0, [&] {
        auto* manage = dynamic_cast<CJointManageDlg*>(modal());
        ASSERT_TRUE(manage);
        QTimer::singleShot(0, [&] {
            auto* joint = dynamic_cast<CJointDlg*>(modal());
            ASSERT_TRUE(joint);
            JointFields f = joint->Fields();
            f.owner = 1;         // one
            f.partnerEntry = 4;  // top
            f.type = 1;
            f.position = "0, 0, 0";
            joint->SetFields(f);
            joint->accept();
        });
        manage->New();
        EXPECT_EQ(manage->Tree()->topLevelItemCount(), 1);
        EXPECT_EQ(manage->Tree()->topLevelItem(0)->child(0)->text(0), QStringLiteral("top"));
        EXPECT_EQ(manage->SelectedJoint(), 0);
        manage->accept();
    });
    app->Frame().Dispatch(cmd::kJointManage);
    ASSERT_EQ(doc.Joints().size(), 1u);
    ASSERT_TRUE(doc.Joints()[0].frame);

    // Moving the folder carries the cube joined to its first item.
    app->Tree().SelectIndex(0);
    AnswerDialog("GroupDialog", [](QDialog& d) {
        auto* group = static_cast<CGroupDlg*>(&d);
        GroupFields f = group->Fields();
        EXPECT_EQ(f.name, "box");
        f.name = "箱";
        f.operation = kGroupMove;
        f.move = "0, 2, 0";
        group->SetFields(f);
    });
    app->Frame().Dispatch(cmd::kGroupOperation);
    EXPECT_EQ(TreeText(), "箱(one two) top ");
    for (size_t i : {1, 2, 3}) EXPECT_FLOAT_EQ(doc.PlacementOf(doc.Items()[i]).position.y, 2) << i;

    app->Tree().SelectIndex(3);
    AnswerDialog("ObjectDialog", [&](QDialog& d) {
        AnswerDialog("SliderDialog", [](QDialog& s) {
            auto* slider = static_cast<CSliderDlg*>(&s);
            slider->SetFields({1, 1, 1, "0, 0, 3"});
        });
        d.findChild<QPushButton*>(QStringLiteral("Slider"))->click();
    });
    app->Frame().Dispatch(cmd::kProperties);
    EXPECT_EQ(doc.Items()[3].sliderKind, 1);
    EXPECT_EQ(doc.Items()[3].sliderVector.z, 3.0f);
    EXPECT_TRUE(prompt.Texts().empty());
    for (std::string_view page :
         {kJointHelpPage, kJointManageHelpPage, kSliderHelpPage, kGroupHelpPage})
        EXPECT_TRUE(std::filesystem::is_regular_file(
            std::string(MOKKEL_SOURCE_DIR) + "/resources/help/Stagora/" + std::string(page)))
            << page;
}

TEST_F(StagoraAppTest, ObjectDialogTakesAnObjModel) {
    testing_support::WriteFile(dir.File("tri.obj"), "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    chooser.answers = {dir.File("tri.obj")};
    app->Tree().SelectIndex(3);
    AnswerDialog("ObjectDialog", [](QDialog& d) {
        d.findChild<QPushButton*>(QStringLiteral("ChooseModel"))->click();
    });
    app->Frame().Dispatch(cmd::kProperties);
    // The designed filter first and unchanged, glTF and OBJ after it.
    EXPECT_EQ(chooser.lastFilter,
              "Mokkelファイル (*.mkl;*.x)|*.mkl;*.x|"
              "glTF, Wavefront OBJ (*.gltf; *.glb; *.obj)|*.gltf;*.glb;*.obj||");
    const SceneItem& item = app->Document().Items()[3];
    EXPECT_EQ(item.path, dir.File("tri.obj"));
    ASSERT_TRUE(item.visual);
    EXPECT_EQ(item.visual->FaceCount(), 1u);
    EXPECT_TRUE(prompt.Texts().empty());
}

}  // namespace
