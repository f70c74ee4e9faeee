#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace lumera {
class Desktop;
}

namespace lumera::portal {

// The countdown "电脑定时关机" shown when the scheduled time has come: twenty seconds, one a
// tick, then the computer is shut down. The button and Enter cancel it.
class FormPowerTan : public QDialog {
    Q_OBJECT
public:
    explicit FormPowerTan(Desktop& desktop, QWidget* parent = nullptr);

    static constexpr int kCountdownSeconds = 20;

    QLabel* Label1 = nullptr; // the seconds left
    QLabel* Label2 = nullptr; // what is about to happen
    QLineEdit* Text2 = nullptr;
    QPushButton* Command1 = nullptr;
    QTimer* Timer1 = nullptr;

    int Counter = 0;

public slots:
    void Form_Load();
    void Timer1_Timer();
    void Command1_Click();
    void Text2_Return();

protected:
    bool event(QEvent* event) override;

private:
    Desktop& desktop_;
    bool raised_ = false;
};

} // namespace lumera::portal
