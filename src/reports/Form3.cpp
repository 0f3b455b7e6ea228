#include "Form3.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVariant>

#include "ClassicFonts.h"
#include "MessageService.h"
#include "ProjectData.h"
#include "ProjectDataBoxes.h"
#include "RegistryRoutines.h"
#include "Twips.h"
#include "WindowPlacement.h"

namespace bpd::reports {

using platform::ClassicFonts;

Form3::~Form3() = default;

Form3::Form3(QWidget* mainWindow, platform::RegistryStore& settings,
             platform::MessageService& messages)
    : QWidget(nullptr), mainWindow_(mainWindow), settings_(settings), messages_(messages) {
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    // Fixed single border, close box only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setWindowTitle(QStringLiteral("General Setttings"));
    buildLayout();
    Form_Load();
}

void Form3::buildLayout() {
    setFixedSize(platform::twipsToPixels(3825), platform::twipsToPixels(4395));
    setFont(ClassicFonts::msSansSerif());

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(ClassicFonts::msSansSerif(true));
    Command1->setGeometry(platform::twipsRect(1200, 3840, 1215, 495));
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);

    boxes_ = std::make_unique<ProjectDataBoxes>(this);
    Txt_Company = boxes_->company();
    Txt_ProjectName = boxes_->projectName();
    Txt_Engineer = boxes_->engineer();
    Txt_Description = boxes_->description();

    setTabOrder(Command1, Txt_Company);
    setTabOrder(Txt_Company, Txt_ProjectName);
    setTabOrder(Txt_ProjectName, Txt_Engineer);
    setTabOrder(Txt_Engineer, Txt_Description);
    Command1->setFocus();

    // Esc acts as the close box.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

void Form3::Form_Load() {
    QString company, engineer, projectName, description;
    ReadRegistryValue(settings_, HKEY_CURRENT_USER, kProjectDataKey, kCompanyValue, company);
    ReadRegistryValue(settings_, HKEY_CURRENT_USER, kProjectDataKey, kEngineerValue, engineer);
    ReadRegistryValue(settings_, HKEY_CURRENT_USER, kProjectDataKey, kProjectNameValue,
                      projectName);
    ReadRegistryValue(settings_, HKEY_CURRENT_USER, kProjectDataKey, kDescriptionValue,
                      description);
    boxes_->setTexts({company, projectName, engineer, description});
}

void Form3::Command1_Click() {
    const std::pair<QLineEdit*, const QString*> boxes[] = {
        {Txt_Company, &kCompanyValue},
        {Txt_Engineer, &kEngineerValue},
        {Txt_ProjectName, &kProjectNameValue},
        {Txt_Description, &kDescriptionValue},
    };
    for (const auto& [box, name] : boxes) {
        QVariant text = box->text();  // a copy: a failed write clears it, not the box
        if (!WriteRegistryValue(settings_, HKEY_CURRENT_USER, kProjectDataKey, REG_SZ, *name,
                                text)) {
            // The dialog stays open with the user's texts, so nothing typed is lost.
            const platform::RegistryStore::Failure failure = settings_.lastFailure();
            messages_.warning(this, platform::kMessageTitle,
                              QStringLiteral("The project data were not saved to\n%1\n(%2)")
                                  .arg(failure.file, failure.reason));
            return;
        }
    }
    hide();
    if (mainWindow_) mainWindow_->show();
}

void Form3::closeEvent(QCloseEvent* event) {
    unloaded_ = true;
    if (mainWindow_) mainWindow_->show();
    event->accept();
}

void Form3::showEvent(QShowEvent* event) {
    if (!centred_) {
        centred_ = true;
        platform::centreOnScreen(this);
    }
    QWidget::showEvent(event);
    Command1->setFocus();
}

void General_Click(QWidget* mainWindow, QPointer<Form3>& form3, platform::RegistryStore& settings,
                   platform::MessageService& messages) {
    if (mainWindow) mainWindow->hide();
    if (!form3 || form3->isUnloaded()) form3 = new Form3(mainWindow, settings, messages);
    form3->show();
    form3->raise();
    form3->activateWindow();
}

void UnloadForm3(QPointer<Form3>& form3) {
    if (form3 && !form3->isUnloaded()) form3->close();
    form3.clear();
}

}  // namespace bpd::reports
