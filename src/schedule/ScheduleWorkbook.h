#pragma once
// A schedule as an .xlsx workbook (libxlsxwriter), written through AtomicFile: one sheet with
// the table's captions, then one row per bearing; the inputs, the quantity and the
// utilisation are stored as numbers, the marks, labels and verdicts as texts.

#include <QString>

namespace bpd::schedule {

struct ScheduleSheet;

class ScheduleWorkbook {
public:
    // False with the reason in error; the file at path then keeps what it held.
    static bool write(const ScheduleSheet& sheet, const QString& path, QString* error);
};

}  // namespace bpd::schedule
