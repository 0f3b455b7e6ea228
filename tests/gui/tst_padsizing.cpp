// Design > Smallest Passing Pad over a loaded main window: the three sizings in both unit
// systems, the reasons when no pad passes, and "Use This Pad" typing the pad into the fields
// so that the grid runs again.

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "Form1Commands.h"
#include "PadSizingDialog.h"
#include "ScheduleModel.h"
#include "ScheduleWindow.h"
#include "tst_form1_support.h"

using bpd::sizing::PadSizingDialog;
using bpd::sizing::SizingMode;
using bpdtest::LoadedForm;

Q_DECLARE_METATYPE(SizingMode)

namespace {

PadSizingDialog* openSizing(LoadedForm& f) {
    f.ui().Smallest_Passing_Pad->trigger();
    return f.form->commands().sizingDialog();
}

QString shown(PadSizingDialog* dialog, const char* name) {
    auto* field = dialog->findChild<QLineEdit*>(QLatin1String(name));
    return field ? field->text() : QStringLiteral("(no %1)").arg(QLatin1String(name));
}

}  // namespace

class TestPadSizing : public QObject {
    Q_OBJECT

private slots:
    // The opening inputs (A .01, dh .0711 in., Vap 7.13 kips, All), in each unit system; the
    // kept dimension is the field's 4 in. (101.6 mm after the switch).
    void eachSizingFindsThePadAndUseTypesIt_data() {
        QTest::addColumn<bool>("si");
        QTest::addColumn<SizingMode>("mode");
        QTest::addColumn<QString>("pad");
        QTest::addColumn<QString>("governing");
        QTest::addColumn<QString>("w1");
        QTest::addColumn<QString>("b1");
        QTest::addColumn<QString>("label");
        QTest::newRow("imperial, both free")
            << false << SizingMode::BothFree << "1 x 3.5 in., t = 1/8 in."
            << "compression, 96.4 %"
            << "1.0000"
            << "3.5000"
            << "1/8";
        QTest::newRow("imperial, b1 kept")
            << false << SizingMode::KeepWidth << "1 x 4 in., t = 1/8 in."
            << "compression, 83.2 %"
            << "1.0000"
            << "4.0000"
            << "1/8";
        QTest::newRow("imperial, w1 kept")
            << false << SizingMode::KeepLength << "4 x 1 in., t = 1/8 in."
            << "compression, 83.2 %"
            << "4.0000"
            << "1.0000"
            << "1/8";
        QTest::newRow("si, both free") << true << SizingMode::BothFree << "40 x 60 mm, t = 3.175 mm"
                                       << "compression, 82.2 %"
                                       << "40.0000"
                                       << "60.0000"
                                       << "3.175";
        QTest::newRow("si, b1 kept")
            << true << SizingMode::KeepWidth << "30 x 101.6 mm, t = 3.175 mm"
            << "shear, 75.8 %"
            << "30.0000"
            << "101.6000"
            << "3.175";
        QTest::newRow("si, w1 kept")
            << true << SizingMode::KeepLength << "101.6 x 30 mm, t = 3.175 mm"
            << "shear, 75.8 %"
            << "101.6000"
            << "30.0000"
            << "3.175";
    }
    void eachSizingFindsThePadAndUseTypesIt() {
        QFETCH(bool, si);
        QFETCH(SizingMode, mode);
        QFETCH(QString, pad);
        QFETCH(QString, governing);
        QFETCH(QString, w1);
        QFETCH(QString, b1);
        QFETCH(QString, label);
        LoadedForm f;
        if (si) f.ui().SI->trigger();
        PadSizingDialog* dialog = openSizing(f);
        QVERIFY(dialog && dialog->isVisible());
        dialog->setMode(mode);
        QCOMPARE(shown(dialog, "padText"), pad);
        QCOMPARE(shown(dialog, "governingText"), governing);
        QVERIFY(shown(dialog, "utilisationText").contains(governing.section(u',', 1).trimmed()));
        QCOMPARE(dialog->findChild<QLabel*>(QStringLiteral("reasonText"))->text(), QString());

        const int runs = f.form->analysisRuns();
        auto* use = dialog->findChild<QPushButton*>(QStringLiteral("useButton"));
        QVERIFY(use->isEnabled());
        QTest::mouseClick(use, Qt::LeftButton);
        QVERIFY(f.form->analysisRuns() > runs);
        QCOMPARE(f.ui().w1Text->text(), w1);
        QCOMPARE(f.ui().b1Text->text(), b1);
        QComboBox* selector = si ? f.ui().tCombo_SI : f.ui().tCombo;
        QCOMPARE(selector->currentText(), label);
        // The grid shows the one thickness of the pad, passing, as the dialog found it.
        QCOMPARE(f.grid().Rows(), 2);
        QCOMPARE(f.grid().TextMatrix(1, 0), QStringLiteral("Pass"));
        QCOMPARE(f.grid().TextMatrix(1, 1), label);
        QCOMPARE(f.form->results().rows.size(), std::size_t(1));
        QTRY_VERIFY(!dialog || !dialog->isVisible());
        QVERIFY(f.messages->calls.isEmpty());
    }

    // No pad passes: the engine's reason, and nothing to use.
    void noPassingPadShowsWhy_data() {
        QTest::addColumn<QString>("A");
        QTest::addColumn<QString>("dh");
        QTest::addColumn<QString>("Vap");
        QTest::addColumn<QString>("reason");
        QTest::newRow("shear") << ".01"
                               << "2"
                               << "7.13"
                               << "No pad passes: the shear check needs t >= dh / 0.75 = 2.6667 "
                                  "in., beyond the thickest catalogue pad (1 in.).";
        QTest::newRow("load") << ".04"
                              << ".0711"
                              << "5000"
                              << "No pad passes: the load Vap = 5000 kips exceeds what the pads "
                                 "that pass the shear check carry at this rotation: at most Var "
                                 "= 2831.82 kips (18.5 x 48 in., t = 1 in.).";
    }
    void noPassingPadShowsWhy() {
        QFETCH(QString, A);
        QFETCH(QString, dh);
        QFETCH(QString, Vap);
        QFETCH(QString, reason);
        LoadedForm f;
        bpdtest::typeAndTab(f.ui().AText, A);
        bpdtest::typeAndTab(f.ui().dhText, dh);
        bpdtest::typeAndTab(f.ui().VapText, Vap);
        PadSizingDialog* dialog = openSizing(f);
        QVERIFY(dialog);
        auto* why = dialog->findChild<QLabel*>(QStringLiteral("reasonText"));
        QCOMPARE(why->text(), reason);
        QVERIFY(why->isVisible());
        QCOMPARE(shown(dialog, "padText"), QString());
        QVERIFY(!dialog->findChild<QPushButton*>(QStringLiteral("useButton"))->isEnabled());
    }

    // Opened again, the dialog sizes for the inputs as they stand now, in the mode it had.
    void reopeningSizesTheCurrentInputs() {
        LoadedForm f;
        PadSizingDialog* dialog = openSizing(f);
        dialog->setMode(SizingMode::KeepWidth);
        dialog->close();
        bpdtest::typeAndTab(f.ui().b1Text, QStringLiteral("2"));
        PadSizingDialog* again = openSizing(f);
        QCOMPARE(again->mode(), SizingMode::KeepWidth);
        QCOMPARE(shown(again, "padText"), QStringLiteral("2 x 2 in., t = 1/8 in."));
    }

    // The window changed while the dialog was open: the first click shows the pad for the
    // inputs as they are now and types nothing; the second uses it.
    void aPadForOldInputsIsNeverTyped() {
        LoadedForm f;
        PadSizingDialog* dialog = openSizing(f);
        QCOMPARE(shown(dialog, "padText"), QStringLiteral("1 x 3.5 in., t = 1/8 in."));
        bpdtest::typeAndTab(f.ui().VapText, QStringLiteral("20"));
        auto* use = dialog->findChild<QPushButton*>(QStringLiteral("useButton"));
        QTest::mouseClick(use, Qt::LeftButton);
        QCOMPARE(f.ui().w1Text->text(), QStringLiteral("4.00"));
        QVERIFY(dialog->isVisible());
        const QString now = shown(dialog, "padText");
        QCOMPARE(now, QStringLiteral("2.5 x 3 in., t = 1/8 in."));
        QTest::mouseClick(use, Qt::LeftButton);
        QCOMPARE(f.ui().w1Text->text() + u' ' + f.ui().b1Text->text(),
                 QStringLiteral("2.5000 3.0000"));
        QVERIFY(!dialog->isVisible());
    }

    // The window's shortcuts reach the Design menu from a text field, whose own Ctrl+K would
    // delete to the end of the line.
    void designShortcutsWinOverTheFieldsKeys() {
        LoadedForm f;
        QVERIFY(bpdtest::focusOn(f.ui().w1Text));
        f.ui().w1Text->setCursorPosition(0);
        QTest::keyClick(f.ui().w1Text, Qt::Key_K, Qt::ControlModifier);
        QCOMPARE(f.fixture.files->questions.size(), qsizetype(1));  // cancelled: answer empty
        QCOMPARE(f.ui().w1Text->text(), QStringLiteral("4.00"));
        QVERIFY(bpdtest::focusOn(f.ui().w1Text));
        QTest::keyClick(f.ui().w1Text, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(f.form->commands().sizingDialog());
        QTRY_VERIFY(f.form->commands().sizingDialog()->isVisible());
    }

    // Design > Bearing Schedule (Ctrl+B) opens the schedule; ending the program with unsaved
    // schedule edits asks first: Cancel keeps both windows, Discard lets the program end.
    void bearingScheduleOpensAndItsEditsHoldTheProgramsClose() {
        LoadedForm f;
        QTest::keyClick(f.form.get(), Qt::Key_B, Qt::ControlModifier);
        bpd::schedule::ScheduleWindow* schedule = f.form->commands().scheduleWindow();
        QVERIFY(schedule);
        QTRY_VERIFY(schedule->isVisible());
        schedule->model().addBearing();
        QVERIFY(schedule->isWindowModified());

        f.messages->saveAnswer = bpd::platform::MessageService::SaveChoice::Cancel;
        QVERIFY(!f.form->close());
        QVERIFY(f.form->isVisible());
        QVERIFY(schedule->isVisible());
        QCOMPARE(f.messages->calls.size(), qsizetype(1));

        f.messages->saveAnswer = bpd::platform::MessageService::SaveChoice::Discard;
        QVERIFY(f.form->close());
        QVERIFY(!schedule->isVisible());
    }
};

QTEST_MAIN(TestPadSizing)
#include "tst_padsizing.moc"
