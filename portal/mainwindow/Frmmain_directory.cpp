#include "portal/ProgramTexts.h"
#include "portal/directory/DirectoryFileUpdate.h"
#include "portal/directory/DirectoryOverlay.h"
#include "portal/directory/DirectoryTree.h"
#include "portal/directory/LeafDialog.h"
#include "portal/mainwindow/Frmmain.h"
#include "portal/mainwindow/PictureBox.h"
#include "portal/mainwindow/StatusBar.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPointer>
#include <QTreeWidget>
#include <QUrl>

namespace lumera::portal {

namespace {

QTreeWidgetItem* selectedNode(const QTreeWidget& tree) {
    const QList<QTreeWidgetItem*> selected = tree.selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

// The group a new leaf goes to: the selected group, or the group of the selected leaf.
QString groupOfSelection(const QTreeWidget& tree) {
    const QTreeWidgetItem* node = selectedNode(tree);
    if (isLeafNode(node))
        return nodeKey(node->parent());
    if (node && node->parent())
        return nodeKey(node);
    return {};
}

void selectOnly(QTreeWidget& tree, QTreeWidgetItem* node) {
    tree.clearSelection();
    tree.setCurrentItem(node);
    node->setSelected(true);
    tree.scrollToItem(node);
}

} // namespace

int Frmmain::runDialog(QDialog* dialog) {
    // The window keeps its dialogs while their loops run, even when it closes (event()); the
    // guard makes sure a dialog is never deleted twice all the same.
    const QPointer<QDialog> guard(dialog);
    const int result = ctx.dialogs.run(*dialog);
    delete guard.data();
    return result;
}

void Frmmain::enableTvwListCommands() {
    AddTvwList->setEnabled(!groupOfSelection(*tvw).isEmpty());
    const bool leaf = isLeafNode(selectedNode(*tvw));
    DelTvwList->setEnabled(leaf);
    ChangeTvwLink->setEnabled(leaf);
}

void Frmmain::rebuildDirectory(const QString& keyToSelect) {
    if (isRadioDirectory(*tvw))
        loadRadio();
    else
        LoadChannels();
    if (QTreeWidgetItem* node = nodeWithKey(*tvw, keyToSelect))
        selectOnly(*tvw, node);
}

void Frmmain::editDirectory(const std::function<bool(DirectoryOverlay&, const Directory&)>& edit,
                            const QString& keyToSelect) {
    const QString path = directoryOverlayPath(ctx.userDataFolder);
    const Directory& directory = isRadioDirectory(*tvw) ? radioDirectory() : channelDirectory();
    const DirectoryFileUpdate update = updateDirectoryFile(
        path, [&](DirectoryOverlay& overlay) { return edit(overlay, directory); });
    const QString file = QDir::toNativeSeparators(path);
    QStringList said;
    if (!update.keptAside.isEmpty()) {
        said.append(QStringLiteral("目录文件 %1 已损坏，无法读取。它已改名为 %2 保留，"
                                   "其中的修改不再生效。")
                        .arg(file, QDir::toNativeSeparators(update.keptAside)));
    }
    if (update.result == DirectoryFileUpdate::Unreadable)
        said.append(QStringLiteral("无法读取目录文件 %1，修改没有保存。").arg(file));
    else if (update.result == DirectoryFileUpdate::NotSaved)
        said.append(QStringLiteral("无法保存对目录的修改：%1").arg(file));
    if (!said.isEmpty())
        ctx.dialogs.information(this, said.join(QLatin1Char('\n')));
    rebuildDirectory(keyToSelect);
}

void Frmmain::AddTvwList_Click() {
    const QString group = groupOfSelection(*tvw);
    if (group.isEmpty())
        return;
    auto* dialog = new LeafDialog(QStringLiteral("添加电影列表"), QString(), QString(), this);
    QString caption, address;
    connect(dialog, &QDialog::accepted, this, [&] {
        caption = dialog->caption();
        address = dialog->address();
    });
    if (runDialog(dialog) != QDialog::Accepted || address.isEmpty())
        return;
    if (QTreeWidgetItem* existing = nodeWithKey(*tvw, address)) {
        selectOnly(*tvw, existing);
        return;
    }
    // Another window may have added the address meanwhile: then its leaf is selected.
    editDirectory(
        [&](DirectoryOverlay& overlay, const Directory& directory) {
            if (showsAddress(directory, ctx.sites, overlay, address))
                return false;
            addOwnLeaf(overlay, directory.name, group, caption, address);
            return true;
        },
        address);
}

void Frmmain::DelTvwList_Click() {
    const QTreeWidgetItem* node = selectedNode(*tvw);
    if (!isLeafNode(node))
        return;
    const ShownLeaf leaf = shownLeafOf(node);
    if (!ctx.dialogs.question(this, QStringLiteral("从目录中删除“%1”吗？").arg(leaf.caption)))
        return;
    editDirectory([&](DirectoryOverlay& overlay, const Directory& directory) {
        return removeShownLeaf(overlay, directory.name, leaf);
    });
}

void Frmmain::ChangeTvwLink_Click() {
    const QTreeWidgetItem* node = selectedNode(*tvw);
    if (!isLeafNode(node))
        return;
    const ShownLeaf leaf = shownLeafOf(node);
    auto* dialog = new LeafDialog(QStringLiteral("修改链接地址"), leaf.caption, leaf.address, this);
    dialog->txtCaption->setReadOnly(true);
    dialog->txtAddress->setFocus();
    dialog->txtAddress->selectAll();
    QString address;
    connect(dialog, &QDialog::accepted, this, [&] { address = dialog->address(); });
    if (runDialog(dialog) != QDialog::Accepted || address.isEmpty() || address == leaf.address)
        return;
    if (QTreeWidgetItem* existing = nodeWithKey(*tvw, address)) {
        // Keys stay unique: the address already has its leaf.
        selectOnly(*tvw, existing);
        return;
    }
    editDirectory(
        [&](DirectoryOverlay& overlay, const Directory& directory) {
            return !showsAddress(directory, ctx.sites, overlay, address) &&
                   changeShownLeaf(overlay, directory.name, leaf, address);
        },
        address);
}

void Frmmain::ResetTvwList_Click() {
    if (!ctx.dialogs.question(this, QStringLiteral("删除您添加和修改过的全部链接，"
                                                   "恢复程序自带的频道和电台列表吗？")))
        return;
    editDirectory([](DirectoryOverlay& overlay, const Directory&) {
        overlay = {};
        return true;
    });
}

// ---- Link check ---------------------------------------------------------------------------

namespace {

// The progress strip at its full width, in twips.
constexpr int kFullStrip = 3000;

QString checkSummary(const LinkMarks& marks, const QStringList& addresses) {
    int counts[3] = {0, 0, 0};
    for (const QString& address : addresses)
        ++counts[marks.value(address).state];
    return QStringLiteral("链接检查完成：%1 个可以打开，%2 个已迁移，%3 个失效")
        .arg(counts[LinkMark::Reachable])
        .arg(counts[LinkMark::Moved])
        .arg(counts[LinkMark::Dead]);
}

} // namespace

void Frmmain::CheckLinks_Click() {
    if (linkCheck) {
        stopLinkCheck();
        return;
    }
    if (!ctx.links)
        return;
    // Web leaves go to the prober; a file leaf is looked for on disk.
    linkFound.clear();
    QStringList addresses;
    for (QTreeWidgetItem* node : nodesInOrder(*tvw)) {
        const QString address = nodeKey(node);
        if (!isLeafNode(node) || addresses.contains(address))
            continue;
        const QUrl url(address);
        if (url.isLocalFile()) {
            linkFound.insert(
                address,
                QFileInfo::exists(url.toLocalFile())
                    ? LinkMark{LinkMark::Reachable, {}, {}, ctx.clock.now()}
                    : LinkMark{LinkMark::Dead, QStringLiteral("文件不存在"), {}, ctx.clock.now()});
        } else {
            addresses.append(address);
        }
    }
    auto* check = new LinkCheck(*ctx.links, addresses, this);
    linkCheck = check;
    const auto showProgress = [this, check] {
        Stat->setPanelText(
            kStatusTextPanel,
            QStringLiteral("正在检查链接 %1/%2").arg(check->done()).arg(check->total()));
        layout.PicPro.Width = check->total() ? kFullStrip * check->done() / check->total() : 0;
        place(PicPro, layout.PicPro);
    };
    connect(check, &LinkCheck::checked, this,
            [this, showProgress](const QString& address, const LinkAnswer& answer) {
                linkFound.insert(address, judgeLinkAnswer(address, answer, ctx.clock.now()));
                showProgress();
            });
    connect(check, &LinkCheck::finished, this, [this, check, addresses] {
        linkCheck = nullptr;
        storeFoundLinkMarks();
        Stat->setPanelText(kStatusTextPanel, checkSummary(linkMarks, addresses));
        layout.PicPro.Width = 0;
        place(PicPro, layout.PicPro);
        check->deleteLater();
    });
    showProgress();
    check->start();
}

void Frmmain::stopLinkCheck() {
    LinkCheck* check = linkCheck;
    if (!check)
        return;
    linkCheck = nullptr;
    check->stop();
    // What was found so far is kept.
    storeFoundLinkMarks();
    Stat->setPanelText(
        kStatusTextPanel,
        QStringLiteral("链接检查已停止 %1/%2").arg(check->done()).arg(check->total()));
    layout.PicPro.Width = 0;
    place(PicPro, layout.PicPro);
    check->deleteLater();
}

void Frmmain::storeFoundLinkMarks() {
    linkMarks = storeLinkMarks(linkMarksPath(ctx.userDataFolder), linkFound);
    linkFound.clear();
    applyLinkMarks();
}

void Frmmain::applyLinkMarks() {
    const QColor grey(150, 150, 150);
    for (QTreeWidgetItem* node : nodesInOrder(*tvw)) {
        if (!isLeafNode(node))
            continue;
        const auto mark = linkMarks.constFind(nodeKey(node));
        const bool marked = mark != linkMarks.cend();
        const bool dead = marked && mark->state == LinkMark::Dead;
        const QString tip = marked ? linkMarkTip(*mark) : QString();
        node->setToolTip(0, tip);
        node->setData(0, Qt::AccessibleDescriptionRole, tip);
        node->setData(0, Qt::ForegroundRole, dead ? QVariant(grey) : QVariant());
        node->setHidden(dead && HideDeadLinks->isChecked());
    }
}

} // namespace lumera::portal
