// One test per user story, from the keystrokes to the cells of the results grid.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>

#include "tst_form1_support.h"

using bpd::mainwindow::Form1;
using bpdtest::gridRow;
using bpdtest::LoadedForm;
using bpdtest::typeAndTab;

class TestForm1Stories : public QObject {
    Q_OBJECT

    static QStringList column(const LoadedForm& f, int col) {
        QStringList out;
        for (int r = 1; r < f.grid().Rows(); ++r) out << f.grid().TextMatrix(r, col);
        return out;
    }

    // Every text of the grid fits its column (3 px padding left, 2 right).
    static bool textsFit(const LoadedForm& f) {
        const auto& g = f.grid();
        for (int r = 0; r < g.Rows(); ++r) {
            for (int c = 0; c < g.Cols(); ++c) {
                QFont font = g.font();
                font.setBold(g.cellFontBoldAt(r, c));
                if (QFontMetrics(font).horizontalAdvance(g.TextMatrix(r, c)) + 5 >
                    bpdtest::gridTable(g).columnWidth(c)) {
                    qWarning("cell %d,%d '%s' is wider than its column", r, c,
                             qPrintable(g.TextMatrix(r, c)));
                    return false;
                }
            }
        }
        return true;
    }

private slots:
    void engineerLengthensTheBearing() {
        LoadedForm f;
        typeAndTab(f.ui().w1Text, QStringLiteral("5"));
        QCOMPARE(f.ui().w1Text->text(), QStringLiteral("5.0000"));
        QVERIFY(f.ui().b1Text->hasFocus());
        QCOMPARE(f.grid().TextMatrix(1, 1), QStringLiteral("1/8"));
        QCOMPARE(f.grid().TextMatrix(1, 2), QStringLiteral("8.89"));  // 20 / (9 x 2 x 1/8)
        // The rotation length 5 / tan(.01) / 100 = 4.99983 now lies just below w1.
        QCOMPARE(f.grid().TextMatrix(1, 7), QStringLiteral("5.00"));
        QCOMPARE(f.grid().TextMatrix(1, 9), QStringLiteral("356.51"));
        QCOMPARE(f.grid().TextMatrix(2, 9), QStringLiteral("356.50"));  // 7.13 / 20 x 1000
        QCOMPARE(f.grid().TextMatrix(1, 8), QStringLiteral("56.88"));
        QVERIFY(f.messages->calls.isEmpty());
    }

    void engineerPicksOneThicknessWithTheKeyboard() {
        LoadedForm f;
        QVERIFY(bpdtest::focusOn(f.ui().b1Text));
        QTest::keyClick(f.ui().b1Text, Qt::Key_Tab);
        QVERIFY(f.ui().tCombo->hasFocus());
        for (int i = 0; i < 4; ++i) QTest::keyClick(f.ui().tCombo, Qt::Key_Down);
        QCOMPARE(f.ui().tCombo->currentText(), QStringLiteral("1/2"));
        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(gridRow(f.grid(), 1),
                 QStringList({"Pass", "1/2", "2.00", "39.17", "2448.26", ".952", "37.31", "4.00",
                              "14.22", "445.63", "322.64", "20.17", "141.81"}));
    }

    void engineerMarksASlidingBearing() {
        LoadedForm f;
        QVERIFY(bpdtest::focusOn(f.ui().CheckSliding));
        QTest::keyClick(f.ui().CheckSliding, Qt::Key_Space);
        QVERIFY(f.ui().CheckSliding->isChecked());
        QCOMPARE(column(f, 3),
                 QStringList({"40.00", "40.00", "40.00", "39.17", "36.23", "34.28", "31.83"}));
        QCOMPARE(column(f, 6).mid(0, 3), QStringList({"28.57", "32.00", "34.78"}));
        QCOMPARE(column(f, 4).mid(0, 3), QStringList({"5202.56", "3366.36", "2754.30"}));
        QCOMPARE(column(f, 0), QStringList(7, QStringLiteral("Pass")));
    }

    void engineerChecksARotatedBeam() {
        LoadedForm f;
        typeAndTab(f.ui().AText, QStringLiteral(".1"));
        QCOMPARE(f.ui().AText->text(), QStringLiteral(".1000"));
        QCOMPARE(column(f, 7),
                 QStringList({".50", "1.00", "1.50", "1.99", "2.49", "2.99", "3.99"}));
        QCOMPARE(column(f, 0),
                 QStringList({"FAIL!", "FAIL!", "FAIL!", "FAIL!", "Pass", "Pass", "Pass"}));
        QCOMPARE(column(f, 6),
                 QStringList({".41", "1.30", "2.75", "6.53", "7.25", "8.06", "8.49"}));
        QCOMPARE(gridRow(f.grid(), 1).mid(3, 3), QStringList({"16.94", "41759.75", ".024"}));
    }

    void engineerOverloadsThePad() {
        LoadedForm f;
        typeAndTab(f.ui().dhText, QStringLiteral("0.1"));
        typeAndTab(f.ui().VapText, QStringLiteral("45"));
        QCOMPARE(column(f, 0), QStringList(7, QStringLiteral("FAIL!")));
        QCOMPARE(f.grid().TextMatrix(1, 8), QStringLiteral("80.00"));
        QCOMPARE(f.grid().TextMatrix(1, 10), QStringLiteral("4829.91"));
        bpdtest::hoverGridCell(f.grid(), 1, 6);
        QTRY_COMPARE(f.grid().ToolTipText(),
                     QStringLiteral("Check Failed. Applied shear load exceeds the limit."));
    }

    void engineerWorksInSiUnits() {
        LoadedForm f;
        QVERIFY(bpdtest::focusOn(f.ui().VapText));
        QTest::keyClick(f.ui().VapText, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(f.ui().VapText->text(), QStringLiteral("31.7212"));
        typeAndTab(f.ui().VapText, QStringLiteral("31.72"));
        QCOMPARE(
            gridRow(f.grid(), 1),
            QStringList({"Pass", "3.175", "8.00", "370.34", "35870371.55", ".714", "264.53",
                         "101.60", "56.88", "3072357.53", "2870.74", "278056.34", "488847.28"}));
        QCOMPARE(
            gridRow(f.grid(), 7),
            QStringList({"Pass", "25.400", "1.00", "141.60", "13715142.02", ".973", "137.81",
                         "101.60", "7.11", "3072357.53", "1014.96", "98307.76", "1382668.91"}));
        QVERIFY(textsFit(f));
    }

    void engineerChecksALargeSiBearing() {
        LoadedForm f;
        f.ui().SI->trigger();
        typeAndTab(f.ui().w1Text, QStringLiteral("400"));
        typeAndTab(f.ui().b1Text, QStringLiteral("300"));
        typeAndTab(f.ui().AText, QStringLiteral(".005"));
        typeAndTab(f.ui().dhText, QStringLiteral("5"));
        typeAndTab(f.ui().VapText, QStringLiteral("500"));
        QCOMPARE(column(f, 0),
                 QStringList({"FAIL!", "FAIL!", "Pass", "Pass", "Pass", "Pass", "Pass"}));
        const QStringList first = gridRow(f.grid(), 1);
        QCOMPARE(first[7], QStringLiteral("254.00"));
        QCOMPARE(first[4], QStringLiteral("151174983.50"));
        QCOMPARE(first[3], QStringLiteral("4466.46"));
        QCOMPARE(first[8], QStringLiteral("157.48"));
        QCOMPARE(f.grid().TextMatrix(2, 8), QStringLiteral("78.74"));
        const QStringList third = gridRow(f.grid(), 3);
        QCOMPARE(third[2], QStringLiteral("9.00"));
        QCOMPARE(third[3], QStringLiteral("4684.62"));
        QCOMPARE(third[6], QStringLiteral("4515.30"));
        QCOMPARE(third[8], QStringLiteral("52.49"));
        QVERIFY(f.messages->calls.isEmpty());
        QVERIFY(textsFit(f));
    }

    void engineerMistypesThenCorrects() {
        LoadedForm f;
        typeAndTab(f.ui().b1Text, QStringLiteral("4..5"));
        QCOMPARE(f.messages->texts(), QStringList{QString::fromLatin1(Form1::kNumericMessage)});
        QVERIFY(f.ui().b1Text->hasFocus());
        QCOMPARE(f.grid().TextMatrix(1, 2), QStringLiteral("8.00"));
        typeAndTab(f.ui().b1Text, QStringLiteral("4.5"));
        QCOMPARE(f.ui().b1Text->text(), QStringLiteral("4.5000"));
        QCOMPARE(f.messages->calls.size(), 1);
        QVERIFY(f.ui().tCombo->hasFocus());
        QCOMPARE(f.grid().TextMatrix(1, 2), QStringLiteral("8.47"));  // 18 / (8.5 x 2 x 1/8)
    }
};

QTEST_MAIN(TestForm1Stories)
#include "tst_form1_stories.moc"
