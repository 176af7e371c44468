// One application object for the whole test program (clipboard, dialogs and paths need it).
#pragma once

#include <QApplication>

namespace qtshell::testing {

inline QApplication& App() {
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    // Run straight from a shell as well as under ctest, which sets this already.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

}  // namespace qtshell::testing
