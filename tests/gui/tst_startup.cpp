// The start of the program with the real main window: only the disclaimer at first; Cancel
// ends without the main window ever loading; OK shows the main window with its first results.

#include <QApplication>
#include <QPushButton>
#include <QtTest>

#include "FocusedButtonKeys.h"
#include "Form1.h"
#include "ResultsGrid.h"
#include "TestServices.h"
#include "WelcomeDlg.h"

using bpd::dialogs::WelcomeDlg;
using bpd::mainwindow::Form1;

namespace {
QStringList visibleWindows() {
    QStringList names;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible()) names << widget->objectName();
    return names;
}
}  // namespace

class TestStartup : public QObject {
    Q_OBJECT

    // The program as main() builds it, over the test services.
    struct Program {
        bpd::testing::TestServices fakes;
        std::unique_ptr<Form1> form1 = std::make_unique<Form1>(fakes.services());
        int ended = 0;
        WelcomeDlg welcome{[this] { form1->show(); },
                           [this] {
                               ++ended;
                               form1.reset();  // discarded, never loaded
                           }};
        // Shows the disclaimer as the program's start does; true once it is on the screen.
        bool start() {
            welcome.show();
            return QTest::qWaitForWindowExposed(&welcome);
        }
        void press(const char* name) {
            welcome.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        }
    };

private slots:
    void initTestCase() { bpd::platform::FocusedButtonKeys::install(); }

    void startShowsOnlyTheDisclaimer() {
        Program program;
        QVERIFY(program.start());
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("WelcomeDlg")});
        QVERIFY(!program.form1->bFormLoaded());
        QCOMPARE(program.form1->analysisRuns(), 0);
    }

    void cancelEndsWithoutAMainWindow() {
        Program program;
        QVERIFY(program.start());
        QPointer<Form1> form = program.form1.get();
        program.press("CancelButton");
        QCOMPARE(program.ended, 1);
        QVERIFY(form.isNull());
        QVERIFY(visibleWindows().isEmpty());
    }

    void closeBoxEndsWithoutAMainWindow() {
        Program program;
        QVERIFY(program.start());
        QCOMPARE(program.form1->analysisRuns(), 0);
        program.welcome.close();
        QCOMPARE(program.ended, 1);
        QVERIFY(!program.form1);
        QVERIFY(visibleWindows().isEmpty());
    }

    void okShowsTheMainWindowWithItsResults() {
        Program program;
        QVERIFY(program.start());
        program.press("OKButton");
        QCOMPARE(program.ended, 0);
        QVERIFY(!program.welcome.isVisible());
        QVERIFY(program.form1->isVisible());
        QVERIFY(program.form1->bFormLoaded());
        QCOMPARE(program.form1->analysisRuns(), 1);
        QCOMPARE(visibleWindows(), QStringList{program.form1->objectName()});
        const auto& grid = program.form1->grid();
        QCOMPARE(grid.Rows(), 8);
        QCOMPARE(grid.TextMatrix(1, 0), QStringLiteral("Pass"));
        QCOMPARE(grid.TextMatrix(1, 3), QStringLiteral("83.24"));
        QCOMPARE(grid.TextMatrix(7, 12), QStringLiteral("200.55"));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
