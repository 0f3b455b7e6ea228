#include "CalculationSheetCommand.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>

#include "CalculationDocument.h"
#include "DesktopShell.h"
#include "FileNameChooser.h"
#include "InputRules.h"
#include "MessageService.h"
#include "NotOpenedNotice.h"
#include "UserFolders.h"

namespace bpd::mainwindow {

CalculationSheetCommand::CalculationSheetCommand(QWidget* mainWindow, platform::DesktopShell& shell,
                                                 platform::RegistryStore& settings,
                                                 platform::MessageService& messages,
                                                 platform::FileNameChooser& files)
    : mainWindow_(mainWindow),
      shell_(shell),
      settings_(settings),
      messages_(messages),
      files_(files) {}

QString CalculationSheetCommand::suggestedPath(const QString& projectName) {
    QString name = projectName.simplified();
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) c = u'-';
    const QString file = name.isEmpty() ? QStringLiteral("Calculation Sheet.pdf")
                                        : name + QStringLiteral(" Calculation Sheet.pdf");
    return QDir(platform::UserFolders::documents()).filePath(file);
}

CalculationSheetCommand::Outcome CalculationSheetCommand::Calculation_Sheet_Click(
    const Bearing& bearing, reports::ProjectData& projectData) {
    BearingInputs inputs{bearing.units, {}, bearing.sliding, bearing.selection};
    const FiveInputs<QString> texts{bearing.w1, bearing.b1, bearing.A, bearing.dh, bearing.Vap};
    for (const InputRule& input : kInputs) {
        const std::optional<double> value =
            parseNumber(input.of(texts).toStdString(), bearing.locale);
        if (inputProblem(value, input.zeroAllowed) != InputProblem::None) {
            // Reached only while a field holds a text it refused.
            messages_.warning(
                mainWindow_, platform::kMessageTitle,
                QStringLiteral("The calculation sheet needs the inputs the grid "
                               "was computed from: correct %1 first.")
                    .arg(QString::fromUtf8(input.name.data(), qsizetype(input.name.size()))));
            return Outcome::NotWritten;
        }
        input.of(inputs.values) = *value;
    }

    projectData = reports::GetGenaralSettingsfromRegistry(settings_, projectData);
    const QString path = files_.saveFileName(
        mainWindow_, QStringLiteral("Save the calculation sheet"),
        suggestedPath(projectData.sProjectName), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty()) return Outcome::Cancelled;

    calcsheet::SheetHeading heading;
    heading.project = projectData;
    heading.version = QStringLiteral(BPD_VERSION);
    heading.made = QDateTime::currentDateTime();
    QString error;
    if (!calcsheet::CalculationDocument::writeBearingSheet(path, inputs, heading, QLocale(),
                                                           &error)) {
        messages_.warning(mainWindow_, platform::kMessageTitle,
                          QStringLiteral("The calculation sheet could not be written to\n%1\n(%2)\n"
                                         "A file of that name was left as it was.")
                              .arg(QDir::toNativeSeparators(path), error));
        return Outcome::NotWritten;
    }
    platform::NotOpenedNotice::openWritten(
        shell_, messages_, mainWindow_, path,
        {QStringLiteral("No program to open PDF files is set up on this desktop."),
         QStringLiteral("The calculation sheet could not be opened."),
         QStringLiteral("The calculation sheet was written to")});
    return Outcome::Written;
}

}  // namespace bpd::mainwindow
