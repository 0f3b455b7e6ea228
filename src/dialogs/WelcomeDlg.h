#pragma once
// The start-up disclaimer, the program's first window.
//
// Usage (main()):
//     bpd::dialogs::WelcomeDlg welcome([&] { form1->show(); });   // OK: shows the main window
//     welcome.show();                                               // centred, no taskbar button
//     return app.exec();
// It shows as the active window, with the keyboard, so Enter accepts at once.
// OK hides the dialog (it stays alive, hidden, until the program ends) and calls onAccepted.
// Cancel or the close box hides it and calls onDeclined, which by default ends the event loop
// (QCoreApplication::quit); the main window is never shown. Esc does nothing; Space, and
// Enter through the program's FocusedButtonKeys, press the focused button, which is OK after
// every activation.

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace bpd::dialogs {

class WelcomeDlg : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeDlg(std::function<void()> onAccepted, std::function<void()> onDeclined = {},
                        QWidget* parent = nullptr);

    // The caption and the disclaimer paragraph, exactly as the dialog shows them.
    static QString caption();
    static QString disclaimerText();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    void OKButton_Click();
    void CancelButton_Click();

private:
    void Form_Activate();
    void decline();

    std::function<void()> onAccepted_;
    std::function<void()> onDeclined_;
    QLabel* PictureWelCome_ = nullptr;
    QLabel* Label_Discalimer_ = nullptr;
    QPushButton* OKButton_ = nullptr;
    QPushButton* CancelButton_ = nullptr;
    bool answered_ = false;
    bool centred_ = false;
};

}  // namespace bpd::dialogs
