#include "FocusedButtonKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace bpd::platform {

void FocusedButtonKeys::install() {
    qApp->installEventFilter(new FocusedButtonKeys(qApp));
}

bool FocusedButtonKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
    if (key->modifiers() & ~Qt::KeypadModifier) return false;
    auto* button = qobject_cast<QPushButton*>(watched);
    if (!button || !button->hasFocus() || !button->isEnabled()) return false;
    button->click();
    return true;
}

}  // namespace bpd::platform
