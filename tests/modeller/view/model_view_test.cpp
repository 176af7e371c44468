// The view's widget on the offscreen platform: keys as the window system sends them, what
// an idle view and a keystroke cost, held arrows and the wheel in the 3D pane.
#include "modeller/view/model_view.h"

#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QWheelEvent>
#include <array>
#include <memory>

#include "model/vector_text.h"
#include "tests/platform/qt/qt_app.h"
#include "tests/support/memory_settings.h"
#include "tests/support/scripted_prompt.h"

namespace {

using namespace modeller;

struct NoChooser : shell::FileChooser {
    std::optional<std::string> Choose(const shell::FileRequest&) override { return std::nullopt; }
};

struct MemoryClipboard : shell::Clipboard {
    std::optional<std::string> text;
    std::optional<std::string> GetText() override { return text; }
    void SetText(std::string_view t) override { text = std::string(t); }
};

// Counts the paints the view receives.
struct PaintCounter : QObject {
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

class ViewTest : public ::testing::Test {
protected:
    ViewTest() {
        qtshell::testing::App();
        view = std::make_unique<CModelView>(doc, settings, store, prompt, chooser, &clipboard);
        view->resize(800, 600);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        EXPECT_TRUE(view->EnsureDevice());
        view->installEventFilter(&counter);
        Settle();
    }
    ~ViewTest() override { view->Shutdown(); }

    // Lets every pending paint happen.
    void Settle() {
        for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    }
    // A key as the window system reports it, with the text it types.
    void Key(int key, const QString& text, Qt::KeyboardModifiers m = Qt::NoModifier,
             bool autoRepeat = false) {
        QKeyEvent press(QEvent::KeyPress, key, m, text, autoRepeat);
        QApplication::sendEvent(view.get(), &press);
    }
    void Release(int key, bool autoRepeat = false) {
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(), autoRepeat);
        QApplication::sendEvent(view.get(), &release);
    }
    void Wheel(QPoint at, int delta) {
        QWheelEvent wheel(at, view->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.get(), &wheel);
    }
    QPoint InThreeDPane() const {
        const Rect r = view->Screens().layout.ThreeDPane();
        return {r.left + r.Width() / 2, r.top + r.Height() / 2};
    }
    rm::Vector3 Camera() const {
        return view->Pane().device.camera->Position(view->Pane().device.root);
    }
    uint64_t Frames() const { return view->Pane().device.framesRendered; }
    // A small grid of points and the triangles between them, shown in the pane.
    void LoadGrid() {
        std::vector<std::string> points, faces;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                points.push_back(model::FormatVector(0.5f * x, 0.5f * y, 0.0f));
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) {
                const int a = y * 4 + x;
                faces.push_back(std::to_string(a) + ", " + std::to_string(a + 4) + ", " +
                                std::to_string(a + 1));
            }
        doc.model.points.ReplaceLines(points);
        doc.model.faces.ReplaceLines(faces);
        view->RefreshViews();
        Settle();
    }

    testing_support::MemorySettings store;
    testing_support::ScriptedPrompt prompt;
    NoChooser chooser;
    MemoryClipboard clipboard;
    CModelDoc doc{prompt, chooser};
    ModellerSettings settings;
    std::unique_ptr<CModelView> view;
    PaintCounter counter;
};

TEST_F(ViewTest, LettersAreTypedAndDeleteTypesNothing) {
    for (const char* s : {"x", "c", "v", "z", "X", "C", "V", "Z"})
        Key(QKeySequence(QString(s).toUpper())[0].key(), s,
            QChar(s[0]).isUpper() ? Qt::ShiftModifier : Qt::NoModifier);
    EXPECT_EQ(doc.model.points.GetLine(0), "xcvzXCVZ");
    Key(Qt::Key_Home, {});
    Key(Qt::Key_Delete, QString(QChar(0x7F)));
    Key(Qt::Key_End, {});
    Key(Qt::Key_Delete, QString(QChar(0x7F)));
    EXPECT_EQ(doc.model.points.GetLine(0), "cvzXCVZ");
    EXPECT_TRUE(doc.IsModified());

    // The same in the face screen; the menu's keys still cut and paste.
    Key(Qt::Key_F2, {});
    for (const char* s : {"z", "v"}) Key(QKeySequence(QString(s).toUpper())[0].key(), s);
    Key(Qt::Key_Left, {}, Qt::ShiftModifier);
    Key(Qt::Key_X, QString(QChar(0x18)), Qt::ControlModifier);
    EXPECT_EQ(doc.model.faces.GetLine(0), "z");
    EXPECT_EQ(clipboard.text, "v");
    Key(Qt::Key_V, QString(QChar(0x16)), Qt::ControlModifier);
    EXPECT_EQ(doc.model.faces.GetLine(0), "zv");
}

TEST_F(ViewTest, PastedOrCutLinesAreNotClosedAwayWithoutTheSaveQuestion) {
    std::string lines;
    for (int i = 0; i < 1200; ++i) lines += model::FormatVector(float(i), 0, 1) + "\r\n";
    clipboard.text = lines;
    view->OnPaste();
    EXPECT_EQ(doc.model.points.GetLine(1199), "1199, 0, 1");
    EXPECT_TRUE(doc.IsModified());
    doc.OnFileClose();  // answered No: the lines go after the question
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].buttons, shell::Buttons::YesNoCancel);
    EXPECT_FALSE(doc.IsModified());

    doc.model.points.ReplaceLines({"1, 2, 3"});
    view->RefreshViews();
    view->OnSelectAllPoints();
    view->OnCut();
    EXPECT_EQ(doc.model.points.GetLine(0), "");
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(ViewTest, AnIdleViewNeitherPaintsNorRenders) {
    LoadGrid();
    for (bool focused : {true, false}) {
        SCOPED_TRACE(focused);
        if (focused)
            view->setFocus();
        else
            view->clearFocus();  // as behind a message box
        Settle();
        counter.paints = 0;
        const uint64_t frames = Frames();
        QTest::qWait(300);
        EXPECT_EQ(counter.paints, 0);
        EXPECT_EQ(Frames(), frames);
    }
}

TEST_F(ViewTest, AKeystrokeRepaintsItsRowAndShowsTheLastPicture) {
    LoadGrid();
    const QImage before = view->grab().toImage();
    const uint64_t frames = Frames();
    Key(Qt::Key_End, {});
    Key(Qt::Key_5, "5");
    Settle();
    EXPECT_EQ(doc.model.points.GetLine(0), "0, 0, 05");
    EXPECT_EQ(Frames(), frames);
    // The pane shows the same picture, the point row the new text.
    const Rect pane = view->Screens().layout.ThreeDPane();
    const QImage after = view->grab().toImage();
    const QRect paneRect(pane.left, pane.top, pane.Width(), pane.Height());
    EXPECT_EQ(after.copy(paneRect), before.copy(paneRect));
    EXPECT_NE(after.copy(0, 0, 200, 20), before.copy(0, 0, 200, 20));

    // Enter after a change renders the one frame the edit asks for.
    Key(Qt::Key_Return, "\r");
    Settle();
    EXPECT_EQ(Frames(), frames + 1);
    // A resized window renders again.
    view->resize(900, 650);
    Settle();
    view->grab();
    EXPECT_GT(Frames(), frames + 1);
}

TEST_F(ViewTest, TwoHeldArrowKeysMoveTheCameraDiagonally) {
    viewport::NavigationSettings n = view->Navigator().Settings();
    n.lookAtOnePoint = false;  // plain moves in the camera's own plane
    view->Navigator().ApplySettings(n);
    Key(Qt::Key_F2, {});
    Key(Qt::Key_F2, {});
    ASSERT_EQ(view->Screens().state.focus, kFocus3D);

    // Moves measured along the camera's own right and up axes.
    rm::Vector3 d, u;
    view->Pane().device.camera->GetOrientation(view->Pane().device.root, d, u);
    const rm::Vector3 right = rm::Normalize(rm::Cross(u, d));
    auto along = [&](rm::Vector3 move) {
        return std::array<float, 3>{rm::Dot(move, right), rm::Dot(move, u), rm::Dot(move, d)};
    };

    Key(Qt::Key_Up, {});
    const rm::Vector3 start = Camera();
    Key(Qt::Key_Right, {});
    Release(Qt::Key_Right, true);  // the window system's repeat of the last key
    Key(Qt::Key_Right, {}, Qt::NoModifier, true);
    // Reverse mode (the default) turns each step the other way: 0.05 left and down twice.
    auto moved = along(Camera() - start);
    EXPECT_NEAR(moved[0], -0.1f, 1e-5f);
    EXPECT_NEAR(moved[1], -0.1f, 1e-5f);
    EXPECT_NEAR(moved[2], 0.0f, 1e-5f);

    Release(Qt::Key_Up);
    const rm::Vector3 before = Camera();
    Key(Qt::Key_Right, {}, Qt::NoModifier, true);
    moved = along(Camera() - before);
    EXPECT_NEAR(moved[0], -0.05f, 1e-5f);
    EXPECT_NEAR(moved[1], 0.0f, 1e-5f);
}

TEST_F(ViewTest, TheWheelMovesTheCameraTowardWhatItLooksAtInThePaneOnly) {
    // The first frame aims the camera at the gaze point (the origin).
    const float start = rm::Length(Camera());
    Wheel(InThreeDPane(), 120);
    EXPECT_NEAR(rm::Length(Camera()), start - 0.01f, 1e-4f);  // one row of Shift-drag
    Wheel(InThreeDPane(), -360);
    EXPECT_NEAR(rm::Length(Camera()), start + 0.02f, 1e-4f);

    viewport::NavigationSettings n = view->Navigator().Settings();
    n.speed = 10.0f;
    view->Navigator().ApplySettings(n);
    const float before = rm::Length(Camera());
    Wheel(InThreeDPane(), 120);
    EXPECT_NEAR(rm::Length(Camera()), before - 0.1f, 1e-4f);

    const rm::Vector3 still = Camera();
    Wheel(QPoint(100, 100), 120);                 // over the point screen
    Wheel(QPoint(InThreeDPane().x(), 500), 120);  // over the face screen
    EXPECT_EQ(Camera(), still);
}

}  // namespace
