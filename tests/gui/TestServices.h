#pragma once
// The one fixture of the widget tests: the services the program's classes take, with nothing
// real opened, started, printed or shown. The shell, the message boxes and the printer record
// what they were asked (fakes/); the settings store and the spreadsheet's reports folder are
// the program's own, in a temporary folder of this fixture (the store tells through the
// recording messages, the spreadsheet opens through the recording shell).

#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "DesktopServices.h"
#include "DesktopSpreadsheet.h"
#include "RegistryStore.h"
#include "fakes/FakeFileChooser.h"
#include "fakes/FakeMessages.h"
#include "fakes/FakePrinter.h"
#include "fakes/FakeShell.h"

namespace bpd::testing {

struct TestServices {
    QTemporaryDir dir;
    std::unique_ptr<FakeShell> shell = std::make_unique<FakeShell>();
    std::unique_ptr<FakeMessages> messages = std::make_unique<FakeMessages>();
    std::unique_ptr<FakePrinter> printer = std::make_unique<FakePrinter>();
    std::unique_ptr<platform::IniRegistryStore> store =
        std::make_unique<platform::IniRegistryStore>(path(QStringLiteral("config")),
                                                     messages.get());
    std::unique_ptr<platform::DesktopSpreadsheet> spreadsheet =
        std::make_unique<platform::DesktopSpreadsheet>(*shell, path(QStringLiteral("reports")));
    std::unique_ptr<FakeFileChooser> files = std::make_unique<FakeFileChooser>();

    platform::DesktopServices services() const {
        return {*messages, *shell, *store, *printer, *spreadsheet, *files};
    }
    QString path(const QString& name) const { return dir.filePath(name); }
};

}  // namespace bpd::testing
