#include "ScheduleTransfer.h"

#include <QFile>
#include <QFileInfo>
#include <QtConcurrent/QtConcurrentRun>
#include <memory>

#include "AtomicFile.h"
#include "CsvImport.h"
#include "CsvImportDialog.h"
#include "MessageService.h"
#include "ScheduleModel.h"
#include "ScheduleSheet.h"
#include "ScheduleWorkbook.h"

namespace bpd::schedule {

namespace {

QString quoted(const QString& path) {
    return QLatin1Char('"') + QFileInfo(path).fileName() + QLatin1Char('"');
}

}  // namespace

ScheduleTransfer::ScheduleTransfer(ScheduleModel& model, platform::MessageService& messages,
                                   QWidget* window)
    : QObject(window), model_(model), messages_(messages), window_(window) {
    connect(&watcher_, &QFutureWatcher<QString>::finished, this, [this] {
        const QString error = watcher_.result();
        if (!error.isEmpty())
            messages_.warning(window_, platform::kMessageTitle,
                              QStringLiteral("%1 could not be written: %2.\nThe file keeps what "
                                             "it held.")
                                  .arg(quoted(exportPath_), error));
        emit exported(exportPath_, error);
    });
}

ScheduleTransfer::~ScheduleTransfer() {
    watcher_.disconnect(this);
    watcher_.waitForFinished();
}

void ScheduleTransfer::importFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        messages_.warning(
            window_, platform::kMessageTitle,
            QStringLiteral("%1 could not be read: %2.").arg(quoted(path), file.errorString()));
        return;
    }
    // One byte beyond the limit, so the reader refuses a larger file without reading it all.
    const QByteArray bytes = file.read(static_cast<qint64>(designfile::kMaxCsvBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        messages_.warning(
            window_, platform::kMessageTitle,
            QStringLiteral("%1 could not be read: %2.").arg(quoted(path), file.errorString()));
        return;
    }
    const UnitSystem units = model_.document().units;
    auto import = std::make_shared<designfile::CsvImport>(designfile::readBearingCsv(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), units));
    if (import->badLineCount == 0) {
        if (!model_.importBearings(std::move(import->bearings)))
            messages_.information(window_, platform::kMessageTitle,
                                  QStringLiteral("%1 holds no bearings.").arg(quoted(path)));
        return;
    }
    auto* review = new CsvImportDialog(*import, quoted(path), units, window_);
    review->setAttribute(Qt::WA_DeleteOnClose);
    connect(review, &QDialog::accepted, this,
            [this, import] { model_.importBearings(std::move(import->bearings)); });
    review->open();
}

bool ScheduleTransfer::exportFile(Format format, const QString& path) {
    if (exporting()) {
        messages_.warning(window_, platform::kMessageTitle,
                          QStringLiteral("%1 is still being written; export again when it is "
                                         "done.")
                              .arg(quoted(exportPath_)));
        return false;
    }
    exportPath_ = path;
    watcher_.setFuture(QtConcurrent::run(
        [format, path, sheet = ScheduleSheet::of(model_)] { return write(format, sheet, path); }));
    return true;
}

QString ScheduleTransfer::write(Format format, const ScheduleSheet& sheet, const QString& path) {
    QString error;
    if (format == Format::Workbook) {
        ScheduleWorkbook::write(sheet, path, &error);
        return error;
    }
    const std::string text = designfile::writeBearingCsv(sheet.lines);
    platform::AtomicFile::writeFile(path, QByteArrayView(text.data(), qsizetype(text.size())),
                                    &error);
    return error;
}

}  // namespace bpd::schedule
