#pragma once
// Reads a finished .xlsx workbook back before it may replace anything: the zip's end record
// and central directory, each member's local header and data (inflated, CRC checked), every
// XML part well-formed, and every part the report's one-sheet workbook consists of present.

#include <QString>
#include <QStringList>

namespace bpd::reports {

class WorkbookCheck {
public:
    // The parts of a one-sheet workbook with shared strings, as the spreadsheet library
    // writes it.
    static const QStringList& requiredParts();

    // Empty when the file is a sound workbook, else the reason (for AtomicFile::commit).
    static QString problem(const QString& path);
};

}  // namespace bpd::reports
