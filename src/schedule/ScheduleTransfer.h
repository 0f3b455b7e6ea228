#pragma once
// The schedule's bearings in from a CSV file (Import CSV) and out to CSV or an .xlsx
// workbook (Export). An import lists the lines it cannot read before anything changes and
// appends the good ones as one undo step. An export takes the schedule from the model here,
// on the user-interface thread, and writes it on a worker thread through AtomicFile, so the
// window stays responsive on a big schedule.

#include <QFutureWatcher>
#include <QObject>
#include <QString>

class QWidget;

namespace bpd::platform {
class MessageService;
}

namespace bpd::schedule {

class ScheduleModel;
struct ScheduleSheet;

class ScheduleTransfer : public QObject {
    Q_OBJECT
public:
    enum class Format { Csv, Workbook };

    // window: the parent of the review and the messages.
    ScheduleTransfer(ScheduleModel& model, platform::MessageService& messages, QWidget* window);
    // Waits for an export under way: its file is then whole or untouched.
    ~ScheduleTransfer() override;

    // Reads the file in the schedule's units; imports at once when every line reads, else
    // opens the review (CsvImportDialog) and imports when the user accepts it.
    void importFile(const QString& path);

    // Starts writing the schedule as it is now; false (and the user told) while another
    // export is still being written.
    bool exportFile(Format format, const QString& path);
    bool exporting() const { return watcher_.isRunning(); }
    void waitForExport() { watcher_.waitForFinished(); }

    // The write itself, on any thread: the reason it failed, or an empty text.
    static QString write(Format format, const ScheduleSheet& sheet, const QString& path);

signals:
    // An export ended: error is empty when the file was written.
    void exported(const QString& path, const QString& error);

private:
    ScheduleModel& model_;
    platform::MessageService& messages_;
    QWidget* window_;
    QFutureWatcher<QString> watcher_;
    QString exportPath_;
};

}  // namespace bpd::schedule
