// Shows the main window with a blank view, for looking at it (under xvfb-run as well):
//   frame_preview [menu-index]   opens that top-level menu (0 = file) once the window is up;
//   frame_preview about          shows the About box.
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTimer>

#include "modeller/app/main_frame.h"
#include "platform/fileio/resource_dir.h"
#include "platform/qt/qt_help_opener.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const std::string resources =
        fileio::DefaultResourceDir(QCoreApplication::applicationDirPath().toStdString(), "Mokkel");
    qtshell::QtHelpOpener help(resources + "/help");
    modeller::FrameServices services;
    services.help = &help;
    services.programDirectory = "/home/user/models";
    modeller::CMainFrame frame(services);
    frame.SetOpenPathHandler([](const std::string&) { return true; });
    frame.AddRecentFile("/home/user/models/daily/table.x");
    frame.AddRecentFile("/home/user/models/house.mkl");
    frame.SetTitle("house.mkl");
    frame.SetModified(true);
    auto* view = new QLabel(QStringLiteral("view"));
    view->setAlignment(Qt::AlignCenter);
    view->setAutoFillBackground(true);
    frame.SetView(view);
    frame.resize(760, 420);  // a bare X server has no window manager to maximise it
    frame.showMaximized();
    if (argc > 1 && std::string(argv[1]) == "about") {
        QTimer::singleShot(500, [&frame] { frame.ShowAbout(); });
    } else if (argc > 1) {
        const int index = std::atoi(argv[1]);
        QTimer::singleShot(500, [&frame, index] {
            QList<QAction*> menus = frame.menuBar()->actions();
            if (index >= 0 && index < menus.size()) frame.menuBar()->setActiveAction(menus[index]);
        });
    }
    return app.exec();
}
