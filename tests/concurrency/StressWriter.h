#pragma once

#include "platform/settings/SettingsStore.h"

#include <QDeadlineTimer>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace lumera::test {

// A settings store that counts its writes and remembers the last text each plain write
// stored, so a writer process can tell what it left behind. (What an update changes is
// known only to its caller.)
class RecordingSettingsStore : public SettingsStore {
public:
    using SettingsStore::SettingsStore;

    bool write(const QString& application, const QString& section, const QString& key,
               const QString& text) override;
    bool update(const QString& application,
                const std::function<bool(IniFile& values)>& change) override;

    int writes() const { return writes_; }
    int failures() const { return failures_; }
    // "application\tsection\tkey" -> the text of the last write that succeeded.
    const QMap<QString, QString>& lastWritten() const { return last_; }

private:
    int writes_ = 0;
    int failures_ = 0;
    QMap<QString, QString> last_;
};

// What every writer process is told: its name, the shared configuration folder and how long
// to keep writing.
struct StressRun {
    QString name;
    QString folder;
    QDeadlineTimer deadline;
};

// From the arguments "<name> <folder> <seconds>"; nullopt for anything else.
std::optional<StressRun> stressRunFromArguments(const QStringList& arguments);

// The keys only this writer writes: one in each settings file, the value naming the writer
// and the round, "<name>:<round>".
void writeOwnKeys(RecordingSettingsStore& settings, const QString& name, int round);
QString ownSection(const QString& name);
QString ownValue(const QString& name, int round);

// The report on standard output: "rounds N", "writes N", "failures N", one
// "last app\tsection\tkey\tvalue" line per key written, then `extraLines`.
void printReport(const RecordingSettingsStore& settings, int rounds, const QStringList& extraLines);

} // namespace lumera::test
