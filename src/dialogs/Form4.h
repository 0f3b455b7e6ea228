#pragma once
// The About box: the program's name and version, the owner and the developer with their
// logos and web links, the copyright notice, "OK" and "System Info".
// Opened through AboutBox, which keeps it to a single instance.

#include <QWidget>

#include "SystemInformationLauncher.h"

class QLabel;
class QPushButton;

namespace bpd::dialogs {

class WebLinkLabel;

class Form4 : public QWidget {
    Q_OBJECT
public:
    // The web links open through `shell`; a link that opens nothing is told through `messages`.
    Form4(SystemInformationLauncher launcher, platform::DesktopShell& shell,
          platform::MessageService& messages, QWidget* parent = nullptr);

    static QString ownerWebsite();
    static QString developerWebsite();
    static QString copyrightNotice();

    // The public routine of the box: starts the system information tool.
    void StartSysInfo();

private slots:
    void Command_Ok_Click();
    void Command_SysInfo_Click();
    void Label_PelgroWeb_Click();
    void Label_TolvaneWeb_Click();

private:
    void Form_Load();

    void openAddress(const QString& address);

    SystemInformationLauncher launcher_;
    platform::DesktopShell& shell_;
    platform::MessageService& messages_;
    WebLinkLabel* Label_PelgroWeb_ = nullptr;
    WebLinkLabel* Label_TolvaneWeb_ = nullptr;
    QPushButton* Command_Ok_ = nullptr;
};

}  // namespace bpd::dialogs
