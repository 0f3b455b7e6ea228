#pragma once
// The page as a PDF file, for a desktop without a printer.
//
// The page is drawn into memory; when the job ends, the document is written through
// AtomicFile and read back (PdfStructure) before it replaces the chosen file. A full disk, a
// read-only folder or a damaged write leave any file of that name byte-identical, and
// errorString() gives the system's reason.

#include <QBuffer>
#include <memory>

#include "PrintJob.h"

class QPdfWriter;

namespace bpd::platform {

class PdfFileJob : public PrintJob {
public:
    explicit PdfFileJob(QString path);
    ~PdfFileJob() override;

    QSizeF printableTwips() const override;
    bool paint(const QImage& image, const QRectF& twips) override;
    bool end() override;
    QString errorString() const override { return error_; }

private:
    QString path_;
    QBuffer document_;
    std::unique_ptr<QPdfWriter> writer_;
    QString error_;
    bool painted_ = false;
};

}  // namespace bpd::platform
