#pragma once
// The printer of the tests: a default printer whose pages are recorded instead of printed
// (or none installed), a PDF job that is the program's own file writer, and a save dialog that
// answers what the test set.

#include <QImage>
#include <QList>
#include <QRectF>
#include <QString>
#include <memory>

#include "PdfFileJob.h"
#include "PrinterService.h"

namespace bpd::testing {

// A page that records what was painted on it.
struct FakeJob : platform::PrintJob {
    QSizeF printable;
    bool failEnd = false;
    QList<QRectF>* painted = nullptr;
    QList<QImage>* images = nullptr;
    int* ended = nullptr;

    QSizeF printableTwips() const override { return printable; }
    bool paint(const QImage& image, const QRectF& twips) override {
        *painted << twips;
        *images << image;
        return true;
    }
    bool end() override {
        ++*ended;
        return !failEnd;
    }
    QString errorString() const override { return QStringLiteral("paper jam"); }
};

struct FakePrinter : platform::PrinterService {
    bool installed = true;
    bool failEnd = false;
    QSizeF printable = QSizeF(15840, 12240 - 720);  // landscape letter less margins
    QString pdfPath;                                // what the save dialog answers
    QList<QRectF> painted;
    QList<QImage> images;
    int ended = 0;
    int pdfJobs = 0;

    bool hasPrinter() const override { return installed; }
    QString defaultPrinterName() const override {
        return installed ? QStringLiteral("fake") : QString();
    }
    std::unique_ptr<platform::PrintJob> beginDefault() override {
        if (!installed) return nullptr;
        auto job = std::make_unique<FakeJob>();
        job->printable = printable;
        job->failEnd = failEnd;
        job->painted = &painted;
        job->images = &images;
        job->ended = &ended;
        return job;
    }
    std::unique_ptr<platform::PrintJob> beginPdf(const QString& path) override {
        ++pdfJobs;
        return std::make_unique<platform::PdfFileJob>(path);  // the real PDF writer
    }
    QString choosePdfPath(QWidget*, const QString&) override { return pdfPath; }
};

}  // namespace bpd::testing
