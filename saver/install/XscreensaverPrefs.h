#pragma once

#include <QByteArray>
#include <optional>

namespace lumera::saver {

// What choosing a program in the text of ~/.xscreensaver came to.
struct XscreensaverChoice {
    enum class Outcome {
        Added,        // the program joined the `programs:` list
        Enabled,      // it was in the list, switched off ("-"), and is on again
        AlreadyThere, // it was in the list and on
        Unparsable,   // the text is not a preferences file this reads; it is left as it was
        Unreachable,  // the entry would not be read back as the program; the text is left too
    };
    Outcome outcome = Outcome::Unparsable;
    QByteArray text; // the new text of the file (the old one when unparsable)
    int index = -1;  // the program's place in `programs:`, counted from 0
};

// Makes the program the only saver of an xscreensaver preferences text (empty for a file not
// there yet): `mode: one` and `selected:` its place in `programs:`, where it is added once,
// as `entry`, unless an entry whose command is named `programName` is there already. Every
// other line stays byte for byte as it was.
XscreensaverChoice chooseXscreensaverProgram(const QByteArray& text, const QByteArray& programName,
                                             const QByteArray& entry);

// Puts back the choice of `earlier`, the text before the program was chosen (empty when
// there was no file): its `mode:` and `selected:` lines (dropped where it had none), and
// without the entry named `programName` when `earlier` did not list it. Every other line
// stays as it is. Nothing when `text` is not a preferences file this reads.
std::optional<QByteArray> restoreXscreensaverChoice(const QByteArray& text,
                                                    const QByteArray& earlier,
                                                    const QByteArray& programName);

} // namespace lumera::saver
