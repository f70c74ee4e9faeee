#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace lumera {
class SettingsStore;
}

namespace lumera::portal {

inline const QString kSetupSection = QStringLiteral("setup");
inline const QString kHistorySwitchKey = QStringLiteral("history");

// The settings dialog "系统设置": one stored switch and the default radio page shown for
// information.
class FormSetup : public QDialog {
    Q_OBJECT
public:
    FormSetup(SettingsStore& settings, const QString& defaultRadioPage, QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;
    // The check box array has its one element.
    std::array<QCheckBox*, 1> Chk{};
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr;

public slots:
    void Form_Load();
    void Command1_Click();

private:
    SettingsStore& settings_;
};

} // namespace lumera::portal
