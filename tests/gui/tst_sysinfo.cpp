// The system information program's readings of /proc and their texts.

#include <QTemporaryDir>
#include <QtTest>

#include "SystemSummary.h"

using namespace bpd::sysinfo;

class TestSysInfo : public QObject {
    Q_OBJECT

private slots:
    void processorModel_data() {
        QTest::addColumn<QString>("cpuinfo");
        QTest::addColumn<QString>("model");
        QTest::newRow("x86") << QStringLiteral(
                                    "processor\t: 0\nvendor_id\t: GenuineIntel\n"
                                    "model name\t: Intel(R) Xeon(R) CPU @ 2.20GHz\n"
                                    "processor\t: 1\nmodel name\t: second\n")
                             << QStringLiteral("Intel(R) Xeon(R) CPU @ 2.20GHz");
        QTest::newRow("no model line")
            << QStringLiteral("processor : 0\nBogoMIPS : 50.00\n") << QString();
    }
    void processorModel() {
        QFETCH(QString, cpuinfo);
        QFETCH(QString, model);
        QCOMPARE(bpd::sysinfo::processorModel(cpuinfo), model);
    }

    void memory() {
        const QString meminfo = QStringLiteral(
            "MemTotal:       16318208 kB\nMemFree: 100 kB\n"
            "MemAvailable:    524288 kB\n");
        QCOMPARE(meminfoKilobytes(meminfo, QStringLiteral("MemTotal")), 16318208);
        QCOMPARE(meminfoKilobytes(meminfo, QStringLiteral("MemAvailable")), 524288);
        QCOMPARE(meminfoKilobytes(meminfo, QStringLiteral("SwapTotal")), -1);
        QCOMPARE(formatKilobytes(16318208), QStringLiteral("15.6 GiB"));
        QCOMPARE(formatKilobytes(524288), QStringLiteral("512 MiB"));
        QCOMPARE(formatKilobytes(-1), QStringLiteral("unknown"));
    }

    void summaryFromSampleFiles() {
        QTemporaryDir proc;
        QFile cpu(proc.filePath(QStringLiteral("cpuinfo")));
        QVERIFY(cpu.open(QIODevice::WriteOnly));
        cpu.write("model name\t: Sample CPU\n");
        cpu.close();
        QFile mem(proc.filePath(QStringLiteral("meminfo")));
        QVERIFY(mem.open(QIODevice::WriteOnly));
        mem.write("MemTotal: 2097152 kB\nMemAvailable: 1048576 kB\n");
        mem.close();
        const auto items = collectSummary(proc.path());
        QStringList names;
        for (const auto& item : items) names << item.first;
        QCOMPARE(names.mid(0, 4),
                 (QStringList{"Operating system", "Kernel", "Processor", "Memory"}));
        QVERIFY(names.contains(QStringLiteral("Screen 1")));
        QCOMPARE(names.mid(names.size() - 2), (QStringList{"Qt version", "Program version"}));
        QVERIFY(items.at(2).second.startsWith(QStringLiteral("Sample CPU (")));
        QCOMPARE(items.at(3).second, QStringLiteral("2.0 GiB total, 1.0 GiB available"));
        QVERIFY(summaryText(items).startsWith(QStringLiteral("Operating system: ")));
    }

    void missingProcFilesReadAsUnknown() {
        QTemporaryDir empty;
        const auto items = collectSummary(empty.path());
        QVERIFY(items.at(2).second.startsWith(QStringLiteral("unknown model")));
        QCOMPARE(items.at(3).second, QStringLiteral("unknown total, unknown available"));
    }
};

QTEST_MAIN(TestSysInfo)
#include "tst_sysinfo.moc"
