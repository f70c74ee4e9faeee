#include "saver/modes/PictureBox.h"

#include <QMouseEvent>
#include <QPainter>

namespace lumera::saver {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (onPaint)
        onPaint(painter);
    else
        painter.fillRect(rect(), Qt::black);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
}

void PictureBox::mouseReleaseEvent(QMouseEvent* event) {
    if (pressed_ && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit Click();
    pressed_ = false;
}

} // namespace lumera::saver
