#include "StressWriter.h"

#include <QTextStream>

namespace lumera::test {

bool RecordingSettingsStore::write(const QString& application, const QString& section,
                                   const QString& key, const QString& text) {
    ++writes_;
    if (!SettingsStore::write(application, section, key, text)) {
        ++failures_;
        return false;
    }
    last_[application + '\t' + section + '\t' + key] = text;
    return true;
}

bool RecordingSettingsStore::update(const QString& application,
                                    const std::function<bool(IniFile& values)>& change) {
    ++writes_;
    if (!SettingsStore::update(application, change)) {
        ++failures_;
        return false;
    }
    return true;
}

std::optional<StressRun> stressRunFromArguments(const QStringList& arguments) {
    if (arguments.size() != 4)
        return std::nullopt;
    bool ok = false;
    const int seconds = arguments[3].toInt(&ok);
    if (!ok || seconds < 0 || arguments[1].isEmpty() || arguments[2].isEmpty())
        return std::nullopt;
    return StressRun{arguments[1], arguments[2], QDeadlineTimer(qint64(seconds) * 1000)};
}

QString ownSection(const QString& name) {
    return QStringLiteral("writer_") + name;
}

QString ownValue(const QString& name, int round) {
    return name + ':' + QString::number(round);
}

void writeOwnKeys(RecordingSettingsStore& settings, const QString& name, int round) {
    const QString key = QStringLiteral("k%1").arg(round % 8);
    settings.write(QStringLiteral("cinema"), ownSection(name), key, ownValue(name, round));
    settings.write(QStringLiteral("Korvidesk"), ownSection(name), key, ownValue(name, round));
}

void printReport(const RecordingSettingsStore& settings, int rounds,
                 const QStringList& extraLines) {
    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    out << "rounds " << rounds << '\n'
        << "writes " << settings.writes() << '\n'
        << "failures " << settings.failures() << '\n';
    for (auto it = settings.lastWritten().begin(); it != settings.lastWritten().end(); ++it)
        out << "last " << it.key() << '\t' << it.value() << '\n';
    for (const QString& line : extraLines)
        out << line << '\n';
}

} // namespace lumera::test
