#include "Form3.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVariant>

#include <limits>

#include "ClassicFonts.h"
#include "MessageService.h"
#include "ProjectData.h"
#include "RegistryRoutines.h"
#include "Twips.h"
#include "WindowPlacement.h"

namespace bpd::reports {

using platform::ClassicFonts;

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

    auto label = [this](const char* name, const char* caption, QRect geometry) {
        auto* widget = new QLabel(QString::fromLatin1(caption), this);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setFont(ClassicFonts::msSansSerif(true));
        widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget->setGeometry(geometry);
        return widget;
    };
    auto textBox = [this](const char* name, const char* text, QRect geometry) {
        auto* widget = new QLineEdit(QString::fromLatin1(text), this);
        widget->setObjectName(QString::fromLatin1(name));
        widget->setMaxLength(std::numeric_limits<int>::max());  // the dialog sets no limit
        widget->setGeometry(geometry);
        return widget;
    };

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(ClassicFonts::msSansSerif(true));
    Command1->setGeometry(platform::twipsRect(1200, 3840, 1215, 495));
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);

    QLabel* company = label("Label1", "Company", platform::twipsRect(120, 240, 1095, 255));
    Txt_Company = textBox("Txt_Company", "Text1", platform::twipsRect(1560, 120, 2055, 495));
    QLabel* projectName = label("Label2", "Project Name", platform::twipsRect(120, 960, 1095, 375));
    Txt_ProjectName =
        textBox("Txt_ProjectName", "Text2", platform::twipsRect(1560, 840, 2055, 495));
    QLabel* engineer = label("Label3", "Engineer", platform::twipsRect(120, 1800, 1095, 375));
    QLabel* description = label("Label4", "Description", platform::twipsRect(120, 2640, 1095, 375));
    Txt_Engineer = textBox("Txt_Engineer", "Text3", platform::twipsRect(1560, 1680, 2055, 495));
    Txt_Description =
        textBox("Txt_Description", "Text4", platform::twipsRect(1560, 2520, 2055, 1095));
    // Each box is named for assistive technology by the caption to its left.
    company->setBuddy(Txt_Company);
    projectName->setBuddy(Txt_ProjectName);
    engineer->setBuddy(Txt_Engineer);
    description->setBuddy(Txt_Description);
    Txt_Description->setAlignment(Qt::AlignLeft | Qt::AlignTop);

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
    Txt_Company->setText(company);
    Txt_Engineer->setText(engineer);
    Txt_ProjectName->setText(projectName);
    Txt_Description->setText(description);
    // Long texts show from their start.
    for (QLineEdit* box : {Txt_Company, Txt_Engineer, Txt_ProjectName, Txt_Description})
        box->setCursorPosition(0);
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
