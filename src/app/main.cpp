// Pelgro Bearing Pad Design: the desktop program.
//
// Installs the real stand-ins for the desktop's facilities and shows the start-up disclaimer;
// accepting it creates and shows the main window, which runs its load steps on first show.
// Declining ends the program before the main window exists.
//
// One probe helps measuring and reviewing without a person at the screen:
//   BPD_GRAB=<file.png>   saves a picture of the disclaimer once it is shown and ends
//   BPD_EXIT_WHEN_SHOWN=1 ends as soon as the disclaimer is shown and painted

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <clocale>
#include <memory>

#include "ClassicColours.h"
#include "ClassicFonts.h"
#include "FocusedButtonKeys.h"
#include "Form1.h"
#include "MessageService.h"
#include "PrinterService.h"
#include "RegistryStore.h"
#include "Services.h"
#include "WelcomeDlg.h"
#include "XdgDesktopShell.h"

namespace {

void installServices() {
    auto& services = bpd::platform::Services::instance();
    auto messages = std::make_shared<bpd::platform::DialogMessageService>();
    services.setMessages(messages);
    services.setShell(std::make_shared<bpd::platform::XdgDesktopShell>());
    // The store tells the user before it sets an unreadable file aside.
    services.setRegistry(std::make_shared<bpd::platform::IniRegistryStore>(QString(), messages));
    services.setPrinter(std::make_shared<bpd::platform::PrinterService>());
    // The spreadsheet stand-in belongs to the main window, from its load to its unload.
}

void installProbes(QWidget& firstWindow) {
    const QString grabPath = qEnvironmentVariable("BPD_GRAB");
    if (!grabPath.isEmpty()) {
        QTimer::singleShot(300, &firstWindow, [&firstWindow, grabPath] {
            firstWindow.grab().save(grabPath);
            QApplication::quit();
        });
    } else if (qEnvironmentVariableIsSet("BPD_EXIT_WHEN_SHOWN")) {
        QTimer::singleShot(0, &firstWindow, [&firstWindow] {
            firstWindow.repaint();  // painted, not only laid out
            QApplication::quit();
        });
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // QApplication took every locale category from the environment. C libraries format and
    // read numbers under LC_NUMERIC (the spreadsheet library writes "23,7109375" into its XML
    // under de_DE): keep it "C" for the whole process. The texts the user sees come from
    // QLocale, which reads the environment itself and keeps the user's separators.
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setApplicationName(QStringLiteral("Pelgro Bearing Pad Design"));
    QApplication::setOrganizationName(QStringLiteral("Pelgro"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(bpd::mainwindow::ClassicColours::palette());
    bpd::platform::ClassicFonts::installSubstitutes();
    QApplication::setFont(bpd::platform::ClassicFonts::msSansSerif());
    installServices();
    bpd::platform::FocusedButtonKeys::install();

    std::unique_ptr<bpd::mainwindow::Form1> form;
    {
        bpd::dialogs::WelcomeDlg welcome([&form] {
            form = std::make_unique<bpd::mainwindow::Form1>();
            form->show();
        });
        welcome.show();
        installProbes(welcome);
        const int status = QApplication::exec();
        form.reset();  // before the disclaimer, which the main window's unload hid
        bpd::platform::Services::instance().reset();
        return status;
    }
}
