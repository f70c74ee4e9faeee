#pragma once

#include "portal/directory/DirectoryOverlay.h"
#include "portal/resources/ImageList.h"

#include <QList>
#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

namespace lumera {
class SiteTable;
}

namespace lumera::portal {

// A directory node keeps its key and its index (its place in the order of creation, from 1)
// in these roles of column 0.
constexpr int kNodeKeyRole = Qt::UserRole;
constexpr int kNodeIndexRole = Qt::UserRole + 1;
// A leaf also keeps where it comes from: the user's own, or the service and path of its site.
constexpr int kNodeOwnRole = Qt::UserRole + 2;
constexpr int kNodeServiceRole = Qt::UserRole + 3;
constexpr int kNodePathRole = Qt::UserRole + 4;

// Empties the tree and builds the directory in it: root, groups, then the leaves with the
// user's changes laid over them, each with its image of `images`. The last leaf of the
// directory's reveal group is scrolled into view with its parents expanded. Returns the node
// added last.
QTreeWidgetItem* buildDirectory(QTreeWidget& tree, const Directory& directory,
                                const SiteTable& sites, const ImageList& images,
                                const DirectoryOverlay& overlay = {});

// The leaf a node shows; a group or the root gives a leaf without address.
ShownLeaf shownLeafOf(const QTreeWidgetItem* node);
bool isLeafNode(const QTreeWidgetItem* node);
// The node whose key is the address, or null.
QTreeWidgetItem* nodeWithKey(const QTreeWidget& tree, const QString& key);

// The node of that index, or null.
QTreeWidgetItem* nodeAt(const QTreeWidget& tree, int index);
QString nodeKey(const QTreeWidgetItem* node);
int nodeIndex(const QTreeWidgetItem* node);
// All nodes in the order of creation.
QList<QTreeWidgetItem*> nodesInOrder(const QTreeWidget& tree);

// The tree shows the radio directory exactly when its first node says so.
bool isRadioDirectory(const QTreeWidget& tree);

// Expand or collapse nodes 2 to 13 (the groups of the channel directory).
void setGroupsExpanded(QTreeWidget& tree, bool expanded);
// Makes node 1 the selected (and current) node.
void selectFirstNode(QTreeWidget& tree);

// What a double-click on the tree opens.
struct LeafToOpen {
    enum Where { Nothing, OwnPane, NewWindow };
    Where where = Nothing;
    QString address;
};
LeafToOpen leafToOpen(const QTreeWidget& tree);

} // namespace lumera::portal
