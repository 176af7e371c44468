#include "studio/view/scene_tree.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMouseEvent>

#include "platform/text/cp932.h"
#include "studio/app/tree_rules.h"
#include "studio/view/tree_icons.h"

namespace studio {

namespace {
constexpr int kIndexRole = Qt::UserRole;
}

CSceneView::CSceneView(QWidget* parent) : QTreeWidget(parent) {
    setObjectName(QStringLiteral("SceneTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(kTreeIconSize, kTreeIconSize));
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The drag is ours: Qt's own would move nodes without the item list.
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setExpandsOnDoubleClick(true);
}

void CSceneView::Rebuild(const std::vector<SceneItem>& items) {
    clear();
    nodes_.assign(items.size(), nullptr);
    const std::vector<int> parents = TreeParents(items);
    for (size_t i = 0; i < items.size(); ++i) {
        const QString name = QString::fromStdString(text::Cp932ToUtf8(items[i].name));
        QTreeWidgetItem* node = parents[i] < 0
                                    ? new QTreeWidgetItem(this)
                                    : new QTreeWidgetItem(nodes_[static_cast<size_t>(parents[i])]);
        node->setText(0, name);
        node->setIcon(0, KindIcon(items[i].kind));
        node->setData(0, kIndexRole, static_cast<int>(i));
        nodes_[i] = node;
    }
    expandAll();
}

int CSceneView::SelectedIndex() const {
    QTreeWidgetItem* node = currentItem();
    if (!node || !node->isSelected()) return -1;
    return node->data(0, kIndexRole).toInt();
}

void CSceneView::SelectIndex(int index) {
    if (QTreeWidgetItem* node = NodeOf(index)) setCurrentItem(node);
}

QTreeWidgetItem* CSceneView::NodeOf(int index) const {
    return index >= 0 && static_cast<size_t>(index) < nodes_.size()
               ? nodes_[static_cast<size_t>(index)]
               : nullptr;
}

int CSceneView::IndexAt(QPoint pos) const {
    QTreeWidgetItem* node = itemAt(pos);
    return node ? node->data(0, kIndexRole).toInt() : -1;
}

void CSceneView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton) return;
    pressed_ = IndexAt(event->position().toPoint());
    pressPos_ = event->position().toPoint();
    dragging_ = false;
}

void CSceneView::mouseMoveEvent(QMouseEvent* event) {
    if (pressed_ < 0 || !(event->buttons() & Qt::LeftButton)) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (!dragging_ && (pos - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return;
    if (!dragging_) {
        dragging_ = true;
        viewport()->setCursor(Qt::DragMoveCursor);
    }
    // The node under the mouse is selected while dragging, showing where the drop goes.
    if (QTreeWidgetItem* node = itemAt(pos)) setCurrentItem(node);
}

void CSceneView::mouseReleaseEvent(QMouseEvent* event) {
    const int dragged = pressed_;
    const bool wasDragging = dragging_;
    pressed_ = -1;
    dragging_ = false;
    if (!wasDragging) {
        QTreeWidget::mouseReleaseEvent(event);
        return;
    }
    viewport()->setCursor(Qt::ArrowCursor);
    const int target = IndexAt(event->position().toPoint());
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    if (target >= 0 && dropped)
        dropped(static_cast<size_t>(dragged), static_cast<size_t>(target), shift);
}

void CSceneView::contextMenuEvent(QContextMenuEvent* event) {
    if (QTreeWidgetItem* node = itemAt(event->pos())) {
        setCurrentItem(node);
        if (contextMenuAsked) contextMenuAsked(event->globalPos());
    }
}

}  // namespace studio
