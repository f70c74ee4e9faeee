#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace lumera::portal {

// The small dialog of a directory leaf: its caption and its address. OK closes it only when
// both are given and the address is an http, https or file address; else it says why.
class LeafDialog : public QDialog {
    Q_OBJECT
public:
    LeafDialog(const QString& title, const QString& caption, const QString& address,
               QWidget* parent = nullptr);

    QLineEdit* txtCaption;
    QLineEdit* txtAddress;
    QLabel* labProblem;
    QPushButton* cmdOK;
    QPushButton* cmdCancel;

    QString caption() const;
    QString address() const;
    void cmdOK_Click();
};

} // namespace lumera::portal
