#include "PadProposalsDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace bpd::schedule {

namespace {

constexpr int kPositionRole = Qt::UserRole + 1;

}  // namespace

PadProposalsDialog::PadProposalsDialog(const std::vector<PadProposal>& proposals, QWidget* parent)
    : QDialog(parent), list_(new QTreeWidget), apply_(nullptr) {
    setObjectName(QStringLiteral("PadProposalsDialog"));
    setWindowTitle(QStringLiteral("Sizing Proposals"));
    int found = 0;
    for (const PadProposal& p : proposals) found += p.found ? 1 : 0;
    auto* intro = new QLabel(
        QStringLiteral("A passing pad was found for %1 of %2 bearings. Tick the pads to apply; "
                       "they are applied as one step that Undo takes back.")
            .arg(found)
            .arg(proposals.size()));
    intro->setWordWrap(true);
    intro->setBuddy(list_);

    list_->setObjectName(QStringLiteral("proposalList"));
    list_->setAccessibleName(QStringLiteral("Sizing proposals"));
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setColumnCount(ColumnCount);
    list_->setHeaderLabels({QStringLiteral("Mark"), QStringLiteral("Pad now"),
                            QStringLiteral("Pad proposed"), QStringLiteral("Governs"),
                            QStringLiteral("Utilisation, or why none passes")});
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(proposals.size()));
    for (std::size_t i = 0; i < proposals.size(); ++i) {
        const PadProposal& p = proposals[i];
        auto* item = new QTreeWidgetItem;
        item->setText(Mark, p.mark);
        item->setText(OldPad, p.oldPad);
        item->setData(Mark, kPositionRole, static_cast<int>(i));
        if (p.found) {
            item->setText(NewPad, p.newPad);
            item->setText(Governs, p.governs);
            item->setText(Utilisation, p.utilisation);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Mark, Qt::Checked);
        } else {
            item->setText(NewPad, QStringLiteral("none"));
            item->setText(Utilisation, p.reason);
            item->setToolTip(Utilisation, p.reason);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        }
        items << item;
    }
    list_->addTopLevelItems(items);
    list_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list_->header()->setStretchLastSection(true);
    if (!items.isEmpty()) list_->setCurrentItem(items.front());

    auto* buttons = new QDialogButtonBox;
    apply_ = buttons->addButton(QStringLiteral("&Apply"), QDialogButtonBox::AcceptRole);
    apply_->setObjectName(QStringLiteral("applyProposals"));
    buttons->addButton(QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTreeWidget::itemChanged, this, [this] { updateApply(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(860, 420);
    updateApply();
}

std::vector<int> PadProposalsDialog::accepted() const {
    std::vector<int> positions;
    for (int i = 0; i < list_->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list_->topLevelItem(i);
        if ((item->flags() & Qt::ItemIsUserCheckable) && item->checkState(Mark) == Qt::Checked)
            positions.push_back(item->data(Mark, kPositionRole).toInt());
    }
    return positions;
}

void PadProposalsDialog::updateApply() {
    apply_->setEnabled(!accepted().empty());
}

}  // namespace bpd::schedule
