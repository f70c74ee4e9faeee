// Two portal processes and the screen saver write their settings at once for a while (60 s
// unless LUMERA_STRESS_SECONDS says otherwise), while this process keeps reading the files.
// Every file read must be whole and parse back to itself; at the end every key must hold a
// value one of the writers wrote last, and no count may have lost a step.
#include "StressWriter.h"
#include "platform/registry/HiveFile.h"
#include "platform/registry/HiveRegistry.h"
#include "platform/settings/IniFile.h"
#include "platform/settings/SettingsStore.h"
#include "portal/UseCounter.h"
#include "support/TestFolders.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <algorithm>
#include <cstdio>
#include <gtest/gtest.h>
#include <map>
#include <memory>

using namespace lumera;
using lumera::test::TestFolder;

namespace {

constexpr int kDefaultSeconds = 60;
constexpr int kSeedCount = 40;
constexpr int kSeedUseCount = 100;
constexpr int kSeedLoadtime = 4;
const QString kDesktopKey = QStringLiteral("Control Panel\\Desktop");
const QStringList kPortalWriters{"korvidA", "korvidB"};
const QString kSaverWriter = QStringLiteral("saver");

int stressSeconds() {
    bool ok = false;
    const int seconds = qEnvironmentVariableIntValue("LUMERA_STRESS_SECONDS", &ok);
    return ok && seconds > 0 ? seconds : kDefaultSeconds;
}

QString programBeside(const QString& name) {
    return QFileInfo(QFile::symLinkTarget("/proc/self/exe")).absolutePath() + '/' + name;
}

QString address(const QString& application, const QString& section, const QString& key) {
    return application + '\t' + section + '\t' + key;
}

// What one writer process reported on its way out.
struct WriterReport {
    int rounds = -1;
    int writes = 0;
    int failures = -1;
    std::map<QString, QString> last;  // address -> text
    std::map<QString, QString> lines; // "counts", "modes", "radio" -> the rest of the line
};

WriterReport parseReport(const QByteArray& output) {
    WriterReport report;
    for (const QString& line : QString::fromUtf8(output).split('\n', Qt::SkipEmptyParts)) {
        const qsizetype blank = line.indexOf(' ');
        const QString word = line.left(blank);
        const QString rest = blank < 0 ? QString() : line.mid(blank + 1);
        if (word == "rounds")
            report.rounds = rest.toInt();
        else if (word == "writes")
            report.writes = rest.toInt();
        else if (word == "failures")
            report.failures = rest.toInt();
        else if (word == "last" && rest.count('\t') >= 3)
            report.last[rest.section('\t', 0, 2)] = rest.section('\t', 3);
        else
            report.lines[word] = rest;
    }
    return report;
}

std::vector<int> numbersOf(const QString& text) {
    std::vector<int> numbers;
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts))
        numbers.push_back(word.toInt());
    return numbers;
}

struct Seed {
    QString application, section, key, value;
};

// Keys in place before the writers start; those in "seed" nobody touches afterwards.
std::vector<Seed> seeds() {
    std::vector<Seed> all{
        {"cinema", "Cinema", "usecount", QString::number(kSeedUseCount)},
        {"cinema", "update", "usecount", QString::number(kSeedUseCount)},
        {"cinema", "setup", "history", "1"},
        {"cinema", "unload", "PingDao", "http://127.0.0.1:9/radio/"},
        {"cinema", "turnoff", "timeset", "22:30"},
        {"cinema", "turnoff", "Enable", "0"},
        {"Korvidesk", "MyDeskTop", "DownloadPath", "/tmp/图片"},
        {"Korvidesk", "ScreenSave", "loadtime", QString::number(kSeedLoadtime)},
    };
    for (const QString application : {"cinema", "Korvidesk"})
        for (int i = 0; i < kSeedCount; ++i)
            all.push_back(
                {application, "seed", QString("s%1").arg(i), QString("种子 %1 = [seed]").arg(i)});
    return all;
}

const QString kSeedHiveKey = QStringLiteral("Software\\Lumera\\Seed");

// Reads the three files over and over while the writers run, and keeps the first fault.
class SnapshotReader {
public:
    explicit SnapshotReader(const QString& folder) : folder_(folder), seeds_(seeds()) {}

    void readOnce() {
        ++reads_;
        checkIni("cinema");
        checkIni("Korvidesk");
        checkHive();
    }

    int reads() const { return reads_; }
    int faults() const { return faults_; }
    const QString& firstFault() const { return firstFault_; }

private:
    void fault(const QString& what) {
        if (faults_++ == 0)
            firstFault_ = what;
    }

    // A file as written: valid UTF-8 that is exactly what its own parse writes back.
    std::optional<QString> wholeText(const QString& name) {
        QFile file(folder_ + '/' + name);
        if (!file.open(QIODevice::ReadOnly)) {
            fault(name + " could not be opened");
            return std::nullopt;
        }
        const QByteArray bytes = file.readAll();
        const QString text = QString::fromUtf8(bytes);
        if (bytes.isEmpty() || text.toUtf8() != bytes || !text.endsWith('\n')) {
            fault(name + " is empty, cut or not UTF-8:\n" + text.right(200));
            return std::nullopt;
        }
        return text;
    }

    void checkIni(const QString& application) {
        const std::optional<QString> text = wholeText(application + ".ini");
        if (!text)
            return;
        const IniFile ini = IniFile::parse(*text);
        if (ini.serialise() != *text)
            return fault(application + ".ini does not parse back to itself");
        for (const Seed& seed : seeds_) {
            if (seed.application == application && !ini.value(seed.section, seed.key).has_value())
                fault(address(application, seed.section, seed.key) + " went missing");
            if (seed.application == application && seed.section == "seed" &&
                ini.value(seed.section, seed.key) != seed.value)
                fault(address(application, seed.section, seed.key) + " changed");
        }
        for (const QString& writer : kPortalWriters + QStringList{kSaverWriter})
            for (int k = 0; k < 8; ++k)
                checkOwnKey(ini, application, writer, k);
        if (application == "cinema") {
            const int count = ini.value("Cinema", "usecount").value_or("").toInt();
            if (ini.value("update", "usecount") != ini.value("Cinema", "usecount"))
                fault("the two use counts differ");
            if (count < lastCount_)
                fault(QString("the use count went back from %1 to %2").arg(lastCount_).arg(count));
            lastCount_ = std::max(lastCount_, count);
        } else {
            const int mode = ini.value("ScreenSave", "loadtime").value_or("").toInt();
            if (mode < 1 || mode > 9)
                fault(QString("loadtime %1 is no mode").arg(mode));
        }
    }

    // A writer's own key holds "<writer>:<round>" with round % 8 == k, and never goes back.
    void checkOwnKey(const IniFile& ini, const QString& application, const QString& writer, int k) {
        const QString key = QString("k%1").arg(k);
        const std::optional<QString> value = ini.value(test::ownSection(writer), key);
        if (!value)
            return;
        const QString prefix = writer + ':';
        bool ok = false;
        const int round = value->startsWith(prefix) ? value->mid(prefix.size()).toInt(&ok) : -1;
        if (!ok || round % 8 != k)
            return fault(address(application, test::ownSection(writer), key) + " holds " + *value);
        int& seen = lastRound_[address(application, test::ownSection(writer), key)];
        if (round < seen)
            fault(address(application, test::ownSection(writer), key) +
                  QString(" went back from round %1 to %2").arg(seen).arg(round));
        seen = std::max(seen, round);
    }

    void checkHive() {
        const std::optional<QString> text = wholeText("registry.hive");
        if (!text)
            return;
        const HiveFile hive = HiveFile::parse(*text);
        if (hive.serialise() != *text)
            return fault("registry.hive does not parse back to itself");
        const QString root = QStringLiteral("HKEY_CURRENT_USER\\");
        for (int i = 0; i < 10; ++i)
            if (hive.value(root + kSeedHiveKey, QString("s%1").arg(i)) != QString::number(i))
                fault(QString("hive seed s%1 went missing").arg(i));
        const QString radio = hive.value(root + portal::kRunKey, "Radio").value_or("");
        static const QRegularExpression written("^/opt/(korvid[AB])-(\\d+)/Korvid$");
        const QRegularExpressionMatch match = written.match(radio);
        if (!match.hasMatch())
            return fault("the log-on value is " + radio);
        int& seen = lastRound_["hive\t" + match.captured(1)];
        if (match.captured(2).toInt() < seen)
            fault("the log-on value went back to " + radio);
        seen = std::max(seen, match.captured(2).toInt());
    }

    QString folder_;
    std::vector<Seed> seeds_;
    std::map<QString, int> lastRound_;
    int lastCount_ = 0;
    int reads_ = 0;
    int faults_ = 0;
    QString firstFault_;
};

void seedFolder(const QString& folder) {
    SettingsStore store(folder);
    for (const Seed& seed : seeds())
        ASSERT_TRUE(store.write(seed.application, seed.section, seed.key, seed.value));
    HiveRegistry registry(folder + "/registry.hive", std::nullopt);
    for (int i = 0; i < 10; ++i)
        registry.SetRegistryString(HKEY_CURRENT_USER, kSeedHiveKey, QString("s%1").arg(i),
                                   QString::number(i));
    registry.SetRegistryString(HKEY_CURRENT_USER, portal::kRunKey, "Radio",
                               "/opt/korvidA-0/Korvid");
}

} // namespace

TEST(SettingsUnderLoad, TwoPortalsAndTheSaverWritingAtOnceLoseNothing) {
    TestFolder dir;
    const QString folder = dir.path() + "/Lumera";
    seedFolder(folder);
    const QString seconds = QString::number(stressSeconds());

    std::map<QString, std::unique_ptr<QProcess>> writers;
    for (const QString& name : kPortalWriters + QStringList{kSaverWriter}) {
        const QString program = programBeside(name == kSaverWriter ? "saver_settings_writer"
                                                                   : "korvid_settings_writer");
        ASSERT_TRUE(QFileInfo::exists(program)) << program.toStdString();
        auto& process = writers[name] = std::make_unique<QProcess>();
        process->start(program, {name, folder, seconds});
    }
    for (auto& [name, process] : writers)
        ASSERT_TRUE(process->waitForStarted()) << name.toStdString();

    SnapshotReader reader(folder);
    auto running = [&] {
        return std::any_of(writers.begin(), writers.end(), [](auto& entry) {
            return entry.second->state() != QProcess::NotRunning;
        });
    };
    while (running()) {
        reader.readOnce();
        for (auto& [name, process] : writers)
            process->waitForFinished(1);
    }

    std::map<QString, WriterReport> reports;
    for (auto& [name, process] : writers) {
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit) << name.toStdString();
        EXPECT_EQ(process->exitCode(), 0)
            << name.toStdString() << process->readAllStandardError().toStdString();
        reports[name] = parseReport(process->readAllStandardOutput());
        EXPECT_GT(reports[name].rounds, 0) << name.toStdString();
        EXPECT_EQ(reports[name].failures, 0) << name.toStdString() << " had writes fail";
    }
    EXPECT_GT(reader.reads(), 0);
    EXPECT_EQ(reader.faults(), 0) << reader.firstFault().toStdString();

    // Every key holds what one of the writers wrote to it last; a key only one writer wrote
    // holds exactly its last value.
    SettingsStore store(folder);
    std::map<QString, QStringList> lastValues;
    for (const auto& [name, report] : reports)
        for (const auto& [key, value] : report.last)
            lastValues[key] << value;
    for (const auto& [key, values] : lastValues) {
        const QString stored =
            store.read(key.section('\t', 0, 0), key.section('\t', 1, 1), key.section('\t', 2, 2));
        EXPECT_TRUE(values.contains(stored))
            << key.toStdString() << " holds " << stored.toStdString() << ", last written "
            << values.join(" / ").toStdString();
    }
    for (const Seed& seed : seeds()) {
        if (seed.section == "seed") {
            EXPECT_EQ(store.read(seed.application, seed.section, seed.key), seed.value);
        }
    }

    // The use count went up by one for every load in either portal, and no two loads got
    // the same number.
    std::vector<int> allCounts;
    for (const QString& name : kPortalWriters) {
        const std::vector<int> counts = numbersOf(reports[name].lines["counts"]);
        EXPECT_EQ(int(counts.size()), reports[name].rounds) << name.toStdString();
        EXPECT_TRUE(std::is_sorted(counts.begin(), counts.end())) << name.toStdString();
        allCounts.insert(allCounts.end(), counts.begin(), counts.end());
    }
    std::sort(allCounts.begin(), allCounts.end());
    const int loads = int(allCounts.size());
    const auto duplicate = std::adjacent_find(allCounts.begin(), allCounts.end());
    EXPECT_EQ(duplicate, allCounts.end())
        << "two loads both counted " << (duplicate == allCounts.end() ? 0 : *duplicate);
    EXPECT_EQ(store.read("cinema", "Cinema", "usecount"), QString::number(kSeedUseCount + loads));
    EXPECT_EQ(store.read("cinema", "update", "usecount"), QString::number(kSeedUseCount + loads));

    // The saver's rotation went round one step per start, from the seeded value on.
    const std::vector<int> modes = numbersOf(reports[kSaverWriter].lines["modes"]);
    ASSERT_FALSE(modes.empty());
    int expected = kSeedLoadtime;
    int skipped = 0;
    for (const int mode : modes) {
        expected = expected % 9 + 1;
        skipped += mode != expected;
        expected = mode;
    }
    EXPECT_EQ(skipped, 0) << "the rotation skipped or repeated a mode " << skipped << " times";

    // The log-on value and its autostart entry name one portal's last program.
    HiveRegistry registry(folder + "/registry.hive", std::nullopt);
    const QString radio = registry.value(HKEY_CURRENT_USER, portal::kRunKey, "Radio");
    QStringList lastRadio;
    for (const QString& name : kPortalWriters)
        lastRadio << reports[name].lines["radio"];
    EXPECT_TRUE(lastRadio.contains(radio)) << radio.toStdString();
    QFile entry(folder + "/autostart/Radio.desktop");
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    const QByteArray entryText = entry.readAll();
    EXPECT_TRUE(entryText.endsWith('\n') && (entryText.contains(lastRadio[0].toUtf8()) ||
                                             entryText.contains(lastRadio[1].toUtf8())))
        << entryText.toStdString();

    std::printf("%d s: korvidA %d rounds / %d writes, korvidB %d / %d, saver %d / %d; "
                "%d loads counted; %d snapshots read, %d faulty\n",
                stressSeconds(), reports["korvidA"].rounds, reports["korvidA"].writes,
                reports["korvidB"].rounds, reports["korvidB"].writes, reports[kSaverWriter].rounds,
                reports[kSaverWriter].writes, loads, reader.reads(), reader.faults());
}
