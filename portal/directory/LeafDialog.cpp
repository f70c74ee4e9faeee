#include "portal/directory/LeafDialog.h"

#include "portal/directory/DirectoryOverlay.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lumera::portal {

LeafDialog::LeafDialog(const QString& title, const QString& caption, const QString& address,
                       QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(title);
    txtCaption = new QLineEdit(caption, this);
    txtAddress = new QLineEdit(address, this);
    txtAddress->setPlaceholderText(QStringLiteral("http://"));
    labProblem = new QLabel(this);
    labProblem->setStyleSheet(QStringLiteral("color: #c00000"));
    cmdOK = new QPushButton(QStringLiteral("确定"), this);
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("取消"), this);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("名称(&N)："), txtCaption);
    fields->addRow(QStringLiteral("地址(&U)："), txtAddress);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(labProblem, 1);
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(460, sizeHint().height());

    connect(cmdOK, &QPushButton::clicked, this, &LeafDialog::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString LeafDialog::caption() const {
    return txtCaption->text().simplified();
}

QString LeafDialog::address() const {
    return txtAddress->text().trimmed();
}

void LeafDialog::cmdOK_Click() {
    if (caption().isEmpty()) {
        labProblem->setText(QStringLiteral("请填写名称。"));
        txtCaption->setFocus();
    } else if (!isLeafAddress(address())) {
        labProblem->setText(QStringLiteral("地址须以 http://、https:// 或 file:// 开头。"));
        txtAddress->setFocus();
    } else {
        accept();
    }
}

} // namespace lumera::portal
