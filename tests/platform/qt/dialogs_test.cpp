#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

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

TEST(FileFilter, DefaultExtensionOnlyForNamesWithoutOne) {
    EXPECT_EQ(ApplyDefaultExtension("/home/u/shot", "bmp"), "/home/u/shot.bmp");
    EXPECT_EQ(ApplyDefaultExtension("/home/u/shot.jpg", "bmp"), "/home/u/shot.jpg");
    EXPECT_EQ(ApplyDefaultExtension("/home/u.d/shot", "mkl"), "/home/u.d/shot.mkl");
    EXPECT_EQ(ApplyDefaultExtension("/home/u/", "bmp"), "/home/u/");
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

    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_EQ(chooser.Choose(request), std::nullopt);  // cancelled
}

}  // namespace
}  // namespace qtshell
