#include "portal/dialogs/FormTurnOff.h"

#include "platform/settings/SettingsStore.h"
#include "portal/Dialogs.h"
#include "portal/ProgramTexts.h"
#include "portal/UseCounter.h"
#include "portal/dialogs/CheckBoxValue.h"
#include "portal/dialogs/DialogFrameLayout.h"
#include "portal/dialogs/ShutdownSchedule.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumera::portal {

namespace {

QComboBox* timeBox(QWidget* parent, const QStringList& entries, const QString& text) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
    box->addItems(entries);
    box->setCurrentIndex(-1);
    box->setEditText(text);
    box->setMinimumContentsLength(3);
    return box;
}

} // namespace

QString turnOffTimeText(const QString& hours, const QString& minutes) {
    return hours + ':' + minutes.right(2);
}

FormTurnOff::FormTurnOff(SettingsStore& settings, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
    setObjectName("FormTurnOff");
    setWindowTitle(QStringLiteral("定时关机"));

    QStringList hours;
    for (int h = 0; h < 24; ++h)
        hours.append(QString::number(h));
    QStringList minutes;
    for (int m = 0; m < 60; ++m)
        minutes.append(QString::number(m).rightJustified(2, '0'));

    Frame1 = new QGroupBox(this);
    Comb[0] = timeBox(Frame1, hours, QStringLiteral("13"));
    Comb[0]->setObjectName("Comb0");
    Label1 = new QLabel(QStringLiteral("时"), Frame1);
    Comb[1] = timeBox(Frame1, minutes, QStringLiteral("30"));
    Comb[1]->setObjectName("Comb1");
    Label2 = new QLabel(QStringLiteral("分"), Frame1);
    ChkEnable = new QCheckBox(QStringLiteral("启动定时关机"), Frame1);
    Command1 = new QPushButton(QStringLiteral("确定(&Y)"), this);
    Command1->setDefault(true);

    auto* timeRow = new QHBoxLayout;
    timeRow->addWidget(Comb[0]);
    timeRow->addWidget(Label1);
    timeRow->addWidget(Comb[1]);
    timeRow->addWidget(Label2);
    timeRow->addStretch();
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addLayout(timeRow);
    frameLayout->addWidget(ChkEnable);
    layOutFrameDialog(this, Frame1, Command1);

    connect(Command1, &QPushButton::clicked, this, &FormTurnOff::Command1_Click);
    Form_Load();
}

void FormTurnOff::Form_Load() {
    TimeText = settings_.read(kCinemaApp, kTurnOffSection, kTimeSetKey);
    // The hours are what stands before the first ":"; without one they stay as designed.
    const qsizetype colon = TimeText.indexOf(':');
    if (colon >= 0)
        Comb[0]->setEditText(TimeText.left(colon));
    // The minutes are everything after it: without a ":" the whole stored text.
    Comb[1]->setEditText(TimeText.mid(colon + 1));
    setCheckBoxValue(ChkEnable, settings_.read(kCinemaApp, kTurnOffSection, kEnableKey));
}

void FormTurnOff::Command1_Click() {
    const QString time = turnOffTimeText(Comb[0]->currentText(), Comb[1]->currentText());
    // A switched-on shutdown at a time that never comes would leave the user believing the
    // computer will shut down.
    if (ChkEnable->checkState() == Qt::Checked && !scheduledShutdownTime(time)) {
        dialogs_.information(this, QStringLiteral("关机时间无效，定时关机永远不会执行。\n"
                                                  "请输入 0～23 时、00～59 分。"));
        return;
    }
    TimeText = time;
    settings_.write(kCinemaApp, kTurnOffSection, kTimeSetKey, TimeText);
    settings_.write(kCinemaApp, kTurnOffSection, kEnableKey,
                    QString::number(checkBoxValue(ChkEnable)));
    accept();
}

} // namespace lumera::portal
