// Pelgro Bearing Pad Design: the desktop program.
//
// Owns the real stand-ins for the desktop's facilities for the whole run and shows the start-up
// disclaimer; accepting it creates the main window with those services and shows it, which
// runs its load steps on first show. Declining ends the program before the main window exists.
// Once the main window shows, the schedule's unsaved edits that a previous run left are
// offered, and a design file named on the command line (pelgro-bpd [FILE]) opens in the
// schedule.
//
// One probe helps measuring and reviewing without a person at the screen:
//   BPD_GRAB=<file.png>   saves a picture of the disclaimer once it is shown and ends
//   BPD_EXIT_WHEN_SHOWN=1 ends as soon as the disclaimer is shown and painted

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <clocale>
#include <memory>

#include "AccessibleSelector.h"
#include "ClassicColours.h"
#include "ClassicFonts.h"
#include "DesktopServices.h"
#include "DesktopSpreadsheet.h"
#include "DialogFileNameChooser.h"
#include "FocusedButtonKeys.h"
#include "Form1.h"
#include "Form1Commands.h"
#include "MessageService.h"
#include "RegistryStore.h"
#include "SystemPrinter.h"
#include "WelcomeDlg.h"
#include "XdgDesktopShell.h"

namespace {

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
    QApplication::setPalette(bpd::platform::ClassicColours::palette());
    bpd::platform::ClassicFonts::installSubstitutes();
    QApplication::setFont(bpd::platform::ClassicFonts::msSansSerif());
    bpd::platform::FocusedButtonKeys::install();
    bpd::platform::AccessibleSelector::install();  // before any window hands out interfaces

    // The desktop's facilities, for the whole run. The store tells the user before it sets an
    // unreadable file aside; the spreadsheet application runs from the main window's load to
    // its unload.
    bpd::platform::DialogMessageService messages;
    bpd::platform::XdgDesktopShell shell;
    bpd::platform::IniRegistryStore settings(QString(), &messages);
    bpd::platform::SystemPrinter printer;
    bpd::platform::DesktopSpreadsheet spreadsheet(shell);
    bpd::platform::DialogFileNameChooser files;
    const bpd::platform::DesktopServices services{messages, shell,       settings,
                                                  printer,  spreadsheet, files};

    // Qt's own options (-platform, -style ...) are gone from arguments() already.
    const QStringList arguments = QApplication::arguments();
    const QString designFile = arguments.size() > 1 ? arguments.at(1) : QString();

    std::unique_ptr<bpd::mainwindow::Form1> form;
    bpd::dialogs::WelcomeDlg welcome([&form, &services, designFile] {
        form = std::make_unique<bpd::mainwindow::Form1>(services);
        form->show();
        // After the window's first paint, so that the questions come over it.
        QTimer::singleShot(0, form.get(),
                           [&form, designFile] { form->commands().startWith(designFile); });
    });
    welcome.show();
    installProbes(welcome);
    const int status = QApplication::exec();
    form.reset();  // before the disclaimer, which the main window's unload hid
    return status;
}
