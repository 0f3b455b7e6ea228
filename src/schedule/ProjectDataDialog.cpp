#include "ProjectDataDialog.h"

#include <QLineEdit>
#include <QPushButton>

#include "ClassicFonts.h"
#include "ProjectDataBoxes.h"
#include "ScheduleModel.h"
#include "Twips.h"

namespace bpd::schedule {

namespace {

QString fromFile(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ProjectDataDialog::ProjectDataDialog(const designfile::ProjectInfo& project, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ProjectDataDialog"));
    setWindowTitle(QStringLiteral("Project Data"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(platform::twipsToPixels(3825), platform::twipsToPixels(4395));
    setFont(platform::ClassicFonts::msSansSerif());

    boxes_ = std::make_unique<reports::ProjectDataBoxes>(this);
    boxes_->setTexts({fromFile(project.company), fromFile(project.projectName),
                      fromFile(project.engineer), fromFile(project.description)});

    auto button = [this](const char* name, const QString& text, int left) {
        auto* widget = new QPushButton(text, this);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setFont(platform::ClassicFonts::msSansSerif(true));
        widget->setGeometry(platform::twipsRect(left, 3840, 1215, 495));
        return widget;
    };
    QPushButton* ok = button("OKButton", QStringLiteral("OK"), 600);
    QPushButton* cancel = button("CancelButton", QStringLiteral("Cancel"), 2010);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // The boxes top to bottom, then the buttons; the first box has the focus.
    setTabOrder(boxes_->company(), boxes_->projectName());
    setTabOrder(boxes_->projectName(), boxes_->engineer());
    setTabOrder(boxes_->engineer(), boxes_->description());
    setTabOrder(boxes_->description(), ok);
    setTabOrder(ok, cancel);
    boxes_->company()->setFocus();
}

ProjectDataDialog::~ProjectDataDialog() = default;

designfile::ProjectInfo ProjectDataDialog::project() const {
    const reports::ProjectData texts = boxes_->texts();
    designfile::ProjectInfo info;
    info.company = texts.sCompany.toStdString();
    info.projectName = texts.sProjectName.toStdString();
    info.engineer = texts.sEngineer.toStdString();
    info.description = texts.sDescription.toStdString();
    return info;
}

ProjectDataDialog* ProjectDataDialog::edit(ScheduleModel& model, QWidget* parent) {
    auto* dialog = new ProjectDataDialog(model.document().project, parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, &model,
            [&model, dialog] { model.setProject(dialog->project()); });
    dialog->open();
    return dialog;
}

}  // namespace bpd::schedule
