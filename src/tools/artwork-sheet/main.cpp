// bpd-artwork-sheet OUT.png: renders every picture of the program into one labelled contact
// sheet, so the artwork can be reviewed at a glance. Runs headless (offscreen) by default.

#include "ContactSheet.h"

#include <QGuiApplication>
#include <QSaveFile>

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
    QSaveFile file(args[1]);
    if (!file.open(QIODevice::WriteOnly) || !sheet.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "bpd-artwork-sheet: cannot write %s\n", qPrintable(args[1]));
        return 1;
    }
    return 0;
}
