#pragma once
// The Help > "About Pelgro-BPD" command and the lifecycle of the About box (Form4).
//
// Usage (main window): a member `AboutBox about{launcher, shell, messages};` where launcher is a
// SystemInformationLauncher over the local-machine reader, then
//     About_Pelgro_BPD_Click: about.show();
//     Form_Unload:            about.unload();
// show() loads the box when it is not loaded (its load steps run once per load), shows it
// centred and not modal, and raises the same box while it is open: never a second one.
// OK and the close box unload it (deleted); the next show() loads it anew.

#include <QPointer>

#include "SystemInformationLauncher.h"

namespace bpd::dialogs {

class Form4;

class AboutBox {
public:
    // The box's web links open through `shell`, and failures are told through `messages`.
    AboutBox(SystemInformationLauncher launcher, platform::DesktopShell& shell,
             platform::MessageService& messages);
    ~AboutBox();
    AboutBox(const AboutBox&) = delete;
    AboutBox& operator=(const AboutBox&) = delete;

    void show();
    void unload();
    Form4* box() const { return box_.data(); }  // nullptr when not loaded

private:
    SystemInformationLauncher launcher_;
    platform::DesktopShell& shell_;
    platform::MessageService& messages_;
    QPointer<Form4> box_;
};

}  // namespace bpd::dialogs
