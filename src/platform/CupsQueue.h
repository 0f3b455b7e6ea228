#pragma once
// What the print system (CUPS) says about one print queue: whether it would print a job now,
// and whether it took the job last sent from this thread.
//
// Qt's CUPS print engine hands the finished page to cupsPrintFile and drops the answer, so a
// queue that refuses the job (not accepting jobs, removed) would look like a printed page.
// The queue is therefore asked before the page is drawn, and the print system's status of
// this thread is read right after Qt has sent it. A stopped printer takes jobs but holds them
// until someone starts it again, so it counts as refusing: the user is told now, not never.

#include <QString>

namespace bpd::platform {

class CupsQueue {
public:
    // The queue's name as Qt gives it: "name" or "name/instance".
    explicit CupsQueue(const QString& printerName);

    // Why the queue would not print a job now, naming it; "" when it takes jobs.
    QString refusal() const;
    // Why the print system refused the job last sent from this thread; "" when it took it.
    QString lastJobRefusal() const;

private:
    // The printer's own message (e.g. the reason given when it was stopped), or "".
    static QString stateMessage(const char* printerUri);

    QString name_;
    QString instance_;
};

}  // namespace bpd::platform
