#pragma once
// A structural read-back of a written PDF file: the header, the end marker, the startxref
// pointer to the cross-reference table, and every object that table lists found at the offset
// it gives. A file cut short or missing a piece in the middle fails, with the reason.

#include <QByteArrayView>
#include <QString>

namespace bpd::platform {

class PdfStructure {
public:
    // "" when the bytes are a whole PDF document, else what is wrong.
    static QString problemIn(QByteArrayView bytes);
    // The same for a file on disk (an AtomicFile check).
    static QString problemInFile(const QString& path);
};

}  // namespace bpd::platform
