#pragma once

// The portal's dialogs answered by the test: nothing is shown and nothing waits. Header-only,
// for test programs that link the portal library.

#include "portal/Dialogs.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace lumera::test {

// Keeps what each dialog showed, in order. A dialog that waits for an answer takes the next
// of `answers`: "yes" (anything else is No) for a question, the file for a file dialog, the
// text for an input box (empty: cancelled); with one of the program's own dialogs the answer
// goes to `answerDialog`, which clicks the dialog's buttons. A dialog that finds no answer
// waiting fails the test and is cancelled.
class TestDialogs : public portal::Dialogs {
public:
    void information(QWidget*, const QString& text) override { informed.append(text); }
    bool question(QWidget*, const QString& text) override {
        asked.append(text);
        return next(text) == QLatin1String("yes");
    }
    QString askFile(QWidget*, const portal::FileQuestion& question) override {
        filesAsked.append(question);
        return next(question.caption);
    }
    QString askText(QWidget*, const QString& prompt, const QString& title,
                    const QString& proposed) override {
        textsAsked.append({prompt, title, proposed});
        return next(title);
    }
    int run(QDialog& dialog) override {
        if (answers.isEmpty() || !answerDialog)
            ADD_FAILURE() << "no answer for the dialog " << dialog.windowTitle().toStdString();
        else
            answerDialog(dialog, answers.takeFirst());
        return dialog.result();
    }

    QStringList answers;
    std::function<void(QDialog& dialog, const QString& answer)> answerDialog;

    // The texts of the information messages and of the questions.
    QStringList informed;
    QStringList asked;
    QList<portal::FileQuestion> filesAsked;
    // Prompt, title and proposed text of each input box.
    QList<QStringList> textsAsked;

private:
    QString next(const QString& shown) {
        if (answers.isEmpty()) {
            ADD_FAILURE() << "no answer for " << shown.toStdString();
            return {};
        }
        return answers.takeFirst();
    }
};

} // namespace lumera::test
