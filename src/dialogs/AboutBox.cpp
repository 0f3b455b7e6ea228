#include "AboutBox.h"

#include "ClassicMetrics.h"
#include "Form4.h"

namespace bpd::dialogs {

AboutBox::AboutBox(SystemInformationLauncher launcher, platform::DesktopShell& shell,
                   platform::MessageService& messages)
    : launcher_(std::move(launcher)), shell_(shell), messages_(messages) {}

AboutBox::~AboutBox() {
    delete box_.data();
}

void AboutBox::show() {
    const bool created = box_.isNull();
    if (created) {
        box_ = new Form4(launcher_, shell_, messages_);
        box_->setAttribute(Qt::WA_DeleteOnClose);
        box_->setAttribute(Qt::WA_QuitOnClose, false);
    }
    box_->show();
    if (created) platform::centreOnScreen(box_);
    box_->raise();
    box_->activateWindow();
}

void AboutBox::unload() {
    if (box_) box_->close();
}

}  // namespace bpd::dialogs
