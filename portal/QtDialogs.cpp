#include "portal/Dialogs.h"
#include "portal/FixedDialog.h"
#include "portal/ProgramTexts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>

namespace lumera::portal {

// Each dialog is made for its one question and deleted after it. The window it belongs to
// may close while it is open (the session ends, Exit is chosen): the window then ends the
// dialog's loop and may take the dialog along, which the guards notice.

namespace {

QMessageBox* messageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text,
                        QMessageBox::StandardButtons buttons,
                        QMessageBox::StandardButton defaultButton) {
    auto* box = new QMessageBox(icon, kProgramTitle, text, buttons, parent);
    box->setDefaultButton(defaultButton);
    return box;
}

} // namespace

void QtDialogs::information(QWidget* parent, const QString& text) {
    const QPointer<QMessageBox> box =
        messageBox(parent, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
    box->exec();
    delete box.data();
}

bool QtDialogs::question(QWidget* parent, const QString& text) {
    const QPointer<QMessageBox> box = messageBox(
        parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    const bool yes = box->exec() == QMessageBox::Yes;
    delete box.data();
    return yes;
}

QString QtDialogs::askFile(QWidget* parent, const FileQuestion& question) {
    const QPointer<QFileDialog> files =
        new QFileDialog(parent, question.caption, question.folder, question.filter);
    files->setOption(QFileDialog::DontUseNativeDialog);
    if (question.save) {
        files->setAcceptMode(QFileDialog::AcceptSave);
        // Added to a name without one before the dialog looks for a file of that name: the
        // question whether to replace a file names the file that is written.
        files->setDefaultSuffix(question.defaultSuffix);
        if (!question.proposedName.isEmpty())
            files->selectFile(question.proposedName);
    } else {
        files->setFileMode(QFileDialog::ExistingFile);
    }
    const bool chosen = files->exec() == QDialog::Accepted && files;
    const QString path = chosen ? files->selectedFiles().value(0) : QString();
    delete files.data();
    return path;
}

QString QtDialogs::askText(QWidget* parent, const QString& prompt, const QString& title,
                           const QString& proposed) {
    const QPointer<QInputDialog> box = new QInputDialog(parent);
    box->setWindowTitle(title);
    box->setLabelText(prompt);
    box->setTextValue(proposed);
    fixDialogSize(box);
    const bool given = box->exec() == QDialog::Accepted && box;
    const QString text = given ? box->textValue() : QString();
    delete box.data();
    return text;
}

int QtDialogs::run(QDialog& dialog) {
    return dialog.exec();
}

} // namespace lumera::portal
