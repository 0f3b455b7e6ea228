#include "OpenWithDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QListWidget>
#include <QMimeDatabase>
#include <QPushButton>
#include <QVBoxLayout>

#include "DesktopShell.h"
#include "MessageService.h"

namespace bpd::dialogs {

using platform::DesktopApplication;

OpenWithDialog::OpenWithDialog(const QString& documentPath, platform::DesktopShell& shell,
                               platform::MessageService& messages, QWidget* parent)
    : QDialog(parent),
      shell_(shell),
      messages_(messages),
      documentPath_(documentPath),
      mimeType_(shell.mimeTypeOf(documentPath)) {
    setObjectName(QStringLiteral("OpenWithDialog"));
    setWindowTitle(QStringLiteral("Open With"));
    const QString fileName = QFileInfo(documentPath).fileName();
    const QMimeType type = QMimeDatabase().mimeTypeForName(mimeType_);

    auto* intro = new QLabel(tr("Choose the program you want to use to open this file:\n%1 (%2)")
                                 .arg(fileName, type.isValid() ? type.comment() : mimeType_),
                             this);
    intro->setWordWrap(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("applicationList"));
    // The list is named by the question above it (a list takes no name from its buddy).
    intro->setBuddy(list_);
    list_->setAccessibleName(intro->text());
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("noApplicationsLabel"));
    note_->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    okButton_ = buttons->button(QDialogButtonBox::Ok);
    okButton_->setDefault(true);
    // Beside the note, which says what Browse... is for.
    auto* browseButton = new QPushButton(tr("Browse..."), this);
    browseButton->setObjectName(QStringLiteral("browseButton"));

    auto* browseRow = new QHBoxLayout;
    browseRow->addWidget(note_, 1);
    browseRow->addWidget(browseButton, 0, Qt::AlignRight | Qt::AlignTop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_);
    layout->addLayout(browseRow);
    layout->addWidget(buttons);
    resize(420, 360);

    for (const DesktopApplication& app : shell_.applicationsFor(mimeType_)) addChoice(app);
    if (!choices_.isEmpty()) list_->setCurrentRow(0);
    okButton_->setEnabled(!choices_.isEmpty());
    updateNote();

    connect(list_, &QListWidget::currentRowChanged, this,
            [this](int row) { okButton_->setEnabled(row >= 0); });
    // Enter in the list reaches the default button, OK; only a double click starts from here.
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { accept(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &OpenWithDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OpenWithDialog::reject);
    connect(browseButton, &QPushButton::clicked, this, &OpenWithDialog::browse);
}

void OpenWithDialog::setInstallHint(const QString& hint) {
    installHint_ = hint;
    updateNote();
}

void OpenWithDialog::updateNote() {
    note_->setText(installHint_.isEmpty() ? tr("No installed program declares this file type. "
                                               "Use Browse... to choose a program.")
                                          : tr("No installed program declares this file type. "
                                               "%1, or use Browse... to choose a program.")
                                                .arg(installHint_));
    note_->setVisible(choices_.isEmpty());
}

void OpenWithDialog::addChoice(const DesktopApplication& application) {
    choices_ << application;
    auto* item = new QListWidgetItem(QIcon::fromTheme(application.icon), application.name, list_);
    item->setToolTip(application.exec);
}

void OpenWithDialog::addProgram(const QString& programPath) {
    DesktopApplication program;
    program.name = QFileInfo(programPath).fileName();
    program.exec = programPath;
    program.filePath = programPath;
    addChoice(program);
    selectChoice(static_cast<int>(choices_.size()) - 1);
    updateNote();
    // Browse... had the focus, and a focused button is the one Enter presses.
    list_->setFocus(Qt::OtherFocusReason);
}

void OpenWithDialog::selectChoice(int row) {
    list_->setCurrentRow(row);
}

void OpenWithDialog::browse() {
    const QString program = QFileDialog::getOpenFileName(this, tr("Choose a program"));
    if (!program.isEmpty()) addProgram(program);
}

bool OpenWithDialog::startSelected() {
    const int row = list_->currentRow();
    if (row < 0 || row >= choices_.size()) return false;
    // A listed program is its desktop entry, a browsed one the program itself: the shell
    // starts either on the document.
    if (shell_.startProgram(choices_.at(row).filePath, {documentPath_},
                            QFileInfo(documentPath_).absolutePath(), platform::ShowMode::Normal))
        return true;
    messages_.warning(this, windowTitle(),
                      tr("%1 could not be started.").arg(choices_.at(row).name));
    return false;
}

void OpenWithDialog::accept() {
    if (startSelected()) QDialog::accept();
}

}  // namespace bpd::dialogs
