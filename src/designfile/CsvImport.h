#pragma once
// Bearings from a CSV file, for the schedule: bpd-check's batch format (BatchLine.h, with its
// optional mark, location and quantity columns), or the same with semicolons between the
// fields and decimal commas, as spreadsheet programs write it under comma-decimal locales.
// The semicolon form is taken only when the whole file is consistently so; otherwise the
// plain rules apply and its lines are refused with their reasons.
//
// The numbers are in the units the caller gives (the schedule's): a batch file carries none.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "DesignDocument.h"
#include "DesignFileReader.h"
#include "Units.h"

namespace bpd::designfile {

// The result columns a schedule's export writes after the inputs: the import passes them over.
inline constexpr std::string_view kResultColumnNames[] = {"status", "thinnest", "governs",
                                                          "utilisation"};

// A file larger than this is refused unread (the design files' limit).
inline constexpr std::size_t kMaxCsvBytes = kMaxFileBytes;
// Bearings taken from one file at most; later lines are refused.
inline constexpr std::size_t kMaxCsvBearings = 100000;
// Refused lines kept with their reasons at most; the rest are only counted.
inline constexpr std::size_t kMaxBadLinesKept = 1000;

enum class CsvForm { Comma, SemicolonDecimalComma };

struct CsvBadLine {
    std::int64_t line = 0;  // 1-based
    std::string reason;     // safe to show (user texts echoed)
};

struct CsvImport {
    CsvForm form = CsvForm::Comma;
    std::vector<DesignBearing> bearings;  // the good lines in file order; a line without a
                                          // mark has an empty one
    std::vector<CsvBadLine> badLines;     // the first kMaxBadLinesKept
    std::int64_t badLineCount = 0;
    // Why a file with a semicolon header was not taken in the semicolon form, else empty.
    std::string formNote;
};

// Reads the whole text of a file (a byte order mark, CRLF line ends and blank lines allowed).
CsvImport readBearingCsv(std::string_view text, UnitSystem units);

}  // namespace bpd::designfile
