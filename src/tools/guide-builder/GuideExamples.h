#pragma once
// The worked examples of the design guide, computed by the program's own engine, and the
// expansion of their placeholders in the guide's source:
//   {{table:NAME}}            the whole result table of example NAME, as the grid shows it
//   {{cell:NAME:ROW:COLUMN}}  one cell text (ROW 0 is the header, COLUMN 0..12)
//   {{input:NAME:FIELD}}      one input text of the example (w1, b1, A, dh, Vap, sliding, units)
//   {{loads:UNITS}}           the allowable-load tables of the appendix (imperial or si)
//   {{loads:UNITS:POSITION}}  the table of one catalogue position (1..7)
// Unknown names or cells are errors, so the guide cannot print a stale number.

#include <QString>
#include <QStringList>

#include "ResultTable.h"

namespace bpd::guide {

struct Example {
    QString name;
    AnalysisRequest request;
};

// default, sliding, no-rotation, rotation, shear, si, si-sliding.
const QList<Example>& examples();

// The engine's table of one example (the C locale's "." separator).
ResultTable tableOf(const Example& example);

// Replaces every placeholder; errors lists the ones that could not be expanded.
QString expandPlaceholders(const QString& source, QStringList& errors);

}  // namespace bpd::guide
