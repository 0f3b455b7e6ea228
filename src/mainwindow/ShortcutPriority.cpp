#include "ShortcutPriority.h"

#include <QKeyEvent>

namespace bpd::mainwindow {

ShortcutPriority::ShortcutPriority(QObject* parent) : QObject(parent) {}

bool ShortcutPriority::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        if (shortcuts_.contains(pressed)) {
            event->ignore();  // not overridden: the shortcut map gets the key
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace bpd::mainwindow
