#pragma once

#include <QColor>
#include <QPixmap>
#include <QWidget>

namespace lumera::portal {

// A plain box of a form: a back colour, an optional picture, and the mouse events the form
// handles, with positions in twips.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }
    void setPicture(const QPixmap& picture);

signals:
    // The buttons held while the pointer moves over the box.
    void MouseMove(Qt::MouseButtons buttons, int xTwips, int yTwips);
    void MouseUp(Qt::MouseButton button, int xTwips, int yTwips);
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor backColor_;
    QPixmap picture_;
    bool pressedInside_ = false;
};

} // namespace lumera::portal
