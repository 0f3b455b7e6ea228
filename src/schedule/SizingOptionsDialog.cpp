#include "SizingOptionsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace bpd::schedule {

SizingOptionsDialog::SizingOptionsDialog(int count, QWidget* parent)
    : QDialog(parent),
      keepWidth_(new QCheckBox(QStringLiteral("&Keep the width (b1): a beam's width fixes it"))) {
    setObjectName(QStringLiteral("SizingOptionsDialog"));
    setWindowTitle(QStringLiteral("Size Selected"));
    auto* intro = new QLabel(
        QStringLiteral("The smallest passing pad is sought for each of the %n selected "
                       "bearing(s), as bpd-check --size seeks it. The proposals are shown "
                       "before anything changes.")
            .replace(QStringLiteral("%n"), QString::number(count))
            .replace(QStringLiteral("(s)"), count == 1 ? QString() : QStringLiteral("s")));
    intro->setWordWrap(true);
    keepWidth_->setObjectName(QStringLiteral("keepWidth"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Size"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(keepWidth_);
    layout->addWidget(buttons);
}

bool SizingOptionsDialog::keepWidth() const {
    return keepWidth_->isChecked();
}

}  // namespace bpd::schedule
