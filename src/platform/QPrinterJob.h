#pragma once
// A job on a configured QPrinter of the print system: the queue is asked before the page is
// drawn, and the print system's answer to the job is read when Qt has sent it (CupsQueue).

#include <memory>

#include "PrintJob.h"

class QPrinter;

namespace bpd::platform {

class QPrinterJob : public PrintJob {
public:
    explicit QPrinterJob(std::unique_ptr<QPrinter> printer);
    ~QPrinterJob() override;

    QSizeF printableTwips() const override;
    bool paint(const QImage& image, const QRectF& twips) override;
    bool end() override;
    QString errorString() const override { return error_; }

private:
    std::unique_ptr<QPrinter> printer_;
    QString error_;
    bool painted_ = false;
};

}  // namespace bpd::platform
