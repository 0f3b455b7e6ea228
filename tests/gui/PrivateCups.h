#pragma once
// A print system of the test's own: a cupsd started on a socket in a temporary folder, with
// its own configuration, spool, cache and state, listening on no network port, so it never
// touches the machine's CUPS. This process (through libcups) and the admin commands run by
// admin() talk only to it while the object lives.
//
// started() is false, with why(), where cupsd is not installed or will not start.

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <cups/cups.h>

namespace bpd::testing {

class PrivateCups {
public:
    PrivateCups() {
        const QString cupsd =
            QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")});
        if (cupsd.isEmpty()) {
            why_ = QStringLiteral("cupsd is not installed (Debian package cups-daemon)");
            return;
        }
        const QString root = dir_.path();
        for (const char* sub : {"spool", "cache", "state", "log"}) QDir(root).mkpath(sub);
        write(QStringLiteral("cupsd.conf"),
              "Listen " + socket().toUtf8() +
                  "\nLogLevel warn\nWebInterface No\nBrowsing No\n"
                  "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                  "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n"
                  "</Policy>\n");
        const QByteArray r = root.toUtf8();
        write(QStringLiteral("cups-files.conf"),
              "ServerRoot " + r + "\nRequestRoot " + r + "/spool\nTempDir " + r +
                  "/spool\nCacheDir " + r + "/cache\nStateDir " + r + "/state\nAccessLog " + r +
                  "/log/access_log\nErrorLog " + r + "/log/error_log\nPageLog " + r +
                  "/log/page_log\nFileDevice Yes\n");
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("CUPS_SERVER"), socket());
        daemon_.setProcessEnvironment(environment_);
        daemon_.setProcessChannelMode(QProcess::MergedChannels);
        daemon_.start(cupsd, {QStringLiteral("-f"), QStringLiteral("-c"), root + "/cupsd.conf",
                              QStringLiteral("-s"), root + "/cups-files.conf"});
        if (!daemon_.waitForStarted(5000)) {
            why_ = QStringLiteral("cupsd did not start: ") + daemon_.errorString();
            return;
        }
        const QDeadlineTimer deadline(10000);
        QString status;
        while (!admin(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &status) ||
               status.trimmed() != u"scheduler is running") {
            if (deadline.hasExpired() || daemon_.state() != QProcess::Running) {
                why_ = QStringLiteral("cupsd did not answer: ") +
                       QString::fromLocal8Bit(daemon_.readAll());
                return;
            }
            QThread::msleep(100);
        }
        // This process's own libcups: the variable for later threads, the call for this one.
        savedServer_ = qgetenv("CUPS_SERVER");
        qputenv("CUPS_SERVER", socket().toUtf8());
        cupsSetServer(QFile::encodeName(socket()).constData());
        started_ = true;
    }
    ~PrivateCups() {
        if (started_) {
            if (savedServer_.isEmpty())
                qunsetenv("CUPS_SERVER");
            else
                qputenv("CUPS_SERVER", savedServer_);
            cupsSetServer(nullptr);
        }
        if (daemon_.state() != QProcess::NotRunning) {
            daemon_.terminate();
            if (!daemon_.waitForFinished(5000)) daemon_.kill();
            daemon_.waitForFinished(1000);
        }
    }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    bool started() const { return started_; }
    QString why() const { return why_; }
    QString socket() const { return dir_.path() + QStringLiteral("/cups.sock"); }

    // Runs a CUPS command (lpadmin, lpstat, cupsreject, ...) against this server.
    bool admin(const QString& program, const QStringList& arguments, QString* output = nullptr) {
        QProcess process;
        process.setProcessEnvironment(environment_);
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(program, arguments);
        const bool ok = process.waitForFinished(10000) &&
                        process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
        if (output) *output = QString::fromLocal8Bit(process.readAll());
        return ok;
    }
    // A queue that prints to /dev/null, made the server's default.
    bool addQueue(const QString& name) {
        return admin(QStringLiteral("lpadmin"),
                     {QStringLiteral("-p"), name, QStringLiteral("-E"), QStringLiteral("-v"),
                      QStringLiteral("file:/dev/null"), QStringLiteral("-m"),
                      QStringLiteral("raw")}) &&
               admin(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
    }

private:
    void write(const QString& name, const QByteArray& text) {
        QFile file(dir_.filePath(name));
        if (file.open(QIODevice::WriteOnly)) file.write(text);
    }

    QTemporaryDir dir_;
    QProcess daemon_;
    QProcessEnvironment environment_;
    QByteArray savedServer_;
    QString why_;
    bool started_ = false;
};

}  // namespace bpd::testing
