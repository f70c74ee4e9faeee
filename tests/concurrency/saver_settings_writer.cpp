// Stands in for the screen saver started over and over: each start advances the stored
// rotation and a movie folder's index through the saver's own functions, plus keys of its
// own. Then it reports what it wrote last and the modes it chose.
#include "StressWriter.h"
#include "saver/modes/MovieFolder.h"
#include "saver/modes/RotationSetting.h"

#include <QCoreApplication>

using namespace lumera;
using namespace lumera::saver;
using namespace lumera::test;

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const std::optional<StressRun> run = stressRunFromArguments(app.arguments());
    if (!run)
        return 2;

    RecordingSettingsStore settings(run->folder);
    QStringList modes;
    int round = 0;
    for (; !run->deadline.hasExpired(); ++round) {
        modes << QString::number(chooseModeAndAdvanceRotation(settings, 0).mode);
        writeMovieIndex(settings, QStringLiteral("cartoon"), round);
        writeOwnKeys(settings, run->name, round);
    }
    printReport(settings, round, {"modes " + modes.join(' ')});
    return 0;
}
