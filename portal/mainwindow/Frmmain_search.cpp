#include "platform/web/WebBrowser.h"
#include "portal/browser/VideoSearch.h"
#include "portal/mainwindow/Frmmain.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <functional>

namespace lumera::portal {

namespace {

// Hands Enter in a combo box to the form before the box acts on it: an editable box would
// otherwise first select a list entry that differs from the text only in case.
class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(QObject* parent, std::function<void()> onEnter)
        : QObject(parent), onEnter_(std::move(onEnter)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                onEnter_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onEnter_;
};

} // namespace

void Frmmain::setUpSearchBarEvents() {
    connect(CmbType, &QComboBox::activated, this, [this] { CmbType_Click(); });
    auto* enter = new EnterKeyFilter(CmbSearch, [this] { CmbSearch_KeyDown(13); });
    CmbSearch->installEventFilter(enter);
    CmbSearch->lineEdit()->installEventFilter(enter);
}

void Frmmain::Cmd_Click() {
    const QString query = CmbSearch->currentText();
    if (query.isEmpty())
        return;
    rememberQuery(CmbSearch, query);
    TargetUrl = searchAddress(ctx.sites, selectedEngineIndex(CmbType), query);
    Web->navigate(TargetUrl);
    // The arrow keys scroll the result page from here.
    Cmb->setFocus();
}

void Frmmain::CmbSearch_KeyDown(int keyCode) {
    if (keyCode == 13)
        Cmd_Click();
}

void Frmmain::CmbType_Click() {
    Cmd_Click();
}

void Frmmain::CmbSearch_GotFocus() {
    ctx.state.MouseHookPaused = true;
}

void Frmmain::CmbSearch_LostFocus() {
    ctx.state.MouseHookPaused = false;
}

} // namespace lumera::portal
