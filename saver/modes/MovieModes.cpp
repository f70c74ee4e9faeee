#include "platform/web/WebBrowser.h"
#include "saver/modes/MovieFolder.h"
#include "saver/modes/MoviePlayer.h"
#include "saver/modes/SaverContext.h"
#include "saver/modes/SaverLayout.h"
#include "saver/modes/frmmain.h"

#include <QWidget>
#include <algorithm>

namespace lumera::saver {

namespace {

const QString kWorkingCopy = QStringLiteral("\\sys\\dong.swf");
const QString kPage = QStringLiteral("\\java\\xiyang.htm");
// Where the browser goes while a movie plays: far to the right, off the screen.
constexpr int kWebAsideLeftTwips = 20000;
constexpr quint32 kBlack = 0x000000;

} // namespace

void frmmain::createMoviePlayer() {
    if (!context_.moviePlayers)
        return;
    Flash = context_.moviePlayers->create(this);
    Flash->widget()->setObjectName(QStringLiteral("Flash"));
    Flash->setVisible(false);
}

void frmmain::placeMoviePlayer(const QRect& rect) {
    if (Flash)
        Flash->widget()->setGeometry(rect);
}

void frmmain::PlayMovieFolder(const QString& folderName) {
    // 1. The index of the movie to play.
    int n = readMovieIndex(context_.settings, folderName);

    // 2. The folder's movies. A folder that is not there leaves the list where it was.
    File1.setPattern(QStringLiteral("*.jav"));
    File1.setPath(programFile('\\' + folderName));

    // 3. Past the end, the folder starts again at its first movie.
    n = movieIndexInList(n, File1.ListCount());

    // 4., 5. The working copy is the only file the player is given.
    const QString workingCopy = dataFile(kWorkingCopy);
    replaceWorkingCopy(File1.Path() + '/' + File1.List(n), workingCopy);

    // 6. A key pressed meanwhile has ended the saver.
    if (!doEvents())
        return;

    // 7. The browser off the screen, also on a screen wider than the first release knew.
    Web->widget()->hide();
    Web->widget()->move(std::max(twipsToPixels(kWebAsideLeftTwips), width()), Web->widget()->y());

    // 8. Black around the movie, the movie, play.
    if (Flash) {
        Flash->setBackgroundColor(kBlack);
        Flash->setMovie(workingCopy);
        Flash->play();
    }

    // 9.
    if (!doEvents())
        return;

    // 10.
    if (Flash)
        Flash->setVisible(true);

    // 11. The next run of this folder plays the next movie.
    writeMovieIndex(context_.settings, folderName, n + 1);
}

void frmmain::ShowWebPage() {
    // The browser keeps the window's layout, its frame beyond the screen's edges; the movie
    // player stays hidden.
    Web->navigate(programFile(kPage));
}

} // namespace lumera::saver
