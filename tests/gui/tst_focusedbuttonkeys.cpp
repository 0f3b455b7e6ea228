// Enter presses the focused command button in any window; nothing else takes the key.

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "FocusedButtonKeys.h"

class TestFocusedButtonKeys : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { bpd::platform::FocusedButtonKeys::install(); }

    void enterPressesTheFocusedButton_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("focusOnButton");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("clicks");
        QTest::newRow("Return on the button") << int(Qt::Key_Return) << 0 << true << true << 1;
        QTest::newRow("keypad Enter on the button")
            << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << true << true << 1;
        QTest::newRow("Ctrl+Return is not Enter")
            << int(Qt::Key_Return) << int(Qt::ControlModifier) << true << true << 0;
        QTest::newRow("Return in a text field") << int(Qt::Key_Return) << 0 << false << true << 0;
        QTest::newRow("disabled button") << int(Qt::Key_Return) << 0 << true << false << 0;
        QTest::newRow("a letter on the button") << int(Qt::Key_A) << 0 << true << true << 0;
    }
    void enterPressesTheFocusedButton() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, focusOnButton);
        QFETCH(bool, enabled);
        QFETCH(int, clicks);
        QWidget window;  // a plain window, not a dialog: Qt alone would do nothing here
        auto* layout = new QVBoxLayout(&window);
        auto* field = new QLineEdit(&window);
        auto* button = new QPushButton(QStringLiteral("OK"), &window);
        layout->addWidget(field);
        layout->addWidget(button);
        button->setEnabled(enabled);
        int clicked = 0;
        connect(button, &QPushButton::clicked, &window, [&clicked] { ++clicked; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget* target = focusOnButton ? static_cast<QWidget*>(button) : field;
        window.activateWindow();
        target->setFocus();
        QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(clicked, clicks);
    }
};

QTEST_MAIN(TestFocusedButtonKeys)
#include "tst_focusedbuttonkeys.moc"
