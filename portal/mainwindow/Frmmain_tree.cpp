#include "portal/mainwindow/Frmmain.h"

#include <QTreeWidget>

namespace lumera::portal {

namespace {

// Clears the tree and puts a root with its groups into it.
void buildGroups(Frmmain& form, const QString& rootCaption, const QStringList& groups) {
    QTreeWidget* tree = form.tvw;
    tree->clear();
    auto* root = new QTreeWidgetItem(tree, QStringList{rootCaption});
    root->setIcon(0, form.ImageList2.image(1));
    for (const QString& caption : groups) {
        auto* group = new QTreeWidgetItem(root, QStringList{caption});
        group->setIcon(0, form.ImageList2.image(2));
        form.LastNode = group;
    }
    root->setExpanded(true);
    tree->setCurrentItem(root);
}

} // namespace

void Frmmain::LoadChannels() {
    buildGroups(*this, QStringLiteral("宽带网络中心"),
                {QStringLiteral("在线高清电影"), QStringLiteral("电影排行榜"),
                 QStringLiteral("好莱坞大片专场"), QStringLiteral("VIP贵宾室(收费电影)"),
                 QStringLiteral("个人视频娱乐"), QStringLiteral("相声小品精选"),
                 QStringLiteral("电视连续剧场"), QStringLiteral("动漫卡通电影"),
                 QStringLiteral("电视直播频道"), QStringLiteral("网络广播电台"),
                 QStringLiteral("音乐MTV欣赏"), QStringLiteral("电影免费下载")});
}

void Frmmain::loadRadio() {
    buildGroups(*this, kRadioRootCaption,
                {QStringLiteral("音乐电台精选"), QStringLiteral("全国电台大全"),
                 QStringLiteral("迪斯科舞厅")});
}

void Frmmain::tvw_DblClick() {}

void Frmmain::tvw_MouseUp(Qt::MouseButton button) {}

void Frmmain::TvwAppend_Click() {}

void Frmmain::ShortTvw_Click() {}

} // namespace lumera::portal
