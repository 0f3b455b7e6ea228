#pragma once
// Writing a design file: a stable, diff-friendly layout that reads back to the same document.
//
//   {
//     "format": "pelgro-bpd-design",
//     "version": 1,
//     "units": "imperial",
//     "project": {"company": "...", "projectName": "...", "engineer": "...", "description": "..."},
//     "bearings": [
//       {"mark": "B1", "location": "...", "quantity": 2, "w1": 9, ..., "note": ""},
//       ...
//     ]
//   }
//
// One top-level member per line, the project on one line, one bearing per line; the known
// members in their fixed order (DesignDocument.h), each unknown member at its place among
// them; numbers as the shortest text that reads back to the same value. Writing what the
// reader read from a file this writer wrote gives the same bytes.

#include <string>

#include "DesignDocument.h"

namespace bpd::designfile {

// The file's bytes (UTF-8, no byte order mark, "\n" line ends, a final line end).
std::string writeDesignText(const DesignDocument& document);

}  // namespace bpd::designfile
