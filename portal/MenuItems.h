#pragma once

#include <QAction>
#include <QMenu>
#include <QString>

namespace lumera::portal {

// Menu entries keep their control names as object names, so handlers and tests find them.
inline QAction* addItem(QMenu* menu, const QString& caption, const QString& name) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

inline QAction* addBar(QMenu* menu, const QString& name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(name);
    return action;
}

} // namespace lumera::portal
