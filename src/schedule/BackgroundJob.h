#pragma once
// Long work off the user-interface thread: the work runs on a thread of its own while the
// caller's thread keeps running its event loop (the windows repaint, the progress moves), and
// run() returns once the work has ended, so its results are read on the caller's thread.
// More than a few steps show a progress dialog with Cancel (application-modal, so nothing
// else is edited meanwhile); fewer run with user input held back until they end. Cancel only
// asks: the work looks at cancelled() between its steps and stops there.
//
// Usage:
//     BackgroundJob job(window, QStringLiteral("Sizing the selected bearings..."));
//     std::vector<Result> results(n);
//     if (!job.forEach(n, [&](int i) { results[i] = compute(i); })) return;  // cancelled

#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>

#include <QWidget>

namespace bpd::schedule {

class BackgroundJob {
public:
    // What the work sees of its job; used from the work's thread.
    class Control {
    public:
        void setDone(int steps) { done_.store(steps, std::memory_order_relaxed); }
        void advance() { done_.fetch_add(1, std::memory_order_relaxed); }
        bool cancelled() const { return cancelled_.load(std::memory_order_relaxed); }

    private:
        friend class BackgroundJob;
        std::atomic<int> done_{0};
        std::atomic<bool> cancelled_{false};
    };

    // Up to this many steps run without a progress dialog.
    static constexpr int kQuietSteps = 3;
    // How often the progress bar follows the work, in milliseconds.
    static constexpr int kProgressInterval = 50;
    // The progress dialog's object name (tests find it by it).
    static constexpr const char* kDialogName = "jobProgress";

    // parent: the window the progress dialog belongs to; label: what it says.
    BackgroundJob(QWidget* parent, QString label);

    // Runs work on a thread of its own and returns what it returned: true when it ran to its
    // end, false when it stopped because cancelled() said so. total: its number of steps.
    bool run(int total, const std::function<bool(Control&)>& work);
    // item(0) ... item(count - 1), one step each; false when cancelled before the last.
    bool forEach(int count, const std::function<void(int)>& item);

private:
    QPointer<QWidget> parent_;
    QString label_;
};

}  // namespace bpd::schedule
