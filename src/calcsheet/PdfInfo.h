#pragma once
// The document information of a calculation sheet in both places PDF/A wants it, agreeing:
// the XMP metadata packet handed to QPdfWriter, and the Info dictionary, which QPdfWriter
// writes without an author. The Info dictionary is replaced by an incremental update (the
// file's own bytes stay, a new Info object and a cross-reference section for it follow), so
// pdfinfo and every viewer show the author.

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace bpd::calcsheet {

class PdfInfo {
public:
    struct Fields {
        QString title, author, creator, producer;
        QDateTime created;
    };

    // The XMP packet for QPdfWriter::setDocumentXmpMetadata: title, author, the creating
    // program, the producer, the creation date and the PDF/A-1b identification.
    static QByteArray xmp(const Fields& fields);

    // The PDF with its Info dictionary replaced by one holding fields; empty, and error set,
    // when the file has no trailer as QPdfWriter writes it.
    static QByteArray withInfo(const QByteArray& pdf, const Fields& fields, QString& error);
};

}  // namespace bpd::calcsheet
