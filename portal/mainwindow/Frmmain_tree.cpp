#include "platform/web/WebBrowser.h"
#include "portal/directory/DirectoryOverlay.h"
#include "portal/directory/DirectoryTable.h"
#include "portal/directory/DirectoryTree.h"
#include "portal/mainwindow/Frmmain.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>
#include <QTreeWidget>

namespace lumera::portal {

void Frmmain::LoadChannels() {
    showDirectory(channelDirectory());
}

void Frmmain::loadRadio() {
    showDirectory(radioDirectory());
}

void Frmmain::showDirectory(const Directory& directory) {
    stopLinkCheck();
    LastNode = buildDirectory(*tvw, directory, ctx.sites, ImageList2,
                              readDirectoryOverlay(directoryOverlayPath(ctx.userDataFolder)));
    // Other windows may have checked links since.
    linkMarks = readLinkMarks(linkMarksPath(ctx.userDataFolder));
    applyLinkMarks();
    TvwAppend_Click();
}

void Frmmain::tvw_DblClick() {
    ProgressStep = 0;
    const LeafToOpen leaf = leafToOpen(*tvw);
    switch (leaf.where) {
    case LeafToOpen::Nothing:
        // A group opens or closes by the tree's own double-click; the root does nothing.
        return;
    case LeafToOpen::OwnPane:
        Web->navigate(QStringLiteral("about:blank"));
        QCoreApplication::processEvents();
        Web->navigate(leaf.address);
        return;
    case LeafToOpen::NewWindow:
        OpenInNewWindow(leaf.address);
        return;
    }
}

void Frmmain::tvw_MouseUp(Qt::MouseButton button) {
    if (button == Qt::RightButton) {
        enableTvwListCommands();
        TvwList->popup(QCursor::pos());
    }
}

void Frmmain::TvwAppend_Click() {
    setGroupsExpanded(*tvw, true);
    selectFirstNode(*tvw);
}

void Frmmain::ShortTvw_Click() {
    setGroupsExpanded(*tvw, false);
}

} // namespace lumera::portal
