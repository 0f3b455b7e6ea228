#include "PadSizingDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace bpd::sizing {

namespace {

QLineEdit* shownText(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setMinimumWidth(260);
    return field;
}

}  // namespace

PadSizingDialog::PadSizingDialog(ReadInputs read, UsePad use, QWidget* parent)
    : QDialog(parent), read_(std::move(read)), use_(std::move(use)) {
    setObjectName(QStringLiteral("PadSizingDialog"));
    setWindowTitle(QStringLiteral("Smallest Passing Pad"));

    auto* choice = new QGroupBox(QStringLiteral("Size"), this);
    bothFree_ = new QRadioButton(QStringLiteral("Both w1 and b1"), choice);
    bothFree_->setObjectName(QStringLiteral("bothFreeOption"));
    keepWidth_ = new QRadioButton(QStringLiteral("w1, keeping b1 (the width)"), choice);
    keepWidth_->setObjectName(QStringLiteral("keepWidthOption"));
    keepLength_ = new QRadioButton(QStringLiteral("b1, keeping w1 (the length)"), choice);
    keepLength_->setObjectName(QStringLiteral("keepLengthOption"));
    bothFree_->setChecked(true);
    auto* choices = new QVBoxLayout(choice);
    for (QRadioButton* option : {bothFree_, keepWidth_, keepLength_}) {
        choices->addWidget(option);
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) refresh();
        });
    }

    padText_ = shownText("padText", this);
    governingText_ = shownText("governingText", this);
    utilisationText_ = shownText("utilisationText", this);
    auto* found = new QFormLayout;
    found->addRow(QStringLiteral("Pad found:"), padText_);
    found->addRow(QStringLiteral("Governing check:"), governingText_);
    found->addRow(QStringLiteral("Utilisation:"), utilisationText_);
    reasonText_ = new QLabel(this);
    reasonText_->setObjectName(QStringLiteral("reasonText"));
    reasonText_->setWordWrap(true);
    reasonText_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Room for the longest reason, so the dialog keeps its size from one answer to the next.
    reasonText_->setMinimumHeight(reasonText_->fontMetrics().lineSpacing() * 4);
    reasonText_->setAccessibleName(QStringLiteral("Why no pad passes"));

    auto* buttons = new QDialogButtonBox(this);
    useButton_ = buttons->addButton(QStringLiteral("Use This Pad"), QDialogButtonBox::AcceptRole);
    useButton_->setObjectName(QStringLiteral("useButton"));
    QPushButton* close = buttons->addButton(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(useButton_, &QPushButton::clicked, this, &PadSizingDialog::usePad);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice);
    layout->addLayout(found);
    layout->addWidget(reasonText_);
    layout->addWidget(buttons);
}

SizingMode PadSizingDialog::mode() const {
    if (keepWidth_->isChecked()) return SizingMode::KeepWidth;
    if (keepLength_->isChecked()) return SizingMode::KeepLength;
    return SizingMode::BothFree;
}

void PadSizingDialog::setMode(SizingMode mode) {
    QRadioButton* option = mode == SizingMode::KeepWidth    ? keepWidth_
                           : mode == SizingMode::KeepLength ? keepLength_
                                                            : bothFree_;
    if (option->isChecked())
        refresh();
    else
        option->setChecked(true);  // toggled: refresh
}

void PadSizingDialog::refresh() {
    answer_ = SmallestPad::find(read_(), mode());
    padText_->setText(answer_.pad);
    governingText_->setText(answer_.governing);
    utilisationText_->setText(answer_.utilisation);
    reasonText_->setText(answer_.reason);
    useButton_->setEnabled(answer_.found);
}

void PadSizingDialog::usePad() {
    // The window stays usable while the dialog is open: size again, and when its inputs have
    // changed since, show the new answer instead of typing a pad the user has not seen.
    const QString seen = answer_.pad;
    refresh();
    if (!answer_.found || answer_.pad != seen) return;
    use_(answer_);
    accept();
}

}  // namespace bpd::sizing
