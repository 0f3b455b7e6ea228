#pragma once
// The main window's commands that lead out of it: project data, the two reports, the window
// print, the reference sheets, the help documents and the About box, plus what the window
// starts at its load and ends at its unload (the spreadsheet stand-in, the other windows).
//
// The window's menu items and its Print Screen button are connected here directly. This
// class reads what the window shows (ReportInputs), owns the dialogs' lifecycles and the
// in-memory copy of the project data, and hands each report and dialog the services it uses.

#include <QObject>
#include <QPointer>

#include "AboutBox.h"
#include "ConditionsViewer.h"
#include "DesktopServices.h"
#include "Form2.h"  // the viewers' QPointer accessors need the complete types
#include "Form4.h"
#include "HelpDocuments.h"
#include "ProjectData.h"
#include "ReportInputs.h"

namespace bpd::reports {
class Form3;
}

namespace bpd::mainwindow {

class Form1;

class Form1Commands : public QObject {
    Q_OBJECT
public:
    // The services belong to the program and outlive the window.
    Form1Commands(Form1& window, const platform::DesktopServices& services);
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

public:
    // Load: the spreadsheet application, when it does not run yet.
    void startSpreadsheet();
    // Unload: the disclaimer, the conditions viewer, the About box and the project data
    // dialog, in this order.
    void unloadDialogs();
    // Unload: the spreadsheet application lets go of its workbooks and ends.
    void endSpreadsheet();

    // What the window shows right now, as the reports take it.
    reports::ReportInputs reportInputs() const;
    const reports::ProjectData& projectData() const { return projectData_; }

private:
    Form1& window_;
    platform::DesktopServices services_;
    reports::ProjectData projectData_;
    QPointer<reports::Form3> form3_;
    dialogs::ConditionsViewer conditions_;
    dialogs::AboutBox about_;
    dialogs::HelpDocuments help_;
};

}  // namespace bpd::mainwindow
