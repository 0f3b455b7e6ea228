#include "PdfSheetService.h"

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QLocale>
#include <algorithm>
#include <climits>
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

void PdfSheetService::start() {
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
}

calcsheet::SheetHeading PdfSheetService::heading(const reports::ProjectData& project) const {
    calcsheet::SheetHeading heading;
    heading.project = project;
    heading.version = QString::fromStdString(version_);
    heading.made = QDateTime::currentDateTimeUtc();
    return heading;
}

std::string PdfSheetService::write(const SheetRequest& request) {
    start();
    reports::ProjectData stored;
    if (!request.company || !request.projectName || !request.engineer || !request.description) {
        platform::IniRegistryStore store;
        stored = reports::GetGenaralSettingsfromRegistry(store, stored);
    }
    const reports::ProjectData project{
        text(request.company, stored.sCompany), text(request.projectName, stored.sProjectName),
        text(request.engineer, stored.sEngineer), text(request.description, stored.sDescription)};

    QString error;
    if (calcsheet::CalculationDocument::writeBearingSheet(QFile::decodeName(request.path.c_str()),
                                                          request.bearing, heading(project),
                                                          QLocale::system(), &error))
        return {};
    return error.toStdString();
}

std::string PdfSheetService::writePackage(const PackageRequest& request) {
    start();
    const reports::ProjectData project{
        QString::fromStdString(request.company), QString::fromStdString(request.projectName),
        QString::fromStdString(request.engineer), QString::fromStdString(request.description)};
    QList<calcsheet::PackageBearing> bearings;
    for (const PackageEntry& entry : request.bearings)
        bearings.append({entry.bearing, QString::fromStdString(entry.mark),
                         QString::fromStdString(entry.location),
                         static_cast<int>(std::min<long long>(entry.quantity, INT_MAX))});
    QString error;
    if (calcsheet::CalculationDocument::writePackage(QFile::decodeName(request.path.c_str()),
                                                     bearings, heading(project), QLocale::system(),
                                                     &error))
        return {};
    return error.toStdString();
}

}  // namespace bpd::cli
