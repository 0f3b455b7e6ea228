// The window's number fields under the desktop's own locale: ctest runs this once under
// de_DE.UTF-8 and once under C.UTF-8 (LC_ALL). A group separator counts only where it groups,
// so a decimal separator typed out of habit ("4.5" under de_DE, "4,5" under C) is no number
// and is refused, never read ten times too large.

#include <locale.h>

#include <QAction>
#include <QPushButton>
#include <QTest>

#include "Form1Commands.h"
#include "PadSizingDialog.h"
#include "tst_form1_support.h"

using bpd::mainwindow::Form1;
using bpdtest::LoadedForm;

class TestForm1Locales : public QObject {
    Q_OBJECT
    bool comma_ = false;  // the locale writes a decimal comma

private slots:
    void initTestCase() {
        const QByteArray name = qgetenv("LC_ALL");
        locale_t made =
            name.isEmpty() ? nullptr : newlocale(LC_ALL_MASK, name.constData(), nullptr);
        if (!made) {
            QSKIP(qPrintable(QStringLiteral("the locale \"%1\" is not installed on this machine "
                                            "(./bpd's setup makes it with locale-gen)")
                                 .arg(QString::fromLatin1(name))));
        }
        freelocale(made);
        comma_ = QLocale().decimalPoint() == QLatin1String(",");
        QCOMPARE(comma_, name.startsWith("de_DE"));  // the window follows the environment
    }

    void typedNumbers_data() {
        QTest::addColumn<QString>("typed");
        // The field's text after Tab under each locale; empty: refused, the text stays.
        QTest::addColumn<QString>("underComma");
        QTest::addColumn<QString>("underPoint");
        QTest::newRow("4,5") << "4,5"
                             << "4,5000"
                             << "";
        QTest::newRow("4.5") << "4.5"
                             << ""
                             << "4.5000";
        QTest::newRow("1.234,5") << "1.234,5"
                                 << "1234,5000"
                                 << "";
        QTest::newRow("1,234.5") << "1,234.5"
                                 << ""
                                 << "1234.5000";
        QTest::newRow("12,34") << "12,34"
                               << "12,3400"
                               << "";
        QTest::newRow("12.345.678") << "12.345.678"
                                    << "12345678,0000"
                                    << "";
    }
    void typedNumbers() {
        QFETCH(QString, typed);
        QFETCH(QString, underComma);
        QFETCH(QString, underPoint);
        const QString shown = comma_ ? underComma : underPoint;
        LoadedForm f;
        QLineEdit* w1 = f.ui().w1Text;
        const int runs = f.form->analysisRuns();
        bpdtest::typeAndTab(w1, typed);
        if (shown.isEmpty()) {
            QCOMPARE(w1->text(), typed);
            QCOMPARE(f.messages->texts(), QStringList{QString::fromLatin1(Form1::kNumericMessage)});
            QVERIFY(w1->hasFocus());
            QCOMPARE(f.form->analysisRuns(), runs);
        } else {
            QCOMPARE(w1->text(), shown);
            QVERIFY(f.messages->calls.isEmpty());
            QVERIFY(!w1->hasFocus());
            QCOMPARE(f.form->analysisRuns(), runs + 1);
        }
    }

    // The unit switch reads the fields with the same rule.
    void unitSwitchRefusesTheOtherSeparator() {
        LoadedForm f;
        const auto& ui = f.ui();
        const QString habit = comma_ ? QStringLiteral("4.5") : QStringLiteral("4,5");
        bpdtest::typeInto(ui.w1Text, habit);  // not left: the menu does not validate
        ui.SI->trigger();
        QCOMPARE(f.messages->texts(), QStringList{QString::fromLatin1(Form1::kNumericMessage)});
        QCOMPARE(ui.w1Text->text(), habit);
        QVERIFY(ui.Imperial->isChecked());
    }

    // The sizing reads the fields and types its pad under the desktop's separators: the kept
    // b1 of 4,5 (4.5) is read, and w1 and b1 come back as the user would type them.
    void sizingReadsAndTypesTheLocalesNumbers() {
        LoadedForm f;
        const auto& ui = f.ui();
        bpdtest::typeAndTab(ui.b1Text, comma_ ? QStringLiteral("4,5") : QStringLiteral("4.5"));
        ui.Smallest_Passing_Pad->trigger();
        bpd::sizing::PadSizingDialog* dialog = f.form->commands().sizingDialog();
        QVERIFY(dialog);
        dialog->setMode(bpd::sizing::SizingMode::KeepWidth);
        QVERIFY2(dialog->answer().found, qPrintable(dialog->answer().reason));
        QCOMPARE(dialog->answer().pad, QStringLiteral("1 x 4.5 in., t = 1/8 in."));
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("useButton")),
                          Qt::LeftButton);
        QCOMPARE(ui.w1Text->text(), comma_ ? QStringLiteral("1,0000") : QStringLiteral("1.0000"));
        QCOMPARE(ui.b1Text->text(), comma_ ? QStringLiteral("4,5000") : QStringLiteral("4.5000"));
        QCOMPARE(f.grid().TextMatrix(1, 0), QStringLiteral("Pass"));
        QVERIFY(f.messages->calls.isEmpty());
    }
};

QTEST_MAIN(TestForm1Locales)
#include "tst_form1_locales.moc"
