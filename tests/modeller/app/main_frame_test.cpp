#include "modeller/app/main_frame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QWindow>

#include "modeller/app/about_dialog.h"
#include "modeller/app/command_table.h"
#include "modeller/app/help_address.h"
#include "platform/fileio/resource_dir.h"
#include "platform/qt/qt_help_opener.h"
#include "tests/support/memory_settings.h"

namespace {

using namespace modeller;
using testing_support::MemorySettings;

QApplication& App() {
    static int argc = 1;
    static char name[] = "modeller_app_qt_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

std::string S(const QString& s) {
    return s.toStdString();
}

class RecordingHelp : public shell::HelpOpener {
public:
    std::vector<std::string> addresses;
    bool Open(std::string_view address) override {
        addresses.emplace_back(address);
        return true;
    }
};

class ScriptedChooser : public shell::FileChooser {
public:
    std::optional<std::string> answer;
    std::vector<shell::FileRequest> requests;
    std::optional<std::string> Choose(const shell::FileRequest& request) override {
        requests.push_back(request);
        return answer;
    }
};

class MainFrameTest : public ::testing::Test {
protected:
    MainFrameTest() { App(); }

    FrameServices Services() {
        FrameServices s;
        s.settings = &settings;
        s.help = &help;
        s.files = &chooser;
        s.programDirectory = "/prog";
        return s;
    }

    // The file menu's recent block: the items between the separators around it.
    std::vector<QAction*> RecentItems(CMainFrame& frame) {
        std::vector<QAction*> items;
        QList<QAction*> all = frame.Menu(TopMenu::File)->actions();
        int separators = 0;
        for (QAction* a : all) {
            if (a->isSeparator()) {
                ++separators;
            } else if (separators == 2) {
                items.push_back(a);
            }
        }
        return items;
    }

    MemorySettings settings;
    RecordingHelp help;
    ScriptedChooser chooser;
};

TEST_F(MainFrameTest, MenusFollowTheCommandTable) {
    CMainFrame frame(Services());
    QList<QAction*> tops = frame.menuBar()->actions();
    ASSERT_EQ(tops.size(), static_cast<qsizetype>(std::size(kTopMenus)));
    for (size_t m = 0; m < std::size(kTopMenus); ++m) {
        const TopMenu top = kTopMenus[m];
        EXPECT_EQ(S(tops[static_cast<qsizetype>(m)]->text()), TopMenuTitle(top));
        QList<QAction*> items = frame.Menu(top)->actions();
        std::span<const int> layout = MenuLayout(top);
        ASSERT_EQ(items.size(), static_cast<qsizetype>(layout.size())) << TopMenuTitle(top);
        for (size_t i = 0; i < layout.size(); ++i) {
            QAction* item = items[static_cast<qsizetype>(i)];
            if (layout[i] == kSeparator) {
                EXPECT_TRUE(item->isSeparator());
                continue;
            }
            const Command& c = *FindCommand(layout[i]);
            EXPECT_EQ(item->data().toInt(), c.id);
            EXPECT_EQ(S(item->text()), MenuText(c));
            EXPECT_EQ(item->isCheckable(), c.checkable) << c.id;
            EXPECT_EQ(frame.Action(c.id), item);
        }
    }
}

TEST_F(MainFrameTest, CommandsNeedAHandlerAndTheirStage) {
    CMainFrame frame(Services());
    for (int id : {cmd::kExit, cmd::kHelpFinder, cmd::kAbout, cmd::kToolbar}) {
        EXPECT_TRUE(frame.Action(id)->isEnabled()) << id;  // built in
    }
    for (int id : {cmd::kOpen, cmd::kSave, cmd::kRefresh, cmd::kNew, cmd::kUndo}) {
        EXPECT_FALSE(frame.IsEnabled(id)) << id;  // nobody has registered yet
    }
    int ran = 0;
    // Commands whose feature has not arrived, and one switched off, stay off with a handler.
    frame.SetEnabled(cmd::kRevolve, false);
    std::vector<int> off{cmd::kRevolve};
    for (const Command& c : Commands())
        if (c.stage == Stage::Later && c.id != cmd::kRevolve) off.push_back(c.id);
    for (int id : off) {
        frame.SetHandler(id, [&ran] { ++ran; });
        EXPECT_FALSE(frame.Action(id)->isEnabled()) << id;
        EXPECT_FALSE(frame.Dispatch(id)) << id;
    }
    EXPECT_EQ(ran, 0);
    frame.SetEnabled(cmd::kRevolve, true);  // switched on again
    EXPECT_TRUE(frame.Action(cmd::kRevolve)->isEnabled());
    EXPECT_TRUE(frame.Dispatch(cmd::kRevolve));
    EXPECT_EQ(ran, 1);
}

TEST_F(MainFrameTest, HandlersRunFromMenuKeysAndDispatch) {
    CMainFrame frame(Services());
    std::vector<int> ran;
    for (int id : {cmd::kSave, cmd::kOpen, cmd::kNextPane, cmd::kPrevPane, cmd::kCut}) {
        frame.SetHandler(id, [&ran, id] { ran.push_back(id); });
    }
    EXPECT_TRUE(frame.Action(cmd::kSave)->isEnabled());
    frame.Action(cmd::kOpen)->trigger();
    EXPECT_TRUE(frame.Dispatch(cmd::kSave));
    EXPECT_EQ(ran, (std::vector<int>{cmd::kOpen, cmd::kSave}));

    frame.SetEnabled(cmd::kSave, false);
    EXPECT_FALSE(frame.Action(cmd::kSave)->isEnabled());
    EXPECT_FALSE(frame.Dispatch(cmd::kSave));
    frame.SetEnabled(cmd::kSave, true);
    frame.SetHandler(cmd::kOpen, {});
    EXPECT_FALSE(frame.Action(cmd::kOpen)->isEnabled());
    EXPECT_FALSE(frame.Dispatch(cmd::kOpen));

    // Real key presses on the shown window. The menu items only show their keys: binding
    // them as well would make Ctrl+S ambiguous and fire nothing.
    for (const Command& c : Commands()) {
        if (QAction* item = frame.Action(c.id)) {
            EXPECT_TRUE(item->shortcut().isEmpty()) << c.id;
        }
    }
    frame.SetEnabled(cmd::kCut, true);
    ran.clear();
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
    QTest::keyClick(&frame, Qt::Key_F6);
    QTest::keyClick(&frame, Qt::Key_F6, Qt::ShiftModifier);
    QTest::keyClick(&frame, Qt::Key_Delete, Qt::ShiftModifier);
    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);  // framework open, no file chosen
    QTest::keyClick(&frame, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(&frame, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(&frame, Qt::Key_Backspace, Qt::AltModifier);
    EXPECT_EQ(ran, (std::vector<int>{cmd::kSave, cmd::kNextPane, cmd::kPrevPane, cmd::kCut}));
    EXPECT_EQ(chooser.requests.size(), 1u);
    QTest::keyClick(&frame, Qt::Key_F1);
    QTest::keyClick(&frame, Qt::Key_F1, Qt::ShiftModifier);
    EXPECT_EQ(help.addresses, (std::vector<std::string>{"/prog/Mokkel.chm::/main_window.htm",
                                                        "/prog/Mokkel.chm::/main_window.htm"}));
}

TEST_F(MainFrameTest, ToolbarSharesTheMenuActionsInOrder) {
    CMainFrame frame(Services());
    QList<QAction*> buttons = frame.ToolBar()->actions();
    std::span<const ToolButton> layout = ToolbarLayout();
    ASSERT_EQ(buttons.size(), static_cast<qsizetype>(layout.size()));
    for (size_t i = 0; i < layout.size(); ++i) {
        QAction* button = buttons[static_cast<qsizetype>(i)];
        if (layout[i].id == kSeparator) {
            EXPECT_TRUE(button->isSeparator());
            continue;
        }
        EXPECT_EQ(button, frame.Action(layout[i].id));
        // The icons are compiled in; a missing one gives an empty pixmap.
        QPixmap pixmap = button->icon().pixmap(QSize(16, 15));
        EXPECT_EQ(pixmap.size(), QSize(16, 15)) << layout[i].icon;
    }
    EXPECT_EQ(S(frame.Action(cmd::kOpen)->toolTip()), "開く");

    // The view menu's switch hides and shows the toolbar and tells which.
    EXPECT_TRUE(frame.IsChecked(cmd::kToolbar));
    EXPECT_TRUE(frame.Dispatch(cmd::kToolbar));
    EXPECT_TRUE(frame.ToolBar()->isHidden());
    EXPECT_FALSE(frame.IsChecked(cmd::kToolbar));
    frame.Action(cmd::kToolbar)->trigger();
    EXPECT_FALSE(frame.ToolBar()->isHidden());
    EXPECT_TRUE(frame.IsChecked(cmd::kToolbar));
    frame.SetChecked(cmd::kPlanePaint, true);
    EXPECT_TRUE(frame.IsChecked(cmd::kPlanePaint));
}

TEST_F(MainFrameTest, TitleOfAModifiedModelAndAfterSaving) {
    CMainFrame frame(Services());
    frame.winId();  // the native window carries the title as the desktop shows it
    auto shown = [&frame] { return S(frame.windowHandle()->title()); };
    EXPECT_EQ(shown(), "Mokkel");
    frame.SetTitle("house.mkl");
    EXPECT_EQ(shown(), "Mokkel  [house.mkl]");
    frame.SetModified(true);
    EXPECT_EQ(shown(), "Mokkel  [house.mkl *]");
    frame.SetModified(false);  // saved
    EXPECT_EQ(shown(), "Mokkel  [house.mkl]");
    frame.SetModified(true);
    frame.SetTitle("");  // closed
    EXPECT_EQ(shown(), "Mokkel");
    // Qt would read "[*]" as its own marker and drop it from the name.
    frame.SetTitle("a[*].mkl");
    frame.SetModified(false);
    EXPECT_EQ(shown(), "Mokkel  [a[*].mkl]");
}

TEST_F(MainFrameTest, RecentFilesInTheFileMenu) {
    CMainFrame frame(Services());
    std::vector<QAction*> items = RecentItems(frame);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(S(items[0]->text()), "最近使ったﾌｧｲﾙ");
    EXPECT_FALSE(items[0]->isEnabled());

    for (const char* p : {"/m/gone.mkl", "/prog/b.mkl", "/m/c.x", "/m/d.mkl", "/m/e.mkl"}) {
        frame.AddRecentFile(p);
    }
    EXPECT_FALSE(frame.IsEnabled(cmd::kRecentFirst));  // no open path yet
    std::vector<std::string> opened;
    frame.SetOpenPathHandler([&](const std::string& path) {
        opened.push_back(path);
        if (path == "/m/c.x") return false;
        frame.AddRecentFile(path);  // what the document does after a good open
        return true;
    });
    items = RecentItems(frame);
    ASSERT_EQ(items.size(), 4u);
    const char* texts[] = {"&1 /m/e.mkl", "&2 /m/d.mkl", "&3 /m/c.x", "&4 b.mkl"};
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(S(items[i]->text()), texts[i]);
        EXPECT_EQ(items[i]->data().toInt(), cmd::kRecentFirst + static_cast<int>(i));
        EXPECT_TRUE(items[i]->isEnabled());
    }
    EXPECT_EQ(settings.strings.at({"Recent File List", "File4"}), "/prog/b.mkl");

    items[3]->trigger();                                 // opens and moves up
    EXPECT_TRUE(frame.Dispatch(cmd::kRecentFirst + 3));  // now c.x, which fails and goes
    EXPECT_EQ(opened, (std::vector<std::string>{"/prog/b.mkl", "/m/c.x"}));
    EXPECT_EQ(frame.RecentFiles().Paths(),
              (std::vector<std::string>{"/prog/b.mkl", "/m/e.mkl", "/m/d.mkl"}));
    EXPECT_EQ(RecentItems(frame).size(), 3u);
    EXPECT_FALSE(frame.Dispatch(cmd::kRecentFirst + 3));
    EXPECT_EQ(settings.strings.at({"Recent File List", "File4"}), "");

    // The next run starts with the same list.
    CMainFrame next(Services());
    EXPECT_EQ(next.RecentFiles().Paths(), frame.RecentFiles().Paths());
}

TEST_F(MainFrameTest, CtrlOOpensThroughTheFrameworkPath) {
    CMainFrame frame(Services());
    std::vector<std::string> opened;
    frame.SetOpenPathHandler([&opened](const std::string& path) {
        opened.push_back(path);
        return true;
    });
    EXPECT_TRUE(frame.Dispatch(cmd::kFrameworkOpen));  // cancelled
    EXPECT_TRUE(opened.empty());
    chooser.answer = "/m/picked.x";
    EXPECT_TRUE(frame.Dispatch(cmd::kFrameworkOpen));
    EXPECT_EQ(opened, (std::vector<std::string>{"/m/picked.x"}));
    ASSERT_EQ(chooser.requests.size(), 2u);
    EXPECT_FALSE(chooser.requests[0].save);
    EXPECT_EQ(chooser.requests[0].filter, "すべてのﾌｧｲﾙ (*.*)|*.*||");
}

TEST_F(MainFrameTest, HelpOpensTheShippedPages) {
    CMainFrame frame(Services());
    EXPECT_TRUE(frame.Dispatch(cmd::kHelpFinder));
    EXPECT_EQ(help.addresses, (std::vector<std::string>{"/prog/Mokkel.chm"}));

    // Through the Qt opener onto the pages in resources/help.
    std::vector<QUrl> shown;
    const std::string resources = fileio::DefaultResourceDir(MOKKEL_BINARY_DIR, "Mokkel");
    ASSERT_FALSE(resources.empty());
    qtshell::QtHelpOpener pages(resources + "/help", [&shown](const QUrl& url) {
        shown.push_back(url);
        return true;
    });
    FrameServices s = Services();
    s.help = &pages;
    CMainFrame real(s);
    EXPECT_TRUE(real.ShowHelp(""));
    EXPECT_TRUE(real.ShowHelp(kMainWindowHelpPage));
    EXPECT_FALSE(real.ShowHelp("no_such_page.htm"));
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_TRUE(shown[0].toLocalFile().endsWith("/resources/help/Mokkel/index.htm"));
    EXPECT_TRUE(shown[1].toLocalFile().endsWith("/resources/help/Mokkel/main_window.htm"));
}

TEST_F(MainFrameTest, CloseAsksFirstAndExitCloses) {
    CMainFrame frame(Services());
    frame.show();
    bool allow = false;
    int asked = 0;
    frame.SetCloseQuery([&] {
        ++asked;
        return allow;
    });
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    EXPECT_TRUE(frame.Dispatch(cmd::kExit));
    EXPECT_TRUE(frame.isVisible());
    allow = true;
    EXPECT_TRUE(frame.Dispatch(cmd::kExit));
    EXPECT_FALSE(frame.isVisible());
    EXPECT_EQ(asked, 3);
}

TEST_F(MainFrameTest, ViewAndAboutBox) {
    CMainFrame frame(Services());
    auto* view = new QWidget;
    frame.SetView(view);
    EXPECT_EQ(frame.centralWidget(), view);

    // The About command shows it modally; close it from inside its event loop.
    std::string seen;
    QTimer::singleShot(0, [&seen] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            seen = S(dialog->windowTitle());
            for (QLabel* label : dialog->findChildren<QLabel*>()) {
                if (!label->text().isEmpty()) seen += "|" + S(label->text());
            }
        }
        // Close whatever dialog is up, so a failure cannot hang the test.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<QDialog*>(w); dialog && dialog->isVisible()) {
                dialog->accept();
            }
        }
    });
    EXPECT_TRUE(frame.Dispatch(cmd::kAbout));
    EXPECT_EQ(seen, "Mokkel のﾊﾞｰｼﾞｮﾝ情報|Mokkel ﾊﾞｰｼﾞｮﾝ 1.0|" + std::string(kAboutDescription));
}

}  // namespace
