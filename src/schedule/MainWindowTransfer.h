#pragma once
// The schedule and the main window working together, through the MainWindowLink the owner
// hands over: Enter or a double-click on a line enters that bearing into the main window as
// if typed; Take from Main Window writes the main window's inputs into the selected bearing
// (or a new one) as one undo step.
//
// Edit triggers of the table: typing, F2 and a click on a selected cell edit in place; Enter
// (outside an editor) and a double-click are left to the main window.

#include <QObject>

class QTableView;

namespace bpd::platform {
class MessageService;
}

namespace bpd::schedule {

class MainWindowLink;
class ScheduleModel;

class MainWindowTransfer : public QObject {
    Q_OBJECT
public:
    // table: the schedule's view, over model or proxies of it.
    MainWindowTransfer(QTableView* table, ScheduleModel& model, platform::MessageService& messages,
                       QObject* parent = nullptr);

    // Nothing is sent or taken without a link.
    void setLink(MainWindowLink* link) { link_ = link; }
    MainWindowLink* link() const { return link_; }

    // Enters the bearing at the model's row into the main window. A bearing whose values
    // cannot be checked gets a message instead. False when nothing was entered.
    bool send(int row);
    // The main window's inputs into the selected bearing, or a new one at the end, converted
    // to the schedule's units as a unit switch converts them. The row written, or -1 when a
    // field of the main window holds a text its rules refuse (the message says which).
    int take();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int selectedRow() const;
    void warn(const QString& text);

    QTableView* table_;
    ScheduleModel& model_;
    platform::MessageService& messages_;
    MainWindowLink* link_ = nullptr;
};

}  // namespace bpd::schedule
