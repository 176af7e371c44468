// Opens help pages in the program's own help window.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/shell.h"

class QUrl;

namespace qtshell {

class HelpWindow;

class QtHelpOpener : public shell::HelpOpener {
public:
    using UrlOpener = std::function<bool(const QUrl&)>;

    // helpRoot holds one folder of pages per program (resources/help). Without an opener the
    // pages are shown in a help window made on first use.
    explicit QtHelpOpener(std::string helpRoot, UrlOpener opener = {});
    ~QtHelpOpener() override;

    // False when the address names no page that exists, or the page cannot be shown.
    bool Open(std::string_view address) override;

    // The help window, once a page was shown in it.
    HelpWindow* Window() { return window_.get(); }

private:
    std::string helpRoot_;
    UrlOpener opener_;
    std::unique_ptr<HelpWindow> window_;
};

}  // namespace qtshell
