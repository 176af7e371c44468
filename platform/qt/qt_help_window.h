// The programs' own help window: the shipped HTML pages in a text browser, so help opens
// on any desktop, with or without a web browser.
#pragma once

#include <QWidget>

class QTextBrowser;
class QUrl;

namespace qtshell {

class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page (scrolled to its fragment, if any) and raises the window.
    void ShowPage(const QUrl& page);

    QTextBrowser& Browser() { return *browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace qtshell
