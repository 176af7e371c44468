// Mokkel, the modeller.
#include <QApplication>
#include <QDir>
#include <cstdio>
#include <string_view>

#include "modeller/app/mokkel_app.h"
#include "platform/fileio/autosave.h"
#include "platform/fileio/resource_dir.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_help_opener.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_settings_store.h"
#include "platform/text/cp932.h"

int main(int argc, char** argv) {
    // Where the help pages are found, for installers and packagers; needs no display.
    if (argc == 2 && std::string_view(argv[1]) == "--help-path") {
        const std::string resources = fileio::DefaultResourceDir(fileio::ExecutableDir(), "Mokkel");
        if (resources.empty()) return 1;
        std::printf("%s/help/Mokkel\n", resources.c_str());
        return 0;
    }
    QApplication app(argc, argv);
    qtshell::NameApplication("Mokkel");
    qtshell::LoadJapaneseQtTexts(app);

    // The directory current at start-up holds the help file and is the dialogs' last resort.
    const std::string programDirectory = QDir::currentPath().toStdString();
    const std::string resources =
        fileio::DefaultResourceDir(QCoreApplication::applicationDirPath().toStdString(), "Mokkel");
    qtshell::QtSettingsStore store("Mokkel");
    qtshell::QtPrompt prompt(nullptr);
    qtshell::QtFileChooser chooser(nullptr);
    qtshell::QtClipboard clipboard(&text::Cp932ToUtf8, &text::Utf8ToCp932);
    qtshell::QtHelpOpener help(resources + "/help");

    modeller::MokkelApp mokkel({&store, &prompt, &chooser, &clipboard, &help, programDirectory});
    mokkel.SetStateDirectory(fileio::StateDirectory());
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    mokkel.Start(arguments);
    const int result = QApplication::exec();
    mokkel.Shutdown();
    return result;
}
