#include "FieldValidator.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>
#include <QWindow>

namespace bpd::mainwindow {

FieldValidator::FieldValidator(QWidget* window, Validate validate)
    : QObject(window), window_(window), validate_(std::move(validate)) {
    qApp->installEventFilter(this);
}

FieldValidator::~FieldValidator() {
    if (qApp) qApp->removeEventFilter(this);
}

void FieldValidator::addField(QLineEdit* field, bool zeroAllowed) {
    zeroAllowed_.insert(field, zeroAllowed);
}

bool FieldValidator::isField(const QObject* object) const {
    const auto* edit = qobject_cast<const QLineEdit*>(object);
    return edit && zeroAllowed_.contains(edit);
}

bool FieldValidator::validate(QLineEdit* field) {
    if (validating_) return true;  // a message box of this validation is still open
    validating_ = true;
    const bool cancel = validate_(field, zeroAllowed_.value(field));
    validating_ = false;
    return cancel;
}

QLineEdit* FieldValidator::focusedField() const {
    // The window's own focus child: a click that brings the window back from another
    // application moves the focus away from the field just the same.
    QWidget* focus = window_ ? window_->focusWidget() : nullptr;
    if (!focus) return nullptr;
    return isField(focus) ? static_cast<QLineEdit*>(focus) : nullptr;
}

// The control that a press at this point of the window would give the focus to, if any.
QWidget* FieldValidator::focusTargetAt(const QPoint& windowPos) const {
    QWidget* w = window_->childAt(windowPos);
    while (w && w != window_) {
        if (w->isEnabled() && (w->focusPolicy() & Qt::ClickFocus)) {
            while (w->focusProxy()) w = w->focusProxy();
            return w;
        }
        w = w->parentWidget();
    }
    return nullptr;
}

bool FieldValidator::handleWindowPress(QEvent* event) {
    QLineEdit* field = focusedField();
    if (!field) return false;
    const auto* press = static_cast<QMouseEvent*>(event);
    QWidget* target = focusTargetAt(press->position().toPoint());
    if (!target || target == field) return false;
    return validate(field);  // cancelled: the press never reaches the control
}

bool FieldValidator::handleWheel(QEvent* event) {
    // The wheel over a selector that does not have the focus would change the thickness
    // without leaving the field; it does nothing instead.
    const auto* wheel = static_cast<QWheelEvent*>(event);
    QWidget* w = window_->childAt(wheel->position().toPoint());
    while (w && w != window_ && !qobject_cast<QComboBox*>(w)) w = w->parentWidget();
    return w && w != window_ && !w->hasFocus();
}

bool FieldValidator::eventFilter(QObject* watched, QEvent* event) {
    if (!window_) return false;
    switch (event->type()) {
        case QEvent::KeyPress: {
            if (!isField(watched) || static_cast<QWidget*>(watched)->window() != window_) break;
            const auto* key = static_cast<QKeyEvent*>(event);
            const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
            if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                return validate(static_cast<QLineEdit*>(watched));
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (watched == window_->windowHandle()) return handleWindowPress(event);
            break;
        case QEvent::Wheel:
            if (watched == window_->windowHandle()) return handleWheel(event);
            break;
        default:
            break;
    }
    return false;
}

}  // namespace bpd::mainwindow
