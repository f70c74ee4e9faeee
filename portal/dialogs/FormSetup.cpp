#include "portal/dialogs/FormSetup.h"

#include "platform/settings/SettingsStore.h"
#include "portal/UseCounter.h"
#include "portal/dialogs/CheckBoxValue.h"
#include "portal/dialogs/DialogFrameLayout.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumera::portal {

FormSetup::FormSetup(SettingsStore& settings, const QString& defaultRadioPage, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("FormSetup");
    setWindowTitle(QStringLiteral("系统设置"));

    Frame1 = new QGroupBox(QStringLiteral("选项"), this);
    Chk[0] = new QCheckBox(QStringLiteral("禁止《Lumera桌面》弹出新的窗口"), Frame1);
    Label1 = new QLabel(QStringLiteral("首页："), Frame1);
    // Shown for information only.
    Text1 = new QLineEdit(defaultRadioPage, Frame1);
    Text1->setReadOnly(true);
    Text1->setMinimumWidth(260);
    Command1 = new QPushButton(QStringLiteral("确定(&Y)"), this);
    Command1->setDefault(true);

    auto* pageRow = new QHBoxLayout;
    pageRow->addWidget(Label1);
    pageRow->addWidget(Text1, 1);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Chk[0]);
    frameLayout->addLayout(pageRow);
    layOutFrameDialog(this, Frame1, Command1);

    connect(Command1, &QPushButton::clicked, this, &FormSetup::Command1_Click);
    Form_Load();
}

void FormSetup::Form_Load() {
    setCheckBoxValue(Chk[0], settings_.read(kCinemaApp, kSetupSection, kHistorySwitchKey));
}

void FormSetup::Command1_Click() {
    settings_.write(kCinemaApp, kSetupSection, kHistorySwitchKey,
                    QString::number(checkBoxValue(Chk[0])));
    accept();
}

} // namespace lumera::portal
