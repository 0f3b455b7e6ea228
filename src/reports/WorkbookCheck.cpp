#include "WorkbookCheck.h"

#include <QByteArray>
#include <QFile>
#include <QSet>
#include <QXmlStreamReader>

#include <unzip.h>

#include <algorithm>
#include <memory>

namespace bpd::reports {

namespace {

constexpr uLong kNameRoom = 1024;

struct ArchiveCloser {
    void operator()(void* archive) const { unzClose(archive); }
};
using Archive = std::unique_ptr<void, ArchiveCloser>;

constexpr qint64 kEndRecordSize = 22;  // without its comment
constexpr qint64 kLongestComment = 0xFFFF;

quint32 little(const char* at, int bytes) {
    quint32 value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(at[i]);
    return value;
}

// The end-of-central-directory record must end the file exactly, and the directory it names
// must end where the record starts (minizip takes a record cut short as whole).
QString endRecordProblem(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    const qint64 size = file.size();
    const qint64 tailStart = std::max<qint64>(0, size - kEndRecordSize - kLongestComment);
    if (!file.seek(tailStart)) return file.errorString();
    const QByteArray tail = file.readAll();
    for (qint64 at = tail.size() - kEndRecordSize; at >= 0; --at) {
        const char* record = tail.constData() + at;
        if (little(record, 4) != 0x06054b50) continue;
        if (at + kEndRecordSize + little(record + 20, 2) != tail.size()) continue;
        const qint64 recordStart = tailStart + at;
        if (qint64(little(record + 12, 4)) + qint64(little(record + 16, 4)) != recordStart)
            return QStringLiteral(
                "The written workbook's zip directory does not end where its "
                "end record starts.");
        return {};
    }
    return QStringLiteral("The written workbook is not a complete zip archive.");
}

bool isXmlPart(const QString& name) {
    return name.endsWith(QLatin1String(".xml")) || name.endsWith(QLatin1String(".rels"));
}

// Inflates the current member whole; minizip compares the CRC once the last byte is read.
QString readCurrentMember(unzFile archive, const unz_file_info64& info, QByteArray* contents) {
    if (unzOpenCurrentFile(archive) != UNZ_OK) return QStringLiteral("its local header is damaged");
    char buffer[16384];
    int read = 0;
    while ((read = unzReadCurrentFile(archive, buffer, sizeof buffer)) > 0)
        contents->append(buffer, read);
    const int closed = unzCloseCurrentFile(archive);
    if (read < 0) return QStringLiteral("its data cannot be read");
    if (closed == UNZ_CRCERROR) return QStringLiteral("its data do not match their checksum");
    if (closed != UNZ_OK) return QStringLiteral("its data cannot be read");
    if (quint64(contents->size()) != info.uncompressed_size)
        return QStringLiteral("it holds %1 of %2 bytes")
            .arg(contents->size())
            .arg(info.uncompressed_size);
    return {};
}

QString xmlProblem(const QByteArray& contents) {
    QXmlStreamReader xml(contents);
    while (!xml.atEnd()) xml.readNext();
    return xml.hasError() ? QStringLiteral("it is not well-formed XML (%1)").arg(xml.errorString())
                          : QString();
}

}  // namespace

const QStringList& WorkbookCheck::requiredParts() {
    static const QStringList parts = {
        QStringLiteral("[Content_Types].xml"),  QStringLiteral("_rels/.rels"),
        QStringLiteral("docProps/app.xml"),     QStringLiteral("docProps/core.xml"),
        QStringLiteral("xl/workbook.xml"),      QStringLiteral("xl/_rels/workbook.xml.rels"),
        QStringLiteral("xl/styles.xml"),        QStringLiteral("xl/theme/theme1.xml"),
        QStringLiteral("xl/sharedStrings.xml"), QStringLiteral("xl/worksheets/sheet1.xml")};
    return parts;
}

QString WorkbookCheck::problem(const QString& path) {
    if (const QString why = endRecordProblem(path); !why.isEmpty()) return why;
    // unzOpen64 reads the end record and the directory's place; the entries follow one by one.
    const Archive archive(unzOpen64(QFile::encodeName(path).constData()));
    if (!archive) return QStringLiteral("The written workbook is not a complete zip archive.");
    unz_global_info64 global{};
    if (unzGetGlobalInfo64(archive.get(), &global) != UNZ_OK)
        return QStringLiteral("The written workbook's zip directory cannot be read.");

    QSet<QString> found;
    quint64 entries = 0;
    for (int step = unzGoToFirstFile(archive.get()); step != UNZ_END_OF_LIST_OF_FILE;
         step = unzGoToNextFile(archive.get())) {
        if (step != UNZ_OK)
            return QStringLiteral(
                       "The written workbook's zip directory is damaged after %1 "
                       "entries.")
                .arg(entries);
        unz_file_info64 info{};
        char name[kNameRoom] = {};
        if (unzGetCurrentFileInfo64(archive.get(), &info, name, kNameRoom, nullptr, 0, nullptr,
                                    0) != UNZ_OK)
            return QStringLiteral("The written workbook's zip directory is damaged.");
        ++entries;
        const QString part = QString::fromUtf8(name);
        QByteArray contents;
        QString why = readCurrentMember(archive.get(), info, &contents);
        if (why.isEmpty() && isXmlPart(part)) why = xmlProblem(contents);
        if (!why.isEmpty())
            return QStringLiteral("The written workbook's part %1 is damaged: %2.").arg(part, why);
        found.insert(part);
    }
    if (entries != global.number_entry)
        return QStringLiteral("The written workbook's zip directory lists %1 of %2 entries.")
            .arg(entries)
            .arg(global.number_entry);
    for (const QString& part : requiredParts())
        if (!found.contains(part))
            return QStringLiteral("The written workbook lacks its part %1.").arg(part);
    return {};
}

}  // namespace bpd::reports
