// The About box (single instance, load steps, web links, OK) and StartSysInfo (the two
// look-ups in order, the file test, starting without waiting, the failure message).

#include <QLabel>
#include <QPushButton>
#include <QtTest>
#include <map>

#include "AboutBox.h"
#include "Form4.h"
#include "SystemInformationLauncher.h"
#include "TestServices.h"

using namespace bpd::dialogs;
using bpd::testing::TestServices;

namespace {

// A local-machine store of (sub-key, value name) -> text that records every read.
struct FakeStore {
    std::map<std::pair<QString, QString>, QString> values;
    QStringList reads;
    LocalMachineReader reader() {
        return [this](const QString& key, const QString& name, QString& value) {
            reads << key + u'|' + name;
            const auto it = values.find({key, name});
            if (it == values.end()) return false;
            value = it->second;
            return true;
        };
    }
};

const QString kPathRead = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO|PATH");
const QString kLocationRead = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location|MSINFO");

}  // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void layoutAndTexts() {
        TestServices fakes;
        FakeStore store;
        Form4 box{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                  *fakes.shell, *fakes.messages};
        QCOMPARE(box.windowTitle(), QStringLiteral("About Pelgro Pad Bearing Design Program"));
        QCOMPARE(box.size(), QSize(240, 199));
        const std::pair<const char*, const char*> texts[] = {
            {"lblTitle", "Pelgro Bearing Pad Design Program"},
            {"lblVersion", "Version: 1,0,0,0"},
            {"Label_Pelgro", "Owned By: Pelgro INC."},
            {"Label_Tolvane", "Developed By: Tolvane LLC."}};
        for (const auto& [name, text] : texts) {
            auto* label = box.findChild<QLabel*>(QString::fromLatin1(name));
            QVERIFY2(label, name);
            QCOMPARE(label->text(), QString::fromLatin1(text));
        }
        QCOMPARE(box.findChild<QLabel*>("Label_PelgroWeb")->text(), Form4::ownerWebsite());
        QCOMPARE(box.findChild<QLabel*>("Label_TolvaneWeb")->text(), Form4::developerWebsite());
        QCOMPARE(box.findChild<QPushButton*>("Command_SysInfo")->text(),
                 QStringLiteral("System Info"));
        auto* owner = box.findChild<QLabel*>("Picture_Pelgro");
        QCOMPARE(owner->size(), QSize(41, 33));  // cuts the right edge of the 44-pixel logo
        QCOMPARE(owner->pixmap().deviceIndependentSize().toSize(), QSize(44, 29));
        // No text is cut: every text label holds its text and stays inside the window.
        for (QLabel* label : box.findChildren<QLabel*>()) {
            if (label->text().isEmpty()) continue;
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
            QVERIFY2(label->geometry().right() < box.width(), qPrintable(label->objectName()));
        }
    }

    void loadStylesTheWebLabels_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("owner") << QStringLiteral("Label_PelgroWeb")
                               << QStringLiteral(
                                      "Get more information about Pelgro on this website");
        QTest::newRow("developer")
            << QStringLiteral("Label_TolvaneWeb")
            << QStringLiteral("Get more information about Tolvane on this website");
    }
    void loadStylesTheWebLabels() {
        QFETCH(QString, name);
        QFETCH(QString, tooltip);
        TestServices fakes;
        FakeStore store;
        Form4 box{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                  *fakes.shell, *fakes.messages};
        auto* label = box.findChild<QLabel*>(name);
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QVERIFY(label->font().underline());
        QCOMPARE(label->toolTip(), tooltip);
    }

    void webLabelsOpenTheirAddress() {
        TestServices fakes;
        FakeStore store;
        Form4 box{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                  *fakes.shell, *fakes.messages};
        box.show();
        QTest::mouseClick(box.findChild<QLabel*>("Label_PelgroWeb"), Qt::LeftButton);
        QTest::mouseClick(box.findChild<QLabel*>("Label_TolvaneWeb"), Qt::LeftButton);
        QCOMPARE(fakes.shell->opens.size(), qsizetype(2));
        QCOMPARE(fakes.shell->opens[0].target, Form4::ownerWebsite());
        QCOMPARE(fakes.shell->opens[1].target, Form4::developerWebsite());
        QVERIFY(fakes.shell->opens[0].mode == bpd::platform::ShowMode::Maximized);
        QVERIFY(box.isVisible());  // the links leave the box open
        QVERIFY(fakes.messages->calls.empty());
    }

    // A link that opens nothing says so and gives the address, instead of doing nothing.
    void aLinkThatOpensNothingIsReported_data() {
        QTest::addColumn<int>("result");
        QTest::addColumn<QString>("why");
        QTest::newRow("no browser") << int(bpd::platform::ShellResult::NoAssociation)
                                    << QStringLiteral("No web browser is set up");
        QTest::newRow("unusable browser") << int(bpd::platform::ShellResult::IncompleteAssociation)
                                          << QStringLiteral("No web browser is set up");
        QTest::newRow("browser cannot start")
            << int(bpd::platform::ShellResult::Failed) << QStringLiteral("could not be started");
    }
    void aLinkThatOpensNothingIsReported() {
        QFETCH(int, result);
        QFETCH(QString, why);
        TestServices fakes;
        fakes.shell->openResult = static_cast<bpd::platform::ShellResult>(result);
        FakeStore store;
        Form4 box{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                  *fakes.shell, *fakes.messages};
        box.show();
        QTest::mouseClick(box.findChild<QLabel*>("Label_TolvaneWeb"), Qt::LeftButton);
        QCOMPARE(fakes.messages->calls.size(), qsizetype(1));
        QVERIFY(fakes.messages->calls[0].text.contains(why));
        QVERIFY(fakes.messages->calls[0].text.contains(Form4::developerWebsite()));
        QVERIFY(box.isVisible());
    }

    void singleInstanceNotModal() {
        TestServices fakes;
        FakeStore store;
        QWidget mainWindow;
        mainWindow.show();
        AboutBox about{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                       *fakes.shell, *fakes.messages};
        QVERIFY(!about.box());
        about.show();
        QPointer<Form4> first = about.box();
        QVERIFY(first && first->isVisible());
        QVERIFY(!first->isModal());
        QVERIFY(mainWindow.isVisible() && mainWindow.isEnabled());
        QVERIFY(QTest::qWaitForWindowActive(first.data()));
        QCOMPARE(QApplication::focusWidget(), first->findChild<QPushButton*>("Command_Ok"));
        // The label styling of a later load is not repeated on the same box: restyle it by
        // hand and check that a second About leaves it alone.
        auto* link = first->findChild<QLabel*>("Label_PelgroWeb");
        link->setToolTip(QStringLiteral("changed"));
        about.show();
        QCOMPARE(about.box(), first.data());
        QCOMPARE(link->toolTip(), QStringLiteral("changed"));
        int boxes = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<Form4*>(w)) ++boxes;
        QCOMPARE(boxes, 1);
    }

    void okAndCloseBoxUnloadAndTheNextAboutLoadsAnew() {
        TestServices fakes;
        FakeStore store;
        AboutBox about{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                       *fakes.shell, *fakes.messages};
        about.show();
        QPointer<Form4> first = about.box();
        QTest::mouseClick(first->findChild<QPushButton*>("Command_Ok"), Qt::LeftButton);
        QTRY_VERIFY(first.isNull());
        about.show();
        QPointer<Form4> second = about.box();
        QVERIFY(second);
        QCOMPARE(second->findChild<QLabel*>("Label_PelgroWeb")->toolTip(),
                 QStringLiteral("Get more information about Pelgro on this website"));
        QVERIFY(second->close());
        QTRY_VERIFY(second.isNull());
    }

    void pathValueStartsThatProgramWithoutTheSecondLookup() {
        TestServices fakes;
        FakeStore store;
        store.values[{QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), "PATH"}] =
            QStringLiteral("/opt/pelgro/pelgro-sysinfo");
        store.values[{QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), "MSINFO"}] =
            QStringLiteral("/elsewhere");
        Form4 box{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                  *fakes.shell, *fakes.messages};
        QTest::mouseClick(box.findChild<QPushButton*>("Command_SysInfo"), Qt::LeftButton);
        QCOMPARE(store.reads, QStringList{kPathRead});
        QCOMPARE(fakes.shell->starts.size(), qsizetype(1));
        QCOMPARE(fakes.shell->starts[0].program, QStringLiteral("/opt/pelgro/pelgro-sysinfo"));
        QVERIFY(fakes.shell->starts[0].arguments.isEmpty());
        QVERIFY(fakes.messages->calls.empty());
    }

    void locationFolderWithTheTool_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain folder")
            << QStringLiteral("/opt/msinfo") << QStringLiteral("/opt/msinfo/MSINFO32.EXE");
        QTest::newRow("trailing separator doubles")
            << QStringLiteral("/opt/msinfo/") << QStringLiteral("/opt/msinfo//MSINFO32.EXE");
    }
    void locationFolderWithTheTool() {
        QFETCH(QString, folder);
        QFETCH(QString, expected);
        TestServices fakes;
        FakeStore store;
        store.values[{QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), "MSINFO"}] =
            folder;
        fakes.shell->existingFiles << expected;
        SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages)
            .StartSysInfo(nullptr);
        QCOMPARE(store.reads, (QStringList{kPathRead, kLocationRead}));
        QCOMPARE(fakes.shell->starts.size(), qsizetype(1));
        QCOMPARE(fakes.shell->starts[0].program, expected);
        QVERIFY(fakes.messages->calls.empty());
    }

    void failures_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<int>("starts");
        QTest::newRow("nothing recorded") << QString() << QString() << true << 0;
        QTest::newRow("folder lacks the tool")
            << QString() << QStringLiteral("/opt/empty") << true << 0;
        QTest::newRow("path cannot start")
            << QStringLiteral("/opt/broken") << QString() << false << 1;
    }
    void failures() {
        QFETCH(QString, path);
        QFETCH(QString, folder);
        QFETCH(bool, startSucceeds);
        QFETCH(int, starts);
        TestServices fakes;
        fakes.shell->startSucceeds = startSucceeds;
        FakeStore store;
        if (!path.isEmpty())
            store.values[{QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"), "PATH"}] =
                path;
        if (!folder.isEmpty())
            store.values[{QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"), "MSINFO"}] =
                folder;
        Form4 box{SystemInformationLauncher(store.reader(), *fakes.shell, *fakes.messages),
                  *fakes.shell, *fakes.messages};
        box.StartSysInfo();
        QCOMPARE(int(fakes.shell->starts.size()), starts);
        QCOMPARE(fakes.messages->calls.size(), qsizetype(1));
        QCOMPARE(fakes.messages->calls[0].title, QStringLiteral("Pelgro Bearing"));
        QCOMPARE(fakes.messages->calls[0].text,
                 QStringLiteral("System Information Is Unavailable At This Time"));
    }

    void systemInformationProgramReports() {
        // Our own system information program answers with its summary.
        const QString tool =
            QCoreApplication::applicationDirPath() + QStringLiteral("/pelgro-sysinfo");
        QVERIFY2(QFileInfo(tool).isExecutable(), qPrintable(tool));
        QProcess process;
        process.setProcessEnvironment(QProcessEnvironment::systemEnvironment());
        process.start(tool, {QStringLiteral("--text")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 0);
        const QString out = QString::fromLocal8Bit(process.readAllStandardOutput());
        for (const char* item : {"Operating system: ", "Kernel: ", "Processor: ", "Memory: ",
                                 "Screen 1: ", "Qt version: ", "Program version: "})
            QVERIFY2(out.contains(QLatin1String(item)), item);
        QVERIFY(out.contains(QStringLiteral(QT_VERSION_STR)));
        QVERIFY(out.contains(QStringLiteral("Pelgro Bearing Pad Design 1.0.0")));
        QVERIFY(out.contains(QStringLiteral(" total, ")));
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
