// The settings dialogs in the running window, offscreen: each opened from its command (the
// face dialog by a double-click in the face pane), filled, refused where the checks say so,
// and what OK leaves in the settings store, the document and the 3D pane.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <functional>

#include "modeller/app/command_table.h"
#include "modeller/app/mokkel_app.h"
#include "modeller/view/model_view.h"
#include "platform/image/bmp_writer.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace modeller;

struct ScriptedFiles : shell::FileChooser {
    std::deque<std::string> paths;
    std::optional<std::string> Choose(const shell::FileRequest& r) override {
        requests.push_back(r);
        if (paths.empty()) return std::nullopt;
        std::string p = paths.front();
        paths.pop_front();
        return p;
    }
    std::vector<shell::FileRequest> requests;
};

struct Help : shell::HelpOpener {
    std::vector<std::string> opened;
    bool Open(std::string_view address) override {
        opened.emplace_back(address);
        return true;
    }
};

QWidget* Modal() {
    return QApplication::activeModalWidget();
}
template <typename T = QLineEdit>
T* Child(const char* name) {
    T* c = Modal() ? Modal()->findChild<T*>(QString::fromLatin1(name)) : nullptr;
    EXPECT_NE(c, nullptr) << name;
    return c;
}
void Set(const char* name, const char* text) {
    if (auto* e = Child(name)) e->setText(QString::fromUtf8(text));
}
void Ok() {
    if (auto* d = qobject_cast<QDialog*>(Modal())) d->accept();
}
// Runs the steps one after another: each once a dialog other than the one the previous
// step worked in is in front (a nested dialog opened, or it closed again).
void Script(std::vector<std::function<void()>> steps, QWidget* previous = nullptr) {
    if (steps.empty()) {
        // A dialog the script left open (a refusal the test did not expect) fails the test
        // instead of hanging it.
        QTimer::singleShot(3000, [last = QPointer<QWidget>(previous)] {
            for (QWidget* w = Modal(); w && w == last; w = Modal()) {
                ADD_FAILURE() << "left open: " << w->windowTitle().toStdString();
                qobject_cast<QDialog*>(w)->reject();
            }
        });
        return;
    }
    QTimer::singleShot(5, [steps, previous] {
        QWidget* now = Modal();
        if (!now || now == previous) {
            Script(steps, previous);  // not yet
            return;
        }
        Script(std::vector<std::function<void()>>(steps.begin() + 1, steps.end()), now);
        steps.front()();
    });
}
void Click(const char* name) {
    if (auto* b = Child<QPushButton>(name)) b->click();
}

class SettingsDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        qtshell::testing::App();
        path = dir.File("house.mkl");
        std::filesystem::copy_file(MOKKEL_SOURCE_DIR "/resources/samples/house.mkl", path);
        app = std::make_unique<MokkelApp>(
            AppServices{&store, &prompt, &files, nullptr, &help, dir.path()});
        app->Start({QString::fromStdString(path)});
    }
    std::string Bmp(const std::string& name) {
        const std::string p = dir.File(name);
        EXPECT_TRUE(image::WriteBmpFile(
            p, image::Image{2, 2, {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF}}, 24));
        return p;
    }
    model::MeshModel& M() { return app->Document().model; }
    viewport::ModelPane& Pane() { return app->View().Pane(); }

    testing_support::TempDir dir;
    testing_support::MemorySettings store;
    testing_support::ScriptedPrompt prompt;
    ScriptedFiles files;
    Help help;
    std::string path;
    std::unique_ptr<MokkelApp> app;
};

TEST_F(SettingsDialogs, OptionRefusesInOrderResetsAndStores) {
    std::vector<std::string> shownWidth;
    Script({[&] {
        shownWidth.push_back(Child("width")->text().toStdString());
        Set("width", "100");
        Set("height", "100");
        Set("jpegQuality", "101");
        Ok();  // refused, stays open
        Set("jpegQuality", "0");
        Set("height", "-3");
        Ok();  // the height comes first
        Set("height", "100");
        Child<QCheckBox>("saveLight")->setChecked(true);
        Child<QRadioButton>("xFormat1")->setChecked(true);
        Set("jpegQuality", "90");
        Ok();
    }});
    EXPECT_TRUE(app->Frame().Dispatch(cmd::kOption));
    EXPECT_EQ(prompt.Texts(), (std::vector<std::string>{"1 から 100 までの整数を入力してください。",
                                                        "正の整数を入力してください。"}));
    EXPECT_EQ(shownWidth, std::vector<std::string>{"640"});
    ModellerSettings& s = app->Settings();
    EXPECT_EQ(s.device.width, 200);
    EXPECT_EQ(s.device.height, 200);
    EXPECT_EQ(s.jpegQuality, 90);
    EXPECT_EQ(s.xFormat, 1);

    Script({[&] {
        EXPECT_EQ(Child("jpegQuality")->text(), QStringLiteral("90"));  // as stored
        Click("reset");
        EXPECT_EQ(Child("width")->text(), QStringLiteral("640"));
        EXPECT_TRUE(Child<QRadioButton>("device1")->isChecked());
        EXPECT_FALSE(Child<QCheckBox>("saveLight")->isChecked());
        Ok();
    }});
    app->Frame().Dispatch(cmd::kOption);
    EXPECT_EQ(s.jpegQuality, 75);
    EXPECT_EQ(s.xFormat, 0);
    app->Shutdown();
    EXPECT_EQ((store.ints[{"", "JQuality"}]), 75);
    EXPECT_EQ((store.ints[{"Device", "Width"}]), 640);
}

TEST_F(SettingsDialogs, LightColourReachesTheSceneAndTheStore) {
    Script({[&] {
        EXPECT_EQ(Child("ambient")->text(), QStringLiteral("0.2, 0.2, 0.2"));
        Set("ambient", "0.5, 0.25, 0");
        Set("range", "far");
        Ok();
        Set("range", "8");
        Child<QCheckBox>("cameraLight")->setChecked(true);
        Ok();
    }});
    app->Frame().Dispatch(cmd::kLight);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"数字を入力してください。"});
    EXPECT_FLOAT_EQ(Pane().scene.ambientLight->Color().g, 0.25f);
    ASSERT_TRUE(Pane().scene.cameraLight);
    app->Settings().saveLight = true;
    app->Shutdown();
    EXPECT_EQ((store.ints[{"Light", "Load"}]), 1);
    EXPECT_TRUE(store.ints.contains({"Light", "AR"}));
}

TEST_F(SettingsDialogs, DisplayModeAndPointColourThroughThePicker) {
    Script({[&] {
                Child<QRadioButton>("mode3")->setChecked(true);
                Child<QCheckBox>("showPoints")->setChecked(false);
                Click("pointColour");  // the picker opens; the next step fills it
            },
            [&] {
                EXPECT_FALSE(Child("opacity")->isEnabled());  // no alpha here
                Set("red", "300");
                Ok();  // refused
                Child<QSlider>("greenSlider")->setValue(0);
                Child<QSlider>("blueSlider")->setValue(0);
                EXPECT_EQ(Child("green")->text(), QStringLiteral("0"));  // in step
                Set("red", "255");
                Ok();
            },
            [&] { Ok(); }});
    app->Frame().Dispatch(cmd::kDisplay);
    EXPECT_EQ(prompt.Texts(),
              std::vector<std::string>{"0 から 255 までの整数を入力してください。"});
    EXPECT_EQ(M().deviceType, 3);
    EXPECT_FALSE(Pane().settings.showPoints);
    EXPECT_EQ(app->Settings().pointColor, 0xFFFF0000u);
    EXPECT_EQ(app->Document().objects.pointMesh->FaceColor(0), 0xFFFF0000u);
}

TEST_F(SettingsDialogs, GroupAddedWithANameCheckAndKeptChoices) {
    const size_t before = M().groups.size();
    Script({[&] { Click("add"); },
            [&] {
                Set("name", "  ");
                Ok();  // "名前が空です"
                Set("name", "全体");
                Ok();  // in use
                Set("name", "roof");
                Child<QCheckBox>("hasMaterial")->setChecked(true);
                Set("power", "5");
                Ok();
            },
            [&] {
                Child<QComboBox>("newFaces")
                    ->setCurrentIndex(Child<QComboBox>("newFaces")->count() - 1);
                Ok();
            }});
    app->Frame().Dispatch(cmd::kGroup);
    EXPECT_EQ(prompt.Texts(),
              (std::vector<std::string>{"名前が空です", "その名前はすでに使われています"}));
    ASSERT_EQ(M().groups.size(), before + 1);
    EXPECT_EQ(M().groups.entries.back().name, "roof");
    EXPECT_EQ(M().groups.entries.back().material->power, 5);
    EXPECT_EQ(app->Frame().windowTitle().toStdString(), "Mokkel  [house.mkl *]");

    Script({[&] {
        EXPECT_EQ(Child<QComboBox>("newFaces")->currentIndex(), static_cast<int>(before) - 1);
        Ok();
    }});
    app->Frame().Dispatch(cmd::kGroup);
}

TEST_F(SettingsDialogs, FaceDialogFromADoubleClickGivesTheFaceItsOwnColour) {
    const Rect pane = app->View().Screens().layout.FacePane();
    Script({[&] {
                EXPECT_EQ(Child("index")->text(), QStringLiteral("1"));
                EXPECT_FALSE(Child("equation")->text().isEmpty());
                Click("colour");
            },
            [&] {
                Set("red", "0");
                Set("green", "0");
                Set("blue", "255");
                Set("opacity", "255");
                Ok();
            },
            [&] {
                EXPECT_TRUE(Child<QRadioButton>("own")->isChecked());
                Ok();
            }});
    QTest::mouseDClick(&app->View(), Qt::LeftButton, {}, QPoint(pane.left + 60, pane.top + 25));
    EXPECT_EQ(M().faces.FaceStatus[1] & 2, 2);
    EXPECT_EQ(M().faces.FaceColor[1], int32_t(0xFF0000FF));
    EXPECT_EQ(app->Document().objects.modelMesh->FaceColor(1), 0xFF0000FFu);
    EXPECT_EQ(M().faces.markers[0], 1);
}

TEST_F(SettingsDialogs, TextureAddedSetOnAFaceThenWrappedAndDeleted) {
    files.paths = {Bmp("brick.bmp")};
    Script({[&] {
        Click("add");
        EXPECT_EQ(Child<QListWidget>("list")->count(), 1);
        Ok();
    }});
    app->Frame().Dispatch(cmd::kTextureManage);
    ASSERT_EQ(M().textures.size(), 1u);
    EXPECT_EQ(files.requests[0].filter,
              "画像ファイル( *.bmp; *.ppm; *.jpg; *.jpeg "
              ")|*.bmp;*.ppm;*.jpg;*.jpeg|全てのファイル(*.*)|*.*||");
    EXPECT_EQ(app->Settings().textureDirectory, dir.path());

    Script({[&] {
        Set("face", "0");
        Child<QPlainTextEdit>("coords")->setPlainText(QStringLiteral("0, 0\n1, 0"));
        Ok();  // too few lines
        Child<QPlainTextEdit>("coords")->setPlainText(QStringLiteral("0, 0\n1, 0\n1, 1\n0, 1"));
        Ok();
    }});
    app->Frame().Dispatch(cmd::kTextureSet);
    EXPECT_EQ(prompt.Texts(), std::vector<std::string>{"データが正しくありません"});
    EXPECT_EQ(M().textureAssignment.faceTextureMap.at(0), 1);
    EXPECT_EQ(app->Document().objects.modelMesh->FaceTexture(0),
              app->Document().objects.textures[0]);

    Script({[&] {
        Child<QComboBox>("texture")->setCurrentIndex(0);
        Child<QRadioButton>("kind1")->setChecked(true);
        Set("texScale", "0, 1");
        Ok();  // 入力エラー
        Set("texScale", "2, 2");
        Ok();
    }});
    app->Frame().Dispatch(cmd::kWrap);
    EXPECT_EQ(prompt.Texts().back(), "入力エラー");
    EXPECT_EQ(M().wrap.wrapType, 1);
    EXPECT_EQ(M().wrap.wrapFlag, 1);
    EXPECT_TRUE(app->Document().objects.wrap);

    prompt.answers = {shell::Answer::Ok};
    app->Frame().Dispatch(cmd::kTextureDelete);
    EXPECT_EQ(prompt.Texts().back(), "全てのテクスチャデータを削除します。");
    EXPECT_TRUE(M().textureAssignment.faceTextureMap.empty());
    EXPECT_EQ(M().textures.size(), 1u);
}

TEST_F(SettingsDialogs, CameraAxisAndJointApply) {
    Script({[&] {
        Child<QCheckBox>("gaze")->setChecked(false);
        Set("position", "0, 3, -9");
        Set("zAxis", "0, 0, 1");
        Set("yAxis", "0, 1, 0");
        Set("speed", "2");
        Ok();
    }});
    app->Frame().Dispatch(cmd::kCamera);
    EXPECT_EQ(Pane().scene.camera->Position(), (rm::Vector3{0, 3, -9}));
    EXPECT_EQ(app->Settings().camera.speed, 2);
    EXPECT_FALSE(app->View().Navigator().Settings().lookAtOnePoint);

    Script({[&] {
        Set("size", "2");
        Child<QCheckBox>("showLetters")->setChecked(false);
        Ok();
    }});
    app->Frame().Dispatch(cmd::kAxis);
    EXPECT_EQ(app->Settings().axisSize, 2);
    EXPECT_FALSE(Pane().settings.showLetters);

    Script({[&] {
        Child<QPlainTextEdit>("joints")->setPlainText(QStringLiteral("1, 2, 3\n\n4, 5\n"));
        Ok();
    }});
    app->Frame().Dispatch(cmd::kJoint);
    EXPECT_EQ(M().joints, (model::JointList{{1, 2, 3}}));
}

TEST_F(SettingsDialogs, EveryHelpButtonOpensItsPage) {
    const std::pair<int, const char*> pages[] = {
        {cmd::kCamera, "dlg_camera.htm"},
        {cmd::kLight, "dlg_light.htm"},
        {cmd::kDisplay, "dlg_hyouji.htm"},
        {cmd::kGroup, "dlg_group.htm"},
        {cmd::kAxis, "dlg_jiku.htm"},
        {cmd::kJoint, "dlg_joint.htm"},
        {cmd::kOption, "dlg_option.htm"},
        {cmd::kTextureManage, "dlg_texture.htm"},
        {cmd::kTextureSet, "dlg_textureset.htm"},
        {cmd::kWrap, "dlg_wrap.htm"},
    };
    for (const auto& [id, page] : pages) {
        Script({[&] {
            Modal()->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Help)->click();
            qobject_cast<QDialog*>(Modal())->reject();
        }});
        app->Frame().Dispatch(id);
        ASSERT_FALSE(help.opened.empty()) << page;
        EXPECT_TRUE(help.opened.back().ends_with(std::string("::/") + page)) << help.opened.back();
        EXPECT_TRUE(std::filesystem::exists(
            std::string(MOKKEL_SOURCE_DIR "/resources/help/Mokkel/") + page));
    }
    for (const char* page :
         {"dlg_grouppro.htm", "dlg_men.htm", "dlg_iro.htm", "dlg_texturepro.htm"})
        EXPECT_TRUE(std::filesystem::exists(
            std::string(MOKKEL_SOURCE_DIR "/resources/help/Mokkel/") + page));
}

}  // namespace
