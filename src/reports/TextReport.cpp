#include "TextReport.h"

#include <QCoreApplication>
#include <QDir>
#include <QVariant>

#include "AtomicFile.h"
#include "MessageService.h"
#include "NotOpenedNotice.h"
#include "RegistryRoutines.h"
#include "UserFolders.h"

namespace bpd::reports {

namespace {

const QString kCrLf = QStringLiteral("\r\n");
using platform::kMessageTitle;

QString fitted(const QString& text, int width) {
    return text.size() >= width ? text.left(width) : text.leftJustified(width, QLatin1Char(' '));
}

}  // namespace

TextReport::TextReport(QWidget* mainWindow, platform::DesktopShell& shell,
                       platform::RegistryStore& settings, platform::MessageService& messages,
                       QString programFolder, QString fallbackFolder)
    : mainWindow_(mainWindow),
      shell_(shell),
      settings_(settings),
      messages_(messages),
      programFolder_(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                             : std::move(programFolder)),
      fallbackFolder_(fallbackFolder.isEmpty() ? platform::UserFolders::programData()
                                               : std::move(fallbackFolder)) {}

int TextReport::columnWidth(int column) {
    switch (column) {
        case 0:
        case 1:
        case 2:
        case 5:
        case 7:
        case 8:
            return 10;
        default:
            return 15;
    }
}

QString TextReport::rowLine(const ReportInputs& inputs, int row) {
    const int columns = inputs.gridColumns();
    QString line;
    line.reserve(columns * 15);
    for (int c = 0; c < columns; ++c) line += fitted(inputs.cell(row, c), columnWidth(c));
    return line;
}

QString TextReport::reportPath(const QString& folder) {
    if (folder.endsWith(QLatin1Char('/')) || folder.endsWith(QLatin1Char('\\')))
        return folder + kFileName;
    return folder + QLatin1Char('/') + kFileName;
}

QString TextReport::buildText(const ReportInputs& inputs, const ProjectData& projectData,
                              const QString& sContactText) {
    const QString slide = inputs.sliding ? QStringLiteral("Yes") : QStringLiteral("No");
    const QString separator(kSeparatorLength, QLatin1Char('-'));
    QString text;
    text.reserve(4096);
    auto line = [&text](const QString& content) { text += content + kCrLf; };

    line(QStringLiteral("PROJECT DATA:"));
    line(QStringLiteral("Company Name: ") + projectData.sCompany);
    line(QStringLiteral("Project Name: ") + projectData.sProjectName);
    line(QStringLiteral("Engineer: ") + projectData.sEngineer);
    line(QStringLiteral("Description: ") + projectData.sDescription);
    line(QString());
    line(QStringLiteral("INPUT DATA:"));
    line(QStringLiteral("Slide Bearing: ") + slide);
    line(QStringLiteral("Bearing Length: ") + inputs.w1Text + QLatin1Char(' ') +
         inputs.unitLengthItem(1));
    // The width line joins value and unit without a blank, as the report always has.
    line(QStringLiteral("Bearing Width: ") + inputs.b1Text + inputs.unitLengthItem(2));
    line(QStringLiteral("Angle of Rotation: ") + inputs.AText + QLatin1Char(' ') +
         inputs.unitAngle);
    line(QStringLiteral("Horizontal Deformation: ") + inputs.dhText + QLatin1Char(' ') +
         inputs.unitLengthItem(0));
    line(QStringLiteral("Applied Load: ") + inputs.VapText + QLatin1Char(' ') + inputs.unitsForce);
    line(QString());
    line(QStringLiteral("OUTPUT DATA:"));

    text += separator + kCrLf;
    const int rows = inputs.gridRows();
    for (int r = 0; r < rows; ++r) {
        text += rowLine(inputs, r);
        if (r == 0)
            text += kCrLf + separator + kCrLf;
        else
            text += kCrLf + kCrLf;
    }
    for (int i = 0; i < 5; ++i) text += kCrLf;
    text += sContactText;
    return text;
}

TextReport::Outcome TextReport::NotePad_Click(const ReportInputs& inputs, ProjectData& projectData,
                                              const QString& sContactText) {
    projectData = GetGenaralSettingsfromRegistry(settings_, projectData);
    const QByteArray bytes = buildText(inputs, projectData, sContactText).toUtf8();

    Outcome outcome;
    QString folder = programFolder_;
    outcome.path = reportPath(folder);
    QString programError;
    outcome.written = platform::AtomicFile::writeFile(outcome.path, bytes, &programError);
    if (!outcome.written) {
        // An installed program's folder is read-only, or its disk full: keep the report with
        // the user's data.
        folder = fallbackFolder_;
        QDir().mkpath(folder);
        outcome.path = reportPath(folder);
        QString userError;
        outcome.written = platform::AtomicFile::writeFile(outcome.path, bytes, &userError);
        if (!outcome.written) {
            messages_.warning(
                mainWindow_, kMessageTitle,
                QStringLiteral("The report could not be written to\n%1\n(%2)\nnor to\n%3\n(%4).")
                    .arg(QDir::toNativeSeparators(reportPath(programFolder_)), programError,
                         QDir::toNativeSeparators(outcome.path), userError));
            return outcome;
        }
    }

    // The text viewer's settings: Arial, 8 pt, no word wrap.
    QVariant face = QStringLiteral("Arial");
    QVariant pointSize = QStringLiteral("80");
    QVariant wrap = QStringLiteral("0");
    const bool viewerSet = WriteRegistryValue(settings_, HKEY_CURRENT_USER, kViewerKey, REG_SZ,
                                              QStringLiteral("lfFaceName"), face) &&
                           WriteRegistryValue(settings_, HKEY_CURRENT_USER, kViewerKey, REG_DWORD,
                                              QStringLiteral("iPointSize"), pointSize) &&
                           WriteRegistryValue(settings_, HKEY_CURRENT_USER, kViewerKey, REG_DWORD,
                                              QStringLiteral("fWrap"), wrap);
    if (!viewerSet) {
        // The report itself is sound: say so, and open it all the same.
        const platform::RegistryStore::Failure failure = settings_.lastFailure();
        messages_.warning(
            mainWindow_, kMessageTitle,
            QStringLiteral("The text viewer's settings were not saved to\n%1\n(%2)\n"
                           "The report was written to\n%3")
                .arg(failure.file, failure.reason, QDir::toNativeSeparators(outcome.path)));
    }

    outcome.opened = shell_.open(outcome.path, folder, platform::ShowMode::Maximized);
    if (outcome.opened != platform::ShellResult::Opened)
        platform::NotOpenedNotice::tell(
            messages_, mainWindow_, outcome.opened,
            {QStringLiteral("No program to open text files is set up on this desktop."),
             QStringLiteral("The report could not be opened."),
             QStringLiteral("The report was written to")},
            QDir::toNativeSeparators(outcome.path));
    return outcome;
}

}  // namespace bpd::reports
