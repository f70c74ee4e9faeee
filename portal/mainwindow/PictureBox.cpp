#include "portal/mainwindow/PictureBox.h"

#include "portal/mainwindow/Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumera::portal {

PictureBox::PictureBox(QWidget* parent)
    : QWidget(parent), backColor_(palette().color(QPalette::Button)) {}

void PictureBox::setBackColor(const QColor& color) {
    backColor_ = color;
    update();
}

void PictureBox::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), backColor_);
    if (!picture_.isNull())
        painter.drawPixmap(rect(), picture_);
}

void PictureBox::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseMove(event->buttons(), pixelsToTwips(at.x()), pixelsToTwips(at.y()));
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressedInside_ = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    emit MouseUp(event->button(), pixelsToTwips(at.x()), pixelsToTwips(at.y()));
    const bool click = pressedInside_ && event->button() == Qt::LeftButton && rect().contains(at);
    pressedInside_ = false;
    if (click)
        emit Click();
}

} // namespace lumera::portal
