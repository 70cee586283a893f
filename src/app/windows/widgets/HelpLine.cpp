#include "HelpLine.h"

#include <QEvent>
#include <QLabel>
#include <QWidget>

namespace quoravel {

HelpLine::HelpLine(QLabel* label, QString idleText, QObject* parent)
    : QObject(parent), label_(label), idleText_(std::move(idleText)) {
    label_->setText(idleText_);
}

void HelpLine::Set(QWidget* control, const QString& text) {
    if (texts_.emplace(control, text).second) {
        control->installEventFilter(this);
        connect(control, &QObject::destroyed, this, [this](QObject* gone) { texts_.erase(gone); });
    } else {
        texts_[control] = text;
    }
    if (control->hasFocus()) label_->setText(text);
}

QString HelpLine::TextOf(QWidget* control) const {
    const auto found = texts_.find(control);
    return found == texts_.end() ? QString() : found->second;
}

bool HelpLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto found = texts_.find(watched);
        if (found != texts_.end()) label_->setText(found->second);
    } else if (event->type() == QEvent::FocusOut) {
        label_->setText(idleText_);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace quoravel
