// Plane paint, the make-face and vertex dialogs and the vector calculator in the running
// window: the dialogs' checks, the pane's modes driven with event records, and the lines
// they write.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <deque>
#include <functional>

#include "model/vector_text.h"
#include "modeller/app/command_table.h"
#include "modeller/app/mokkel_app.h"
#include "modeller/dialogs/pick_commands.h"
#include "modeller/dialogs/plane_commands.h"
#include "modeller/view/model_view.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace modeller;
using Step = std::function<void(QWidget*)>;

struct NoFiles : shell::FileChooser {
    std::optional<std::string> Choose(const shell::FileRequest&) override { return std::nullopt; }
};

// Runs one step on each modal dialog as it comes up.
class ModalScript {
public:
    explicit ModalScript(std::deque<Step> steps) : steps_(std::move(steps)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* w = QApplication::activeModalWidget();
            if (steps_.empty() || !w || !w->isVisible()) return;
            Step step = std::move(steps_.front());
            steps_.pop_front();
            step(w);
        });
        timer_.start(5);
    }
    bool Done() const { return steps_.empty(); }

private:
    std::deque<Step> steps_;
    QTimer timer_;
};

void SetField(QWidget* dlg, const char* name, const char* text) {
    auto* edit = dlg->findChild<QLineEdit*>(QString::fromLatin1(name));
    ASSERT_NE(edit, nullptr) << name;
    edit->setText(QString::fromUtf8(text));
}

void Click(QWidget* dlg, const char* name) {
    auto* b = dlg->findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

void ClickOk(QWidget* dlg) {
    dlg->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

class PlaneWindow : public ::testing::Test {
protected:
    PlaneWindow() : app_(AppServices{&store_, &prompt_, &files_, nullptr, nullptr, dir_.path()}) {
        app_.Start({});
    }
    model::MeshModel& Model() { return app_.Document().model; }
    viewport::CameraNavigator& Nav() { return app_.View().Navigator(); }
    CMainFrame& Frame() { return app_.Frame(); }

    QApplication& qt_ = qtshell::testing::App();  // before any widget
    testing_support::TempDir dir_;
    testing_support::MemorySettings store_;
    testing_support::ScriptedPrompt prompt_;
    NoFiles files_;
    MokkelApp app_;
};

TEST_F(PlaneWindow, TwoClicksInThePaneDrawARectangleOnTheFloor) {
    // A plane text of five numbers is refused and the dialog stays; then the floor y = 0.
    ModalScript script({[this](QWidget* dlg) {
        SetField(dlg, "plane", "0, 1, 0, 0, 0");
        ClickOk(dlg);
        EXPECT_TRUE(dlg->isVisible());
        EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{"変換できません"});
        SetField(dlg, "plane", "0, 1, 0, 0, 0, 0");
        ClickOk(dlg);
    }});
    ASSERT_TRUE(Frame().Dispatch(cmd::kPlanePaint));
    ASSERT_TRUE(script.Done());
    EXPECT_EQ(Nav().Mode(), viewport::kModePlanePaint);
    EXPECT_TRUE(Frame().IsChecked(cmd::kPlanePaint));
    EXPECT_TRUE(Frame().IsEnabled(cmd::kPlaneFigure));

    const Rect pane = app_.View().Screens().layout.ThreeDPane();
    const int cx = (pane.left + pane.right) / 2, cy = (pane.top + pane.bottom) / 2;
    Nav().OnPaneLeftDown(cx, cy, {});
    EXPECT_EQ(Nav().Mode(), viewport::kModePlanePaintDrag);
    EXPECT_EQ(QWidget::mouseGrabber(), &app_.View());  // the pointer stays in the pane
    Nav().OnPaneMouseMove(cx + 30, cy + 20, {});
    ASSERT_TRUE(app_.Plane().Input().RubberBand());
    EXPECT_EQ(app_.Plane().Input().RubberBand()->x1, cx + 30);
    Nav().OnPaneRightClick();  // drops the first corner
    EXPECT_EQ(Nav().Mode(), viewport::kModePlanePaint);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    Nav().OnPaneLeftDown(cx, cy, {});
    Nav().OnPaneLeftUp(cx, cy, {});
    Nav().OnPaneLeftDown(cx + 60, cy + 40, {});
    EXPECT_EQ(Nav().Mode(), viewport::kModePlanePaint);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    const model::PointSheet& p = Model().points;
    for (int i = 0; i < 4; ++i) {
        const auto v = model::ParseVector(p.GetLine(i));
        ASSERT_TRUE(v) << i;
        EXPECT_NEAR(v->y, 0.0f, 1e-5f) << p.GetLine(i);
    }
    EXPECT_EQ(p.GetLine(4), "");
    EXPECT_EQ(Model().faces.GetLine(0), "0, 1, 2, 3");
    EXPECT_EQ(app_.Document().objects.modelMesh->FaceCount(), 1u);
    EXPECT_TRUE(app_.Document().IsModified());

    ASSERT_TRUE(Frame().Dispatch(cmd::kPlanePaint));  // off, without a dialog
    EXPECT_EQ(Nav().Mode(), viewport::kModeCamera);
    EXPECT_FALSE(Frame().IsChecked(cmd::kPlanePaint));
    EXPECT_FALSE(Frame().IsEnabled(cmd::kPlaneFigure));
    Nav().OnPaneRightClick();
    EXPECT_EQ(Nav().Mode(), viewport::kModeGaze);
}

TEST_F(PlaneWindow, CancelledPlaneLeavesTheModeOffAndTypedCornersAreChecked) {
    ModalScript cancel({[](QWidget* dlg) { static_cast<QDialog*>(dlg)->reject(); }});
    ASSERT_TRUE(Frame().Dispatch(cmd::kPlanePaint));
    EXPECT_FALSE(Frame().IsChecked(cmd::kPlanePaint));  // the menu item does not toggle alone
    EXPECT_FALSE(Frame().Dispatch(cmd::kPlaneFigure));

    app_.Plane().state.normal = {0, 0, 1};
    ModalScript steps({[](QWidget* dlg) { ClickOk(dlg); },
                       [this](QWidget* dlg) {
                           SetField(dlg, "first", "0, 0");
                           SetField(dlg, "second", "1, 1, 5");
                           ClickOk(dlg);
                           EXPECT_TRUE(dlg->isVisible());
                           SetField(dlg, "first", "0, 0, 3");
                           ClickOk(dlg);
                       }});
    ASSERT_TRUE(Frame().Dispatch(cmd::kPlanePaint));
    ASSERT_TRUE(Frame().Dispatch(cmd::kPlaneFigure));
    EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{"変換できません"});
    // Both corners went onto z = 0; seen from the camera in front the first point is top left.
    EXPECT_EQ(Model().points.GetLine(0), "0, 1, 0");
    EXPECT_EQ(Model().faces.GetLine(0), "0, 1, 2, 3");
}

TEST_F(PlaneWindow, OptionsRefuseANegativeDivisionCount) {
    ModalScript steps({[this](QWidget* dlg) {
        SetField(dlg, "divisions", "-1");
        ClickOk(dlg);
        EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{"正の整数を入力してください。"});
        SetField(dlg, "divisions", "6");
        dlg->findChild<QAbstractButton*>(QStringLiteral("circle"))->click();
        ClickOk(dlg);
    }});
    ASSERT_TRUE(Frame().Dispatch(cmd::kPlaneFigureOptions));
    EXPECT_EQ(app_.Plane().state.options.shape, ops::PlaneFigureOptions::kCircle);
    EXPECT_EQ(app_.Plane().state.options.divisions, 6u);
}

class MakeFace : public PlaneWindow {
protected:
    MakeFace() {
        std::vector<std::string> lines;
        for (int i = 0; i < 10; ++i) lines.push_back(model::FormatVector(i, i % 2, 0));
        Model().points.ReplaceLines(lines);
        Model().faces.ReplaceLines({"0, 1, 2", ""});
        app_.View().RefreshViews();
        for (int p : {3, 7, 9}) app_.View().PickPointFromPane(p);
        Nav().SetMode(viewport::kModeVertex);
    }
};

TEST_F(MakeFace, OkWritesThePicksInOrder) {
    ModalScript steps({[](QWidget* dlg) { ClickOk(dlg); }});
    Nav().OnPaneRightClick();  // with picks: the make-face dialog, and the mode stays
    EXPECT_EQ(Model().faces.GetLine(1), "3, 7, 9");
    EXPECT_EQ(Nav().Mode(), viewport::kModeVertex);
    EXPECT_TRUE(app_.View().Screens().pickList.Empty());
    EXPECT_FALSE(Model().points.lineFlags[7] & model::PointSheet::kFlagPicked);
    EXPECT_EQ(app_.Document().objects.modelMesh->FaceCount(), 2u);
    Nav().OnPaneRightClick();  // the list is empty now: on to face picking
    EXPECT_EQ(Nav().Mode(), viewport::kModeFace);
}

TEST_F(MakeFace, ReverseShowsItAgainThenOk) {
    const size_t before = app_.View().Pane().scene.root->Children().size();
    ModalScript steps(
        {[&](QWidget* dlg) {
             // The red preview face hangs under the scene root meanwhile.
             EXPECT_EQ(app_.View().Pane().scene.root->Children().size(), before + 1);
             Click(dlg, "reverse");
         },
         [&](QWidget* dlg) {
             EXPECT_EQ(app_.View().Screens().pickList.Points(), (std::vector<int32_t>{9, 7, 3}));
             ClickOk(dlg);
         }});
    app_.View().RunMakeFace();
    EXPECT_EQ(Model().faces.GetLine(1), "9, 7, 3");
    EXPECT_EQ(app_.View().Pane().scene.root->Children().size(), before);  // preview gone
}

TEST_F(MakeFace, CancelKeepsPickingAndDeleteEmptiesTheLines) {
    ModalScript cancel({[](QWidget* dlg) { static_cast<QDialog*>(dlg)->reject(); }});
    app_.View().RunMakeFace();
    EXPECT_EQ(app_.View().Screens().pickList.Count(), 3u);
    EXPECT_TRUE(app_.View().Screens().pickMode);
    ModalScript del({[](QWidget* dlg) { Click(dlg, "delete"); }});
    app_.View().RunMakeFace();
    EXPECT_EQ(Model().points.GetLine(7), "");
    EXPECT_EQ(Model().faces.GetLine(1), "");
    EXPECT_FALSE(app_.View().Screens().pickMode);
}

TEST_F(MakeFace, VertexDialogSetsU) {
    Model().textureAssignment.uvMap[2] = {0.25f, 0.75f};
    ModalScript steps({[](QWidget* dlg) {
        EXPECT_EQ(dlg->findChild<QLineEdit*>(QStringLiteral("current"))->text(),
                  QStringLiteral("0.250000, 0.750000"));
        Click(dlg, "clear");
        EXPECT_TRUE(dlg->findChild<QLineEdit*>(QStringLiteral("toSet"))->text().isEmpty());
        SetField(dlg, "toSet", "0.5");
        ClickOk(dlg);
    }});
    EXPECT_TRUE(app_.View().OpenVertexDialog(2));
    EXPECT_EQ(Model().textureAssignment.uvMap[2], (model::TexCoord{0.5f, 0.75f}));
}

TEST_F(PlaneWindow, VectorCalculatorWindow) {
    ASSERT_TRUE(Frame().Dispatch(cmd::kVectorCalc));
    CVectorCalcDlg* calc = app_.Plane().CalcWindow();
    ASSERT_NE(calc, nullptr);
    EXPECT_FALSE(calc->isModal());
    ASSERT_TRUE(Frame().Dispatch(cmd::kVectorCalc));
    EXPECT_EQ(app_.Plane().CalcWindow(), calc);  // at most one

    auto* combo = calc->findChild<QComboBox*>(QStringLiteral("operator"));
    SetField(calc, "operand1", "1, 2, 3, 4, 5, 6");
    SetField(calc, "operand2", "2");
    calc->RefreshOperators();
    ASSERT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->itemText(1), QStringLiteral("/"));
    combo->setCurrentIndex(1);
    calc->RefreshOperators();  // the same kind: the choice stays
    EXPECT_EQ(combo->currentIndex(), 1);
    calc->OnCalculate();
    EXPECT_EQ(calc->findChild<QLineEdit*>(QStringLiteral("result"))->text(),
              QStringLiteral("0.5, 1, 1.5, 2, 2.5, 3"));
    SetField(calc, "operand2", "0");
    calc->OnCalculate();
    EXPECT_EQ(prompt_.Texts(), std::vector<std::string>{"0 では割れません"});

    SetField(calc, "memo", "keep me");
    calc->reject();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(app_.Plane().CalcWindow(), nullptr);
    EXPECT_EQ(app_.Plane().calcMemory.fields.operand1, "1, 2, 3, 4, 5, 6");
    ASSERT_TRUE(Frame().Dispatch(cmd::kVectorCalc));
    calc = app_.Plane().CalcWindow();
    ASSERT_NE(calc, nullptr);
    EXPECT_EQ(calc->findChild<QLineEdit*>(QStringLiteral("memo"))->text(),
              QStringLiteral("keep me"));
    EXPECT_TRUE(calc->findChild<QLineEdit*>(QStringLiteral("operand1"))->text().isEmpty());
    EXPECT_EQ(calc->List(), ops::OperatorList::kScalar);
}

}  // namespace
