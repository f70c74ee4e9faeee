#include "saver/modes/frmmain.h"

#include "platform/process/ProgramFolder.h"
#include "platform/screen/Pointer.h"
#include "platform/settings/SettingsStore.h"
#include "platform/web/WebBrowser.h"
#include "saver/SaverPaths.h"
#include "saver/modes/ModeChoice.h"
#include "saver/modes/PictureBox.h"
#include "saver/modes/RotationSetting.h"
#include "saver/modes/SaverLayout.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLockFile>
#include <QTimer>

namespace lumera::saver {

namespace {

// The folder the first release fell back to; it names a drive, so here it never exists.
const QString kFallbackPictureFolder = QStringLiteral("D:\\Korvidesktop\\Download\\");

} // namespace

frmmain::frmmain(SaverContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      context_(context), activation_(context.activationPath) {
    setWindowTitle(QStringLiteral("Lumera屏保"));
    setAutoFillBackground(true);
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setFocusPolicy(Qt::StrongFocus);

    Web = context_.browsers.create(this);
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->hide();
    Picture1->onPaint = [this](QPainter& painter) { paintPicture1(painter); };
    connect(Picture1, &PictureBox::Click, this, &frmmain::Picture1_Click);
    createMoviePlayer();

    Timer1 = new QTimer(this);
    Timer1->setInterval(60000);
    connect(Timer1, &QTimer::timeout, this, &frmmain::Timer1_Timer);
    Timer2 = new QTimer(this);
    Timer2->setInterval(100);
    connect(Timer2, &QTimer::timeout, this, &frmmain::Timer2_Timer);

    // Every key press in the window, whichever part of it has the focus, ends the saver.
    qApp->installEventFilter(this);
}

frmmain::~frmmain() {
    qApp->removeEventFilter(this);
}

QString frmmain::dataFile(const QString& windowsName) const {
    return lumera::programFile(context_.dataFolder, windowsName);
}

QString frmmain::programFile(const QString& windowsName) const {
    return lumera::programFile(context_.programFolder, windowsName);
}

bool frmmain::Form_Load() {
    // 1. Browser and movie player out of the way; the browser stays visible.
    const QRect aside(twipsToPixels(-1000), 0, Web->widget()->width(), Web->widget()->height());
    Web->widget()->setGeometry(aside);
    Web->widget()->show();
    placeMoviePlayer(aside);
    mouseWatch_ = false;
    fadeRunning_ = false;

    // 2. The picture folder; one that does not exist leaves the list where it was.
    QString pictureFolder = context_.settings.read(kSaverApp, kPictureSection, kPictureKey);
    if (pictureFolder.isEmpty())
        pictureFolder = kFallbackPictureFolder;
    File1.setPath(pictureFolder);

    // 3. Screen size, surfaces and routines.
    InitSurfaces();

    // 4. One full-screen copy a screen at a time; a preview takes no lock.
    instanceLock_ = context_.instanceLockPath.isEmpty()
                        ? nullptr
                        : std::make_unique<QLockFile>(context_.instanceLockPath);
    if (instanceLock_)
        instanceLock_->setStaleLockTime(0);
    if (instanceLock_ && !instanceLock_->tryLock(0)) {
        // Only a copy that holds the lock stops this one; a lock that cannot be made at all
        // (no runtime folder) does not keep the saver from running.
        const bool anotherCopy = instanceLock_->error() == QLockFile::LockFailedError;
        instanceLock_.reset();
        if (anotherCopy)
            return false;
    }

    // 5.
    Web->navigate(QStringLiteral("about:blank"));

    // 6. Without a stored picture folder the saver does not run.
    if (context_.settings.read(kSaverApp, kPictureSection, kPictureKey).isEmpty())
        return false;

    // 7. The working folders. The first release also made a folder on a second drive; there
    // are no drive letters here, so that one is passed over as a missing drive.
    QDir().mkpath(dataFile(QStringLiteral("\\sys")));
    QDir().mkpath(dataFile(QStringLiteral("\\temp")));

    // 8. The mode of this run. The copies an engine starts on several screens at once move
    // the rotation on once between them; a preview only looks at what comes next.
    if (context_.launch.mode != 0)
        mode_ = context_.launch.mode;
    else if (context_.launch.preview)
        mode_ = chooseMode(0, context_.settings.read(kSaverApp, QStringLiteral("ScreenSave"),
                                                     QStringLiteral("loadtime")))
                    .mode;
    else
        mode_ = activation_.join(
            [this] { return chooseModeAndAdvanceRotation(context_.settings, 0).mode; });

    Timer1->start();
    Timer2->start();
    return true;
}

void frmmain::Form_Resize() {
    // Inside an engine's window the saver fills that window, whatever its size.
    if (!context_.launch.fromEngine() && isVisible() && !isFullScreen())
        setWindowState(windowState() | Qt::WindowFullScreen);
    const SaverLayout layout = saverLayout(size());
    Web->widget()->setGeometry(layout.web);
    placeMoviePlayer(layout.web);
    Picture1->setGeometry(layout.picture);
    if (context_.launch.fromEngine() && display_)
        refitSurfaces();
}

void frmmain::Form_Activate() {
    ShowSaver();
}

void frmmain::ShowSaver() {
    // Window managers report the activation at once, late, twice or never (then main() calls
    // this itself): whichever comes first starts the content, and only that one.
    if (exiting_ || shown_)
        return;
    shown_ = true;
    // 1. The mode's content.
    switch (contentOfMode(mode_)) {
    case SaverContent::MovieFolder:
        PlayMovieFolder(movieFolderOfMode(mode_));
        break;
    case SaverContent::WebPage:
        ShowWebPage();
        break;
    case SaverContent::PhotoFade:
        StartPhotoFade();
        break;
    case SaverContent::None:
        break;
    }
    // 2. A key pressed meanwhile has ended the saver.
    if (!doEvents())
        return;
    // The engine has taken the screen and the input already; it ends the saver.
    if (context_.launch.fromEngine()) {
        show();
        return;
    }
    // 3.-7. Take over the screen.
    if (!isVisible())
        showFullScreen();
    mouseWatch_ = true;
    makeTopmost();
    context_.pointer.hide();
    SetTaskbarState(0);
    activateWindow();
    setFocus();
    grabKeyboard();
}

void frmmain::makeTopmost() {
    // The window carries the stay-on-top hint from the start; this lifts it above whatever
    // has raised itself since.
    raise();
}

void frmmain::SetTaskbarState(int showCommand) {
    Q_UNUSED(showCommand);
    activateWindow();
    setFocus();
}

void frmmain::Form_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
    ExitSaver();
}

void frmmain::Picture1_Click() {
    if (!context_.launch.fromEngine())
        ExitSaver();
}

void frmmain::Timer1_Timer() {
    if (!exiting_ && !context_.launch.fromEngine())
        makeTopmost();
}

void frmmain::Timer2_Timer() {
    if (exiting_)
        return;
    if (mouseWatch_)
        CheckMouseMoved();
    if (exiting_)
        return;
    if (fadeRunning_)
        FadeStep();
}

void frmmain::CheckMouseMoved() {
    const QPoint at = context_.pointer.position();
    if (pointerWatch_.moved(at.x(), at.y()))
        ExitSaver();
}

void frmmain::ExitSaver() {
    if (exiting_)
        return;
    exiting_ = true;
    Timer1->stop();
    Timer2->stop();
    context_.pointer.show();
    SetTaskbarState(5);
    QFile::remove(dataFile(QStringLiteral("\\sys\\dong.swf")));
    releaseKeyboard();
    hide();
    instanceLock_.reset();
    if (context_.endProcess)
        context_.endProcess();
}

bool frmmain::doEvents() {
    QCoreApplication::processEvents();
    return !exiting_;
}

bool frmmain::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && !exiting_)
        QTimer::singleShot(0, this, &frmmain::Form_Activate);
    return QWidget::event(event);
}

bool frmmain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && !exiting_ && isVisible() &&
        !context_.launch.fromEngine()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        Form_KeyDown(key->key(), static_cast<int>(key->modifiers()));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmmain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Form_Resize();
}

} // namespace lumera::saver
