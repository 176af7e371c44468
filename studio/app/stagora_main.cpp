// Stagora, the scene studio.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <string_view>

#include "platform/fileio/autosave.h"
#include "platform/fileio/resource_dir.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_help_opener.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_settings_store.h"
#include "studio/app/stagora_app.h"

int main(int argc, char** argv) {
    // Where the help pages are found, for installers and packagers; needs no display.
    if (argc == 2 && std::string_view(argv[1]) == "--help-path") {
        const std::string resources =
            fileio::DefaultResourceDir(fileio::ExecutableDir(), "Stagora");
        if (resources.empty()) return 1;
        std::printf("%s/help/Stagora\n", resources.c_str());
        return 0;
    }
    QApplication app(argc, argv);
    qtshell::NameApplication("Stagora");
    qtshell::LoadJapaneseQtTexts(app);

    // The directory current at start-up holds the help file and is the dialogs' first folder.
    const std::string programDirectory = QDir::currentPath().toStdString();
    qtshell::QtSettingsStore store("Stagora");
    qtshell::QtPrompt prompt(nullptr);
    qtshell::QtFileChooser chooser(nullptr);
    const std::string resources =
        fileio::DefaultResourceDir(QCoreApplication::applicationDirPath().toStdString(), "Stagora");
    qtshell::QtHelpOpener help(resources.empty() ? std::string() : resources + "/help");

    studio::StagoraApp stagora({&store, &prompt, &chooser, &help, programDirectory, {}});
    stagora.SetStateDirectory(fileio::StateDirectory());
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    stagora.Start(arguments);
    const int result = QApplication::exec();
    stagora.Shutdown();
    return result;
}
