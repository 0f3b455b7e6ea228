#pragma once
// What pelgro-sysinfo reports: the operating system, kernel, processor, memory, screens and
// the versions of Qt and of the program, as (item, value) pairs in display order.

#include <QList>
#include <QPair>
#include <QString>

namespace bpd::sysinfo {

using SummaryItem = QPair<QString, QString>;

// procRoot is where cpuinfo and meminfo are read ("/proc"; tests pass a folder of samples).
QList<SummaryItem> collectSummary(const QString& procRoot = QStringLiteral("/proc"));

// "model name" of the first processor in a cpuinfo text ("" when absent).
QString processorModel(const QString& cpuinfo);
// MemTotal and MemAvailable of a meminfo text, in kB (-1 when absent).
qint64 meminfoKilobytes(const QString& meminfo, const QString& field);
// 16318208 kB -> "15.6 GiB".
QString formatKilobytes(qint64 kilobytes);

// The summary as "Item: value" lines.
QString summaryText(const QList<SummaryItem>& items);

}  // namespace bpd::sysinfo
