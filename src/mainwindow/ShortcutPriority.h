#pragma once
// Gives the window's menu shortcuts priority over the editing keys of its controls, so that
// Ctrl+A opens the About box even while a text field (where Ctrl+A selects all) has the focus.

#include <QKeySequence>
#include <QList>
#include <QObject>

namespace bpd::mainwindow {

class ShortcutPriority : public QObject {
    Q_OBJECT
public:
    explicit ShortcutPriority(QObject* parent = nullptr);

    void setShortcuts(QList<QKeySequence> shortcuts) { shortcuts_ = std::move(shortcuts); }
    // Watches a control whose own key handling would otherwise claim the shortcuts.
    void watch(QObject* control) { control->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QKeySequence> shortcuts_;
};

}  // namespace bpd::mainwindow
