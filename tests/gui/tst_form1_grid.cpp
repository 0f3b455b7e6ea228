// The results grid inside the window: styling and banding after runs, the one tooltip with
// its update rules (and their quirks), and the preview of a clicked column.

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include "GridPresenter.h"
#include "tst_form1_support.h"

using bpd::mainwindow::GridPresenter;
using bpdtest::LoadedForm;

namespace {
const QColor kGreen(0, 255, 0), kRed(255, 0, 0), kYellow(255, 255, 192), kWhite(255, 255, 255);
const QString kCompressive = QString::fromLatin1(GridPresenter::kCompressiveFailure);
const QString kShear = QString::fromLatin1(GridPresenter::kShearFailure);

// Sets the field texts directly and runs the check as the Analyze button does.
void analyzeWith(LoadedForm& f, const QString& dh, const QString& vap) {
    f.ui().dhText->setText(dh);
    f.ui().VapText->setText(vap);
    f.form->RunAnalysis();
}
}  // namespace

class TestForm1Grid : public QObject {
    Q_OBJECT

    static void checkBanding(const LoadedForm& f) {
        const auto& g = f.grid();
        for (int r = 1; r < g.Rows(); ++r) {
            const QString status = g.TextMatrix(r, 0);
            QVERIFY(status == QLatin1String("Pass") || status == QLatin1String("FAIL!"));
            QCOMPARE(g.cellBackColorAt(r, 0), status == QLatin1String("Pass") ? kGreen : kRed);
            QVERIFY(g.cellFontBoldAt(r, 0));
            for (int c = 1; c < 13; ++c) {
                QCOMPARE(g.cellBackColorAt(r, c), r % 2 == 0 ? kYellow : kWhite);
                QVERIFY(!g.cellFontBoldAt(r, c));
            }
        }
        for (int c = 0; c < 13; ++c) QCOMPARE(g.cellBackColorAt(0, c), QColor(255, 192, 128));
        QCOMPARE(g.Row(), g.Rows() - 1);  // the status cell of the last computed row
        QCOMPARE(g.Col(), 0);
    }

private slots:
    void everyRunStylesAndBands() {
        LoadedForm f;
        QCOMPARE(f.grid().Rows(), 8);
        checkBanding(f);
        analyzeWith(f, QStringLiteral("0.1"), QStringLiteral("45"));
        checkBanding(f);
        QCOMPARE(f.grid().TextMatrix(1, 0), QStringLiteral("FAIL!"));
        for (int c = 1; c < 13; ++c)
            QCOMPARE(f.grid().cellAlignmentAt(1, c), Qt::AlignLeft | Qt::AlignVCenter);
    }

    void oneThicknessBandsOneWhiteRow() {
        LoadedForm f;
        f.ui().tCombo->setCurrentIndex(4);  // "1/2"
        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(bpdtest::gridRow(f.grid(), 1),
                 QStringList({"Pass", "1/2", "2.00", "39.17", "2448.26", ".952", "37.31", "4.00",
                              "14.22", "445.63", "322.64", "20.17", "141.81"}));
        checkBanding(f);
        QCOMPARE(f.grid().cellBackColorAt(1, 5), kWhite);
    }

    void headerHoverShowsTheColumnDescription_data() {
        QTest::addColumn<int>("col");
        QTest::addColumn<QString>("tip");
        QTest::newRow("status") << 0 << "Design status, whether the design is passed or failed.";
        QTest::newRow("t") << 1 << "Initial thickness of pad.";
        QTest::newRow("N") << 10 << "Total allowable non-ultimate shear working load.";
        QTest::newRow("G") << 12
                           << "Shear modulus, slope of the shear stress strain curve at any point.";
    }
    void headerHoverShowsTheColumnDescription() {
        QFETCH(int, col);
        QFETCH(QString, tip);
        LoadedForm f;
        bpdtest::hoverGridCell(f.grid(), 0, col);
        QTRY_COMPARE(f.grid().ToolTipText(), tip);
    }

    void bodyHoverExplainsTheVerdict() {
        LoadedForm f;
        analyzeWith(f, QStringLiteral("0.1"), QStringLiteral("45"));
        bpdtest::hoverGridCell(f.grid(), 1, 4);  // Var 59.46: fails the shear check only
        QTRY_COMPARE(f.grid().ToolTipText(), kShear);
        bpdtest::hoverGridCell(f.grid(), 2, 8);  // Var 43.09 < 45
        QTRY_COMPARE(f.grid().ToolTipText(), kCompressive);
        analyzeWith(f, QStringLiteral("0.0711"), QStringLiteral("7.13"));
        QCOMPARE(f.grid().ToolTipText(), QString());  // a passing row cleared it
        bpdtest::hoverGridCell(f.grid(), 3, 2);
        QTRY_COMPARE(f.grid().ToolTipText(), QStringLiteral("Pass"));
    }

    void hoverComparesWithTheRoundedVar() {
        LoadedForm f;
        // 43.09 exceeds the unrounded Var of 1/4 (43.0894...) but not its text "43.09".
        analyzeWith(f, QStringLiteral("0.0711"), QStringLiteral("43.09"));
        QCOMPARE(f.grid().TextMatrix(2, 0), QStringLiteral("FAIL!"));
        QCOMPARE(f.grid().TextMatrix(2, 6), QStringLiteral("43.09"));
        bpdtest::hoverGridCell(f.grid(), 2, 1);
        QTRY_COMPARE(f.grid().ToolTipText(), kShear);
    }

    void anAllFailingRunLeavesTheTooltip() {
        LoadedForm f;
        bpdtest::hoverGridCell(f.grid(), 0, 10);
        QTRY_COMPARE(f.grid().ToolTipText(), GridPresenter::hoverDescription(10));
        analyzeWith(f, QStringLiteral("0.1"), QStringLiteral("45"));
        QCOMPARE(f.grid().ToolTipText(), GridPresenter::hoverDescription(10));
    }

    void hoverWithAnEmptiedLoadFieldLeavesTheTooltip() {
        LoadedForm f;
        analyzeWith(f, QStringLiteral("0.1"), QStringLiteral("45"));
        bpdtest::hoverGridCell(f.grid(), 0, 5);
        QTRY_COMPARE(f.grid().ToolTipText(), GridPresenter::hoverDescription(5));
        f.ui().VapText->clear();
        bpdtest::hoverGridCell(f.grid(), 2, 5);
        QTRY_COMPARE(f.grid().MouseRow(), 2);
        QCOMPARE(f.grid().ToolTipText(), GridPresenter::hoverDescription(5));
    }

    void columnClickShowsItsPreview_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("col");
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<QString>("key");
        QTest::newRow("t body") << 2 << 1 << false << "t";
        QTest::newRow("t sliding") << 2 << 1 << true << "ts";
        QTest::newRow("t header sliding") << 0 << 1 << true << "ts";
        QTest::newRow("Vnr body") << 3 << 3 << false << "Vnr";
        QTest::newRow("Vnr header") << 0 << 3 << false << "Vnr";
        QTest::newRow("SF") << 1 << 2 << false << "SF";
        QTest::newRow("G") << 7 << 12 << false << "G";
        QTest::newRow("status does nothing") << 1 << 0 << false << "W1";
        QTest::newRow("status sliding does nothing") << 1 << 0 << true << "W1s";
    }
    void columnClickShowsItsPreview() {
        QFETCH(int, row);
        QFETCH(int, col);
        QFETCH(bool, sliding);
        QFETCH(QString, key);
        LoadedForm f;
        f.ui().CheckSliding->setChecked(sliding);
        bpdtest::clickGridCell(f.grid(), row, col);
        QCOMPARE(f.form->previewKey(), key);
    }

    void everyResultColumnHasItsPicture() {
        LoadedForm f;
        const QStringList keys = {"t",  "SF", "Vnr", "Snr", "R",  "Var",
                                  "W2", "Es", "Sap", "N",   "Ss", "G"};
        for (int c = 1; c <= 12; ++c) {
            bpdtest::clickGridCell(f.grid(), 4, c);
            QCOMPARE(f.form->previewKey(), keys[c - 1]);
            QVERIFY(!f.ui().Picture1->pixmap().isNull());
        }
    }

    void arithmeticFaultKeepsEarlierRowsAndSaysWhere() {
        LoadedForm f;
        f.ui().w1Text->setText(QStringLiteral("1e308"));
        f.ui().b1Text->setText(QStringLiteral("1e308"));
        f.form->RunAnalysis();
        QCOMPARE(f.messages->calls.size(), 1);
        const QString text = f.messages->calls[0].text;
        QCOMPARE(f.messages->calls[0].title, QStringLiteral("Pelgro Pad Bearing Design"));
        QVERIFY2(text.contains(QStringLiteral("1/8")), qPrintable(text));
        QVERIFY2(text.contains(QStringLiteral("SF")), qPrintable(text));
        QCOMPARE(f.grid().TextMatrix(1, 1), QStringLiteral("1/8"));  // labels written first
        QCOMPARE(f.grid().TextMatrix(1, 0), QString());
    }
};

QTEST_MAIN(TestForm1Grid)
#include "tst_form1_grid.moc"
