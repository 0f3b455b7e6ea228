#include "Form1Commands.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "CalculationSheetCommand.h"
#include "EngineText.h"
#include "FileDrop.h"
#include "Form3.h"
#include "MessageService.h"
#include "PictureBox.h"
#include "RegistryRoutines.h"
#include "ResultsGrid.h"
#include "SpreadsheetReport.h"
#include "SpreadsheetService.h"
#include "SystemInformationLauncher.h"
#include "TextReport.h"
#include "WindowPrint.h"

namespace bpd::mainwindow {

namespace {
// The system information tool is looked up in the local-machine root of the settings store.
dialogs::LocalMachineReader localMachineOf(platform::RegistryStore& settings) {
    return [&settings](const QString& subKey, const QString& valueName, QString& value) {
        return reports::ReadRegistryValue(settings, reports::HKEY_LOCAL_MACHINE, subKey, valueName,
                                          value);
    };
}
}  // namespace

Form1Commands::Form1Commands(Reads window, const platform::DesktopServices& services)
    : window_(std::move(window)),
      services_(services),
      conditions_(window_.window),
      about_(dialogs::SystemInformationLauncher(localMachineOf(services.settings), services.shell,
                                                services.messages),
             services.shell, services.messages),
      help_(window_.window, services.shell, services.messages) {
    new platform::FileDrop(window_.window, QStringLiteral("bpd"),
                           [this](const QString& path) { openDesignFile(path); });
}

Form1Commands::~Form1Commands() {
    if (schedule_) schedule_->setMainWindowLink(nullptr);
}

reports::ReportInputs Form1Commands::reportInputs() const {
    const Form1Controls& ui = window_.controls;
    reports::ReportInputs in;
    in.sliding = ui.CheckSliding->isChecked();
    in.w1Text = ui.w1Text->text();
    in.b1Text = ui.b1Text->text();
    in.AText = ui.AText->text();
    in.dhText = ui.dhText->text();
    in.VapText = ui.VapText->text();
    in.unitLength.clear();
    for (const QLabel* label : ui.UnitLength) in.unitLength.append(label->text());
    in.unitAngle = ui.UnitAngle->text();
    in.unitsForce = ui.UnitsForce->text();
    in.results = window_.results();
    in.numberLocale = numberLocale();
    return in;
}

sizing::SizingInputs Form1Commands::sizingInputs() const {
    const Form1Controls& ui = window_.controls;
    sizing::SizingInputs in;
    in.units = ui.Imperial->isChecked() ? UnitSystem::Imperial : UnitSystem::SI;
    in.w1 = ui.w1Text->text();
    in.b1 = ui.b1Text->text();
    in.A = ui.AText->text();
    in.dh = ui.dhText->text();
    in.Vap = ui.VapText->text();
    in.sliding = ui.CheckSliding->isChecked();
    in.selection =
        std::max(0, (in.units == UnitSystem::Imperial ? ui.tCombo : ui.tCombo_SI)->currentIndex());
    in.locale = numberLocale();
    return in;
}

void Form1Commands::General_Click() {
    reports::General_Click(window_.window, form3_, services_.settings, services_.messages);
}

void Form1Commands::NotePad_Click() {
    reports::TextReport report(window_.window, services_.shell, services_.settings,
                               services_.messages);
    report.NotePad_Click(reportInputs(), projectData_, window_.sContactText);
}

void Form1Commands::Excel_Click() {
    reports::SpreadsheetReport report(window_.window, services_.spreadsheet, services_.settings,
                                      services_.messages);
    report.Excel_Click(reportInputs(), projectData_, window_.colContactLines);
}

void Form1Commands::PrintBtn_Click() {
    const Form1Controls& ui = window_.controls;
    reports::WindowPrint print({window_.window, ui.MSFlexGrid1, ui.Picture2, ui.AnalyzeBtn,
                                ui.PrintBtn, ui.Label7, ui.HiddenPict},
                               services_.printer, services_.messages);
    print.PrintBtn_Click();
}

void Form1Commands::Loading_Click() {
    conditions_.open(dialogs::ConditionsViewer::Sheet::Loading);
}

void Form1Commands::Rotation_Click() {
    conditions_.open(dialogs::ConditionsViewer::Sheet::Rotation);
}

void Form1Commands::NonUniform_Bearing_Click() {
    conditions_.open(dialogs::ConditionsViewer::Sheet::NonUniformBearing);
}

void Form1Commands::Help_Topics_Click() {
    help_.Help_Topics_Click();
}

void Form1Commands::Pelgro_Ravelon_Design_Guide_Click() {
    help_.Pelgro_Ravelon_Design_Guide_Click();
}

void Form1Commands::About_Pelgro_BPD_Click() {
    about_.show();
}

void Form1Commands::Bearing_Schedule_Click() {
    showSchedule();
}

schedule::ScheduleWindow& Form1Commands::showSchedule() {
    if (!schedule_) {
        schedule_ = std::make_unique<schedule::ScheduleWindow>(services_);
        schedule_->setMainWindowLink(this);
        schedule_->setRecoveryStore(&recovery_);
    }
    schedule_->show();
    schedule_->raise();
    schedule_->activateWindow();
    return *schedule_;
}

void Form1Commands::startWith(const QString& designFile) {
    const bool restored = offerRecovery();
    if (designFile.isEmpty()) return;
    // The restored edits are this very file's: opening it again would only ask about them.
    if (restored && schedule_->filePath() == QFileInfo(designFile).absoluteFilePath()) return;
    openDesignFile(designFile);
}

bool Form1Commands::offerRecovery() {
    const std::optional<schedule::RecoveryStore::Copy> copy = recovery_.adoptOrphan();
    if (!copy) return false;
    const QString name =
        copy->path.isEmpty()
            ? QStringLiteral("a new schedule")
            : QLatin1Char('"') + QFileInfo(copy->path).fileName() + QLatin1Char('"');
    if (!services_.messages.question(
            window_.window, platform::kMessageTitle,
            QStringLiteral("The bearing schedule held unsaved edits of %1 when the program last "
                           "ended. Restore them?")
                .arg(name))) {
        recovery_.remove();
        return false;
    }
    if (showSchedule().restore(*copy)) return true;
    recovery_.remove();  // its text is refused: nothing of it can be shown again
    return false;
}

void Form1Commands::openDesignFile(const QString& path) {
    showSchedule().openFile(path);
}

bool Form1Commands::enterInputs(const schedule::WindowInputs& inputs) {
    const bool entered = window_.enterInputs(inputs);
    // The user asked for the main window: it comes forward, with its message if it refused.
    window_.window->show();
    window_.window->raise();
    window_.window->activateWindow();
    return entered;
}

schedule::WindowInputs Form1Commands::currentInputs() const {
    const sizing::SizingInputs in = sizingInputs();
    schedule::WindowInputs inputs;
    inputs.units = in.units;
    inputs.texts = {in.w1, in.b1, in.A, in.dh, in.Vap};
    inputs.sliding = in.sliding;
    inputs.position = in.selection;
    return inputs;
}

bool Form1Commands::closeSchedule() {
    return !schedule_ || !schedule_->isVisible() || schedule_->close();
}

void Form1Commands::Smallest_Passing_Pad_Click() {
    if (!sizing_) {
        sizing_ =
            new sizing::PadSizingDialog([this] { return sizingInputs(); },
                                        [this](const sizing::SizingAnswer& pad) {
                                            window_.enterPad(pad.w1Text, pad.b1Text, pad.position);
                                        },
                                        window_.window);
    }
    sizing_->show();
    sizing_->refresh();  // shown already: the window's inputs may have changed
}

void Form1Commands::Calculation_Sheet_Click() {
    const sizing::SizingInputs in = sizingInputs();
    CalculationSheetCommand sheet(window_.window, services_.shell, services_.settings,
                                  services_.messages, services_.files);
    sheet.Calculation_Sheet_Click(
        {in.units, in.w1, in.b1, in.A, in.dh, in.Vap, in.sliding, in.selection, in.locale},
        projectData_);
}

void Form1Commands::startSpreadsheet() {
    if (!services_.spreadsheet.isRunning()) services_.spreadsheet.start();
}

void Form1Commands::unloadDialogs() {
    // The disclaimer stays loaded, hidden, after it was accepted; the program ends with it.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("WelcomeDlg")) w->hide();
    conditions_.unload();
    about_.unload();
    if (sizing_) sizing_->close();
    reports::UnloadForm3(form3_);
}

void Form1Commands::endSpreadsheet() {
    if (services_.spreadsheet.isRunning()) services_.spreadsheet.quit();
}

}  // namespace bpd::mainwindow
