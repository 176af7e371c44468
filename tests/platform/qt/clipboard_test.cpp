#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>

#include "platform/qt/qt_clipboard.h"
#include "platform/text/cp932.h"
#include "qt_app.h"

namespace qtshell {
namespace {

TEST(QtClipboard, JapaneseRowsRoundTripAsCp932WithCrLf) {
    testing::App();
    QtClipboard clipboard(&text::Cp932ToUtf8, &text::Utf8ToCp932);
    const std::string rows = text::Sjis("1.5, 0, 2\r\n表示, ソ\r\n");
    clipboard.SetText(rows);
    // Other programs see Unicode with LF line ends.
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("1.5, 0, 2\n表示, ソ\n"));
    EXPECT_EQ(clipboard.GetText(), rows);

    // Text from another program: LF rows become CR LF rows, a lone CR stays.
    QGuiApplication::clipboard()->setText(QStringLiteral("点\n面\rx\r\ny"));
    EXPECT_EQ(clipboard.GetText(), text::Sjis("点\r\n面\rx\r\ny"));

    // Empty text empties the clipboard; then there is nothing to paste.
    clipboard.SetText("");
    EXPECT_EQ(clipboard.GetText(), std::nullopt);
}

}  // namespace
}  // namespace qtshell
