#pragma once
// Edits a schedule cell in place with the main window's rules: a refused text keeps the cell
// in editing and shows the message, as a refused field keeps the focus, whether the user
// leaves it with Tab, Enter or a click elsewhere in the window. Going to another window
// keeps the cell in editing as it is.

#include <QPersistentModelIndex>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QWindow>

namespace bpd::platform {
class MessageService;
}

namespace bpd::schedule {

class ScheduleModel;

class ScheduleDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    // schedule: the model under the view's (possibly proxy) model.
    ScheduleDelegate(ScheduleModel& schedule, platform::MessageService& messages,
                     QObject* parent = nullptr);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    // The refusal of the editor's text, shown; false when the text is accepted.
    bool refused(QWidget* editor, const QModelIndex& index) const;
    // The open editor holds a text its cell refuses (nothing is shown).
    bool holdsRefusedText() const;
    // A press in the view's window while a refused text is in editing.
    bool windowEvent(QEvent* event);

    ScheduleModel& schedule_;
    platform::MessageService& messages_;
    mutable QPersistentModelIndex editing_;  // the cell of the open editor
    mutable QPointer<QWidget> editor_;       // the open editor
    mutable QPointer<QWindow> window_;       // the view's, whose presses wait on a refusal
    bool swallowRelease_ = false;            // the press was not carried out: nor its release
    mutable bool warning_ = false;           // a message is up: its focus change commits nothing
};

}  // namespace bpd::schedule
