#pragma once
// File > Project Data...: edits the design file's own project data (company, project name,
// engineer, description), laid out as the "General Setttings" dialog lays out the settings
// store's, with OK and Cancel. OK writes them into the schedule as one undo step; Cancel, Esc
// and the close box change nothing.

#include <QDialog>
#include <memory>

#include "DesignDocument.h"

namespace bpd::reports {
class ProjectDataBoxes;
}

namespace bpd::schedule {

class ScheduleModel;

class ProjectDataDialog : public QDialog {
    Q_OBJECT
public:
    ProjectDataDialog(const designfile::ProjectInfo& project, QWidget* parent);
    ~ProjectDataDialog() override;

    // The four texts as the boxes hold them (the members the program does not know are
    // the model's to keep).
    designfile::ProjectInfo project() const;

    // Opens the dialog over parent (window-modal) for the model's file; its OK goes to the
    // model. The dialog deletes itself when closed.
    static ProjectDataDialog* edit(ScheduleModel& model, QWidget* parent);

private:
    std::unique_ptr<reports::ProjectDataBoxes> boxes_;
};

}  // namespace bpd::schedule
