#pragma once
// A schedule as an export writes it: the bearings and their results taken from the model on
// the user-interface thread, then handed whole to the thread that writes the file.

#include <QStringList>
#include <optional>
#include <vector>

#include "CsvExport.h"
#include "Units.h"

namespace bpd::schedule {

class ScheduleModel;

struct ScheduleSheet {
    UnitSystem units = UnitSystem::Imperial;
    QStringList captions;                            // the table's captions, in its column order
    std::vector<designfile::ScheduleLine> lines;     // the texts the table shows for the results
    std::vector<std::optional<double>> utilisation;  // percent, unrounded; none without a
                                                     // checked row or when infinite

    static ScheduleSheet of(const ScheduleModel& model);
};

}  // namespace bpd::schedule
