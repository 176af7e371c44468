#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>

#include "platform/qt/help_address.h"
#include "platform/qt/qt_help_opener.h"
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
