#pragma once
// Fakes for the report tests: a shell, message boxes and a printer that only record what they
// were asked, and a settings store isolated in a temporary folder.

#include <QFile>
#include <QImage>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <memory>

#include "FakeServices.h"
#include "PrinterService.h"
#include "RegistryStore.h"
#include "Services.h"

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
        return platform::PrinterService::beginPdf(path);  // the real PDF writer
    }
    QString choosePdfPath(QWidget*, const QString&) override { return pdfPath; }
};

// Installs fresh fakes and a store in its own temporary folder for one test.
struct ServiceFixture {
    QTemporaryDir dir;
    std::shared_ptr<FakeShell> shell = std::make_shared<FakeShell>();
    std::shared_ptr<FakeMessages> messages = std::make_shared<FakeMessages>();
    std::shared_ptr<FakePrinter> printer = std::make_shared<FakePrinter>();
    std::shared_ptr<platform::IniRegistryStore> store;

    ServiceFixture() {
        auto& services = platform::Services::instance();
        services.reset();
        store = std::make_shared<platform::IniRegistryStore>(dir.filePath(QStringLiteral("config")),
                                                             messages);
        services.setRegistry(store);
        services.setShell(shell);
        services.setMessages(messages);
        services.setPrinter(printer);
    }
    ~ServiceFixture() { platform::Services::instance().reset(); }
    QString path(const QString& name) const { return dir.filePath(name); }
};

}  // namespace bpd::testing
