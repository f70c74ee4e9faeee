#include "saver/modes/PhotoPipeline.h"
#include "saver/modes/PictureBox.h"
#include "saver/modes/frmmain.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <cmath>

namespace lumera::saver {

QSize frmmain::stageSize() const {
    if (context_.launch.fromEngine())
        return size();
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize();
}

void frmmain::InitSurfaces() {
    const QSize pixels = stageSize();
    surfaceSize_ = surfaceSizeFromTwips(pixels.width() * 15.0, pixels.height() * 15.0);
    display_ = std::make_unique<CDIB>(surfaceSize_);
    display_->Clone(nullptr);
    source_ = std::make_unique<CDIB>(surfaceSize_);
    routines_ = std::make_unique<Asm>();
    fade_ = FadeLevels{};
}

void frmmain::StartPhotoFade() {
    photoNames_ = FileList::matching(File1.Path(), QStringLiteral("*.jpg"));
    nextPhotoIndex_ = 0;
    currentPhotoName_ = photoNames_.value(nextPhotoIndex_++);
    Picture1->show();
    Picture1->raise();
    fadeRunning_ = true;
}

QString frmmain::CurrentPicturePath() const {
    const QString folder = File1.Path();
    return (folder.endsWith('/') ? folder : folder + '/') + currentPhotoName_;
}

void frmmain::refitSurfaces() {
    const QSize stage = stageSize();
    const SurfaceSize wanted = surfaceSizeFromTwips(stage.width() * 15.0, stage.height() * 15.0);
    if (wanted.ScreenWidthPx == surfaceSize_.ScreenWidthPx &&
        wanted.ScreenHeightPx == surfaceSize_.ScreenHeightPx)
        return;
    const FadeLevels fade = fade_;
    InitSurfaces();
    fade_ = fade;
    // The photo on show, fitted to the new size: no file to decode keeps ImageL's photo.
    if (fadeRunning_ && !ImageL.isNull())
        loadPhoto(QString());
}

void frmmain::loadNextPhoto() {
    const QString path = CurrentPicturePath();
    currentPhotoName_ = photoNames_.value(nextPhotoIndex_++);
    // With the photos used up the path names the folder itself, which does not decode, so the
    // last photo comes again.
    loadPhoto(path);
}

void frmmain::loadPhoto(const QString& path) {
    if (source_)
        loadPhotoIntoSurface(path, Picture1->size(), dataFile(QStringLiteral("\\temp\\music.bmp")),
                             ImageL, Picture2, *source_);
}

void frmmain::FadeStep() {
    if (fade_.advance())
        loadNextPhoto();
    if (routines_ && display_ && source_ && display_->lpRGB && source_->lpRGB)
        routines_->XFade(source_->lpRGB, display_->lpRGB, display_->RGBSize(), fade_.level);
    // Half the uncovered width, so that a narrower work picture is centred; 0 as laid out.
    paintX_ = Picture2.isNull()
                  ? 0
                  : static_cast<int>(std::nearbyint((Picture1->width() - Picture2.width()) / 2.0));
    Picture1->update();
}

void frmmain::paintPicture1(QPainter& painter) {
    if (!display_ || !display_->lpRGB) {
        painter.fillRect(Picture1->rect(), Qt::black);
        return;
    }
    display_->Paint(painter, paintX_, 0);
}

} // namespace lumera::saver
