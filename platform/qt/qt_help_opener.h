// Opens help pages in the desktop's browser.
#pragma once

#include <functional>
#include <string>

#include "platform/shell.h"

class QUrl;

namespace qtshell {

class QtHelpOpener : public shell::HelpOpener {
public:
    using UrlOpener = std::function<bool(const QUrl&)>;

    // helpRoot holds one folder of pages per program (resources/help). The opener defaults
    // to QDesktopServices::openUrl.
    explicit QtHelpOpener(std::string helpRoot, UrlOpener opener = {});

    // False when the address names no page that exists, or the desktop cannot show it.
    bool Open(std::string_view address) override;

private:
    std::string helpRoot_;
    UrlOpener opener_;
};

}  // namespace qtshell
