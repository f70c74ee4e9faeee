#pragma once

#include <QList>
#include <QString>
#include <vector>

class QAction;
class QIcon;
class QToolBar;

namespace lumera::portal {

enum class ToolbarButtonStyle { Normal, Check, Separator };

// One button of the main window's toolbar. The image is a 1-based index into ImageList1;
// separators have neither key, tool tip nor image.
struct ToolbarButton {
    QString key;
    QString toolTip;
    int image = 0;
    ToolbarButtonStyle style = ToolbarButtonStyle::Normal;
};

// The 19 buttons in their order (index 1 is the first).
const std::vector<ToolbarButton>& toolbarButtons();

// Fills the toolbar with the buttons, each an action whose data and object name are its key
// and whose button carries its tool tip as accessible name; the images are ImageList1 in order.
// Back and forward start disabled. Returns the actions in button order, separators included, so
// that index i - 1 is button i.
QList<QAction*> addToolbarButtons(QToolBar* toolbar, const QList<QIcon>& images);

// The key of a toolbar action; empty for separators and anything else.
QString toolbarKey(const QAction* action);

} // namespace lumera::portal
