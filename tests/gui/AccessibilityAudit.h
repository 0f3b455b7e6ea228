#pragma once
// What a screen reader finds in a window: the accessible tree Qt hands to assistive technology
// (QAccessible::queryAccessibleInterface), walked as a reader walks it. A window's test calls
// unnamedControls(window) and expects an empty list.
//
// Every visible control a user acts on or reads as data needs a name: text boxes, selectors,
// check boxes, buttons, menu items, tables and lists, pictures, and anything else that takes
// the focus. Only decoration may be exempted, by object name and with the reason.
// A selector whose name is only its current entry ("All"), or a field named only by its frame's
// title ("Pad Sizes" for every field of the frame), counts as unnamed. The contents of tables,
// lists and selectors are data, not controls, and are not walked.

#include <QAccessible>
#include <QGroupBox>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace bpdtest {

// A control left unnamed on purpose: only decoration, never something a user acts on, and
// always with the reason.
struct A11yExemption {
    QString objectName;
    QString reason;
};

inline bool needsName(QAccessible::Role role) {
    switch (role) {
        case QAccessible::EditableText:
        case QAccessible::ComboBox:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::PushButton:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
        case QAccessible::SpinBox:
        case QAccessible::Slider:
        case QAccessible::MenuItem:
        case QAccessible::Table:
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::Window:
        case QAccessible::Dialog:
        case QAccessible::Graphic:  // a picture says nothing to a reader without a name
            return true;
        default:
            return false;
    }
}

// The name a reader announces; empty when there is none worth the word: a selector named only
// by its current entry, or a control named only by the title of the frame it sits in (Qt's
// last resort, the same for every control of the frame).
inline QString spokenName(QAccessibleInterface* iface) {
    const QString name = iface->text(QAccessible::Name).trimmed();
    if (iface->role() == QAccessible::ComboBox && name == iface->text(QAccessible::Value).trimmed())
        return {};
    auto* widget = qobject_cast<QWidget*>(iface->object());
    auto* frame = widget ? qobject_cast<QGroupBox*>(widget->parentWidget()) : nullptr;
    if (frame && widget->accessibleName().isEmpty() && name == frame->title().trimmed()) return {};
    return name;
}

inline QString describeControl(QAccessibleInterface* iface) {
    QObject* object = iface->object();
    const QString name = object ? object->objectName() : QString();
    const QString kind = object ? QString::fromLatin1(object->metaObject()->className())
                                : QStringLiteral("(no object)");
    return QStringLiteral("%1 %2 (role 0x%3)")
        .arg(kind, name.isEmpty() ? QStringLiteral("(no object name)") : name)
        .arg(int(iface->role()), 0, 16);
}

namespace detail {
inline void collectUnnamed(QAccessibleInterface* iface, const QList<A11yExemption>& exemptions,
                           QStringList& found, int depth) {
    if (!iface || depth > 64 || iface->state().invisible) return;
    const QAccessible::Role role = iface->role();
    const bool focusable =
        iface->state().focusable && iface->object() && iface->object()->isWidgetType();
    if ((needsName(role) || focusable) && spokenName(iface).isEmpty()) {
        const QString objectName = iface->object() ? iface->object()->objectName() : QString();
        bool exempt = false;
        for (const A11yExemption& e : exemptions)
            exempt = exempt || (!objectName.isEmpty() && e.objectName == objectName);
        if (!exempt) found << describeControl(iface);
    }
    if (role == QAccessible::Table || role == QAccessible::List || role == QAccessible::Tree ||
        role == QAccessible::ComboBox)
        return;
    for (int i = 0; i < iface->childCount(); ++i)
        collectUnnamed(iface->child(i), exemptions, found, depth + 1);
}
}  // namespace detail

// Every visible control of the window that needs a name and has none, described by its class,
// object name and role; the exempted ones are left out.
inline QStringList unnamedControls(QWidget* window, const QList<A11yExemption>& exemptions = {}) {
    QStringList found;
    detail::collectUnnamed(QAccessible::queryAccessibleInterface(window), exemptions, found, 0);
    return found;
}

// The name a reader announces for one control.
inline QString accessibleName(QObject* control) {
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(control);
    return iface ? iface->text(QAccessible::Name) : QString();
}

}  // namespace bpdtest
