#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/file_filters.h"
#include "platform/qt/file_filter.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_prompt.h"
#include "qt_app.h"

namespace qtshell {
namespace {

TEST(FileFilter, ConvertsTheOldFilterTextsIntoQtNameFilters) {
    EXPECT_EQ(ToQtNameFilters("Mokkel (*.mkl)|*.mkl|DirectX (*.x)|*.x||"),
              (QStringList{"Mokkel (*.mkl) (*.mkl)", "DirectX (*.x) (*.x)"}));
    EXPECT_EQ(
        ToQtNameFilters("画像ファイル( *.bmp; *.ppm; *.jpg; *.jpeg )|*.bmp;*.ppm;*.jpg;*.jpeg|"
                        "全てのファイル(*.*)|*.*||"),
        (QStringList{"画像ファイル( *.bmp; *.ppm; *.jpg; *.jpeg ) (*.bmp *.ppm *.jpg *.jpeg)",
                     "全てのファイル(*.*) (*)"}));
    // The caption's own pattern text is never used: the pattern field decides.
    EXPECT_EQ(
        ToQtNameFilters("ビットマップ(*.bmp)|*.bmp|jpegファイル(*.jpg;*jpeg)|*.jpg;*.jpeg||"),
        (QStringList{"ビットマップ(*.bmp) (*.bmp)", "jpegファイル(*.jpg;*jpeg) (*.jpg *.jpeg)"}));
    // Missing terminator, an incomplete pair, empty patterns, nothing at all.
    EXPECT_EQ(ToQtNameFilters("A|*.a|B"), QStringList{"A (*.a)"});
    EXPECT_EQ(ToQtNameFilters("A| ; |B|*.b||"), QStringList{"B (*.b)"});
    EXPECT_TRUE(ToQtNameFilters("||").isEmpty());
}

TEST(FileFilter, SavedNameTakesTheChosenFiltersExtensionWhenItHasNone) {
    const std::string model =
        "Mokkel形式 (*.mkl)|*.mkl|Ｘファイル (*.x)|*.x|glTF バイナリ (*.glb)|*.glb|"
        "glTF (*.gltf)|*.gltf|Wavefront OBJ (*.obj)|*.obj||";
    const std::string image = "ビットマップ(*.bmp)|*.bmp|jpegファイル(*.jpg;*jpeg)|*.jpg;*.jpeg||";
    const std::string any = "すべてのﾌｧｲﾙ (*.*)|*.*|A| ; |B|*.b||";
    struct Case {
        const std::string& filter;
        int index;
        const char* typed;
        const char* expected;
    } cases[] = {
        {model, 0, "/home/u/cube", "/home/u/cube.mkl"},
        {model, 2, "/home/u/cube", "/home/u/cube.glb"},
        {model, 4, "/home/u/cube", "/home/u/cube.obj"},
        {model, 4, "/home/u/cube.mkl", "/home/u/cube.mkl"},  // typed extension kept
        {model, 2, "/home/u/cube.", "/home/u/cube.glb"},     // trailing period not doubled
        {model, 1, "/home/u.d/cube", "/home/u.d/cube.x"},    // periods of folders do not count
        {model, 9, "/home/u/cube", "/home/u/cube.stg"},      // no such filter: the default
        {model, -1, "/home/u/cube", "/home/u/cube.stg"},
        {image, 1, "/home/u/shot", "/home/u/shot.jpg"},  // the first of several patterns
        {any, 0, "/home/u/notes", "/home/u/notes.stg"},  // every file: the default
        {any, 1, "/home/u/notes", "/home/u/notes.b"},    // the pattern-less pair is not counted
        {model, 2, "/home/u/", "/home/u/"},              // no name at all
    };
    for (const Case& c : cases)
        EXPECT_EQ(shell::SavePathFor(c.filter, c.index, c.typed, ".stg"), c.expected)
            << c.typed << " under filter " << c.index;
    EXPECT_EQ(shell::SavePathFor(any, 0, "/home/u/notes", ""), "/home/u/notes");
}

// Presses a button of the message box once it is shown, recording what the box showed.
struct Presser {
    explicit Presser(QMessageBox::StandardButton b) : button(b) {}
    QMessageBox::StandardButton button;
    QString title, text;
    int buttonCount = 0;

    void Arm() {
        QTimer::singleShot(0, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            title = box->windowTitle();
            text = box->text();
            buttonCount = int(box->buttons().size());
            box->button(button)->click();
        });
    }
};

TEST(QtPrompt, ShowsTheTextsAndReturnsThePressedButton) {
    testing::App();
    NameApplication("Mokkel");
    QtPrompt prompt;

    Presser no{QMessageBox::No};
    no.Arm();
    EXPECT_EQ(prompt.Ask("変更を保存しますか？", "確認", shell::Buttons::YesNoCancel),
              shell::Answer::No);
    EXPECT_EQ(no.title, QStringLiteral("確認"));
    EXPECT_EQ(no.text, QStringLiteral("変更を保存しますか？"));
    EXPECT_EQ(no.buttonCount, 3);

    Presser ok{QMessageBox::Ok};
    ok.Arm();
    prompt.Tell("Error!");
    EXPECT_EQ(ok.title, QStringLiteral("Mokkel"));  // empty caption: the program's name
    EXPECT_EQ(ok.buttonCount, 1);
}

}  // namespace
}  // namespace qtshell

namespace qtshell {
namespace {

TEST(QtFileChooser, DialogShowsTheRequestAndAddsTheDefaultExtension) {
    testing::App();
    QTemporaryDir dir;
    QtFileChooser chooser;
    shell::FileRequest request;
    request.save = true;
    request.title = "名前を付けて保存";
    request.filter = "ビットマップ(*.bmp)|*.bmp|jpegファイル(*.jpg;*jpeg)|*.jpg;*.jpeg||";
    request.initialDirectory = dir.path().toStdString();
    request.defaultExtension = "bmp";

    QString title, directory;
    QStringList filters;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        filters = dialog->nameFilters();
        dialog->selectFile(QStringLiteral("shot"));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog hides it
    });
    auto chosen = chooser.Choose(request);
    EXPECT_EQ(title, QStringLiteral("名前を付けて保存"));
    EXPECT_EQ(directory, QDir(dir.path()).absolutePath());
    EXPECT_EQ(filters.size(), 2);
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen,
              (QDir(dir.path()).absolutePath() + QStringLiteral("/shot.bmp")).toStdString());

    // The user picks the second filter: a bare name gets its extension, and the dialog's own
    // overwrite question is about that file.
    QString suffix;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        ASSERT_NE(types, nullptr);
        QTest::keyClick(types, Qt::Key_Down);
        suffix = dialog->defaultSuffix();
        dialog->selectFile(QStringLiteral("shot"));
        static_cast<QDialog*>(dialog)->accept();
    });
    chosen = chooser.Choose(request);
    EXPECT_EQ(suffix, QStringLiteral("jpg"));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(*chosen,
              (QDir(dir.path()).absolutePath() + QStringLiteral("/shot.jpg")).toStdString());

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(chooser.Choose(request), std::nullopt);  // cancelled
}

}  // namespace
}  // namespace qtshell
