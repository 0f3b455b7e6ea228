// The conditions viewer: captions and sheets of the three openings, the main window hidden
// while it is shown, OK and the close box bringing it back, a hidden viewer reused in place.

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "ConditionsViewer.h"
#include "Form2.h"
#include "ImageList.h"

using bpd::dialogs::ConditionsViewer;
using bpd::dialogs::Form2;
using Sheet = ConditionsViewer::Sheet;

class TestConditions : public QObject {
    Q_OBJECT

    static QLabel* picture(Form2* viewer) {
        return viewer->findChild<QLabel*>(QStringLiteral("Picture1"));
    }
    static QPushButton* okButton(Form2* viewer) {
        return viewer->findChild<QPushButton*>(QStringLiteral("Cmd_OK"));
    }

private slots:
    void openingShowsCaptionAndSheet_data() {
        QTest::addColumn<int>("sheet");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Loading") << 1 << QStringLiteral("Loading Conditions");
        QTest::newRow("Rotation") << 2 << QStringLiteral("Rotation Conditions");
        QTest::newRow("NonUniform Bearing")
            << 3 << QStringLiteral("Non Uniform Bearing Conditions");
    }
    void openingShowsCaptionAndSheet() {
        QFETCH(int, sheet);
        QFETCH(QString, caption);
        QWidget mainWindow;
        mainWindow.show();
        ConditionsViewer conditions(&mainWindow);
        QVERIFY(!conditions.viewer());
        conditions.open(static_cast<Sheet>(sheet));
        Form2* viewer = conditions.viewer();
        QVERIFY(viewer);
        QVERIFY(viewer->isVisible());
        QVERIFY(!mainWindow.isVisible());
        QCOMPARE(viewer->windowTitle(), caption);
        QCOMPARE(viewer->size(), QSize(465, 703));
        const QPixmap expected = bpd::platform::ImageList::conditionSheets().picture(sheet);
        QCOMPARE(picture(viewer)->pixmap().toImage(), expected.toImage());
    }

    void theSheetsFootIsCutOff() {
        QWidget mainWindow;
        ConditionsViewer conditions(&mainWindow);
        conditions.open(Sheet::Loading);
        QLabel* box = picture(conditions.viewer());
        QCOMPARE(box->size(), QSize(449, 649));
        QCOMPARE(box->pixmap().deviceIndependentSize().toSize(), QSize(449, 657));
        QCOMPARE(box->alignment(), Qt::AlignLeft | Qt::AlignTop);
        // The OK button sits below the picture box, so it cannot cover the sheet.
        QVERIFY(okButton(conditions.viewer())->geometry().top() >= box->geometry().bottom());
    }

    void okHidesTheViewerAndBringsTheMainWindowBack() {
        QWidget mainWindow;
        mainWindow.show();
        ConditionsViewer conditions(&mainWindow);
        conditions.open(Sheet::NonUniformBearing);
        Form2* viewer = conditions.viewer();
        QTest::mouseClick(okButton(viewer), Qt::LeftButton);
        QVERIFY(mainWindow.isVisible());
        QVERIFY(!viewer->isVisible());
        QCOMPARE(conditions.viewer(), viewer);  // hidden, still loaded
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Non Uniform Bearing Conditions"));
        QCOMPARE(viewer->sheetIndex(), 3);
    }

    void aHiddenViewerIsReusedAtItsLastPosition() {
        QWidget mainWindow;
        mainWindow.show();
        ConditionsViewer conditions(&mainWindow);
        conditions.open(Sheet::Loading);
        Form2* viewer = conditions.viewer();
        viewer->move(viewer->pos() + QPoint(37, 21));
        const QPoint moved = viewer->pos();
        QTest::mouseClick(okButton(viewer), Qt::LeftButton);
        conditions.open(Sheet::Rotation);
        QCOMPARE(conditions.viewer(), viewer);
        QCOMPARE(viewer->pos(), moved);
        QCOMPARE(viewer->windowTitle(), QStringLiteral("Rotation Conditions"));
        QCOMPARE(picture(viewer)->pixmap().toImage(),
                 bpd::platform::ImageList::conditionSheets().picture(2).toImage());
        QVERIFY(!mainWindow.isVisible());
    }

    void closeBoxUnloadsAndTheNextOpeningCreatesItAnew() {
        QWidget mainWindow;
        mainWindow.show();
        ConditionsViewer conditions(&mainWindow);
        conditions.open(Sheet::Rotation);
        QPointer<Form2> first = conditions.viewer();
        QVERIFY(first->close());
        QVERIFY(mainWindow.isVisible());
        QTRY_VERIFY(first.isNull());  // unloaded
        QVERIFY(!conditions.viewer());
        conditions.open(Sheet::Loading);
        QVERIFY(conditions.viewer());
        QCOMPARE(conditions.viewer()->windowTitle(), QStringLiteral("Loading Conditions"));
    }

    void mainWindowUnloadUnloadsTheViewer() {
        QWidget mainWindow;
        mainWindow.show();
        ConditionsViewer conditions(&mainWindow);
        conditions.open(Sheet::Loading);
        QTest::mouseClick(okButton(conditions.viewer()), Qt::LeftButton);
        QPointer<Form2> viewer = conditions.viewer();
        conditions.unload();
        QTRY_VERIFY(viewer.isNull());
        conditions.unload();  // nothing loaded: nothing happens
    }
};

QTEST_MAIN(TestConditions)
#include "tst_conditions.moc"
