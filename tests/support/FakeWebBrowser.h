#pragma once

#include "platform/web/WebBrowser.h"

#include <QStringList>
#include <QWidget>
#include <utility>
#include <vector>

namespace lumera {

// A browser that loads nothing: it records what it was asked and lets a test fire every
// event with the values it chooses.
class FakeWebBrowser : public WebBrowser {
    Q_OBJECT
public:
    explicit FakeWebBrowser(QWidget* parent);

    QWidget* widget() override { return widget_; }
    void setSilent(bool silent) override { silent_ = silent; }
    bool silent() const override { return silent_; }
    void setRegisterAsBrowser(bool registered) override { registered_ = registered; }
    void navigate(const QString& address) override;
    void goBack() override { commands.append("back"); }
    void goForward() override { commands.append("forward"); }
    void refresh() override { commands.append("refresh"); }
    void execWB(int command, int option) override { execs.emplace_back(command, option); }
    QString locationUrl() const override { return location; }
    bool hasDocument() const override { return documentLoaded; }
    QString documentTitle() const override { return documentLoaded ? title : QString(); }
    QString activeElementHref() const override { return documentLoaded ? activeHref : QString(); }
    bool scrollBy(int dx, int dy) override;
    bool setBodyMargins(int top, int left, int right, int bottom) override;
    // Kept until the test answers them.
    void askTypingInPage(std::function<void(bool)> answer) override {
        typingQuestions.push_back(std::move(answer));
    }

    bool registeredAsBrowser() const { return registered_; }

    // Completes a visit as the engine would: BeforeNavigate2, progress, title, complete.
    void finishLoad(const QString& url, const QString& pageTitle);
    void fireStatus(const QString& text) { emit StatusTextChange(text); }
    void fireProgress(int progress, int max) { emit ProgressChange(progress, max); }
    void fireCommandState(int command, bool enable) { emit CommandStateChange(command, enable); }
    void fireTitle(const QString& pageTitle);
    // Fires NewWindow2; returns the browser the handler handed back (or null) and whether it
    // cancelled.
    std::pair<WebBrowser*, bool> fireNewWindow(const QString& url, bool userInitiated);

    // What the browser was asked.
    QStringList navigations;
    QStringList commands;
    std::vector<std::pair<int, int>> execs;
    std::vector<std::pair<int, int>> scrolls;
    std::vector<std::vector<int>> margins;
    std::vector<std::function<void(bool)>> typingQuestions;

    // The document the operations see.
    bool documentLoaded = false;
    QString location;
    QString title;
    QString activeHref;

private:
    QWidget* widget_;
    bool silent_ = false;
    bool registered_ = false;
};

class FakeWebBrowserFactory : public WebBrowserFactory {
public:
    WebBrowser* create(QWidget* parent) override;
    std::vector<FakeWebBrowser*> made;
};

} // namespace lumera
