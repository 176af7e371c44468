// The item tree (`CSceneView`): one node per item with its kind's image, nested by depth.
// Dragging a node onto another moves the item with its descendants (Shift held at the drop:
// into the target); the right button opens the context menu. Decisions are the commands'.
#pragma once

#include <QTreeWidget>
#include <functional>
#include <vector>

#include "studio/scene/scene_types.h"

namespace studio {

class CSceneView : public QTreeWidget {
public:
    explicit CSceneView(QWidget* parent = nullptr);

    // Rebuilds every node from the item list; the item of `selectId` stays selected.
    void Rebuild(const std::vector<SceneItem>& items);
    // The selected node's item position, or -1.
    int SelectedIndex() const;
    void SelectIndex(int index);
    // Node of item `index` (tests).
    QTreeWidgetItem* NodeOf(int index) const;

    std::function<void(size_t dragged, size_t target, bool shift)> dropped;
    std::function<void(QPoint globalPos)> contextMenuAsked;

    QSize sizeHint() const override { return {320, 100}; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    int IndexAt(QPoint pos) const;

    std::vector<QTreeWidgetItem*> nodes_;  // by item position
    int pressed_ = -1;
    QPoint pressPos_;
    bool dragging_ = false;
};

}  // namespace studio
