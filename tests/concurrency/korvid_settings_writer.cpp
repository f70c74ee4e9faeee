// Stands in for one running Korvid: for the given time it counts main-window loads, stores the
// set-up and shutdown dialogs and switches the log-on entry and the screen-saver flag, through
// the program's own functions, plus keys of its own. Then it reports what it wrote last.
#include "StressWriter.h"
#include "platform/registry/HiveRegistry.h"
#include "portal/Dialogs.h"
#include "portal/UseCounter.h"
#include "portal/dialogs/FormSetup.h"
#include "portal/dialogs/FormTurnOff.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>

using namespace lumera;
using namespace lumera::portal;
using namespace lumera::test;

namespace {

const QString kDesktopKey = QStringLiteral("Control Panel\\Desktop");

QString logOnProgram(const QString& name, int round) {
    return QStringLiteral("/opt/%1-%2/Korvid").arg(name).arg(round);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::optional<StressRun> run = stressRunFromArguments(app.arguments());
    if (!run)
        return 2;

    RecordingSettingsStore settings(run->folder);
    HiveRegistry registry(run->folder + "/registry.hive",
                          AutostartEntry(run->folder + "/autostart", "Radio"));
    const FirstUseValues firstUse{QStringLiteral("http://127.0.0.1:9/radio/"),
                                  QStringLiteral("/opt/lumera/Korvid")};
    FormSetup setup(settings, firstUse.defaultRadioPage);
    QtDialogs dialogs; // never shown: every time stored is a valid one
    FormTurnOff turnOff(settings, dialogs);

    QStringList counts;
    int round = 0;
    for (; !run->deadline.hasExpired(); ++round) {
        counts << QString::number(IncrementUseCount(settings, registry, firstUse, "Cinema"));

        setup.Form_Load();
        setup.Chk[0]->setChecked(round % 2 == 0);
        setup.Command1_Click();

        turnOff.Form_Load();
        turnOff.Comb[0]->setEditText(QString::number(round % 24));
        turnOff.Comb[1]->setEditText(QStringLiteral("%1").arg(round % 60, 2, 10, QChar('0')));
        turnOff.ChkEnable->setChecked(round % 3 == 0);
        turnOff.Command1_Click();

        registry.SetRegistryString(HKEY_CURRENT_USER, kRunKey, "Radio",
                                   logOnProgram(run->name, round));
        registry.SetRegistryString(HKEY_CURRENT_USER, kDesktopKey, "ScreenSaveActive",
                                   round % 2 ? "1" : "0");

        writeOwnKeys(settings, run->name, round);
    }
    printReport(settings, round,
                {"counts " + counts.join(' '), "radio " + logOnProgram(run->name, round - 1)});
    return 0;
}
