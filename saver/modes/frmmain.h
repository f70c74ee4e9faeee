#pragma once

#include "saver/engine/SharedActivation.h"
#include "saver/modes/FadeLevels.h"
#include "saver/modes/FileList.h"
#include "saver/modes/PointerWatch.h"
#include "saver/modes/SaverContext.h"
#include "saver/pixels/Asm.h"
#include "saver/pixels/CDIB.h"
#include "saver/pixels/SurfaceSize.h"

#include <QImage>
#include <QStringList>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>

class QLockFile;
class QTimer;

namespace lumera {
class WebBrowser;
}

namespace lumera::saver {

class MoviePlayer;
class PictureBox;

// The screen saver's one window: full-screen and top-most over every panel of its screen,
// showing the content of the run's mode until a key press, a mouse movement or a click on
// the photo ends the program.
class frmmain : public QWidget {
    Q_OBJECT
public:
    explicit frmmain(SaverContext& context, QWidget* parent = nullptr);
    ~frmmain() override;

    // Start-up, run once before the window is shown. False when the program must end at once:
    // another copy runs, or no picture folder is stored.
    bool Form_Load();
    // Lays the parts out for the window's size; the window stays full-screen.
    void Form_Resize();
    // Every activation of the window asks for ShowSaver.
    void Form_Activate();
    // Starts the mode's content and takes over the screen, once a run: later calls do nothing.
    void ShowSaver();
    void Form_KeyDown(int KeyCode, int Shift);
    void Picture1_Click();
    // Every 60 s: top-most again.
    void Timer1_Timer();
    // Every 100 ms: the mouse test, then the fade step.
    void Timer2_Timer();
    // 0 hides the desktop's panels, 5 shows them again. The window covers them while it is
    // full-screen and top-most, so what is left to do is to give the window the focus.
    void SetTaskbarState(int showCommand);
    // Ends the saver at the first movement of the pointer, by a single pixel.
    void CheckMouseMoved();
    // Pointer back, panels back, the movie copy deleted, the window gone, the process ended.
    void ExitSaver();

    // Photo fade (PhotoFade.cpp).
    // The surface size from the screen, the two surfaces and the routine set.
    void InitSurfaces();
    // Mode 7: the picture folder's first photo is next, the fade runs from now on.
    void StartPhotoFade();
    // One tick of the fade: next level, a new photo at level 0, the display recomputed.
    void FadeStep();
    // The picture folder + "/" + the name of the photo to load next.
    QString CurrentPicturePath() const;

    // Movie and page modes (MovieModes.cpp).
    // Plays the next movie of a content folder beside the program and remembers it.
    void PlayMovieFolder(const QString& folderName);
    // Mode 2: the local page in Web.
    void ShowWebPage();

    // State, read by tests.
    std::int32_t mode() const { return mode_; }
    bool mouseWatch() const { return mouseWatch_; }
    bool fadeRunning() const { return fadeRunning_; }
    bool exiting() const { return exiting_; }
    const FadeLevels& fadeLevels() const { return fade_; }
    const SurfaceSize& surfaceSize() const { return surfaceSize_; }
    const CDIB* displaySurface() const { return display_.get(); }
    const CDIB* sourceSurface() const { return source_.get(); }
    QString currentPhotoName() const { return currentPhotoName_; }
    const PointerWatch& pointerWatch() const { return pointerWatch_; }

    // The controls.
    WebBrowser* Web = nullptr;
    // The movie player; none when the context gives no way to make one.
    MoviePlayer* Flash = nullptr;
    PictureBox* Picture1 = nullptr;
    // The work picture each photo is stretched onto; never shown.
    QImage Picture2;
    // Holds the photo last decoded.
    QImage ImageL;
    FileList File1;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Movie and page modes (MovieModes.cpp): the movie player is made with the window and
    // given the rectangle of Web whenever that moves.
    void createMoviePlayer();
    void placeMoviePlayer(const QRect& rect);

    void makeTopmost();
    // The size the surfaces are made for: the screen, or the engine's window the saver fills.
    QSize stageSize() const;
    // After the engine's window changed its size: surfaces of the new size, the photo fitted
    // anew.
    void refitSurfaces();
    void loadNextPhoto();
    // The photo of that file (ImageL's own when it does not decode) into the source surface.
    void loadPhoto(const QString& path);
    void paintPicture1(QPainter& painter);
    // Lets pending window events run; false when one of them ended the saver.
    bool doEvents();
    QString dataFile(const QString& windowsName) const;
    QString programFile(const QString& windowsName) const;

    SaverContext& context_;
    std::unique_ptr<QLockFile> instanceLock_;
    SharedActivation activation_;

    std::int32_t mode_ = 0;
    bool mouseWatch_ = false;
    bool fadeRunning_ = false;
    bool exiting_ = false;
    bool shown_ = false;
    PointerWatch pointerWatch_;

    // Photo fade.
    SurfaceSize surfaceSize_;
    std::unique_ptr<CDIB> display_;
    std::unique_ptr<CDIB> source_;
    std::unique_ptr<Asm> routines_;
    FadeLevels fade_;
    QStringList photoNames_;
    int nextPhotoIndex_ = 0;
    QString currentPhotoName_;
    int paintX_ = 0;
};

} // namespace lumera::saver
