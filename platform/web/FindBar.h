#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QWebEnginePage;

namespace lumera {

// The find bar over a page: a text box, previous, next and close; Enter finds the next
// match, Shift+Enter the previous, Esc closes the bar and clears the highlight.
class FindBar : public QWidget {
    Q_OBJECT
public:
    FindBar(QWebEnginePage* page, QWidget* parent);

    void open();
    void close();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void find(bool backward);

    QWebEnginePage* page_;
    QLineEdit* text_;
    QLabel* result_;
};

} // namespace lumera
