#pragma once

#include <QString>

class QDialog;
class QWidget;

namespace lumera::portal {

// What a file dialog asks for.
struct FileQuestion {
    QString caption;
    // The folder it opens in.
    QString folder;
    // Name filters, ";;" between two.
    QString filter;
    // A file to write (which may not exist yet) rather than an existing one to read.
    bool save = false;
    // For a save: the name proposed, and the suffix added to a name typed without one before
    // the dialog asks whether to replace a file of that name.
    QString proposedName;
    QString defaultSuffix;
};

// Every dialog whose answer the portal waits for. Each is modal and runs to its end before
// the call returns; `parent` is the window it belongs to (none: the program as a whole).
// main() hands the forms the real ones (QtDialogs); tests answer them themselves.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // A message with the program's title, an information icon and OK.
    virtual void information(QWidget* parent, const QString& text) = 0;
    // A question with the program's title, Yes and No, No the default; true for Yes.
    virtual bool question(QWidget* parent, const QString& text) = 0;
    // The file chosen; empty when the user cancels.
    virtual QString askFile(QWidget* parent, const FileQuestion& question) = 0;
    // An input box: the text given, empty when the user cancels.
    virtual QString askText(QWidget* parent, const QString& prompt, const QString& title,
                            const QString& proposed) = 0;
    // Runs one of the program's own dialogs to its end: its result.
    virtual int run(QDialog& dialog) = 0;
};

// Qt's dialogs, shown to the user.
class QtDialogs final : public Dialogs {
public:
    void information(QWidget* parent, const QString& text) override;
    bool question(QWidget* parent, const QString& text) override;
    QString askFile(QWidget* parent, const FileQuestion& question) override;
    QString askText(QWidget* parent, const QString& prompt, const QString& title,
                    const QString& proposed) override;
    int run(QDialog& dialog) override;
};

} // namespace lumera::portal
