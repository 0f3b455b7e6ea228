// pelgro-sysinfo: a small window with the facts a support call asks for first.
//   pelgro-sysinfo          shows the window
//   pelgro-sysinfo --text   prints the same lines and ends

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>
#include <QWidget>

#include "SystemSummary.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("pelgro-sysinfo"));
    const auto items = bpd::sysinfo::collectSummary();
    if (QApplication::arguments().contains(QStringLiteral("--text"))) {
        QTextStream(stdout) << bpd::sysinfo::summaryText(items);
        return 0;
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("System Information"));
    auto* table = new QTableWidget(static_cast<int>(items.size()), 2, &window);
    table->setObjectName(QStringLiteral("summaryTable"));
    table->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Value")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int row = 0; row < items.size(); ++row) {
        table->setItem(row, 0, new QTableWidgetItem(items.at(row).first));
        table->setItem(row, 1, new QTableWidgetItem(items.at(row).second));
    }
    table->resizeColumnsToContents();
    table->horizontalHeader()->setStretchLastSection(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &window);
    QPushButton* copy = buttons->addButton(QStringLiteral("Copy"), QDialogButtonBox::ActionRole);
    QObject::connect(copy, &QPushButton::clicked, [&items] {
        QGuiApplication::clipboard()->setText(bpd::sysinfo::summaryText(items));
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &window, &QWidget::close);

    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(table);
    layout->addWidget(buttons);
    window.resize(640, 360);
    window.show();
    return app.exec();
}
