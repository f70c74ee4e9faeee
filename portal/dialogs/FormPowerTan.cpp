#include "portal/dialogs/FormPowerTan.h"

#include "platform/desktop/Desktop.h"
#include "portal/FixedDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace lumera::portal {

FormPowerTan::FormPowerTan(Desktop& desktop, QWidget* parent) : QDialog(parent), desktop_(desktop) {
    setObjectName("FormPowerTan");
    setWindowTitle(QStringLiteral("电脑定时关机"));

    Label2 = new QLabel(QStringLiteral("已到设定的定时关机时间，电脑将在倒计时结束后自动关闭，"
                                       "未保存的工作将会丢失。\n"
                                       "如需继续使用电脑，请点击“撤消关机”或按 Enter 键。"),
                        this);
    Label2->setWordWrap(true);
    Label1 = new QLabel(QString::number(kCountdownSeconds), this);
    QFont big = Label1->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    Label1->setFont(big);
    Label1->setAlignment(Qt::AlignCenter);
    Text2 = new QLineEdit(this);
    Text2->setReadOnly(true);
    Text2->setText(QStringLiteral("按 Enter 键撤消关机"));
    Command1 = new QPushButton(QStringLiteral("撤消关机"), this);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(Text2, 1);
    buttonRow->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label2);
    layout->addWidget(Label1);
    layout->addLayout(buttonRow);
    fixDialogSize(this);

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &FormPowerTan::Timer1_Timer);
    connect(Command1, &QPushButton::clicked, this, &FormPowerTan::Command1_Click);
    connect(Text2, &QLineEdit::returnPressed, this, &FormPowerTan::Text2_Return);
    Form_Load();
}

void FormPowerTan::Form_Load() {
    Counter = kCountdownSeconds;
    Timer1->start();
}

void FormPowerTan::Timer1_Timer() {
    --Counter;
    if (Counter >= 0)
        Label1->setText(QString::number(Counter));
    if (!raised_) {
        // Above every other window from the first second on.
        raised_ = true;
        setWindowFlag(Qt::WindowStaysOnTopHint, true);
        show();
        raise();
        activateWindow();
    }
    if (Counter < 0) {
        Timer1->stop();
        desktop_.shutdownNow();
        close();
    }
}

void FormPowerTan::Command1_Click() {
    Timer1->stop();
    close();
}

void FormPowerTan::Text2_Return() {
    Command1_Click();
}

bool FormPowerTan::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Text2->setFocus();
    return QDialog::event(event);
}

} // namespace lumera::portal
