// Pelgro Bearing Pad Design: the desktop program.
//
// Installs the real stand-ins for the desktop's facilities and shows the main window.
// Two probes help measuring and reviewing the window without a person at the screen:
//   BPD_GRAB=<file.png>   saves a picture of the main window once it is shown and ends
//   BPD_EXIT_WHEN_SHOWN=1 ends as soon as the main window is shown with its results

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <memory>

#include "ClassicColours.h"
#include "ClassicFonts.h"
#include "Form1.h"
#include "MessageService.h"
#include "Services.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Pelgro Bearing Pad Design"));
    QApplication::setOrganizationName(QStringLiteral("Pelgro"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(bpd::mainwindow::ClassicColours::palette());
    bpd::mainwindow::ClassicFonts::installSubstitutes();
    QApplication::setFont(bpd::mainwindow::ClassicFonts::msSansSerif());

    auto& services = bpd::platform::Services::instance();
    services.setMessages(std::make_shared<bpd::platform::DialogMessageService>());

    bpd::mainwindow::Form1 form;
    form.show();

    const QString grabPath = qEnvironmentVariable("BPD_GRAB");
    if (!grabPath.isEmpty()) {
        QTimer::singleShot(300, &form, [&form, grabPath] {
            form.grab().save(grabPath);
            QApplication::quit();
        });
    } else if (qEnvironmentVariableIsSet("BPD_EXIT_WHEN_SHOWN")) {
        QTimer::singleShot(0, &form, [&form] {
            form.repaint();  // painted, not only laid out
            QApplication::quit();
        });
    }
    return QApplication::exec();
}
