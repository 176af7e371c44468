#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <string_view>

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

#include "platform/qt/help_address.h"
#include "platform/qt/qt_application.h"
#include "platform/qt/qt_help_opener.h"
#include "platform/qt/qt_help_window.h"
#include "qt_app.h"

namespace qtshell {
namespace {

TEST(HelpAddress, MapsTheCompiledHelpAddressOntoAPage) {
    auto page = MapHelpAddress("/opt/mokkel/Mokkel.chm::/dlg_rittaika.htm", "/r/help");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->file, "/r/help/Mokkel/dlg_rittaika.htm");
    EXPECT_EQ(page->fragment, "");

    page = MapHelpAddress("C:\\Prog\\Stagora.CHM::/sub\\a.htm#top", "/r/help/");
    ASSERT_TRUE(page);
    EXPECT_EQ(page->file, "/r/help/Stagora/sub/a.htm");
    EXPECT_EQ(page->fragment, "top");

    page = MapHelpAddress("/opt/mokkel/Mokkel.chm", "/r/help");  // the default page
    ASSERT_TRUE(page);
    EXPECT_EQ(page->file, "/r/help/Mokkel/index.htm");

    EXPECT_FALSE(MapHelpAddress("/opt/mokkel/Mokkel.hlp::/a.htm", "/r"));
    EXPECT_FALSE(MapHelpAddress("/opt/.chm::/a.htm", "/r"));
    EXPECT_FALSE(MapHelpAddress("/opt/Mokkel.chm::/../../etc/passwd", "/r"));
    EXPECT_FALSE(MapHelpAddress("/opt/Mokkel.chm::/", "/r"));
}

TEST(QtHelpOpener, OpensExistingPagesOnly) {
    testing::App();
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("Mokkel")));
    QFile page(root.filePath(QStringLiteral("Mokkel/dlg_zentai.htm")));
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.write("<html></html>");
    page.close();

    std::vector<QUrl> opened;
    QtHelpOpener opener(root.path().toStdString(), [&](const QUrl& url) {
        opened.push_back(url);
        return true;
    });
    EXPECT_TRUE(opener.Open("/anywhere/Mokkel.chm::/dlg_zentai.htm#ok"));
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].toLocalFile(), page.fileName());
    EXPECT_EQ(opened[0].fragment(), QStringLiteral("ok"));

    EXPECT_FALSE(opener.Open("/anywhere/Mokkel.chm::/missing.htm"));
    EXPECT_FALSE(opener.Open("/anywhere/Stagora.chm::/dlg_zentai.htm"));
    EXPECT_EQ(opened.size(), 1u);

    QtHelpOpener refusing(root.path().toStdString(), [](const QUrl&) { return false; });
    EXPECT_FALSE(refusing.Open("/anywhere/Mokkel.chm::/dlg_zentai.htm"));
}

}  // namespace
}  // namespace qtshell

namespace qtshell {
namespace {

std::string ShippedHelp() {
    return std::string(MOKKEL_SOURCE_DIR) + "/resources/help";
}

// Help must open with no desktop browser: the pages show in the program's own window, links
// between pages stay there, and the same window serves every later page.
TEST(QtHelpOpener, ShowsPagesInItsOwnWindow) {
    testing::App();
    QtHelpOpener opener(ShippedHelp());
    EXPECT_EQ(opener.Window(), nullptr);
    ASSERT_TRUE(opener.Open("/anywhere/Mokkel.chm"));
    HelpWindow* window = opener.Window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->Browser().source().fileName(), QStringLiteral("index.htm"));
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Mokkel ヘルプ"));

    ASSERT_TRUE(opener.Open("/anywhere/Mokkel.chm::/main_window.htm"));
    EXPECT_EQ(opener.Window(), window);
    EXPECT_TRUE(window->Browser().toPlainText().contains(QStringLiteral("F2")));
    EXPECT_FALSE(window->Browser().toPlainText().contains(QStringLiteral("F6")));

    window->Browser().backward();
    EXPECT_EQ(window->Browser().source().fileName(), QStringLiteral("index.htm"));
}

// Help opened from a modal dialog shows in a window the dialog does not block, and the
// window is still there, shown, after the dialog has gone.
TEST(QtHelpOpener, HelpFromAModalDialogCanBeRead) {
    testing::App();
    QtHelpOpener opener(ShippedHelp());
    QWidget* lentTo = nullptr;
    {
        QDialog dialog;
        QTimer::singleShot(0, &dialog, [&] {
            EXPECT_TRUE(opener.Open("/anywhere/Mokkel.chm::/dlg_joint.htm"));
            lentTo = opener.Window()->parentWidget();
            dialog.done(QDialog::Accepted);
        });
        dialog.exec();
        EXPECT_EQ(lentTo, &dialog);
        EXPECT_EQ(opener.Window()->parentWidget(), nullptr);
    }
    ASSERT_NE(opener.Window(), nullptr);
    EXPECT_TRUE(opener.Window()->isVisible());
    EXPECT_EQ(opener.Window()->Browser().source().fileName(), QStringLiteral("dlg_joint.htm"));
}

// Every link between the shipped pages leads to a page that exists.
TEST(HelpPages, LinksResolve) {
    int links = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ShippedHelp())) {
        if (entry.path().extension() != ".htm") continue;
        std::ifstream in(entry.path());
        std::string text((std::istreambuf_iterator<char>(in)), {});
        constexpr std::string_view kHref = "href=\"";
        for (size_t at = text.find(kHref); at != std::string::npos; at = text.find(kHref, at)) {
            at += kHref.size();
            const std::string target = text.substr(at, text.find_first_of("\"#", at) - at);
            if (target.empty() || target.find(':') != std::string::npos) continue;  // web address
            ++links;
            EXPECT_TRUE(std::filesystem::is_regular_file(entry.path().parent_path() / target))
                << entry.path() << " links to " << target;
        }
    }
    EXPECT_GT(links, 0);
}

// Every page the programs' code names ("dlg_zentai.htm" for a dialog's Help button, the main
// window's page) is shipped: the modeller's code opens pages of Mokkel's help, the studio's
// of Stagora's.
TEST(HelpPages, EveryPageNamedInTheCodeExists) {
    namespace fs = std::filesystem;
    int named = 0;
    for (const auto& [folder, program] : {std::pair{"modeller", "Mokkel"}, {"studio", "Stagora"}}) {
        const fs::path sources = fs::path(MOKKEL_SOURCE_DIR) / folder;
        for (const auto& entry : fs::recursive_directory_iterator(sources)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp") continue;
            std::ifstream in(entry.path());
            const std::string text((std::istreambuf_iterator<char>(in)), {});
            constexpr std::string_view kEnd = ".htm\"";
            for (size_t end = text.find(kEnd); end != std::string::npos;
                 end = text.find(kEnd, end + 1)) {
                size_t begin = end;
                while (begin > 0 && (std::isalnum(static_cast<unsigned char>(text[begin - 1])) ||
                                     text[begin - 1] == '_'))
                    --begin;
                if (begin == 0 || text[begin - 1] != '"' || begin == end) continue;
                const std::string page = text.substr(begin, end + 4 - begin);
                ++named;
                EXPECT_TRUE(fs::is_regular_file(fs::path(ShippedHelp()) / program / page))
                    << entry.path() << " names " << program << "/" << page;
            }
        }
    }
    EXPECT_GT(named, 30);
}

// The standard buttons and file dialogs speak Japanese like the rest of the program.
TEST(QtApplication, LoadsQtsJapaneseTexts) {
    QApplication& app = testing::App();
    ASSERT_TRUE(LoadJapaneseQtTexts(app));
    EXPECT_TRUE(
        QCoreApplication::translate("QPlatformTheme", "&Yes").contains(QString::fromUtf8("はい")));
    EXPECT_TRUE(QCoreApplication::translate("QPlatformTheme", "Cancel")
                    .contains(QString::fromUtf8("キャンセル")));
}

// A display name would make Qt append " — Mokkel" to the titles the window manager shows.
TEST(QtApplication, SetsNoDisplayName) {
    testing::App();
    NameApplication("Mokkel");
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    NameApplication("Mokkel");
}

}  // namespace
}  // namespace qtshell
