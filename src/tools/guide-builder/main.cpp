// pelgro-guide-builder SOURCE.html OUTPUT.pdf [TITLE]
// Renders the design guide's source to PDF at build time. The worked examples' numbers are
// put in by the program's own engine (see GuideExamples.h), so they always match the program.

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextStream>
#include <cstdio>

#include "AtomicFile.h"
#include "GuideExamples.h"

int main(int argc, char* argv[]) {
    // A build tool: it never shows a window, so it needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: pelgro-guide-builder SOURCE.html OUTPUT.pdf [TITLE]\n");
        return 2;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "pelgro-guide-builder: cannot read %s: %s\n", qPrintable(args.at(1)),
                     qPrintable(source.errorString()));
        return 1;
    }
    QStringList errors;
    const QString html =
        bpd::guide::expandPlaceholders(QString::fromUtf8(source.readAll()), errors);
    if (!errors.isEmpty()) {
        std::fprintf(stderr, "pelgro-guide-builder: cannot expand %s\n",
                     qPrintable(errors.join(QStringLiteral(", "))));
        return 1;
    }

    QBuffer output;  // rendered in memory, then written whole or not at all
    output.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&output);
        writer.setTitle(args.size() > 3 ? args.at(3) : QStringLiteral("Ravelon Design Guide"));
        writer.setCreator(QStringLiteral("Pelgro Bearing Pad Design"));
        writer.setResolution(300);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                         QMarginsF(18, 18, 18, 18), QPageLayout::Millimeter));
        QTextDocument document;
        QFont body(QStringLiteral("Liberation Serif"));
        body.setPointSizeF(10.5);
        document.setDefaultFont(body);
        document.setHtml(html);
        document.print(&writer);  // page numbers at the foot of every page
    }
    QString error;
    if (!bpd::platform::AtomicFile::writeFile(args.at(2), output.data(), &error)) {
        std::fprintf(stderr, "pelgro-guide-builder: cannot write %s: %s\n", qPrintable(args.at(2)),
                     qPrintable(error));
        return 1;
    }
    return 0;
}
