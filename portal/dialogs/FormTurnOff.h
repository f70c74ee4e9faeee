#pragma once

#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace lumera {
class SettingsStore;
}

namespace lumera::portal {

class Dialogs;

inline const QString kTurnOffSection = QStringLiteral("turnoff");
inline const QString kTimeSetKey = QStringLiteral("timeset");
inline const QString kEnableKey = QStringLiteral("Enable");

// The scheduled-shutdown dialog "定时关机": a time of day and a switch, kept in the settings.
// Loading fills it from the settings; OK stores what is shown and closes it, except when the
// switch is on and the time can never come: then it says so and the dialog stays open.
class FormTurnOff : public QDialog {
    Q_OBJECT
public:
    FormTurnOff(SettingsStore& settings, Dialogs& dialogs, QWidget* parent = nullptr);

    // Comb[0] the hours, Comb[1] the minutes.
    std::array<QComboBox*, 2> Comb{};
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QCheckBox* ChkEnable = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* Command1 = nullptr;

    // The time text read at load and built at OK.
    QString TimeText;

public slots:
    void Form_Load();
    void Command1_Click();

private:
    SettingsStore& settings_;
    Dialogs& dialogs_;
};

// The stored time text: the hours, ":" and the last two characters of the minutes.
QString turnOffTimeText(const QString& hours, const QString& minutes);

} // namespace lumera::portal
