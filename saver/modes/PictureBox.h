#pragma once

#include <QWidget>
#include <functional>

namespace lumera::saver {

// A picture area whose content a painter callback draws (black without one); reports clicks.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    std::function<void(QPainter&)> onPaint;

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace lumera::saver
