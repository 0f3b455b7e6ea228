#include "PdfStructure.h"

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>

namespace bpd::platform {

namespace {

constexpr qsizetype kTrailerWindow = 1024;

// The cross-reference table at `offset`: every in-use entry must point at "<n> <gen> obj".
QString problemInTable(QByteArrayView bytes, qsizetype offset) {
    static const QRegularExpression subsection(QStringLiteral("^(\\d+) (\\d+)\\s*$"));
    static const QRegularExpression entry(QStringLiteral("^(\\d{10}) (\\d{5}) ([nf])\\s*$"));
    const QList<QByteArray> lines = bytes.sliced(offset).toByteArray().split('\n');
    qsizetype line = 1;  // after "xref"
    while (line < lines.size()) {
        const auto head = subsection.match(QString::fromLatin1(lines.at(line)));
        if (!head.hasMatch()) break;  // "trailer"
        const qint64 first = head.captured(1).toLongLong();
        const qint64 count = head.captured(2).toLongLong();
        ++line;
        for (qint64 i = 0; i < count; ++i, ++line) {
            const auto e = entry.match(QString::fromLatin1(lines.value(line)));
            if (!e.hasMatch()) return QStringLiteral("its cross-reference table is cut short");
            if (e.captured(3) != u"n") continue;
            const qint64 at = e.captured(1).toLongLong();
            const QByteArray object = QByteArray::number(first + i) + ' ' +
                                      QByteArray::number(e.captured(2).toInt()) + " obj";
            if (at >= bytes.size() || !bytes.sliced(at).startsWith(object))
                return QStringLiteral("object %1 is not where its table says").arg(first + i);
        }
    }
    return lines.value(line).startsWith("trailer") ? QString()
                                                   : QStringLiteral("its trailer is missing");
}

}  // namespace

QString PdfStructure::problemIn(QByteArrayView bytes) {
    QString problem;
    if (!bytes.startsWith("%PDF-")) {
        problem = QStringLiteral("it does not begin as a PDF document");
    } else {
        const QByteArray tail = bytes.last(qMin(bytes.size(), kTrailerWindow)).toByteArray();
        const qsizetype at = tail.lastIndexOf("startxref");
        if (!tail.trimmed().endsWith("%%EOF") || at < 0) {
            problem = QStringLiteral("its end is missing");
        } else {
            bool ok = false;
            const qint64 offset =
                tail.mid(at + 9).trimmed().split('\n').value(0).trimmed().toLongLong(&ok);
            if (!ok || offset <= 0 || offset >= bytes.size() ||
                !bytes.sliced(offset).startsWith("xref"))
                problem = QStringLiteral("its cross-reference table is not where the end says");
            else
                problem = problemInTable(bytes, offset);
        }
    }
    return problem.isEmpty() ? QString()
                             : QStringLiteral("The written PDF file is damaged: %1.").arg(problem);
}

QString PdfStructure::problemInFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("The written PDF file could not be read back: %1.")
            .arg(file.errorString());
    return problemIn(file.readAll());
}

}  // namespace bpd::platform
