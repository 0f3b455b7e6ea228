// bpd-artwork-sheet OUT.png: renders every picture of the program into one labelled contact
// sheet, so the artwork can be reviewed at a glance. Runs headless (offscreen) by default.

#include "ContactSheet.h"

#include <QBuffer>
#include <QGuiApplication>

#include "AtomicFile.h"

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2 || args[1].startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "usage: bpd-artwork-sheet OUT.png\n");
        return 2;
    }
    const QImage sheet = bpd::tools::renderContactSheet();
    QBuffer png;
    QString error = QStringLiteral("the picture cannot be encoded");
    if (!png.open(QIODevice::WriteOnly) || !sheet.save(&png, "PNG") ||
        !bpd::platform::AtomicFile::writeFile(args[1], png.data(), &error)) {
        std::fprintf(stderr, "bpd-artwork-sheet: cannot write %s: %s\n", qPrintable(args[1]),
                     qPrintable(error));
        return 1;
    }
    return 0;
}
