#pragma once

#include <QList>
#include <QString>
#include <QWidget>

class QLabel;
class QTimer;

namespace lumera {
class Clock;
}

namespace lumera::portal {

// The widths of the fifteen panels in twips: text panels with narrow spacers between them.
inline constexpr int kStatusPanelWidths[15] = {7000, 200, 700,  200, 3000, 200, 1500, 200,
                                               1440, 200, 2000, 200, 2000, 200, 2000};
// What the window has to say (the page's status, the link check, a refusal).
inline constexpr int kStatusTextPanel = 1;
inline constexpr int kStatusProgressPanel = 3;
inline constexpr int kStatusNoticePanel = 7;
inline constexpr int kStatusDatePanel = 9;
inline constexpr int kStatusSloganPanel = 13;
inline constexpr int kStatusTimePanel = 15;

// The product slogan of panel 13, also its tool tip.
QString statusSlogan();

// The status bar of a main window: fifteen panels numbered from 1; panel 9 shows the date and
// panel 15 the time of the clock, kept current while the bar is on screen.
class StatusBar : public QWidget {
    Q_OBJECT
public:
    StatusBar(const Clock& clock, QWidget* parent);

    int panelCount() const { return static_cast<int>(panels_.size()); }
    void setPanelText(int panel, const QString& text);
    QString panelText(int panel) const;
    QLabel* panel(int panel) const;

    // Puts the clock's date and time into panels 9 and 15.
    void showDateAndTime();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    const Clock& clock_;
    QList<QLabel*> panels_;
    QTimer* clockTimer_;
};

} // namespace lumera::portal
