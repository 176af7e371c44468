#include "platform/qt/qt_help_opener.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/qt/help_address.h"
#include "platform/qt/qt_help_window.h"

namespace qtshell {

QtHelpOpener::QtHelpOpener(std::string helpRoot, UrlOpener opener)
    : helpRoot_(std::move(helpRoot)), opener_(std::move(opener)) {
    if (!opener_) {
        opener_ = [this](const QUrl& url) {
            if (!window_) window_ = std::make_unique<HelpWindow>();
            window_->ShowPage(url);
            return true;
        };
    }
}

QtHelpOpener::~QtHelpOpener() = default;

bool QtHelpOpener::Open(std::string_view address) {
    std::optional<HelpPage> page = MapHelpAddress(address, helpRoot_);
    if (!page) return false;
    QString file = QString::fromStdString(page->file);
    if (!QFileInfo(file).isFile()) return false;
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    if (!page->fragment.empty()) url.setFragment(QString::fromStdString(page->fragment));
    return opener_(url);
}

}  // namespace qtshell
