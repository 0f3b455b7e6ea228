#include "PackageExportCommand.h"

#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <climits>

#include "BackgroundJob.h"
#include "BearingInputs.h"
#include "CalculationDocument.h"
#include "DesktopShell.h"
#include "FileNameChooser.h"
#include "MessageService.h"
#include "NotOpenedNotice.h"
#include "UserFolders.h"

namespace bpd::schedule {

namespace {

QString fromEngine(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

PackageExportCommand::PackageExportCommand(QWidget* window, platform::DesktopShell& shell,
                                           platform::MessageService& messages,
                                           platform::FileNameChooser& files)
    : window_(window), shell_(shell), messages_(messages), files_(files) {}

QString PackageExportCommand::suggestedPath(const QString& projectName) {
    QString name = projectName.simplified();
    for (QChar& c : name)
        if (c == u'/' || c == u'\\' || c.category() == QChar::Other_Control) c = u'-';
    const QString file = name.isEmpty() ? QStringLiteral("Calculation Package.pdf")
                                        : name + QStringLiteral(" Calculation Package.pdf");
    return QDir(platform::UserFolders::documents()).filePath(file);
}

PackageExportCommand::Outcome PackageExportCommand::run(const designfile::DesignDocument& document,
                                                        const std::vector<int>& selected) {
    const int all = static_cast<int>(document.bearings.size());
    std::vector<int> rows;
    if (!selected.empty() && static_cast<int>(selected.size()) < all &&
        messages_.question(window_, platform::kMessageTitle,
                           QStringLiteral("Put only the %1 selected bearings in the calculation "
                                          "package?\n\nYes: the selected bearings.\nNo: all %2 "
                                          "bearings of the schedule.")
                               .arg(selected.size())
                               .arg(all))) {
        rows = selected;
        std::sort(rows.begin(), rows.end());
    } else {
        for (int row = 0; row < all; ++row) rows.push_back(row);
    }

    QList<calcsheet::PackageBearing> bearings;
    QStringList leftOut;
    for (const int row : rows) {
        const designfile::DesignBearing& b = document.bearings[static_cast<std::size_t>(row)];
        if (designfile::bearingProblem(document.units, b, static_cast<std::size_t>(row) + 1)) {
            leftOut << (b.mark ? fromEngine(*b.mark) : QStringLiteral("bearing %1").arg(row + 1));
            continue;
        }
        bearings.append(
            {BearingInputs{document.units, designfile::fieldValues(b), b.sliding,
                           designfile::thicknessPosition(document.units, b)},
             b.mark ? fromEngine(*b.mark) : QString(), fromEngine(b.location),
             static_cast<int>(std::min<long long>(designfile::quantityOf(b), INT_MAX))});
    }
    if (bearings.isEmpty()) {
        messages_.warning(window_, platform::kMessageTitle,
                          QStringLiteral("The calculation package needs a bearing that can be "
                                         "checked; correct the bearings first."));
        return Outcome::NothingToExport;
    }

    calcsheet::SheetHeading heading;
    heading.project.sCompany = fromEngine(document.project.company);
    heading.project.sProjectName = fromEngine(document.project.projectName);
    heading.project.sEngineer = fromEngine(document.project.engineer);
    heading.project.sDescription = fromEngine(document.project.description);
    heading.version = QStringLiteral(BPD_VERSION);
    heading.made = QDateTime::currentDateTime();

    const QString path = files_.saveFileName(
        window_, QStringLiteral("Save the calculation package"),
        suggestedPath(heading.project.sProjectName), QStringLiteral("PDF files (*.pdf)"));
    if (path.isEmpty()) return Outcome::Cancelled;

    QString error;
    bool written = false;
    const QLocale locale;
    BackgroundJob job(
        window_,
        QStringLiteral("Making the calculation package of %1 bearings...").arg(bearings.size()));
    job.run(calcsheet::CalculationDocument::packageSteps(bearings.size()),
            [&](BackgroundJob::Control& control) {
                calcsheet::CalculationDocument::Progress progress;
                progress.advanced = [&control](int done, int) { control.setDone(done); };
                progress.cancelled = [&control] { return control.cancelled(); };
                written = calcsheet::CalculationDocument::writePackage(path, bearings, heading,
                                                                       locale, &error, progress);
                return written;
            });
    if (!written) {
        if (error.isEmpty()) return Outcome::Cancelled;
        messages_.warning(window_, platform::kMessageTitle,
                          QStringLiteral("The calculation package could not be written to\n%1\n"
                                         "(%2)\nA file of that name was left as it was.")
                              .arg(QDir::toNativeSeparators(path), error));
        return Outcome::NotWritten;
    }
    if (!leftOut.isEmpty())
        messages_.information(window_, platform::kMessageTitle,
                              QStringLiteral("%1 bearings that cannot be checked were left out "
                                             "of the package: %2.")
                                  .arg(leftOut.size())
                                  .arg(leftOut.join(QStringLiteral(", "))));
    platform::NotOpenedNotice::openWritten(
        shell_, messages_, window_, path,
        {QStringLiteral("No program to open PDF files is set up on this desktop."),
         QStringLiteral("The calculation package could not be opened."),
         QStringLiteral("The calculation package was written to")});
    return Outcome::Written;
}

}  // namespace bpd::schedule
