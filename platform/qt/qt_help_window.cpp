#include "platform/qt/qt_help_window.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace qtshell {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    // An open help window must not keep the program running after its main window closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    browser_ = new QTextBrowser(this);
    // Links into the help folder stay in this window; web addresses go to the desktop.
    browser_->setOpenExternalLinks(true);

    auto* bar = new QToolBar(this);
    QAction* back = bar->addAction(QString::fromUtf8("戻る"), browser_, &QTextBrowser::backward);
    QAction* forward = bar->addAction(QString::fromUtf8("進む"), browser_, &QTextBrowser::forward);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QAction::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(browser_->documentTitle()); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(browser_);
    resize(720, 640);
}

void HelpWindow::ShowPage(const QUrl& page) {
    browser_->setSource(page);
    // A modal dialog blocks every other window: the page its Help button opened could not
    // be scrolled. Lent to the dialog, the window stays usable; it is taken back before the
    // dialog goes, so it outlives it.
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (modal && parentWidget() != modal) {
        const QRect place = geometry();
        setParent(modal, Qt::Window);
        setGeometry(place);
        connect(modal, &QDialog::finished, this, [this] {
            if (!parentWidget()) return;
            const QRect place = geometry();
            const bool shown = isVisible();
            disconnect(parentWidget(), nullptr, this, nullptr);
            setParent(nullptr, Qt::Window);
            setGeometry(place);
            if (shown) show();
        });
    }
    show();
    raise();
    activateWindow();
}

}  // namespace qtshell
