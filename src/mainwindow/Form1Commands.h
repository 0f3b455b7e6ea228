#pragma once
// The main window's commands that lead out of it: project data, the two reports, the window
// print, the reference sheets, the help documents, the About box, the sizing dialog and the
// calculation sheet, plus what the window
// starts at its load and ends at its unload (the spreadsheet stand-in, the other windows).
//
// The window's menu items and its Print Screen button are connected here directly. This
// class reads the window's controls and its last results (ReportInputs), owns the dialogs'
// lifecycles and the in-memory copy of the project data, and hands each report and dialog the
// services it uses.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "AboutBox.h"
#include "ConditionsViewer.h"
#include "DesktopServices.h"
#include "Form1Controls.h"
#include "Form2.h"  // the viewers' QPointer accessors need the complete types
#include "Form4.h"
#include "HelpDocuments.h"
#include "MainWindowLink.h"
#include "PadSizingDialog.h"
#include "ProjectData.h"
#include "RecoveryStore.h"
#include "ReportInputs.h"
#include "ResultTable.h"
#include "ScheduleWindow.h"

namespace bpd::reports {
class Form3;
}

namespace bpd::mainwindow {

class Form1Commands : public QObject, public schedule::MainWindowLink {
    Q_OBJECT
public:
    // What the commands read of the window; all of it belongs to the window and outlives
    // the commands.
    struct Reads {
        QWidget* window;                              // parent of the dialogs and the messages
        const Form1Controls& controls;                // the inputs, captions and the print dress
        std::function<const ResultTable&()> results;  // the last run's results
        const QString& sContactText;                  // the contact block of the text report ...
        const QStringList& colContactLines;           // ... and of the workbook
        // Types a pad into the window's w1 and b1 fields and selects its thickness, as a user
        // would (the grid runs again).
        std::function<void(const QString& w1, const QString& b1, int position)> enterPad;
        // Types a schedule's bearing into the window, switching its units first (Form1::
        // enterInputs); false when the window refused.
        std::function<bool(const schedule::WindowInputs& inputs)> enterInputs;
    };

    // The services belong to the program and outlive the window.
    Form1Commands(Reads window, const platform::DesktopServices& services);
    ~Form1Commands() override;

public slots:
    void General_Click();
    void Excel_Click();
    void NotePad_Click();
    void PrintBtn_Click();
    void Loading_Click();
    void Rotation_Click();
    void NonUniform_Bearing_Click();
    void Help_Topics_Click();
    void Pelgro_Ravelon_Design_Guide_Click();
    void About_Pelgro_BPD_Click();
    void Bearing_Schedule_Click();
    void Smallest_Passing_Pad_Click();
    void Calculation_Sheet_Click();

public:
    // Load: the spreadsheet application, when it does not run yet.
    void startSpreadsheet();
    // Unload: the disclaimer, the conditions viewer, the About box and the project data
    // dialog, in this order.
    void unloadDialogs();
    // Unload: the spreadsheet application lets go of its workbooks and ends.
    void endSpreadsheet();
    // Before the program ends: closes the bearing schedule, which asks to save unsaved edits;
    // false when the user cancelled.
    bool closeSchedule();
    // Once the window shows: offers the unsaved edits of the schedule a previous run left
    // behind, then opens the design file named on the command line ("" for none).
    void startWith(const QString& designFile);
    // A design file named on the command line or dropped on the window: the schedule shows and
    // opens it, asking first about its unsaved edits. A refused file leaves the schedule as it
    // was, after its message.
    void openDesignFile(const QString& path);

    // The schedule's link: a bearing typed into the window, which is then shown; the
    // window's inputs as they stand.
    bool enterInputs(const schedule::WindowInputs& inputs) override;
    schedule::WindowInputs currentInputs() const override;

private:
    // The inputs as the window shows them and the last results, as the reports take them.
    reports::ReportInputs reportInputs() const;
    // The same inputs as the sizing and the calculation sheet read them.
    sizing::SizingInputs sizingInputs() const;
    // The schedule window, made on first use, shown and brought forward.
    schedule::ScheduleWindow& showSchedule();
    // The copy a previous run left: restored (Yes) or removed (No). True when restored.
    bool offerRecovery();

    Reads window_;
    platform::DesktopServices services_;
    reports::ProjectData projectData_;
    QPointer<reports::Form3> form3_;
    dialogs::ConditionsViewer conditions_;
    dialogs::AboutBox about_;
    dialogs::HelpDocuments help_;
    QPointer<sizing::PadSizingDialog> sizing_;
    schedule::RecoveryStore recovery_;  // the schedule's copy of its unsaved edits
    std::unique_ptr<schedule::ScheduleWindow> schedule_;  // a window of its own, made when asked

public:
    sizing::PadSizingDialog* sizingDialog() const { return sizing_; }
    schedule::ScheduleWindow* scheduleWindow() const { return schedule_.get(); }
};

}  // namespace bpd::mainwindow
