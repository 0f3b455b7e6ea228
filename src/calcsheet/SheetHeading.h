#pragma once
// What heads and foots every page of a calculation sheet besides the calculation: the
// project data, the bearing's mark and location (a schedule's bearings have them), the
// program and when the sheet was made.

#include <QDateTime>
#include <QString>

#include "ProjectData.h"

namespace bpd::calcsheet {

struct SheetHeading {
    reports::ProjectData project;
    QString mark;      // empty: not shown
    QString location;  // empty: not shown
    QString program = QStringLiteral("Pelgro Bearing Pad Design");
    QString version;
    QDateTime made;
};

}  // namespace bpd::calcsheet
