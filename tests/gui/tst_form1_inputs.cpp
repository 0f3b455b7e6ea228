// The input fields: re-formatting and validation when a field is left, the focus kept by a
// rejected field with the click swallowed, and the preview pictures of fields and selectors.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "tst_form1_support.h"

using bpd::mainwindow::Form1;
using bpdtest::LoadedForm;

namespace {
const QString kNumeric = QString::fromLatin1(Form1::kNumericMessage);
const QString kZeroOrPositive = QString::fromLatin1(Form1::kZeroOrPositiveMessage);
const QString kPositive = QString::fromLatin1(Form1::kPositiveMessage);

QLineEdit* field(const LoadedForm& f, const QString& name) {
    return f.form->findChild<QLineEdit*>(name);
}
}  // namespace

class TestForm1Inputs : public QObject {
    Q_OBJECT

private slots:
    void leavingAFieldReformatsThenValidates_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("message");  // empty: accepted
        QTest::newRow("w1 4") << "w1Text"
                              << "4"
                              << "4.0000"
                              << "";
        QTest::newRow("w1 12.5") << "w1Text"
                                 << "12.5"
                                 << "12.5000"
                                 << "";
        QTest::newRow("b1 rounds half away") << "b1Text"
                                             << "1.23456"
                                             << "1.2346"
                                             << "";
        QTest::newRow("w1 0") << "w1Text"
                              << "0"
                              << ".0000" << kPositive;
        QTest::newRow("b1 0") << "b1Text"
                              << "0"
                              << ".0000" << kPositive;
        QTest::newRow("dh 0") << "dhText"
                              << "0"
                              << ".0000" << kPositive;
        QTest::newRow("A 0") << "AText"
                             << "0"
                             << ".0000"
                             << "";
        QTest::newRow("Vap 0") << "VapText"
                               << "0"
                               << ".0000"
                               << "";
        QTest::newRow("A 0.01") << "AText"
                                << "0.01"
                                << ".0100"
                                << "";
        QTest::newRow("Vap -1") << "VapText"
                                << "-1"
                                << "-1.0000" << kZeroOrPositive;
        QTest::newRow("A -0.5") << "AText"
                                << "-0.5"
                                << "-.5000" << kZeroOrPositive;
        QTest::newRow("w1 -1") << "w1Text"
                               << "-1"
                               << "-1.0000" << kPositive;
        QTest::newRow("w1 empty") << "w1Text"
                                  << ""
                                  << "" << kNumeric;
        QTest::newRow("Vap abc") << "VapText"
                                 << "abc"
                                 << "abc" << kNumeric;
        QTest::newRow("A abc, numeric message only") << "AText"
                                                     << "abc"
                                                     << "abc" << kNumeric;
        QTest::newRow("dh rounds to zero first") << "dhText"
                                                 << "0.00004"
                                                 << ".0000" << kPositive;
        QTest::newRow("w1 exponent") << "w1Text"
                                     << "1e1"
                                     << "10.0000"
                                     << "";
    }
    void leavingAFieldReformatsThenValidates() {
        QFETCH(QString, name);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(QString, message);
        LoadedForm f;
        QLineEdit* edit = field(f, name);
        const int runs = f.form->analysisRuns();
        bpdtest::typeAndTab(edit, typed);
        QCOMPARE(edit->text(), shown);
        if (message.isEmpty()) {
            QVERIFY(f.messages->calls.isEmpty());
            QCOMPARE(f.form->analysisRuns(), runs + 1);
            QVERIFY(!edit->hasFocus());
        } else {
            QCOMPARE(f.messages->texts(), QStringList{message});
            QCOMPARE(f.messages->calls[0].kind, QStringLiteral("warning"));
            QCOMPARE(f.messages->calls[0].title, QStringLiteral("Pelgro Pad Bearing Design"));
            QCOMPARE(f.form->analysisRuns(), runs);  // the grid keeps the last accepted results
            QVERIFY(edit->hasFocus());
            QCOMPARE(f.grid().TextMatrix(1, 2), QStringLiteral("8.00"));
        }
    }

    void anUnchangedValidFieldRerunsEveryTimeItIsLeft() {
        LoadedForm f;
        QVERIFY(bpdtest::focusOn(f.ui().b1Text));
        const int runs = f.form->analysisRuns();
        QTest::keyClick(f.ui().b1Text, Qt::Key_Tab);
        QCOMPARE(f.form->analysisRuns(), runs + 1);
        QCOMPARE(f.ui().b1Text->text(), QStringLiteral("4.0000"));
        QVERIFY(f.ui().tCombo->hasFocus());
        QVERIFY(bpdtest::focusOn(f.ui().b1Text));
        QTest::keyClick(f.ui().b1Text, Qt::Key_Backtab);  // Shift+Tab counts as leaving
        QCOMPARE(f.form->analysisRuns(), runs + 2);
        QVERIFY(f.ui().w1Text->hasFocus());
    }

    void aRejectedFieldSwallowsTheClick_data() {
        QTest::addColumn<QString>("target");
        QTest::newRow("Analyze") << "AnalyzeBtn";
        QTest::newRow("Sliding") << "CheckSliding";
        QTest::newRow("selector") << "tCombo";
        QTest::newRow("grid") << "MSFlexGrid1";
        QTest::newRow("another field") << "b1Text";
        QTest::newRow("preview") << "Picture1";
    }
    void aRejectedFieldSwallowsTheClick() {
        QFETCH(QString, target);
        LoadedForm f;
        const auto& ui = f.ui();
        bpdtest::typeInto(ui.w1Text, QStringLiteral("abc"));
        const int runs = f.form->analysisRuns();
        QWidget* widget = f.form->findChild<QWidget*>(target);
        QVERIFY(widget);
        if (target == QLatin1String("MSFlexGrid1"))
            QTest::mouseClick(f.form->windowHandle(), Qt::LeftButton, {},
                              bpdtest::gridCellInWindow(f.grid(), 1, 3));
        else
            bpdtest::clickInWindow(widget);
        QCOMPARE(f.messages->texts(), QStringList{kNumeric});
        QVERIFY(ui.w1Text->hasFocus());
        QVERIFY(!widget->hasFocus());
        QCOMPARE(f.form->analysisRuns(), runs);
        QVERIFY(!ui.CheckSliding->isChecked());
        QCOMPARE(f.form->previewKey(), QStringLiteral("W1"));  // no grid or field preview
        QCOMPARE(f.grid().TextMatrix(1, 2), QStringLiteral("8.00"));
        // Corrected, the next click goes through.
        bpdtest::typeInto(ui.w1Text, QStringLiteral("5"));
        if (target == QLatin1String("AnalyzeBtn")) {
            bpdtest::clickInWindow(widget);
            QCOMPARE(ui.w1Text->text(), QStringLiteral("5.0000"));
            QCOMPARE(f.form->analysisRuns(), runs + 2);  // the field's, then the button's
            QCOMPARE(f.grid().TextMatrix(1, 2), QStringLiteral("8.89"));
            QCOMPARE(f.messages->calls.size(), 1);
        }
    }

    void aClickBackFromAnotherWindowStillValidates() {
        LoadedForm f;
        bpdtest::typeInto(f.ui().w1Text, QStringLiteral("abc"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(f.messages->calls.isEmpty());  // switching windows does not validate
        const int runs = f.form->analysisRuns();
        bpdtest::clickInWindow(f.ui().AnalyzeBtn);
        QCOMPARE(f.messages->texts(), QStringList{kNumeric});
        QCOMPARE(f.form->analysisRuns(), runs);
        QCOMPARE(f.form->focusWidget(), static_cast<QWidget*>(f.ui().w1Text));
    }

    void pressesThatMoveNoFocusRaiseNoValidation() {
        LoadedForm f;
        const auto& ui = f.ui();
        bpdtest::typeInto(ui.w1Text, QStringLiteral("abc"));
        bpdtest::clickInWindow(ui.Label4);                    // a label takes no focus
        bpdtest::clickInWindow(ui.Frame2, QPoint(200, 130));  // nor does a frame
        bpdtest::clickInWindow(ui.w1Text);                    // nor a click into the field itself
        QVERIFY(f.messages->calls.isEmpty());
        QVERIFY(ui.w1Text->hasFocus());
        QCOMPARE(ui.w1Text->text(), QStringLiteral("abc"));
        ui.About_Pelgro_BPD->trigger();  // menu commands do not move the focus
        QVERIFY(f.messages->calls.isEmpty());
    }

    void aClickOnAnotherFieldValidatesAndMovesOn() {
        LoadedForm f;
        const auto& ui = f.ui();
        bpdtest::typeInto(ui.VapText, QStringLiteral("45"));
        bpdtest::clickInWindow(ui.dhText);
        QCOMPARE(ui.VapText->text(), QStringLiteral("45.0000"));
        QVERIFY(ui.dhText->hasFocus());
        QCOMPARE(f.form->previewKey(), QStringLiteral("dh"));
        QCOMPARE(f.grid().TextMatrix(2, 0), QStringLiteral("FAIL!"));
    }

    void fieldClickShowsItsPreview_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("sliding");
        QTest::addColumn<QString>("key");
        QTest::newRow("w1") << "w1Text" << false << "W1";
        QTest::newRow("b1") << "b1Text" << false << "B1";
        QTest::newRow("A") << "AText" << false << "A";
        QTest::newRow("dh") << "dhText" << false << "dh";
        QTest::newRow("Vap") << "VapText" << false << "Vap";
        QTest::newRow("w1 sliding") << "w1Text" << true << "W1s";
        QTest::newRow("b1 sliding") << "b1Text" << true << "B1s";
        QTest::newRow("A sliding") << "AText" << true << "As";
        QTest::newRow("dh sliding") << "dhText" << true << "dhs";
        QTest::newRow("Vap sliding") << "VapText" << true << "Vaps";
    }
    void fieldClickShowsItsPreview() {
        QFETCH(QString, name);
        QFETCH(bool, sliding);
        QFETCH(QString, key);
        LoadedForm f;
        f.ui().CheckSliding->setChecked(sliding);
        bpdtest::clickInWindow(field(f, name));
        QCOMPARE(f.form->previewKey(), key);
        // A second click into the focused field shows it again.
        f.form->ShowPreview(QStringLiteral("G"));
        bpdtest::clickInWindow(field(f, name));
        QCOMPARE(f.form->previewKey(), key);
    }

    void tabbingIntoAFieldKeepsThePreview() {
        LoadedForm f;
        f.form->ShowPreview(QStringLiteral("SF"));
        QVERIFY(bpdtest::focusOn(f.ui().w1Text));
        QTest::keyClick(f.ui().w1Text, Qt::Key_Tab);
        QVERIFY(f.ui().b1Text->hasFocus());
        QCOMPARE(f.form->previewKey(), QStringLiteral("SF"));
    }

    void selectorFocusShowsThickness() {
        LoadedForm f;
        QVERIFY(bpdtest::focusOn(f.ui().b1Text));
        QTest::keyClick(f.ui().b1Text, Qt::Key_Tab);
        QVERIFY(f.ui().tCombo->hasFocus());
        QCOMPARE(f.form->previewKey(), QStringLiteral("t"));
        f.ui().CheckSliding->setChecked(true);
        QVERIFY(bpdtest::focusOn(f.ui().b1Text));
        QTest::keyClick(f.ui().b1Text, Qt::Key_Tab);
        QCOMPARE(f.form->previewKey(), QStringLiteral("ts"));
    }

    void slidingOffAfterAFieldPreviewShowsW1() {
        LoadedForm f;
        f.ui().CheckSliding->setChecked(true);
        bpdtest::clickInWindow(f.ui().VapText);
        QCOMPARE(f.form->previewKey(), QStringLiteral("Vaps"));
        f.ui().CheckSliding->setChecked(false);
        QCOMPARE(f.form->previewKey(), QStringLiteral("W1"));
    }
};

QTEST_MAIN(TestForm1Inputs)
#include "tst_form1_inputs.moc"
