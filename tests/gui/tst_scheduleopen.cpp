// A design file reaches the schedule from the desktop: named on the command line (after the
// disclaimer, once the main window shows), dropped on the main window or on the schedule;
// and the next start offers the unsaved edits a killed run left.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTableView>
#include <QTest>
#include <QUrl>

#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "Form1Commands.h"
#include "RecoveryStore.h"
#include "ScheduleDocuments.h"
#include "ScheduleFiles.h"
#include "ScheduleModel.h"
#include "ScheduleWindow.h"
#include "tst_form1_support.h"

using bpd::platform::MessageService;
using bpd::schedule::RecoveryStore;
using bpd::schedule::ScheduleModel;
using bpd::schedule::ScheduleWindow;
using bpdtest::LoadedForm;
using SaveChoice = MessageService::SaveChoice;

using bpd::testing::bridgeBytes;

namespace {

QString writeFile(const LoadedForm& f, const QString& name, const QByteArray& bytes) {
    const QString path = f.fixture.path(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return {};
    return path;
}

QString vap(ScheduleWindow& w, int row = 0) {
    return w.model().data(w.model().index(row, ScheduleModel::Vap)).toString();
}

// A file manager's drag of `path` over `target` (a window or one of its controls), then the
// drop; true when the drag was taken. The open runs once the drop is over.
bool dropFile(QWidget* target, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    data.setText(QUrl::fromLocalFile(path).toString());  // file managers offer text too
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted()) return false;
    QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::LinkAction, &data, Qt::LeftButton,
                    Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// A copy that a killed run left in the state folder of this test's home.
void leaveCopy(const RecoveryStore::Copy& copy) {
    RecoveryStore killed;
    QString error;
    QVERIFY2(killed.write(copy, &error), qPrintable(error));
}  // its lock goes with it, as with a killed process; the copy stays

}  // namespace

class TestScheduleOpen : public QObject {
    Q_OBJECT

private slots:
    // The copies a test leaves (a restored copy stays until it is settled) are not the next's.
    void init() { QDir(bpd::platform::UserFolders::recovery()).removeRecursively(); }

    void commandLineFileOpensInTheSchedule() {
        LoadedForm f;
        const QString path = writeFile(f, QStringLiteral("bridge.bpd"), bridgeBytes());
        f.form->commands().startWith(path);
        ScheduleWindow* w = f.form->commands().scheduleWindow();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->filePath(), QFileInfo(path).absoluteFilePath());
        QCOMPARE(w->model().rowCount(), 3);
        QVERIFY(!w->isWindowModified());
        QVERIFY(f.messages->calls.isEmpty());
    }

    // A refused file: its message, then an empty schedule to go on with.
    void refusedCommandLineFileLeavesAnEmptySchedule_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not JSON") << "notes.bpd" << QByteArray("shopping list");
        QTest::newRow("missing") << "" << QByteArray();
    }
    void refusedCommandLineFileLeavesAnEmptySchedule() {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        LoadedForm f;
        const QString path =
            name.isEmpty() ? f.fixture.path(QStringLiteral("gone.bpd")) : writeFile(f, name, bytes);
        f.form->commands().startWith(path);
        ScheduleWindow* w = f.form->commands().scheduleWindow();
        QVERIFY(w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->model().rowCount(), 0);
        QVERIFY(w->filePath().isEmpty());
        QCOMPARE(f.messages->calls.size(), 1);
        QCOMPARE(f.messages->calls[0].kind, QStringLiteral("warning"));
        QVERIFY2(f.messages->calls[0].text.contains(QFileInfo(path).fileName()),
                 qPrintable(f.messages->calls[0].text));
        QVERIFY(f.form->isVisible());
    }

    void noFileAndNoCopyOpensNothing() {
        LoadedForm f;
        f.form->commands().startWith(QString());
        QVERIFY(!f.form->commands().scheduleWindow());
        QVERIFY(f.messages->calls.isEmpty());
    }

    // The start offers a killed run's copy: Yes restores it named after its file and unsaved,
    // No removes it. A file on the command line opens after the answer, unless it is the
    // restored one.
    void startOffersTheCopyALastRunLeft_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("shownVap");
        QTest::addColumn<bool>("modified");
        QTest::newRow("yes") << true << ""
                             << "44.0000" << true;
        QTest::newRow("no") << false << ""
                            << "" << false;
        QTest::newRow("yes, with its own file") << true << "bridge.bpd"
                                                << "44.0000" << true;
        QTest::newRow("no, with its own file") << false << "bridge.bpd"
                                               << "30.0000" << false;
    }
    void startOffersTheCopyALastRunLeft() {
        QFETCH(bool, yes);
        QFETCH(QString, argument);
        QFETCH(QString, shownVap);
        QFETCH(bool, modified);
        LoadedForm f;
        const QString path = writeFile(f, QStringLiteral("bridge.bpd"), bridgeBytes());
        bpd::designfile::DesignDocument edited = bpd::testing::threeBearings();
        edited.bearings[0].values.Vap = 44;
        leaveCopy({QByteArray::fromStdString(bpd::designfile::writeDesignText(edited)),
                   QFileInfo(path).absoluteFilePath(),
                   {}});
        f.messages->answerYes = yes;
        f.form->commands().startWith(argument.isEmpty() ? QString() : path);

        QCOMPARE(f.messages->calls.size(), 1);  // the question only: nothing asks to save
        QCOMPARE(f.messages->calls[0].kind, QStringLiteral("question"));
        QCOMPARE(f.messages->calls[0].text,
                 QStringLiteral("The bearing schedule held unsaved edits of \"bridge.bpd\" when "
                                "the program last ended. Restore them?"));
        ScheduleWindow* w = f.form->commands().scheduleWindow();
        QCOMPARE(w != nullptr, !shownVap.isEmpty());
        if (w) {
            QCOMPARE(vap(*w), shownVap);
            QCOMPARE(w->isWindowModified(), modified);
            QCOMPARE(w->windowTitle(), QStringLiteral("bridge.bpd[*] - Bearing Schedule"));
        }
        // Restored, the copy is the running program's; refused, it is gone.
        RecoveryStore next;
        QVERIFY(!next.adoptOrphan());
        QCOMPARE(QDir(bpd::platform::UserFolders::recovery())
                     .entryList({QStringLiteral("*.recovery")}, QDir::Files)
                     .size(),
                 yes ? 1 : 0);
    }

    // Dropped on the main window (on its frame or on a field that takes dropped text) or on
    // the schedule: the schedule opens it, asking first about unsaved edits; Cancel keeps all.
    void droppedFileOpensInTheSchedule_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("edits");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("opened");
        const int save = int(SaveChoice::Save), discard = int(SaveChoice::Discard),
                  cancel = int(SaveChoice::Cancel);
        for (const char* target : {"main window", "main window's w1 field", "schedule"}) {
            QTest::addRow("%s, no edits", target) << target << false << cancel << true;
            QTest::addRow("%s, edits discarded", target) << target << true << discard << true;
            QTest::addRow("%s, edits saved", target) << target << true << save << true;
            QTest::addRow("%s, cancelled", target) << target << true << cancel << false;
        }
    }
    void droppedFileOpensInTheSchedule() {
        QFETCH(QString, target);
        QFETCH(bool, edits);
        QFETCH(int, answer);
        QFETCH(bool, opened);
        LoadedForm f;
        const QString first = writeFile(f, QStringLiteral("first.bpd"), bridgeBytes());
        bpd::designfile::DesignDocument other = bpd::testing::threeBearings();
        other.bearings[0].values.Vap = 12;
        const QString dropped =
            writeFile(f, QStringLiteral("Dropped.BPD"),
                      QByteArray::fromStdString(bpd::designfile::writeDesignText(other)));
        f.form->commands().openDesignFile(first);
        ScheduleWindow* w = f.form->commands().scheduleWindow();
        QVERIFY(w);
        if (edits) QVERIFY(w->model().setData(w->model().index(0, ScheduleModel::Vap), "31"));
        f.messages->saveAnswer = SaveChoice(answer);
        const QString w1Before = f.ui().w1Text->text();

        QWidget* on = target == "schedule"      ? static_cast<QWidget*>(w)
                      : target == "main window" ? static_cast<QWidget*>(f.form.get())
                                                : f.ui().w1Text;
        QVERIFY(dropFile(on, dropped));
        QTRY_COMPARE(f.messages->calls.size(), edits ? 1 : 0);
        QTest::qWait(20);
        QCOMPARE(w, f.form->commands().scheduleWindow());
        QCOMPARE(w->filePath(), QFileInfo(opened ? dropped : first).absoluteFilePath());
        QCOMPARE(vap(*w), opened  ? QStringLiteral("12.0000")
                          : edits ? QStringLiteral("31.0000")
                                  : QStringLiteral("30.0000"));
        QCOMPARE(w->isWindowModified(), !opened && edits);
        QCOMPARE(f.ui().w1Text->text(), w1Before);  // the field took no text from the drop
        if (answer == int(SaveChoice::Save) && edits) {
            const auto read = bpd::designfile::readDesignFile(first.toStdString(), "first");
            QVERIFY(read.document);
            QCOMPARE(*read.document->bearings[0].values.Vap, 31.0);
        }
    }

    // Drags of other kinds are left alone: the main window's fields still take text.
    void otherDropsAreNotTaken_data() {
        QTest::addColumn<QString>("url");
        QTest::newRow("another suffix") << "file:///tmp/notes.txt";
        QTest::newRow("a remote design file") << "https://example.com/bridge.bpd";
    }
    void otherDropsAreNotTaken() {
        QFETCH(QString, url);
        LoadedForm f;
        QMimeData data;
        data.setUrls({QUrl(url)});
        QDragEnterEvent enter(f.form->rect().center(), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(f.form.get(), &enter);
        QVERIFY(!enter.isAccepted());
        QVERIFY(!f.form->commands().scheduleWindow());
    }
};

QTEST_MAIN(TestScheduleOpen)
#include "tst_scheduleopen.moc"
