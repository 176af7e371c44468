// Stagora, the scene studio.
#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/qt/qt_application.h"
#include "platform/qt/qt_file_chooser.h"
#include "platform/qt/qt_help_opener.h"
#include "platform/qt/qt_prompt.h"
#include "platform/qt/qt_settings_store.h"
#include "studio/app/stagora_app.h"

#ifndef STAGORA_RESOURCE_DIR
#define STAGORA_RESOURCE_DIR ""
#endif

namespace {

// The help pages beside the program when installed, else in the source tree it was built from.
std::string HelpRoot() {
    const QString exe = QCoreApplication::applicationDirPath();
    for (const QString& candidate :
         {exe + QStringLiteral("/resources"), exe + QStringLiteral("/../resources"),
          exe + QStringLiteral("/../share/mokkel"), QStringLiteral(STAGORA_RESOURCE_DIR)}) {
        if (QFileInfo::exists(candidate + QStringLiteral("/help/Stagora/index.htm")))
            return QDir(candidate).absolutePath().toStdString() + "/help";
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qtshell::NameApplication("Stagora");
    qtshell::LoadJapaneseQtTexts(app);

    // The directory current at start-up holds the help file and is the dialogs' first folder.
    const std::string programDirectory = QDir::currentPath().toStdString();
    qtshell::QtSettingsStore store("Stagora");
    qtshell::QtPrompt prompt(nullptr);
    qtshell::QtFileChooser chooser(nullptr);
    qtshell::QtHelpOpener help(HelpRoot());

    studio::StagoraApp stagora({&store, &prompt, &chooser, &help, programDirectory, {}});
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    stagora.Start(arguments);
    const int result = QApplication::exec();
    stagora.Shutdown();
    return result;
}
