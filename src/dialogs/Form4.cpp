#include "Form4.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ClassicMetrics.h"
#include "DesktopShell.h"
#include "ImageList.h"
#include "MessageService.h"
#include "NotOpenedNotice.h"
#include "WebLinkLabel.h"

namespace bpd::dialogs {

namespace {

QLabel* addLabel(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLabel* addPicture(QWidget* parent, const char* name, const QPixmap& picture, QRect geometry) {
    QLabel* box = addLabel(parent, name, QString(), geometry);
    box->setPixmap(picture);  // natural size from the top-left corner, cut at the box's edges
    return box;
}

}  // namespace

QString Form4::ownerWebsite() {
    return QStringLiteral("http://www.pelgro.example");
}
QString Form4::developerWebsite() {
    return QStringLiteral("http://www.tolvane.example");
}
QString Form4::copyrightNotice() {
    return QStringLiteral("Copyright \u00A9 2003 Pelgro INC.");
}

Form4::Form4(SystemInformationLauncher launcher, platform::DesktopShell& shell,
             platform::MessageService& messages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      launcher_(std::move(launcher)),
      shell_(shell),
      messages_(messages) {
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("About Pelgro Pad Bearing Design Program"));
    setWindowIcon(platform::blankWindowIcon());
    setFont(platform::ClassicFonts::msSansSerif());
    fixWindowSize(this, 3600, 2985);

    QLabel* title = addLabel(this, "lblTitle", QStringLiteral("Pelgro Bearing Pad Design Program"),
                             platform::twipsRect(120, 120, 2925, 195));
    QPalette blackText = title->palette();
    blackText.setColor(QPalette::WindowText, Qt::black);
    title->setPalette(blackText);
    addLabel(this, "lblVersion", QStringLiteral("Version: 1,0,0,0"),
             platform::twipsRect(120, 360, 2805, 225));
    addPicture(this, "Picture_Pelgro", platform::ownerLogo(),
               platform::twipsRect(120, 720, 615, 495));
    addLabel(this, "Label_Pelgro", QStringLiteral("Owned By: Pelgro INC."),
             platform::twipsRect(840, 720, 1575, 255));
    Label_PelgroWeb_ = new WebLinkLabel(ownerWebsite(), this);
    Label_PelgroWeb_->setObjectName(QStringLiteral("Label_PelgroWeb"));
    Label_PelgroWeb_->setGeometry(platform::twipsRect(840, 960, 2295, 255));
    addPicture(this, "Picture_Tolvane", platform::developerLogo(),
               platform::twipsRect(120, 1320, 615, 615));
    addLabel(this, "Label_Tolvane", QStringLiteral("Developed By: Tolvane LLC."),
             platform::twipsRect(840, 1320, 2655, 255));
    Label_TolvaneWeb_ = new WebLinkLabel(developerWebsite(), this);
    Label_TolvaneWeb_->setObjectName(QStringLiteral("Label_TolvaneWeb"));
    Label_TolvaneWeb_->setGeometry(platform::twipsRect(840, 1560, 2175, 255));

    auto* line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Plain);
    line->setGeometry(0, platform::twipsToPixels(2040), platform::twipsToPixels(3600), 1);

    QLabel* notice = addLabel(this, "lblDisclaimer", copyrightNotice(),
                              platform::twipsRect(120, 2160, 3375, 225));
    notice->setPalette(blackText);

    Command_Ok_ = new QPushButton(QStringLiteral("OK"), this);
    Command_Ok_->setObjectName(QStringLiteral("Command_Ok"));
    Command_Ok_->setGeometry(platform::twipsRect(600, 2520, 855, 375));
    auto* sysInfo = new QPushButton(QStringLiteral("System Info"), this);
    sysInfo->setObjectName(QStringLiteral("Command_SysInfo"));
    sysInfo->setGeometry(platform::twipsRect(1920, 2520, 1095, 375));
    for (QPushButton* button : {Command_Ok_, sysInfo}) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
    // The tab cycle follows the tab indices: the buttons, then the two web links. OK takes the
    // focus as the box opens (no focus proxy on the box: Tab would wrap through it to OK).
    setTabOrder(Command_Ok_, sysInfo);
    Command_Ok_->setFocus();

    connect(Command_Ok_, &QPushButton::clicked, this, &Form4::Command_Ok_Click);
    connect(sysInfo, &QPushButton::clicked, this, &Form4::Command_SysInfo_Click);
    connect(Label_PelgroWeb_, &WebLinkLabel::clicked, this, &Form4::Label_PelgroWeb_Click);
    connect(Label_TolvaneWeb_, &WebLinkLabel::clicked, this, &Form4::Label_TolvaneWeb_Click);

    Form_Load();
    for (QLabel* label : findChildren<QLabel*>())
        if (label->pixmap().isNull()) fitLabelWidth(label);
}

void Form4::Form_Load() {
    const struct {
        WebLinkLabel* label;
        const char* tooltip;
    } links[] = {{Label_PelgroWeb_, "Get more information about Pelgro on this website"},
                 {Label_TolvaneWeb_, "Get more information about Tolvane on this website"}};
    for (const auto& link : links) {
        QPalette palette = link.label->palette();
        palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
        link.label->setPalette(palette);
        QFont font = link.label->font();
        font.setUnderline(true);
        link.label->setFont(font);
        link.label->setToolTip(QString::fromLatin1(link.tooltip));
    }
}

void Form4::Command_Ok_Click() {
    close();
}

void Form4::Command_SysInfo_Click() {
    StartSysInfo();
}

void Form4::StartSysInfo() {
    launcher_.StartSysInfo(this);
}

void Form4::Label_PelgroWeb_Click() {
    openAddress(ownerWebsite());
}

void Form4::Label_TolvaneWeb_Click() {
    openAddress(developerWebsite());
}

// A link that opens nothing is reported with its address, so the user can open it elsewhere.
void Form4::openAddress(const QString& address) {
    const platform::ShellResult result =
        shell_.open(address, QString(), platform::ShowMode::Maximized);
    if (result != platform::ShellResult::Opened)
        platform::NotOpenedNotice::tell(
            messages_, this, result,
            {QStringLiteral("No web browser is set up on this desktop."),
             QStringLiteral("The web browser could not be started."),
             QStringLiteral("The address is")},
            address);
}

}  // namespace bpd::dialogs
