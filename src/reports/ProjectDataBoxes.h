#pragma once
// The four project data captions and text boxes as the "General Setttings" dialog places them
// (Label1 .. Label4, Txt_Company .. Txt_Description), built on a dialog; each box is named for
// assistive technology by its caption. Shared by the dialogs that edit project data.

#include "ProjectData.h"

class QLineEdit;
class QWidget;

namespace bpd::reports {

class ProjectDataBoxes {
public:
    // Builds the captions and boxes on parent, which owns them; the boxes hold "Text1" ..
    // "Text4" until texts are set.
    explicit ProjectDataBoxes(QWidget* parent);

    ProjectData texts() const;
    // Long texts show from their start.
    void setTexts(const ProjectData& data);

    QLineEdit* company() const { return company_; }
    QLineEdit* projectName() const { return projectName_; }
    QLineEdit* engineer() const { return engineer_; }
    QLineEdit* description() const { return description_; }

private:
    QLineEdit* company_;
    QLineEdit* projectName_;
    QLineEdit* engineer_;
    QLineEdit* description_;
};

}  // namespace bpd::reports
