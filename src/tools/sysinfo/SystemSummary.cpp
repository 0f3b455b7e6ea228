#include "SystemSummary.h"

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QSysInfo>
#include <QThread>
#include <QtGlobal>

#ifndef BPD_PROGRAM_VERSION
#define BPD_PROGRAM_VERSION "unknown"
#endif

namespace bpd::sysinfo {

namespace {
QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    return QString::fromLocal8Bit(file.readAll());
}
}  // namespace

QString processorModel(const QString& cpuinfo) {
    static const QRegularExpression model(QStringLiteral("^model name\\s*:\\s*(.+)$"),
                                          QRegularExpression::MultilineOption);
    const auto match = model.match(cpuinfo);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

qint64 meminfoKilobytes(const QString& meminfo, const QString& field) {
    const QRegularExpression line(
        QStringLiteral("^%1:\\s*(\\d+)\\s*kB").arg(QRegularExpression::escape(field)),
        QRegularExpression::MultilineOption);
    const auto match = line.match(meminfo);
    return match.hasMatch() ? match.captured(1).toLongLong() : -1;
}

QString formatKilobytes(qint64 kilobytes) {
    if (kilobytes < 0) return QStringLiteral("unknown");
    const double gib = static_cast<double>(kilobytes) / (1024.0 * 1024.0);
    if (gib >= 1.0) return QStringLiteral("%1 GiB").arg(gib, 0, 'f', 1);
    return QStringLiteral("%1 MiB").arg(static_cast<double>(kilobytes) / 1024.0, 0, 'f', 0);
}

QList<SummaryItem> collectSummary(const QString& procRoot) {
    QList<SummaryItem> items;
    items << SummaryItem{QStringLiteral("Operating system"), QSysInfo::prettyProductName()};
    items << SummaryItem{QStringLiteral("Kernel"),
                         QSysInfo::kernelType() + u' ' + QSysInfo::kernelVersion()};

    const QString cpuinfo = readText(procRoot + QStringLiteral("/cpuinfo"));
    QString processor = processorModel(cpuinfo);
    if (processor.isEmpty()) processor = QStringLiteral("unknown model");
    items << SummaryItem{QStringLiteral("Processor"),
                         QStringLiteral("%1 (%2, %3 logical processors)")
                             .arg(processor, QSysInfo::currentCpuArchitecture())
                             .arg(QThread::idealThreadCount())};

    const QString meminfo = readText(procRoot + QStringLiteral("/meminfo"));
    items << SummaryItem{
        QStringLiteral("Memory"),
        QStringLiteral("%1 total, %2 available")
            .arg(formatKilobytes(meminfoKilobytes(meminfo, QStringLiteral("MemTotal"))),
                 formatKilobytes(meminfoKilobytes(meminfo, QStringLiteral("MemAvailable"))))};

    const auto screens = QGuiApplication::screens();
    if (screens.isEmpty()) items << SummaryItem{QStringLiteral("Screen"), QStringLiteral("none")};
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QScreen* screen = screens.at(i);
        const QRect geometry = screen->geometry();
        const QString size = QStringLiteral("%1 x %2 at %3,%4, %5 dpi, scale %6")
                                 .arg(geometry.width())
                                 .arg(geometry.height())
                                 .arg(geometry.x())
                                 .arg(geometry.y())
                                 .arg(qRound(screen->logicalDotsPerInch()))
                                 .arg(screen->devicePixelRatio());
        items << SummaryItem{
            QStringLiteral("Screen %1").arg(i + 1),
            screen->name().isEmpty() ? size : screen->name() + QStringLiteral(": ") + size};
    }
    items << SummaryItem{QStringLiteral("Window system"), QGuiApplication::platformName()};
    items << SummaryItem{QStringLiteral("Qt version"),
                         QStringLiteral("%1 (built with %2)")
                             .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR))};
    items << SummaryItem{
        QStringLiteral("Program version"),
        QStringLiteral("Pelgro Bearing Pad Design %1").arg(QStringLiteral(BPD_PROGRAM_VERSION))};
    return items;
}

QString summaryText(const QList<SummaryItem>& items) {
    QString text;
    for (const auto& [item, value] : items) text += item + QStringLiteral(": ") + value + u'\n';
    return text;
}

}  // namespace bpd::sysinfo
