#pragma once
// A schedule as CSV: the inputs in the batch format the import reads back (CsvImport.h), in
// the schedule's units with plain numbers, then the result columns the import passes over.

#include <string>
#include <vector>

#include "DesignDocument.h"

namespace bpd::designfile {

// One line of a schedule: the bearing and its results as the schedule shows them.
struct ScheduleLine {
    DesignBearing bearing;
    std::string status, thinnest, governs, utilisation;
};

// "mark,location,quantity,w1,b1,A,dh,Vap,sliding,thickness,status,thinnest,governs,utilisation"
// and one line per bearing; an absent value is an empty field, a line break in a text a blank.
std::string writeBearingCsv(const std::vector<ScheduleLine>& lines);

}  // namespace bpd::designfile
