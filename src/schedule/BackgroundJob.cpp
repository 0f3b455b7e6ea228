#include "BackgroundJob.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>
#include <memory>

#include "MessageService.h"

namespace bpd::schedule {

BackgroundJob::BackgroundJob(QWidget* parent, QString label)
    : parent_(parent), label_(std::move(label)) {}

bool BackgroundJob::run(int total, const std::function<bool(Control&)>& work) {
    Control control;
    bool finished = false;
    std::unique_ptr<QThread> thread(QThread::create([&] { finished = work(control); }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);

    std::unique_ptr<QProgressDialog> dialog;
    QTimer ticker;
    if (total > kQuietSteps) {
        dialog = std::make_unique<QProgressDialog>(label_, QStringLiteral("Cancel"), 0, total,
                                                   parent_.data());
        dialog->setObjectName(QString::fromLatin1(kDialogName));
        dialog->setWindowTitle(platform::kMessageTitle);
        dialog->setWindowModality(Qt::ApplicationModal);
        dialog->setAutoClose(false);
        dialog->setAutoReset(false);
        dialog->setMinimumDuration(0);
        dialog->setMinimumWidth(dialog->fontMetrics().averageCharWidth() * 50);
        QObject::connect(dialog.get(), &QProgressDialog::canceled, &loop,
                         [&control] { control.cancelled_.store(true); });
        QProgressDialog* shown = dialog.get();
        ticker.setInterval(kProgressInterval);
        QObject::connect(&ticker, &QTimer::timeout, shown, [shown, &control] {
            if (!shown->wasCanceled()) shown->setValue(control.done_.load());
        });
        dialog->show();
        ticker.start();
    }
    thread->start();
    loop.exec(dialog ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    // The loop ends early only when the program quits: the work is asked to stop.
    if (!thread->isFinished()) control.cancelled_.store(true);
    thread->wait();
    return finished;
}

bool BackgroundJob::forEach(int count, const std::function<void(int)>& item) {
    return run(count, [&](Control& control) {
        for (int i = 0; i < count; ++i) {
            if (control.cancelled()) return false;
            item(i);
            control.advance();
        }
        return true;
    });
}

}  // namespace bpd::schedule
