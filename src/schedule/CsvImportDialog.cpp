#include "CsvImportDialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace bpd::schedule {

namespace {

QString fromEngine(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

CsvImportDialog::CsvImportDialog(const designfile::CsvImport& import, const QString& fileName,
                                 UnitSystem units, QWidget* parent)
    : QDialog(parent), import_(new QPushButton) {
    setObjectName(QStringLiteral("CsvImportDialog"));
    setWindowTitle(QStringLiteral("Import CSV"));

    const auto good = static_cast<qsizetype>(import.bearings.size());
    const QString form = import.form == designfile::CsvForm::SemicolonDecimalComma
                             ? QStringLiteral("semicolons and decimal commas")
                             : QStringLiteral("commas and decimal points");
    auto* summary = new QLabel(
        QStringLiteral("%1 (%2): %3 can be imported, in the schedule's units (%4).\n"
                       "%5 cannot be read and will not be imported:")
            .arg(fileName, form,
                 good == 1 ? QStringLiteral("1 bearing") : QStringLiteral("%1 bearings").arg(good),
                 QString::fromLatin1(unitSystemName(units)),
                 import.badLineCount == 1 ? QStringLiteral("1 line")
                                          : QStringLiteral("%1 lines").arg(import.badLineCount)));
    summary->setObjectName(QStringLiteral("importSummary"));
    summary->setWordWrap(true);

    auto* lines = new QTableWidget(static_cast<int>(import.badLines.size()), 2);
    lines->setObjectName(QStringLiteral("badLines"));
    lines->setAccessibleName(QStringLiteral("Lines that cannot be read"));
    lines->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Reason")});
    lines->verticalHeader()->hide();
    lines->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lines->setSelectionBehavior(QAbstractItemView::SelectRows);
    lines->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    lines->horizontalHeader()->setStretchLastSection(true);
    lines->verticalHeader()->setDefaultSectionSize(lines->fontMetrics().height() + 6);
    for (int row = 0; row < lines->rowCount(); ++row) {
        const designfile::CsvBadLine& bad = import.badLines[static_cast<std::size_t>(row)];
        auto* number = new QTableWidgetItem(QString::number(bad.line));
        number->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        lines->setItem(row, 0, number);
        auto* reason = new QTableWidgetItem(fromEngine(bad.reason));
        reason->setToolTip(reason->text());
        lines->setItem(row, 1, reason);
    }
    summary->setBuddy(lines);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(lines);
    const auto listed = static_cast<std::int64_t>(import.badLines.size());
    if (import.badLineCount > listed) {
        auto* more =
            new QLabel(QStringLiteral("and %1 more lines").arg(import.badLineCount - listed));
        more->setObjectName(QStringLiteral("moreBadLines"));
        layout->addWidget(more);
    }
    if (!import.formNote.empty()) {
        auto* note = new QLabel(fromEngine(import.formNote));
        note->setObjectName(QStringLiteral("formNote"));
        note->setWordWrap(true);
        layout->addWidget(note);
    }

    auto* buttons = new QDialogButtonBox;
    import_->setObjectName(QStringLiteral("importButton"));
    import_->setText(good == 1 ? QStringLiteral("&Import 1 Bearing")
                               : QStringLiteral("&Import %1 Bearings").arg(good));
    import_->setEnabled(good > 0);
    buttons->addButton(import_, QDialogButtonBox::AcceptRole);
    import_->setDefault(good > 0);  // its caption says what Enter does; Esc cancels
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(640, 360);
}

}  // namespace bpd::schedule
