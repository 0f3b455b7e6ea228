#include "WelcomeDlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "ClassicColours.h"
#include "ClassicMetrics.h"
#include "ImageList.h"
#include "TaskbarHint.h"

namespace bpd::dialogs {

using platform::ClassicColours;

QString WelcomeDlg::caption() {
    return QStringLiteral("Pelgro Bearing Pad Design- Disclaimer");
}

QString WelcomeDlg::disclaimerText() {
    return QStringLiteral(
        "The information in this software has been prepared in accordance with recognized "
        "engineering principles. It must not be used for any specific application without "
        "competent, professional examination and verification of its suitability and "
        "applicability by a licensed professional engineer, designer or architect. Pelgro, for "
        "itself and for its agents and employees, disclaims all implied warranties, in "
        "particular any warranty of fitness for a general or a particular purpose and any "
        "warranty of freedom from infringement of any patent, trademark or copyright. Nothing "
        "in this software grants a licence under any patent or copyright.");
}

WelcomeDlg::WelcomeDlg(std::function<void()> onAccepted, std::function<void()> onDeclined,
                       QWidget* parent)
    : QDialog(parent),
      onAccepted_(std::move(onAccepted)),
      onDeclined_(onDeclined ? std::move(onDeclined) : [] { QCoreApplication::quit(); }) {
    setObjectName(QStringLiteral("WelcomeDlg"));
    setWindowTitle(caption());
    setWindowIcon(platform::blankWindowIcon());
    // A dialog with a title bar and a close box and no taskbar button (keepOffTaskbar, on every
    // showing). Not a tool window: window managers do not give a utility window the keyboard,
    // and the disclaimer must have it as it shows.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(false);
    setFont(platform::ClassicFonts::msSansSerif());
    fixWindowSize(this, 8325, 7020);

    PictureWelCome_ = new QLabel(this);
    PictureWelCome_->setObjectName(QStringLiteral("PictureWelCome"));
    PictureWelCome_->setGeometry(platform::twipsRect(240, 120, 7815, 4215));
    PictureWelCome_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PictureWelCome_->setAutoFillBackground(true);
    QPalette black = PictureWelCome_->palette();
    black.setColor(QPalette::Window, Qt::black);
    PictureWelCome_->setPalette(black);

    Label_Discalimer_ = new QLabel(disclaimerText(), this);
    Label_Discalimer_->setObjectName(QStringLiteral("Label_Discalimer"));
    Label_Discalimer_->setGeometry(platform::twipsRect(240, 4440, 7815, 1935));
    Label_Discalimer_->setFont(platform::ClassicFonts::msSansSerif(true));
    Label_Discalimer_->setWordWrap(true);
    Label_Discalimer_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label_Discalimer_->setAutoFillBackground(true);
    QPalette grey = Label_Discalimer_->palette();
    // The main window's background.
    grey.setColor(QPalette::Window,
                  ClassicColours::fromWindowsValue(ClassicColours::kWindowBackground));
    grey.setColor(QPalette::WindowText,
                  ClassicColours::fromWindowsValue(ClassicColours::kWindowText));
    Label_Discalimer_->setPalette(grey);

    OKButton_ = new QPushButton(QStringLiteral("OK"), this);
    OKButton_->setObjectName(QStringLiteral("OKButton"));
    OKButton_->setGeometry(platform::twipsRect(2760, 6480, 1215, 375));
    CancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton_->setObjectName(QStringLiteral("CancelButton"));
    CancelButton_->setGeometry(platform::twipsRect(4320, 6480, 1215, 375));
    // Neither is the default button: Enter presses whichever has the focus (FocusedButtonKeys).
    for (QPushButton* button : {OKButton_, CancelButton_}) {
        button->setDefault(false);
        button->setAutoDefault(false);
    }
    setTabOrder(OKButton_, CancelButton_);

    connect(OKButton_, &QPushButton::clicked, this, &WelcomeDlg::OKButton_Click);
    connect(CancelButton_, &QPushButton::clicked, this, &WelcomeDlg::CancelButton_Click);
}

bool WelcomeDlg::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(event);
}

void WelcomeDlg::showEvent(QShowEvent* event) {
    platform::keepOffTaskbar(this);  // before the window is mapped
    QDialog::showEvent(event);
    if (!centred_) {
        platform::centreOnScreen(this);
        centred_ = true;
    }
    // The first window of the program: ask for the keyboard too, for a window manager that
    // does not focus new windows by itself (Qt asks once the window is mapped).
    activateWindow();
    Form_Activate();
}

void WelcomeDlg::Form_Activate() {
    Label_Discalimer_->repaint();
    OKButton_->setEnabled(false);
    PictureWelCome_->setPixmap(platform::ImageList::banner().picture(1));
    OKButton_->setEnabled(true);
    OKButton_->setFocus(Qt::ActiveWindowFocusReason);
}

void WelcomeDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();  // the dialog has no cancel button: Esc does nothing
        return;
    }
    QDialog::keyPressEvent(event);
}

void WelcomeDlg::OKButton_Click() {
    answered_ = true;
    hide();
    if (onAccepted_) onAccepted_();
}

void WelcomeDlg::CancelButton_Click() {
    decline();
}

void WelcomeDlg::closeEvent(QCloseEvent* event) {
    event->accept();
    // Once accepted, closing only unloads the hidden dialog (the main window's unload steps).
    if (!answered_) decline();
}

void WelcomeDlg::decline() {
    answered_ = true;
    hide();
    if (onDeclined_) onDeclined_();
}

}  // namespace bpd::dialogs
