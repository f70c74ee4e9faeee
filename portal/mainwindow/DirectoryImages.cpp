#include "portal/mainwindow/DirectoryImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>
#include <functional>

namespace lumera::portal {

namespace {

// Every image is drawn on a 16 × 16 grid, at 1× and 2×.
using Drawing = std::function<void(QPainter&)>;

QIcon drawnIcon(const Drawing& draw) {
    QIcon icon;
    for (int scale : {1, 2}) {
        QPixmap pixmap(16 * scale, 16 * scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(scale, scale);
        draw(painter);
        painter.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

QPen outline(const QColor& color, qreal width = 1.0) {
    QPen pen(color, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    return pen;
}

QPainterPath starPath(QPointF centre, qreal outer, qreal inner) {
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = i % 2 ? inner : outer;
        const qreal angle = -M_PI / 2 + i * M_PI / 5;
        const QPointF point(centre.x() + radius * std::cos(angle),
                            centre.y() + radius * std::sin(angle));
        if (i == 0)
            path.moveTo(point);
        else
            path.lineTo(point);
    }
    path.closeSubpath();
    return path;
}

void globe(QPainter& p) {
    p.setPen(outline(QColor(20, 70, 150)));
    p.setBrush(QColor(80, 160, 230));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(5, 1.5, 6, 13));
    p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
    p.drawLine(QPointF(3, 4.5), QPointF(13, 4.5));
    p.drawLine(QPointF(3, 11.5), QPointF(13, 11.5));
}

void folder(QPainter& p) {
    p.setPen(outline(QColor(150, 110, 20)));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath path;
    path.moveTo(1.5, 3.5);
    path.lineTo(6, 3.5);
    path.lineTo(7.5, 5);
    path.lineTo(14.5, 5);
    path.lineTo(14.5, 13.5);
    path.lineTo(1.5, 13.5);
    path.closeSubpath();
    p.drawPath(path);
    p.setBrush(QColor(250, 222, 120));
    p.drawRect(QRectF(1.5, 6.5, 13, 7));
}

void film(QPainter& p) {
    p.setPen(outline(QColor(30, 30, 30)));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int y = 3; y <= 12; y += 3) {
        p.drawRect(QRectF(3.5, y, 1.5, 1.5));
        p.drawRect(QRectF(11, y, 1.5, 1.5));
    }
    p.setBrush(QColor(120, 190, 240));
    p.drawRect(QRectF(6, 3, 4, 4.5));
    p.drawRect(QRectF(6, 8.5, 4, 4.5));
}

void cartoon(QPainter& p) {
    p.setPen(outline(QColor(170, 90, 0)));
    p.setBrush(QColor(255, 190, 60));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(QColor(40, 40, 40));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(4.5, 5, 2, 2.5));
    p.drawEllipse(QRectF(9.5, 5, 2, 2.5));
    p.setPen(outline(QColor(40, 40, 40)));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(4.5, 6, 7, 5.5), 200 * 16, 140 * 16);
}

void series(QPainter& p) {
    p.setPen(outline(QColor(30, 30, 30)));
    p.setBrush(QColor(70, 70, 80));
    p.drawRect(QRectF(1.5, 6.5, 13, 8));
    QPainterPath clapper;
    clapper.moveTo(1.5, 6.5);
    clapper.lineTo(13.5, 2.5);
    clapper.lineTo(14.5, 5);
    clapper.lineTo(2.5, 8.5);
    p.setBrush(QColor(230, 230, 230));
    p.drawPath(clapper);
    p.setPen(outline(QColor(230, 80, 60), 1.5));
    p.drawLine(QPointF(4, 10.5), QPointF(12, 10.5));
}

void television(QPainter& p) {
    p.setPen(outline(QColor(40, 40, 40)));
    p.drawLine(QPointF(5, 1.5), QPointF(8, 4));
    p.drawLine(QPointF(11, 1.5), QPointF(8, 4));
    p.setBrush(QColor(90, 90, 100));
    p.drawRoundedRect(QRectF(1.5, 4, 13, 10), 1.5, 1.5);
    p.setBrush(QColor(110, 200, 250));
    p.drawRect(QRectF(3, 5.5, 10, 7));
}

void radio(QPainter& p) {
    p.setPen(outline(QColor(60, 30, 10)));
    p.drawLine(QPointF(4, 6), QPointF(12, 1.5));
    p.setBrush(QColor(190, 80, 50));
    p.drawRoundedRect(QRectF(1.5, 6, 13, 8.5), 1.5, 1.5);
    p.setBrush(QColor(240, 220, 190));
    p.drawEllipse(QRectF(3, 7.5, 5.5, 5.5));
    p.setPen(outline(QColor(240, 220, 190)));
    p.drawLine(QPointF(10, 8.5), QPointF(13, 8.5));
    p.drawLine(QPointF(10, 10.5), QPointF(13, 10.5));
    p.drawLine(QPointF(10, 12.5), QPointF(13, 12.5));
}

void music(QPainter& p) {
    p.setPen(outline(QColor(90, 30, 140), 1.5));
    p.drawLine(QPointF(6.5, 12), QPointF(6.5, 3));
    p.drawLine(QPointF(13, 10.5), QPointF(13, 1.5));
    p.drawLine(QPointF(6.5, 3), QPointF(13, 1.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 70, 200));
    p.drawEllipse(QRectF(2, 10, 5, 4));
    p.drawEllipse(QRectF(8.5, 8.5, 5, 4));
}

void star(QPainter& p) {
    p.setPen(outline(QColor(180, 120, 0)));
    p.setBrush(QColor(255, 210, 40));
    p.drawPath(starPath(QPointF(8, 8.5), 7, 3));
}

void person(QPainter& p) {
    p.setPen(outline(QColor(20, 90, 60)));
    p.setBrush(QColor(70, 180, 120));
    p.drawEllipse(QRectF(5, 1.5, 6, 6));
    QPainterPath body;
    body.moveTo(1.5, 14.5);
    body.cubicTo(1.5, 8, 14.5, 8, 14.5, 14.5);
    body.closeSubpath();
    p.drawPath(body);
}

void chart(QPainter& p) {
    p.setPen(outline(QColor(40, 40, 40)));
    p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 14.5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 70, 60));
    p.drawRect(QRectF(2.5, 8, 3, 6));
    p.setBrush(QColor(250, 170, 40));
    p.drawRect(QRectF(6.5, 3, 3, 11));
    p.setBrush(QColor(60, 150, 230));
    p.drawRect(QRectF(10.5, 6, 3, 8));
}

void heart(QPainter& p) {
    p.setPen(outline(QColor(150, 20, 40)));
    p.setBrush(QColor(235, 60, 90));
    QPainterPath path;
    path.moveTo(8, 14);
    path.cubicTo(-1, 8, 3, 0, 8, 4.5);
    path.cubicTo(13, 0, 17, 8, 8, 14);
    p.drawPath(path);
}

void download(QPainter& p) {
    p.setPen(outline(QColor(20, 100, 40)));
    p.setBrush(QColor(60, 190, 90));
    QPainterPath arrow;
    arrow.moveTo(5.5, 1.5);
    arrow.lineTo(10.5, 1.5);
    arrow.lineTo(10.5, 6.5);
    arrow.lineTo(13.5, 6.5);
    arrow.lineTo(8, 12);
    arrow.lineTo(2.5, 6.5);
    arrow.lineTo(5.5, 6.5);
    arrow.closeSubpath();
    p.drawPath(arrow);
    p.setPen(outline(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(2, 14.5), QPointF(14, 14.5));
}

void filmStar(QPainter& p) {
    film(p);
    p.setPen(outline(QColor(160, 100, 0)));
    p.setBrush(QColor(255, 215, 50));
    p.drawPath(starPath(QPointF(8, 8), 5.5, 2.3));
}

void crown(QPainter& p) {
    p.setPen(outline(QColor(150, 100, 0)));
    p.setBrush(QColor(250, 200, 40));
    QPainterPath path;
    path.moveTo(1.5, 5);
    path.lineTo(5, 8.5);
    path.lineTo(8, 3);
    path.lineTo(11, 8.5);
    path.lineTo(14.5, 5);
    path.lineTo(13, 13.5);
    path.lineTo(3, 13.5);
    path.closeSubpath();
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 60));
    p.drawEllipse(QRectF(6.8, 9.3, 2.4, 2.4));
}

} // namespace

QList<QIcon> directoryImages() {
    const QList<Drawing> drawings{globe, folder, film,  cartoon, series,   television, radio, music,
                                  star,  person, chart, heart,   download, filmStar,   crown};
    QList<QIcon> icons;
    for (const Drawing& draw : drawings)
        icons.append(drawnIcon(draw));
    return icons;
}

} // namespace lumera::portal
