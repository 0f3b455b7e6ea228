#include "PdfSheetService.h"

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <clocale>

#include "CalculationDocument.h"
#include "ProjectData.h"
#include "RegistryStore.h"

namespace bpd::cli {

namespace {

// Qt's own notices (a missing runtime folder on the offscreen platform, ...) are no business
// of a script: the sheet's outcome is reported by bpd-check itself.
void quietly(QtMsgType, const QMessageLogContext&, const QString&) {}

QString text(const std::optional<std::string>& option, const QString& stored) {
    return option ? QString::fromStdString(*option) : stored;
}

}  // namespace

PdfSheetService::PdfSheetService(std::string version) : version_(std::move(version)) {}

PdfSheetService::~PdfSheetService() = default;

std::string PdfSheetService::write(const SheetRequest& request) {
    if (!application_) {
        // Fonts need a GUI application; the offscreen platform needs no display.
        static int argc = 3;
        static char name[] = "bpd-check", option[] = "-platform", platform[] = "offscreen";
        static char* argv[] = {name, option, platform, nullptr};
        qInstallMessageHandler(quietly);
        application_ = std::make_unique<QGuiApplication>(argc, argv);
        // Qt set the C library's locale from the environment; the checker's texts keep "C".
        std::setlocale(LC_ALL, "C");
    }
    reports::ProjectData stored;
    if (!request.company || !request.projectName || !request.engineer || !request.description) {
        platform::IniRegistryStore store;
        stored = reports::GetGenaralSettingsfromRegistry(store, stored);
    }
    calcsheet::SheetHeading heading;
    heading.project.sCompany = text(request.company, stored.sCompany);
    heading.project.sProjectName = text(request.projectName, stored.sProjectName);
    heading.project.sEngineer = text(request.engineer, stored.sEngineer);
    heading.project.sDescription = text(request.description, stored.sDescription);
    heading.version = QString::fromStdString(version_);
    heading.made = QDateTime::currentDateTimeUtc();

    QString error;
    if (calcsheet::CalculationDocument::writeBearingSheet(QFile::decodeName(request.path.c_str()),
                                                          request.bearing, heading,
                                                          QLocale::system(), &error))
        return {};
    return error.toStdString();
}

}  // namespace bpd::cli
