#pragma once

class QCoreApplication;

namespace lumera {

// Qt's own texts (message-box buttons, the edit menus of text boxes, file dialogs) in
// Simplified Chinese whatever the system's locale, from Qt's translations folder. Call once
// the application object exists and before the first window. Returns false when the
// translations are not installed; the program then runs with Qt's English texts.
bool installChineseQtTranslations(QCoreApplication& app);

} // namespace lumera
