#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace lumera::portal {

// The system input box: a prompt, a title and a proposed answer; the answer, or an empty text
// when the user cancels. Dialogs hold one as a member so that tests answer it in advance.
using InputBox =
    std::function<QString(const QString& prompt, const QString& title, const QString& proposed)>;

// The real input box, modal over `parent`.
InputBox systemInputBox(QWidget* parent);

} // namespace lumera::portal
