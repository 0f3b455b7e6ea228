// The start-up disclaimer: only window at start, OK shows the main window, Cancel and the close
// box end the program without it, Esc does nothing, Enter presses the focused OK.

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "FocusedButtonKeys.h"
#include "ImageList.h"
#include "WelcomeDlg.h"

using bpd::dialogs::WelcomeDlg;

class TestWelcome : public QObject {
    Q_OBJECT

    struct Start {
        QWidget mainWindow;  // stands in for Form1: shown by the OK callback
        int accepted = 0;
        int declined = 0;
        WelcomeDlg dialog{[this] {
                              ++accepted;
                              mainWindow.show();
                          },
                          [this] { ++declined; }};
        // Shows the dialog as the program's start does; true once it is on the screen.
        bool show() {
            dialog.show();
            return QTest::qWaitForWindowExposed(&dialog);
        }
        QPushButton* button(const char* name) {
            return dialog.findChild<QPushButton*>(QString::fromLatin1(name));
        }
    };

private slots:
    // Enter presses the focused button through the program's application-wide rule.
    void initTestCase() { bpd::platform::FocusedButtonKeys::install(); }

    void startShowsOnlyTheDisclaimer() {
        Start start;
        QVERIFY(start.show());
        QCOMPARE(start.dialog.windowTitle(),
                 QStringLiteral("Pelgro Bearing Pad Design- Disclaimer"));
        QVERIFY(start.dialog.isVisible());
        QVERIFY(!start.mainWindow.isVisible());
        QCOMPARE(start.accepted, 0);
        QCOMPARE(start.dialog.size(), QSize(555, 468));
        // A dialog with a title bar and close box. Not a tool window: window managers do not
        // give a utility window the keyboard when it maps. (The taskbar hint is X11's: the
        // end-to-end start scenario reads it.)
        QCOMPARE(start.dialog.windowType(), Qt::Dialog);
        QVERIFY(start.dialog.windowFlags().testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!start.dialog.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
        QVERIFY(start.dialog.isWindow());
    }

    void showsBannerAndDisclaimer() {
        Start start;
        QVERIFY(start.show());
        auto* picture = start.dialog.findChild<QLabel*>(QStringLiteral("PictureWelCome"));
        QVERIFY(picture);
        QCOMPARE(picture->size(), QSize(521, 281));  // cuts one column and one row of 522 x 282
        QCOMPARE(picture->pixmap().deviceIndependentSize().toSize(), QSize(522, 282));
        QCOMPARE(picture->pixmap().toImage(),
                 bpd::platform::ImageList::banner().picture(1).toImage());
        auto* text = start.dialog.findChild<QLabel*>(QStringLiteral("Label_Discalimer"));
        QVERIFY(text);
        QVERIFY(text->text().startsWith(
            "The information in this software has been prepared in accordance with recognized "
            "engineering principles. "));
        QVERIFY(!text->text().contains(u'\n'));
        QVERIFY(text->wordWrap());
        QVERIFY(text->font().bold());
        for (const char* point : {"licensed professional engineer, designer or architect",
                                  "disclaims all implied warranties", "licence"})
            QVERIFY2(text->text().contains(QLatin1String(point)), point);
        // The whole paragraph fits its label.
        QVERIFY(text->heightForWidth(text->width()) <= text->height());
    }

    void okHasTheFocusAndNeitherButtonIsDefault() {
        Start start;
        QVERIFY(start.show());
        // Active as it shows: nothing activates it first.
        QVERIFY(QTest::qWaitForWindowActive(&start.dialog));
        QCOMPARE(QApplication::focusWidget(), start.button("OKButton"));
        QVERIFY(start.button("OKButton")->isEnabled());
        QVERIFY(!start.button("OKButton")->isDefault());
        QVERIFY(!start.button("CancelButton")->isDefault());
    }

    void okHidesTheDialogAndShowsTheMainWindow() {
        Start start;
        QVERIFY(start.show());
        QTest::mouseClick(start.button("OKButton"), Qt::LeftButton);
        QCOMPARE(start.accepted, 1);
        QCOMPARE(start.declined, 0);
        QVERIFY(!start.dialog.isVisible());
        QVERIFY(start.mainWindow.isVisible());
        // The accepted dialog is unloaded later by the main window; that ends nothing.
        start.dialog.close();
        QCOMPARE(start.declined, 0);
    }

    void enterAndSpacePressTheFocusedOk_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    void enterAndSpacePressTheFocusedOk() {
        QFETCH(int, key);
        Start start;
        QVERIFY(start.show());
        start.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&start.dialog));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        QCOMPARE(start.accepted, 1);
        QVERIFY(start.mainWindow.isVisible());
    }

    void escapeDoesNothing() {
        Start start;
        QVERIFY(start.show());
        start.dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&start.dialog));
        QTest::keyClick(&start.dialog, Qt::Key_Escape);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(start.dialog.isVisible());
        QCOMPARE(start.accepted, 0);
        QCOMPARE(start.declined, 0);
    }

    void cancelEndsWithoutAMainWindow() {
        Start start;
        QVERIFY(start.show());
        QTest::mouseClick(start.button("CancelButton"), Qt::LeftButton);
        QCOMPARE(start.declined, 1);
        QCOMPARE(start.accepted, 0);
        QVERIFY(!start.dialog.isVisible());
        QVERIFY(!start.mainWindow.isVisible());
    }

    void closeBoxEndsWithoutAMainWindow() {
        Start start;
        QVERIFY(start.show());
        QVERIFY(start.dialog.close());
        QCOMPARE(start.declined, 1);
        QCOMPARE(start.accepted, 0);
        QVERIFY(!start.mainWindow.isVisible());
    }

    void declineByDefaultEndsTheEventLoop() {
        WelcomeDlg dialog([] {});
        dialog.show();
        QTimer::singleShot(0, &dialog, [&] {
            dialog.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
        });
        QTimer failsafe;
        failsafe.setSingleShot(true);
        bool timedOut = false;
        connect(&failsafe, &QTimer::timeout, [&] {
            timedOut = true;
            QCoreApplication::exit(1);
        });
        failsafe.start(5000);
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY(!timedOut);
    }
};

QTEST_MAIN(TestWelcome)
#include "tst_welcome.moc"
