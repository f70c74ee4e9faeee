#include "portal/mainwindow/StatusBar.h"

#include "platform/desktop/Clock.h"
#include "portal/ChineseDates.h"
#include "portal/mainwindow/Twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>

namespace lumera::portal {

QString statusSlogan() {
    return QStringLiteral("《精彩 一点就看》");
}

StatusBar::StatusBar(const Clock& clock, QWidget* parent)
    : QWidget(parent), clock_(clock), clockTimer_(new QTimer(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 1, 0, 1);
    row->setSpacing(0);
    for (int i = 0; i < 15; ++i) {
        auto* label = new QLabel(this);
        label->setFixedWidth(twipsToPixels(kStatusPanelWidths[i]));
        const bool spacer = kStatusPanelWidths[i] == 200;
        if (!spacer) {
            label->setFrameShape(QFrame::Panel);
            label->setFrameShadow(QFrame::Sunken);
            label->setContentsMargins(3, 0, 3, 0);
        }
        panels_.append(label);
        row->addWidget(label);
    }
    row->addStretch(1);
    setPanelText(kStatusSloganPanel, statusSlogan());
    panel(kStatusSloganPanel)->setToolTip(statusSlogan());
    panel(kStatusSloganPanel)->setAlignment(Qt::AlignCenter);
    showDateAndTime();
    clockTimer_->setInterval(1000);
    connect(clockTimer_, &QTimer::timeout, this, &StatusBar::showDateAndTime);
}

// A window in the tray shows no clock: the program does not wake for it.
void StatusBar::showEvent(QShowEvent* event) {
    showDateAndTime();
    clockTimer_->start();
    QWidget::showEvent(event);
}

void StatusBar::hideEvent(QHideEvent* event) {
    clockTimer_->stop();
    QWidget::hideEvent(event);
}

QLabel* StatusBar::panel(int panel) const {
    return panel >= 1 && panel <= panelCount() ? panels_.at(panel - 1) : nullptr;
}

void StatusBar::setPanelText(int index, const QString& text) {
    if (QLabel* label = panel(index))
        label->setText(text);
}

QString StatusBar::panelText(int index) const {
    const QLabel* label = panel(index);
    return label ? label->text() : QString();
}

void StatusBar::showDateAndTime() {
    const QDateTime now = clock_.now();
    setPanelText(kStatusDatePanel, chineseDate(now.date()));
    setPanelText(kStatusTimePanel, chineseTime(now.time()));
}

} // namespace lumera::portal
