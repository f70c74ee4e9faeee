#include "portal/mainwindow/ToolbarButtons.h"

#include <QAction>
#include <QIcon>
#include <QToolBar>
#include <QWidget>

namespace lumera::portal {

namespace {

using S = ToolbarButtonStyle;

ToolbarButton separator() {
    return {{}, {}, 0, S::Separator};
}

} // namespace

const std::vector<ToolbarButton>& toolbarButtons() {
    static const std::vector<ToolbarButton> buttons{
        {QStringLiteral("new"), QStringLiteral("启动新窗口"), 1, S::Normal},
        {QStringLiteral("back"), QStringLiteral("后退"), 2, S::Normal},
        {QStringLiteral("forward"), QStringLiteral("前进"), 3, S::Normal},
        separator(),
        {QStringLiteral("myhome"), QStringLiteral("高清电影"), 6, S::Normal},
        {QStringLiteral("fav"), QStringLiteral("电影收藏夹"), 5, S::Normal},
        {QStringLiteral("history"), QStringLiteral("电影观看历史"), 16, S::Normal},
        separator(),
        {QStringLiteral("tv"), QStringLiteral("电视直播频道"), 17, S::Normal},
        {QStringLiteral("jun"), QStringLiteral("电视连续剧场"), 7, S::Normal},
        {QStringLiteral("radio"), QStringLiteral("音乐广播电台"), 8, S::Normal},
        separator(),
        {QStringLiteral("leftwindows"), QStringLiteral("显示/隐藏 侧边栏"), 9, S::Check},
        {QStringLiteral("screen"), QStringLiteral("关闭显示器"), 12, S::Normal},
        {QStringLiteral("sound"), QStringLiteral("关闭声音"), 13, S::Check},
        separator(),
        {QStringLiteral("picture"), QStringLiteral("下载风景图片"), 4, S::Normal},
        {QStringLiteral("home"), QStringLiteral("页面编辑"), 10, S::Normal},
        {QStringLiteral("setup"), QStringLiteral("系统工具"), 11, S::Normal},
    };
    return buttons;
}

QList<QAction*> addToolbarButtons(QToolBar* toolbar, const QList<QIcon>& images) {
    QList<QAction*> actions;
    for (const ToolbarButton& button : toolbarButtons()) {
        if (button.style == S::Separator) {
            actions.append(toolbar->addSeparator());
            continue;
        }
        const int image = button.image - 1;
        auto* action =
            toolbar->addAction(image < images.size() ? images.at(image) : QIcon(), QString());
        action->setObjectName(button.key);
        action->setData(button.key);
        action->setToolTip(button.toolTip);
        // The buttons show no text, so a screen reader announces the tool tip.
        if (QWidget* widget = toolbar->widgetForAction(action))
            widget->setAccessibleName(button.toolTip);
        action->setCheckable(button.style == S::Check);
        action->setEnabled(button.key != QLatin1String("back") &&
                           button.key != QLatin1String("forward"));
        actions.append(action);
    }
    return actions;
}

QString toolbarKey(const QAction* action) {
    if (!action || action->isSeparator())
        return {};
    return action->data().toString();
}

} // namespace lumera::portal
