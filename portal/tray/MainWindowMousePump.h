#pragma once

#include <QObject>

class QWidget;

namespace lumera::portal {

struct PortalState;

// Gives the active main window wheel scrolling and the right-button page menu over its web
// page: an application-wide event filter that takes wheel turns and right-button presses
// aimed at the page of ActiveMainWindow while MouseHookPaused is false. It is started once, at
// the end of start-up, and gone for good once PumpStopRequested is set.
class MainWindowMousePump : public QObject {
    Q_OBJECT
public:
    explicit MainWindowMousePump(PortalState& state, QObject* parent = nullptr);
    ~MainWindowMousePump() override;

    void start();
    bool running() const { return running_; }

    // Pixels the page moves per wheel notch.
    static constexpr int kScrollStep = 100;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stop();
    // The page the pump works on, when the pump may take events now.
    QWidget* activePage() const;

    PortalState& state_;
    bool running_ = false;
    bool ended_ = false;
    // Wheel turns below one notch, kept until they add up to one.
    int pendingDelta_ = 0;
};

} // namespace lumera::portal
