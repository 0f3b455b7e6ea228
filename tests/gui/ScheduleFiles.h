#pragma once
// Files and jobs of the schedule tests: a file's bytes read and written whole, the bytes of the
// three-bearing design file, and a click on Cancel once a long job is underway.

#include <QAbstractButton>
#include <QByteArray>
#include <QFile>
#include <QProgressDialog>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include "BackgroundJob.h"
#include "DesignFileWriter.h"
#include "ScheduleDocuments.h"

namespace bpd::testing {

inline QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// QVERIFY and QCOMPARE return from the caller's test only through this void function: a
// failed write fails the test at this line.
inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

// threeBearings() as a design file holds it.
inline QByteArray bridgeBytes() {
    return QByteArray::fromStdString(designfile::writeDesignText(threeBearings()));
}

// Writes the three-bearing design file at path and returns path.
inline QString bridgeFile(const QString& path) {
    writeBytes(path, bridgeBytes());
    return path;
}

// Clicks the progress dialog's Cancel as soon as it shows some progress.
inline void cancelWhenUnderway(QWidget& window) {
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, poll, [&window, poll] {
        auto* dialog = window.findChild<QProgressDialog*>(schedule::BackgroundJob::kDialogName);
        if (!dialog || !dialog->isVisible() || dialog->value() < 1) return;
        for (QAbstractButton* b : dialog->findChildren<QAbstractButton*>())
            QTest::mouseClick(b, Qt::LeftButton);
        poll->deleteLater();
    });
    poll->start(5);
}

}  // namespace bpd::testing
