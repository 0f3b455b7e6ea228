#pragma once
// The printer behind the window print: the default printer, or a PDF file when there is none.
//
// A PrintJob is one landscape page measured in twips (1440 per inch) from the top-left corner
// of the printable area. Images are drawn losslessly and cut at the printable area's edges.
// Whether a printer exists is decided by the installed printers, not by QPrinter::isValid(),
// which answers true without any. A job the print system refuses fails with its reason.

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <memory>

class QImage;
class QPagedPaintDevice;
class QPrinter;
class QWidget;

namespace bpd::platform {

class PrintJob {
public:
    virtual ~PrintJob() = default;
    // The printable width and height of the landscape page, in twips.
    virtual QSizeF printableTwips() const = 0;
    // Draws the image into the rectangle (twips); false when the page cannot be drawn.
    virtual bool paint(const QImage& image, const QRectF& twips) = 0;
    // Ends the document and sends it off; false when that fails.
    virtual bool end() = 0;
    virtual QString errorString() const = 0;

protected:
    // The printable area of a paged device, in twips.
    static QSizeF printableTwipsOf(const QPagedPaintDevice& device);
    // Draws the image into the rectangle (twips) as the device's one page; "" or the reason.
    static QString drawPage(QPagedPaintDevice& device, const QImage& image, const QRectF& twips);
};

class PrinterService {
public:
    virtual ~PrinterService() = default;

    // True when at least one printer is installed.
    virtual bool hasPrinter() const;
    virtual QString defaultPrinterName() const;
    // A landscape job on the default printer; nullptr when there is no printer.
    virtual std::unique_ptr<PrintJob> beginDefault();
    // A landscape job that writes a PDF file, which replaces `path` only when the job ends
    // and the whole file was written (PdfFileJob).
    virtual std::unique_ptr<PrintJob> beginPdf(const QString& path);
    // Asks the user where to save a PDF file; empty when cancelled.
    virtual QString choosePdfPath(QWidget* parent, const QString& suggestedPath);
};

// A job on a configured QPrinter of the print system: the queue is asked before the page is
// drawn, and the print system's answer to the job is read when Qt has sent it (CupsQueue).
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
