#include "support/FakeWebBrowser.h"

namespace lumera {

namespace {

class FakeNewWindowRequest : public NewWindowRequest {
public:
    FakeNewWindowRequest(QString url, bool user) : url_(std::move(url)), user_(user) {}
    QString requestedUrl() const override { return url_; }
    bool userInitiated() const override { return user_; }
    void openIn(WebBrowser* target) override {
        target_ = target;
        if (auto* fake = qobject_cast<FakeWebBrowser*>(target))
            fake->navigate(url_);
    }
    WebBrowser* target() const { return target_; }

private:
    QString url_;
    bool user_;
    WebBrowser* target_ = nullptr;
};

} // namespace

FakeWebBrowser::FakeWebBrowser(QWidget* parent) : WebBrowser(parent), widget_(new QWidget(parent)) {
    widget_->setObjectName("FakeWebBrowser");
}

void FakeWebBrowser::navigate(const QString& address) {
    navigations.append(address);
    emit BeforeNavigate2(address);
}

bool FakeWebBrowser::scrollBy(int dx, int dy) {
    if (!documentLoaded)
        return false;
    scrolls.emplace_back(dx, dy);
    return true;
}

bool FakeWebBrowser::setBodyMargins(int top, int left, int right, int bottom) {
    if (!documentLoaded)
        return false;
    margins.push_back({top, left, right, bottom});
    return true;
}

void FakeWebBrowser::fireTitle(const QString& pageTitle) {
    title = pageTitle;
    emit TitleChange(pageTitle);
}

void FakeWebBrowser::finishLoad(const QString& url, const QString& pageTitle) {
    emit BeforeNavigate2(url);
    location = url;
    documentLoaded = true;
    emit ProgressChange(50, 100);
    fireTitle(pageTitle);
    emit ProgressChange(-1, 100);
    emit StatusTextChange(QStringLiteral("完成"));
    emit DocumentComplete(url);
}

std::pair<WebBrowser*, bool> FakeWebBrowser::fireNewWindow(const QString& url, bool userInitiated) {
    FakeNewWindowRequest request(url, userInitiated);
    emit NewWindow2(&request);
    return {request.target(), request.cancel()};
}

WebBrowser* FakeWebBrowserFactory::create(QWidget* parent) {
    auto* browser = new FakeWebBrowser(parent);
    made.push_back(browser);
    return browser;
}

} // namespace lumera
