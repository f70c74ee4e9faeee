#include "platform/web/FindBar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>

namespace lumera {

FindBar::FindBar(QWebEnginePage* page, QWidget* parent)
    : QWidget(parent), page_(page), text_(new QLineEdit(this)), result_(new QLabel(this)) {
    setObjectName("FindBar");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* caption = new QLabel(QStringLiteral("查找:"), this);
    text_->setObjectName("FindText");
    text_->setClearButtonEnabled(true);
    auto* previous = new QToolButton(this);
    previous->setText(QStringLiteral("上一个"));
    auto* next = new QToolButton(this);
    next->setText(QStringLiteral("下一个"));
    auto* closeButton = new QToolButton(this);
    closeButton->setText(QStringLiteral("关闭"));
    result_->setObjectName("FindResult");
    layout->addWidget(caption);
    layout->addWidget(text_, 1);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(result_);
    layout->addWidget(closeButton);

    connect(text_, &QLineEdit::returnPressed, this,
            [this] { find(QGuiApplication::keyboardModifiers() & Qt::ShiftModifier); });
    connect(text_, &QLineEdit::textChanged, this, [this] { find(false); });
    connect(previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(next, &QToolButton::clicked, this, [this] { find(false); });
    connect(closeButton, &QToolButton::clicked, this, &FindBar::close);
    hide();
}

void FindBar::open() {
    show();
    text_->setFocus();
    text_->selectAll();
}

void FindBar::close() {
    hide();
    page_->findText(QString());
    result_->clear();
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void FindBar::find(bool backward) {
    const QString text = text_->text();
    if (text.isEmpty()) {
        page_->findText(QString());
        result_->clear();
        return;
    }
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    page_->findText(
        text, flags, [label = QPointer<QLabel>(result_)](const QWebEngineFindTextResult& r) {
            if (!label)
                return;
            if (r.numberOfMatches() == 0)
                label->setText(QStringLiteral("找不到"));
            else
                label->setText(
                    QStringLiteral("%1/%2").arg(r.activeMatch()).arg(r.numberOfMatches()));
        });
}

} // namespace lumera
