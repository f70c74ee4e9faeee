#include "saver/install/XscreensaverPrefs.h"

#include <QByteArrayList>
#include <QList>
#include <algorithm>
#include <functional>
#include <optional>

namespace lumera::saver {

namespace {

using Outcome = XscreensaverChoice::Outcome;

// A value goes on over the next line when its line ends in an odd number of backslashes.
bool continues(const QByteArray& line) {
    qsizetype n = 0;
    while (n < line.size() && line[line.size() - 1 - n] == '\\')
        ++n;
    return n % 2 == 1;
}

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

bool isResourceName(const QByteArray& name) {
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                        (c >= '0' && c <= '9') || c == '.' || c == '*' || c == '_' || c == '-';
        if (!ok)
            return false;
    }
    return true;
}

bool isVisualNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// A value as xscreensaver's settings reader gives it on: a backslash stands for the character
// after it.
QByteArray unescaped(const QByteArray& value) {
    QByteArray plain;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size())
            ++i;
        plain += value[i];
    }
    return plain;
}

// The first word of a command as the shell reads it, from `i` on: quotes and backslashes
// taken away, so that a program in a folder whose name has blanks, quotes or "$" is known.
QByteArray firstShellWord(const QByteArray& command, qsizetype i) {
    QByteArray word;
    for (; i < command.size() && !isSpace(command[i]); ++i) {
        const char c = command[i];
        if (c == '\'') {
            const qsizetype close = command.indexOf('\'', i + 1);
            const qsizetype end = close < 0 ? command.size() : close;
            word += command.mid(i + 1, end - i - 1);
            i = end;
        } else if (c == '"') {
            for (++i; i < command.size() && command[i] != '"'; ++i) {
                // Within double quotes a backslash keeps only these four for what they are.
                if (command[i] == '\\' && i + 1 < command.size() &&
                    QByteArray("\"\\$`").contains(command[i + 1]))
                    ++i;
                word += command[i];
            }
        } else if (c == '\\' && i + 1 < command.size()) {
            word += command[++i];
        } else {
            word += c;
        }
    }
    return word;
}

struct Place {
    int line;
    qsizetype column;
};

struct Entry {
    qsizetype start; // first character that is not blank, in the joined value
    bool enabled;
    QByteArray program; // the command's file name, without its folder
};

// The file as its lines, with where the three settings this changes are.
struct Prefs {
    QByteArrayList lines;
    int programsFirst = -1, programsLast = -1;
    int mode = -1, selected = -1;
    // The programs value with its continuations joined, and where each byte came from.
    QByteArray joined;
    QList<Place> from;
    QList<Entry> entries;
};

Entry readEntry(const QByteArray& value, qsizetype start) {
    Entry entry{start, true, {}};
    qsizetype i = start;
    if (value[i] == '-') {
        entry.enabled = false;
        ++i;
    }
    const auto skipBlanks = [&] {
        while (i < value.size() && isSpace(value[i]))
            ++i;
    };
    skipBlanks();
    // An optional visual, "GL:", then an optional "Label", then the command.
    qsizetype word = i;
    while (word < value.size() && isVisualNameCharacter(value[word]))
        ++word;
    if (word > i && word < value.size() && value[word] == ':') {
        i = word + 1;
        skipBlanks();
    }
    if (i < value.size() && value[i] == '"') {
        const qsizetype close = value.indexOf('"', i + 1);
        i = close < 0 ? value.size() : close + 1;
        skipBlanks();
    }
    const QByteArray command = firstShellWord(unescaped(value.mid(i)), 0);
    entry.program = command.mid(command.lastIndexOf('/') + 1);
    return entry;
}

void readEntries(Prefs& prefs) {
    prefs.joined.clear();
    prefs.from.clear();
    prefs.entries.clear();
    if (prefs.programsFirst < 0)
        return;
    for (int i = prefs.programsFirst; i <= prefs.programsLast; ++i) {
        const QByteArray& line = prefs.lines[i];
        const qsizetype begin = i == prefs.programsFirst ? line.indexOf(':') + 1 : 0;
        const qsizetype end = continues(line) ? line.size() - 1 : line.size();
        for (qsizetype c = begin; c < end; ++c) {
            prefs.joined += line[c];
            prefs.from.append({i, c});
        }
    }
    qsizetype start = 0;
    while (start <= prefs.joined.size()) {
        qsizetype stop = prefs.joined.indexOf("\\n", start);
        if (stop < 0)
            stop = prefs.joined.size();
        qsizetype first = start;
        while (first < stop && isSpace(prefs.joined[first]))
            ++first;
        if (first < stop)
            prefs.entries.append(readEntry(prefs.joined.left(stop), first));
        start = stop + 2;
    }
}

std::optional<Prefs> parse(const QByteArray& text) {
    Prefs prefs;
    prefs.lines = text.split('\n');
    if (text.endsWith('\n') || text.isEmpty())
        prefs.lines.removeLast();
    bool inValue = false;
    int* current = nullptr;
    for (int i = 0; i < prefs.lines.size(); ++i) {
        const QByteArray& line = prefs.lines[i];
        if (inValue) {
            if (current == &prefs.programsFirst)
                prefs.programsLast = i;
            else if (current)
                return std::nullopt; // mode or selected spread over lines
            inValue = continues(line);
            continue;
        }
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith('#') || trimmed.startsWith('!'))
            continue;
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.left(colon).trimmed();
        if (colon < 0 || !isResourceName(name))
            return std::nullopt;
        current = name == "programs"   ? &prefs.programsFirst
                  : name == "mode"     ? &prefs.mode
                  : name == "selected" ? &prefs.selected
                                       : nullptr;
        if (current && *current >= 0)
            return std::nullopt; // set twice: which one counts is anyone's guess
        if (current)
            *current = i;
        if (current == &prefs.programsFirst)
            prefs.programsLast = i;
        inValue = continues(line);
        if (inValue && current && current != &prefs.programsFirst)
            return std::nullopt;
    }
    if (inValue)
        return std::nullopt; // the file ends inside a value
    readEntries(prefs);
    return prefs;
}

// The programs value up to the end of line `last` ends between two entries.
bool endsBetweenEntries(const Prefs& prefs, int last) {
    qsizetype n = 0;
    while (n < prefs.from.size() && prefs.from[n].line <= last)
        ++n;
    const QByteArray before = prefs.joined.left(n).trimmed();
    return before.isEmpty() || before.endsWith("\\n");
}

// Inserts a line before line `at`; `intoPrograms` when it joins the programs list.
void insertLine(Prefs& prefs, int at, const QByteArray& line, bool intoPrograms) {
    prefs.lines.insert(at, line);
    for (int* index : {&prefs.mode, &prefs.selected}) {
        if (*index >= at)
            ++*index;
    }
    if (intoPrograms) {
        ++prefs.programsLast;
    } else if (prefs.programsFirst >= at) {
        ++prefs.programsFirst;
        ++prefs.programsLast;
    }
}

void addEntry(Prefs& prefs, const QByteArray& entry) {
    const QByteArray line = "\t\t\t\t" + entry + " \\n";
    if (prefs.programsFirst < 0) {
        prefs.lines.append("programs:\t\\");
        prefs.lines.append(line);
        prefs.programsFirst = prefs.lines.size() - 2;
        prefs.programsLast = prefs.lines.size() - 1;
        return;
    }
    // After the last line that ends between entries and goes on, so the lines around it stay.
    for (int i = prefs.programsLast - 1; i >= prefs.programsFirst; --i) {
        if (continues(prefs.lines[i]) && endsBetweenEntries(prefs, i)) {
            insertLine(prefs, i + 1, line + '\\', true);
            return;
        }
    }
    // Otherwise the list's last line goes on to the new one.
    QByteArray& last = prefs.lines[prefs.programsLast];
    if (!endsBetweenEntries(prefs, prefs.programsLast))
        last += " \\n";
    last += '\\';
    insertLine(prefs, prefs.programsLast + 1, line, true);
}

// The value of a one-line setting, blanks around it taken away.
QByteArray valueOf(const QByteArray& line) {
    return line.mid(line.indexOf(':') + 1).trimmed();
}

// Sets `name: value`, keeping the blanks after the colon of a line already there. A new line
// goes before a programs list that ends the file, so that the list still ends it.
void setValue(Prefs& prefs, int& lineIndex, const char* name, const QByteArray& value) {
    if (lineIndex < 0) {
        const bool listLast =
            prefs.programsFirst >= 0 && prefs.programsLast == prefs.lines.size() - 1;
        const int at = listLast ? prefs.programsFirst : int(prefs.lines.size());
        insertLine(prefs, at, QByteArray(name) + ":\t\t" + value, false);
        lineIndex = at;
        return;
    }
    QByteArray& line = prefs.lines[lineIndex];
    qsizetype valueStart = line.indexOf(':') + 1;
    while (valueStart < line.size() && isSpace(line[valueStart]))
        ++valueStart;
    if (line.mid(valueStart).trimmed() != value)
        line = line.left(valueStart) + value;
}

} // namespace

XscreensaverChoice chooseXscreensaverProgram(const QByteArray& text, const QByteArray& programName,
                                             const QByteArray& entry) {
    std::optional<Prefs> parsed = parse(text);
    if (!parsed)
        return {Outcome::Unparsable, text, -1};
    Prefs& prefs = *parsed;
    const bool newFile = prefs.lines.isEmpty();
    if (newFile)
        prefs.lines.append(
            "# Written by Lumera屏保 --install; xscreensaver's defaults give the rest.");

    Outcome outcome = Outcome::Added;
    int index = -1;
    for (int i = 0; i < prefs.entries.size(); ++i) {
        if (prefs.entries[i].program == programName) {
            index = i;
            break;
        }
    }
    if (index < 0) {
        addEntry(prefs, entry);
        readEntries(prefs);
        for (int i = 0; i < prefs.entries.size(); ++i) {
            if (prefs.entries[i].program == programName && index < 0)
                index = i;
        }
    } else if (!prefs.entries[index].enabled) {
        const Place dash = prefs.from[prefs.entries[index].start];
        prefs.lines[dash.line].remove(dash.column, 1);
        outcome = Outcome::Enabled;
    } else {
        outcome = Outcome::AlreadyThere;
    }
    setValue(prefs, prefs.mode, "mode", "one");
    setValue(prefs, prefs.selected, "selected", QByteArray::number(index));
    const QByteArray written = prefs.lines.join('\n') + '\n';

    // What xscreensaver will read back: the program on and chosen, or the file stays as it was.
    const std::optional<Prefs> check = parse(written);
    const bool chosen = index >= 0 && check && index < check->entries.size() &&
                        check->entries[index].enabled &&
                        check->entries[index].program == programName &&
                        valueOf(check->lines[check->selected]) == QByteArray::number(index);
    if (!chosen)
        return {Outcome::Unreachable, text, -1};
    return {outcome, written, index};
}

std::optional<QByteArray> restoreXscreensaverChoice(const QByteArray& text,
                                                    const QByteArray& earlier,
                                                    const QByteArray& programName) {
    std::optional<Prefs> parsed = parse(text);
    if (!parsed)
        return std::nullopt;
    Prefs& prefs = *parsed;
    const Prefs before = parse(earlier).value_or(Prefs{});
    QList<int> dropped;
    for (auto [now, then] :
         {std::pair{prefs.mode, before.mode}, std::pair{prefs.selected, before.selected}}) {
        if (now < 0)
            continue;
        if (then < 0)
            dropped.append(now);
        else
            prefs.lines[now] = before.lines[then];
    }
    const bool listedBefore = std::any_of(before.entries.begin(), before.entries.end(),
                                          [&](const Entry& e) { return e.program == programName; });
    for (const Entry& entry : prefs.entries) {
        if (listedBefore || entry.program != programName)
            continue;
        // Only an entry that has its line to itself, as --install writes it, goes.
        const int line = prefs.from[entry.start].line;
        const QByteArray own = prefs.lines[line].trimmed();
        if (line != prefs.programsFirst &&
            prefs.lines[line].left(prefs.from[entry.start].column).trimmed().isEmpty() &&
            (own.endsWith("\\n\\") || own.endsWith("\\n"))) {
            dropped.append(line);
            // The line before goes on no further when the list ended with this one.
            if (line == prefs.programsLast && continues(prefs.lines[line - 1]))
                prefs.lines[line - 1].chop(1);
        }
    }
    std::sort(dropped.begin(), dropped.end(), std::greater<>());
    for (const int line : dropped)
        prefs.lines.removeAt(line);
    return prefs.lines.join('\n') + '\n';
}

} // namespace lumera::saver
