#include "platform/qt/recent_files_menu.h"

#include <QAction>
#include <QMenu>

#include "platform/qt/qt_text.h"

namespace qtshell {

void RecentFilesMenu::HoldPlace(QAction* placeholder) {
    actions_.push_back(placeholder);
}

void RecentFilesMenu::SeparatorAdded(QAction* separator) {
    if (!end_ && !actions_.empty()) end_ = separator;
}

std::vector<QAction*> RecentFilesMenu::Rebuild(QMenu* menu, const std::vector<std::string>& texts,
                                               std::string_view emptyCaption, QObject* owner) {
    for (QAction* old : actions_) {
        menu->removeAction(old);
        old->deleteLater();
    }
    actions_.clear();
    if (texts.empty()) {
        // As the framework showed it: the list's caption, greyed, while there is nothing.
        auto* placeholder = new QAction(Qs(emptyCaption), owner);
        placeholder->setEnabled(false);
        actions_.push_back(placeholder);
    }
    for (const std::string& text : texts) actions_.push_back(new QAction(Qs(text), owner));
    for (QAction* action : actions_) menu->insertAction(end_, action);
    return actions_;
}

}  // namespace qtshell
