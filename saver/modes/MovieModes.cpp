#include "platform/web/WebBrowser.h"
#include "saver/modes/frmmain.h"

#include <QWidget>

namespace lumera::saver {

// The movie and page modes are not here yet: until they are, their runs show the black window.

void frmmain::createMoviePlayer() {}

void frmmain::placeMoviePlayer(const QRect& rect) {
    Q_UNUSED(rect);
}

void frmmain::PlayMovieFolder(const QString& folderName) {
    Q_UNUSED(folderName);
    Web->widget()->hide();
}

void frmmain::ShowWebPage() {
    Web->widget()->hide();
}

} // namespace lumera::saver
