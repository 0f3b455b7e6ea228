// The "General Setttings" dialog: layout, first run, OK, the close box and reopening, saves
// that fail, and texts of any length.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ClassicFonts.h"
#include "Form3.h"
#include "ProjectData.h"
#include "RegistryRoutines.h"
#include "ScratchFilesystem.h"
#include "TestServices.h"

using namespace bpd::reports;

namespace {

QLineEdit* box(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void store(bpd::platform::RegistryStore& settings, const QString& name, const QString& text) {
    QVariant value = text;
    QVERIFY(WriteRegistryValue(settings, HKEY_CURRENT_USER, kProjectDataKey, REG_SZ, name, value));
}

QString stored(bpd::platform::RegistryStore& settings, const QString& name) {
    QString value = QStringLiteral("<missing>");
    ReadRegistryValue(settings, HKEY_CURRENT_USER, kProjectDataKey, name, value);
    return value;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

}  // namespace

class TestProjectDialog : public QObject {
    Q_OBJECT
private slots:
    void layoutAsDesigned_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("bold");
        QTest::newRow("Command1") << "Command1" << QRect(80, 256, 81, 33) << "OK" << true;
        QTest::newRow("Label1") << "Label1" << QRect(8, 16, 73, 17) << "Company" << true;
        QTest::newRow("Label2") << "Label2" << QRect(8, 64, 73, 25) << "Project Name" << true;
        QTest::newRow("Label3") << "Label3" << QRect(8, 120, 73, 25) << "Engineer" << true;
        QTest::newRow("Label4") << "Label4" << QRect(8, 176, 73, 25) << "Description" << true;
        QTest::newRow("Txt_Company") << "Txt_Company" << QRect(104, 8, 137, 33) << "" << false;
        QTest::newRow("Txt_ProjectName")
            << "Txt_ProjectName" << QRect(104, 56, 137, 33) << "" << false;
        QTest::newRow("Txt_Engineer") << "Txt_Engineer" << QRect(104, 112, 137, 33) << "" << false;
        QTest::newRow("Txt_Description")
            << "Txt_Description" << QRect(104, 168, 137, 73) << "" << false;
    }
    void layoutAsDesigned() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(bool, bold);
        bpd::testing::TestServices fixture;
        Form3 dialog(nullptr, *fixture.store, *fixture.messages);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("General Setttings"));
        QCOMPARE(dialog.size(), QSize(255, 293));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinMaxButtonsHint));
        auto* widget = dialog.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->font().bold(), bold);
        QCOMPARE(widget->font(), bpd::platform::ClassicFonts::msSansSerif(bold));
        if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), caption);
        if (auto* button = qobject_cast<QPushButton*>(widget)) QCOMPARE(button->text(), caption);
        if (auto* edit = qobject_cast<QLineEdit*>(widget))
            QCOMPARE(edit->text(), caption);  // first run: empty, never "Text1"
    }

    void focusStartsOnOkAndFollowsTheFields() {
        bpd::testing::TestServices fixture;
        QWidget mainWindow;
        mainWindow.show();
        QPointer<Form3> form3;
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        QVERIFY(QTest::qWaitForWindowExposed(form3));
        QApplication::setActiveWindow(form3);
        QCOMPARE(form3->focusWidget(), form3->findChild<QWidget*>(QStringLiteral("Command1")));
        const char* order[] = {"Txt_Company", "Txt_ProjectName", "Txt_Engineer", "Txt_Description",
                               "Command1"};
        QWidget* current = form3->findChild<QWidget*>(QStringLiteral("Command1"));
        for (const char* next : order) {
            current = current->nextInFocusChain();
            while (current->focusPolicy() == Qt::NoFocus) current = current->nextInFocusChain();
            QCOMPARE(current->objectName(), QString::fromLatin1(next));
        }
        UnloadForm3(form3);
    }

    void okSavesAllFourHidesTheDialogAndShowsTheMainWindow() {
        bpd::testing::TestServices fixture;
        QWidget mainWindow;
        mainWindow.show();
        QPointer<Form3> form3;
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        QVERIFY(form3 && form3->isVisible());
        QVERIFY(mainWindow.isHidden());

        box(form3, "Txt_Company")->setText(QStringLiteral("Pelgro Łódź"));
        box(form3, "Txt_ProjectName")->setText(QStringLiteral("Bridge 7"));
        box(form3, "Txt_Engineer")->setText(QStringLiteral("J. Novák"));
        box(form3, "Txt_Description")->setText(QString(1500, QLatin1Char('d')));
        QTest::mouseClick(form3->findChild<QPushButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);

        QVERIFY(form3);  // hidden, still loaded
        QVERIFY(form3->isHidden());
        QVERIFY(mainWindow.isVisible());
        QCOMPARE(stored(*fixture.store, kCompanyValue), QStringLiteral("Pelgro Łódź"));
        QCOMPARE(stored(*fixture.store, kProjectNameValue), QStringLiteral("Bridge 7"));
        QCOMPARE(stored(*fixture.store, kEngineerValue), QStringLiteral("J. Novák"));
        QCOMPARE(stored(*fixture.store, kDescriptionValue), QString(1500, QLatin1Char('d')));

        // Reopening after OK shows the boxes as left, without a re-read.
        store(*fixture.store, kCompanyValue, QStringLiteral("changed behind its back"));
        Form3* before = form3;
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        QCOMPARE(form3.data(), before);
        QCOMPARE(box(form3, "Txt_Company")->text(), QStringLiteral("Pelgro Łódź"));
        QVERIFY(mainWindow.isHidden());
        UnloadForm3(form3);
        QVERIFY(mainWindow.isVisible());
    }

    void okWithEmptyBoxesCreatesFourEmptyValues() {
        bpd::testing::TestServices fixture;
        QWidget mainWindow;
        QPointer<Form3> form3;
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        form3->Command1_Click();
        for (const QString& name :
             {kCompanyValue, kProjectNameValue, kEngineerValue, kDescriptionValue}) {
            QString value = QStringLiteral("unchanged");
            QVERIFY2(
                ReadRegistryValue(*fixture.store, HKEY_CURRENT_USER, kProjectDataKey, name, value),
                qPrintable(name));
            QCOMPARE(value, QString());
        }
        UnloadForm3(form3);
    }

    void theCloseBoxSavesNothingAndTheNextOpeningRereads() {
        bpd::testing::TestServices fixture;
        store(*fixture.store, kCompanyValue, QStringLiteral("Saved Co"));
        store(*fixture.store, kEngineerValue, QStringLiteral("Saved engineer"));
        QWidget mainWindow;
        mainWindow.show();
        QPointer<Form3> form3;
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        QCOMPARE(box(form3, "Txt_Company")->text(), QStringLiteral("Saved Co"));
        QCOMPARE(box(form3, "Txt_ProjectName")->text(), QString());
        box(form3, "Txt_Company")->setText(QStringLiteral("Unsaved edit"));

        QVERIFY(form3->close());
        QVERIFY(mainWindow.isVisible());
        QCOMPARE(stored(*fixture.store, kCompanyValue), QStringLiteral("Saved Co"));
        QCOMPARE(stored(*fixture.store, kProjectNameValue), QStringLiteral("<missing>"));

        // Reopened before the closed dialog is gone: a fresh one that reads the store.
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        QCOMPARE(box(form3, "Txt_Company")->text(), QStringLiteral("Saved Co"));
        UnloadForm3(form3);
        QTest::qWait(0);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // OK on a full or read-only disk: the user is told, and nothing typed is lost; the next
    // opening shows what the store still holds.
    void aSaveThatFailsKeepsTheDialogAndSaysSo_data() {
        QTest::addColumn<QString>("fault");
        QTest::newRow("full disk") << "full";
        QTest::newRow("read-only disk") << "read-only";
    }
    void aSaveThatFailsKeepsTheDialogAndSaysSo() {
        QFETCH(QString, fault);
        bpd::testing::TestServices fixture;
        bpd::testing::ScratchFilesystem disk(64);
        bpd::platform::IniRegistryStore onDisk(disk.path(), fixture.messages.get());
        for (const QString& name :
             {kCompanyValue, kProjectNameValue, kEngineerValue, kDescriptionValue})
            store(onDisk, name, QStringLiteral("Saved ") + name);
        const QString file = onDisk.fileFor(HKEY_CURRENT_USER);
        const QByteArray before = readAll(file);
        QWidget mainWindow;
        QPointer<Form3> form3;
        General_Click(&mainWindow, form3, onDisk, *fixture.messages);
        box(form3, "Txt_Company")->setText(QStringLiteral("Edited Co"));
        fault == u"full" ? disk.fill() : disk.makeReadOnly();

        form3->Command1_Click();
        disk.liftLimit();
        QVERIFY2(form3->isVisible(), qPrintable(disk.how()));
        QVERIFY(mainWindow.isHidden());
        QCOMPARE(box(form3, "Txt_Company")->text(), QStringLiteral("Edited Co"));
        QCOMPARE(box(form3, "Txt_Engineer")->text(), QStringLiteral("Saved Engineer"));
        QCOMPARE(fixture.messages->calls.size(), 1);
        const QString text = fixture.messages->calls.at(0).text;
        QVERIFY2(text.startsWith(QStringLiteral("The project data were not saved to\n") + file +
                                 u"\n("_qs),
                 qPrintable(text));
        QVERIFY(!text.endsWith(u"()"_qs));
        QCOMPARE(readAll(file), before);

        // Later reads, the reports' among them, still see the saved values.
        QCOMPARE(GetGenaralSettingsfromRegistry(onDisk, {}).sDescription,
                 QStringLiteral("Saved Description"));
        QVERIFY(form3->close());
        General_Click(&mainWindow, form3, onDisk, *fixture.messages);
        QCOMPARE(box(form3, "Txt_Company")->text(), QStringLiteral("Saved Company"));
        UnloadForm3(form3);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void theBoxesTakeTextsOfAnyLength_data() {
        QTest::addColumn<int>("length");
        QTest::newRow("QLineEdit's default limit") << 32767;
        QTest::newRow("one more") << 32768;
        QTest::newRow("100,000") << 100000;
    }
    void theBoxesTakeTextsOfAnyLength() {
        QFETCH(int, length);
        bpd::testing::TestServices fixture;
        QWidget mainWindow;
        QPointer<Form3> form3;
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        const QString text = QString(length - 1, QLatin1Char('x')) + u'!';
        for (const char* name :
             {"Txt_Company", "Txt_ProjectName", "Txt_Engineer", "Txt_Description"})
            box(form3, name)->setText(text);
        form3->Command1_Click();
        for (const QString& name :
             {kCompanyValue, kProjectNameValue, kEngineerValue, kDescriptionValue})
            QCOMPARE(stored(*fixture.store, name), text);
        QVERIFY(form3->close());
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        QCOMPARE(box(form3, "Txt_Description")->text(), text);
        UnloadForm3(form3);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void escapeActsAsTheCloseBox() {
        bpd::testing::TestServices fixture;
        QWidget mainWindow;
        QPointer<Form3> form3;
        General_Click(&mainWindow, form3, *fixture.store, *fixture.messages);
        QVERIFY(QTest::qWaitForWindowExposed(form3));
        QApplication::setActiveWindow(form3);
        box(form3, "Txt_Company")->setText(QStringLiteral("typed"));
        QTest::keyClick(form3, Qt::Key_Escape);
        QVERIFY(form3->isUnloaded());
        QVERIFY(mainWindow.isVisible());
        QCOMPARE(stored(*fixture.store, kCompanyValue), QStringLiteral("<missing>"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!form3);
    }
};

QTEST_MAIN(TestProjectDialog)
#include "tst_projectdialog.moc"
