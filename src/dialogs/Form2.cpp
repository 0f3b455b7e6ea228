#include "Form2.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>

#include "ClassicMetrics.h"
#include "ImageList.h"

namespace bpd::dialogs {

Form2::Form2(QWidget* mainWindow) : QWidget(nullptr), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Conditions"));
    setWindowIcon(platform::blankWindowIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    // While it is open the main window is hidden: closing the viewer must not end the program.
    setAttribute(Qt::WA_QuitOnClose, false);
    fixWindowSize(this, 6975, 10545);

    Picture1_ = new QLabel(this);
    Picture1_->setObjectName(QStringLiteral("Picture1"));
    Picture1_->setGeometry(platform::twipsRect(120, 120, 6735, 9735));
    Picture1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);  // the sheet's foot is cut off

    Cmd_OK_ = new QPushButton(QStringLiteral("OK"), this);
    Cmd_OK_->setObjectName(QStringLiteral("Cmd_OK"));
    Cmd_OK_->setGeometry(platform::twipsRect(2760, 9960, 1215, 495));
    Cmd_OK_->setFont(platform::ClassicFonts::msSansSerif());
    Cmd_OK_->setAutoDefault(false);
    connect(Cmd_OK_, &QPushButton::clicked, this, &Form2::Cmd_OK_Click);
}

void Form2::showSheet(int index) {
    Picture1_->setPixmap(platform::ImageList::conditionSheets().picture(index));
    Picture1_->setAccessibleName(windowTitle());  // a reader hears which sheet it is
    sheetIndex_ = index;
}

void Form2::Cmd_OK_Click() {
    hide();  // stays loaded with its caption and sheet
    if (mainWindow_) mainWindow_->show();
}

void Form2::closeEvent(QCloseEvent* event) {
    if (mainWindow_) mainWindow_->show();
    event->accept();  // the viewer then unloads (ConditionsViewer deletes it)
}

}  // namespace bpd::dialogs
