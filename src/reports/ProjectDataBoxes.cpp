#include "ProjectDataBoxes.h"

#include <QLabel>
#include <QLineEdit>
#include <limits>

#include "ClassicFonts.h"
#include "Twips.h"

namespace bpd::reports {

namespace {

QLabel* caption(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* widget = new QLabel(QString::fromLatin1(text), parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setFont(platform::ClassicFonts::msSansSerif(true));
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setGeometry(geometry);
    return widget;
}

QLineEdit* textBox(QWidget* parent, const char* name, const char* text, QRect geometry) {
    auto* widget = new QLineEdit(QString::fromLatin1(text), parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setMaxLength(std::numeric_limits<int>::max());  // the dialogs set no limit
    widget->setGeometry(geometry);
    return widget;
}

}  // namespace

ProjectDataBoxes::ProjectDataBoxes(QWidget* parent) {
    using platform::twipsRect;
    QLabel* company = caption(parent, "Label1", "Company", twipsRect(120, 240, 1095, 255));
    company_ = textBox(parent, "Txt_Company", "Text1", twipsRect(1560, 120, 2055, 495));
    QLabel* projectName = caption(parent, "Label2", "Project Name", twipsRect(120, 960, 1095, 375));
    projectName_ = textBox(parent, "Txt_ProjectName", "Text2", twipsRect(1560, 840, 2055, 495));
    QLabel* engineer = caption(parent, "Label3", "Engineer", twipsRect(120, 1800, 1095, 375));
    QLabel* description = caption(parent, "Label4", "Description", twipsRect(120, 2640, 1095, 375));
    engineer_ = textBox(parent, "Txt_Engineer", "Text3", twipsRect(1560, 1680, 2055, 495));
    description_ = textBox(parent, "Txt_Description", "Text4", twipsRect(1560, 2520, 2055, 1095));
    company->setBuddy(company_);
    projectName->setBuddy(projectName_);
    engineer->setBuddy(engineer_);
    description->setBuddy(description_);
    description_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

ProjectData ProjectDataBoxes::texts() const {
    return {company_->text(), projectName_->text(), engineer_->text(), description_->text()};
}

void ProjectDataBoxes::setTexts(const ProjectData& data) {
    company_->setText(data.sCompany);
    engineer_->setText(data.sEngineer);
    projectName_->setText(data.sProjectName);
    description_->setText(data.sDescription);
    for (QLineEdit* box : {company_, engineer_, projectName_, description_})
        box->setCursorPosition(0);
}

}  // namespace bpd::reports
