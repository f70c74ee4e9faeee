#include "portal/directory/DirectoryTree.h"

#include "portal/directory/DirectoryOverlay.h"
#include "portal/directory/DirectoryTable.h"

#include <QHash>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>

namespace lumera::portal {

namespace {

QTreeWidgetItem* makeNode(QTreeWidgetItem* parent, const QString& key, const QString& caption,
                          int image, int index, const ImageList& images) {
    auto* node = new QTreeWidgetItem(parent, QStringList{caption});
    node->setData(0, kNodeKeyRole, key);
    node->setData(0, kNodeIndexRole, index);
    node->setIcon(0, images.image(image));
    return node;
}

void reveal(QTreeWidget& tree, QTreeWidgetItem* node) {
    for (QTreeWidgetItem* up = node->parent(); up; up = up->parent())
        up->setExpanded(true);
    tree.scrollToItem(node);
}

} // namespace

QTreeWidgetItem* buildDirectory(QTreeWidget& tree, const Directory& directory,
                                const SiteTable& sites, const ImageList& images,
                                const DirectoryOverlay& overlay) {
    tree.clear();
    int index = 0;
    auto* root = new QTreeWidgetItem(QStringList{directory.rootCaption});
    root->setData(0, kNodeKeyRole, kRootKey);
    root->setData(0, kNodeIndexRole, ++index);
    root->setIcon(0, images.image(kRootImage));
    tree.addTopLevelItem(root);
    QTreeWidgetItem* lastNode = root;

    QHash<QString, QTreeWidgetItem*> groups;
    for (const DirectoryGroup& group : directory.groups) {
        lastNode = makeNode(root, group.key, group.caption, kGroupImage, ++index, images);
        groups.insert(group.key, lastNode);
    }
    QTreeWidgetItem* toReveal = nullptr;
    for (const ShownLeaf& leaf : shownLeaves(directory, sites, overlay)) {
        QTreeWidgetItem* group = groups.value(leaf.group);
        if (!group)
            continue;
        lastNode = makeNode(group, leaf.address, leaf.caption, leaf.image, ++index, images);
        lastNode->setData(0, kNodeOwnRole, leaf.own);
        lastNode->setData(0, kNodeServiceRole, leaf.service);
        lastNode->setData(0, kNodePathRole, leaf.path);
        if (leaf.group == directory.revealGroup)
            toReveal = lastNode;
    }
    if (toReveal)
        reveal(tree, toReveal);
    return lastNode;
}

QList<QTreeWidgetItem*> nodesInOrder(const QTreeWidget& tree) {
    QList<QTreeWidgetItem*> nodes;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it)
        nodes.append(*it);
    std::sort(nodes.begin(), nodes.end(),
              [](QTreeWidgetItem* a, QTreeWidgetItem* b) { return nodeIndex(a) < nodeIndex(b); });
    return nodes;
}

QTreeWidgetItem* nodeAt(const QTreeWidget& tree, int index) {
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        if (nodeIndex(*it) == index)
            return *it;
    }
    return nullptr;
}

bool isLeafNode(const QTreeWidgetItem* node) {
    return node && node->parent() && node->parent()->parent();
}

ShownLeaf shownLeafOf(const QTreeWidgetItem* node) {
    if (!isLeafNode(node))
        return {};
    return {nodeKey(node->parent()),
            node->text(0),
            0,
            nodeKey(node),
            node->data(0, kNodeOwnRole).toBool(),
            node->data(0, kNodeServiceRole).toString(),
            node->data(0, kNodePathRole).toString()};
}

QTreeWidgetItem* nodeWithKey(const QTreeWidget& tree, const QString& key) {
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        if (nodeKey(*it) == key)
            return *it;
    }
    return nullptr;
}

QString nodeKey(const QTreeWidgetItem* node) {
    return node ? node->data(0, kNodeKeyRole).toString() : QString();
}

int nodeIndex(const QTreeWidgetItem* node) {
    return node ? node->data(0, kNodeIndexRole).toInt() : 0;
}

bool isRadioDirectory(const QTreeWidget& tree) {
    const QTreeWidgetItem* first = nodeAt(tree, 1);
    return first && first->text(0) == kRadioRootCaption;
}

void setGroupsExpanded(QTreeWidget& tree, bool expanded) {
    for (int index = 2; index <= 13; ++index) {
        if (QTreeWidgetItem* node = nodeAt(tree, index))
            node->setExpanded(expanded);
    }
}

void selectFirstNode(QTreeWidget& tree) {
    if (QTreeWidgetItem* first = nodeAt(tree, 1)) {
        tree.clearSelection();
        tree.setCurrentItem(first);
        first->setSelected(true);
    }
}

LeafToOpen leafToOpen(const QTreeWidget& tree) {
    const QList<QTreeWidgetItem*> selected = tree.selectedItems();
    const QTreeWidgetItem* node = selected.isEmpty() ? nullptr : selected.first();
    // Nothing selected, the root (no parent) or a group (a child of node 1): nothing opens.
    if (!node || !node->parent() || nodeIndex(node->parent()) == 1)
        return {};
    const QString key = nodeKey(node);
    if (key.isEmpty())
        return {};
    return {isRadioDirectory(tree) ? LeafToOpen::OwnPane : LeafToOpen::NewWindow, key};
}

} // namespace lumera::portal
