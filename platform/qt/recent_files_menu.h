// The recent files' block in a program's file menu: one item a file, placed above the
// separator that ends the block; while the list is empty, the list's caption greyed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class QAction;
class QMenu;
class QObject;

namespace qtshell {

class RecentFilesMenu {
public:
    // While the menu is built: the item that holds the block's place...
    void HoldPlace(QAction* placeholder);
    // ...and every separator added after it; the first one ends the block.
    void SeparatorAdded(QAction* separator);

    // Replaces the block's items in `menu` by one a text (UTF-8, owned by `owner`), or by
    // `emptyCaption` greyed when there are none. Returns the new items in order.
    std::vector<QAction*> Rebuild(QMenu* menu, const std::vector<std::string>& texts,
                                  std::string_view emptyCaption, QObject* owner);

private:
    std::vector<QAction*> actions_;
    QAction* end_ = nullptr;
};

// Takes `path` out of a recent list (one with Paths() and Remove(index)) once it failed to
// open; the list may have been reordered by the attempt, so it is looked for by name.
template <class List>
void DropRecentPath(List& list, const std::string& path) {
    const auto& paths = list.Paths();
    for (size_t i = 0; i < paths.size(); ++i) {
        if (paths[i] == path) {
            list.Remove(i);
            return;
        }
    }
}

}  // namespace qtshell
