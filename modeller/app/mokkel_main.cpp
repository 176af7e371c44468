// Mokkel: the application object and its start-up order.
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QTimer>

#include "modeller/app/command_table.h"
#include "modeller/app/main_frame.h"
#include "modeller/app/program_identity.h"
#include "modeller/app/resource_dir.h"
#include "modeller/app/settings.h"
#include "modeller/document/model_doc.h"
#include "modeller/view/model_view.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_help_opener.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_settings_store.h"

using namespace modeller;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Mokkel");
    QApplication::setApplicationDisplayName("Mokkel");

    // The directory current at start-up holds the help file and is the dialogs' last resort.
    const std::string programDirectory = QDir::currentPath().toStdString();
    const std::string resources =
        DefaultResourceDir(QCoreApplication::applicationDirPath().toStdString());

    qtshell::QtSettingsStore store("Mokkel");
    qtshell::QtPrompt prompt(nullptr);
    qtshell::QtFileChooser chooser(nullptr);
    qtshell::QtHelpOpener help(resources + "/help");
    qtshell::QtClipboard clipboard;

    ModellerSettings settings;
    CModelDoc doc(prompt, chooser);
    doc.programDirectory = programDirectory;
    CMainFrame frame(FrameServices{&store, &help, &chooser, programDirectory});
    auto* view = new CModelView(doc, settings, store, prompt, chooser, &clipboard);
    frame.SetView(view);

    frame.SetHandler(cmd::kOpen, [&] { doc.OnFileOpen(); });
    frame.SetHandler(cmd::kSave, [&] { doc.OnFileSave(); });
    frame.SetHandler(cmd::kSaveAs, [&] { doc.OnFileSaveAs(); });
    frame.SetHandler(cmd::kClose, [&] { doc.OnFileClose(); });
    frame.SetHandler(cmd::kSaveImage, [view] { view->OnSaveViewImage(); });
    frame.SetHandler(cmd::kRefresh, [view] { view->OnRefresh(); });
    frame.SetHandler(cmd::kCut, [view] { view->OnCut(); });
    frame.SetHandler(cmd::kCopy, [view] { view->OnCopy(); });
    frame.SetHandler(cmd::kPaste, [view] { view->OnPaste(); });
    frame.SetHandler(cmd::kSelectAllPoints, [view] { view->OnSelectAllPoints(); });
    frame.SetHandler(cmd::kSelectAllFaces, [view] { view->OnSelectAllFaces(); });
    frame.SetOpenPathHandler([&](const std::string& path) { return doc.OpenDocumentFile(path); });
    frame.SetCloseQuery([&] {
        if (!doc.IsModified()) return true;
        switch (prompt.Ask(model::kAskSaveText, {}, shell::Buttons::YesNoCancel)) {
            case shell::Answer::Yes:
                doc.OnFileSave();
                return !doc.IsModified();
            case shell::Answer::Cancel:
                return false;
            default:
                return true;
        }
    });
    view->titleChanged = [&] {
        frame.SetTitle(doc.Title());
        frame.SetModified(doc.IsModified());
    };
    view->recentFileAdded = [&](const std::string& path) { frame.AddRecentFile(path); };
    view->closeRequested = [&] { frame.close(); };

    frame.SetTitle("");
    // Maximised; the size is given too, for desktops without a window manager to do it.
    if (QScreen* screen = QGuiApplication::primaryScreen())
        frame.setGeometry(screen->availableGeometry());
    frame.showMaximized();
    // A newly shown window paints at once: the 3D pane exists before a file is opened.
    QCoreApplication::processEvents();
    view->EnsureDevice();

    const QStringList args = QCoreApplication::arguments();
    if (args.size() > 1)
        doc.OpenCommandLineFile(QFileInfo(args[1]).absoluteFilePath().toStdString());

    const int result = QApplication::exec();
    view->Shutdown();
    return result;
}
