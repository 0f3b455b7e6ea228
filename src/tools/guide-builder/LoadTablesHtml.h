#pragma once
// The design guide's allowable-load tables as HTML: the engine's numbers in plain markup
// with class names (loads, title, size, band), so that the guide's stylesheet alone decides
// their look. Each table's title and column headings sit in its <thead>, which the guide's
// renderer repeats at the top of every page the table runs onto.

#include <QString>
#include <vector>

#include "AllowableLoadTables.h"

namespace bpd::guide {

// One <table class="loads"> per catalogue thickness.
QString loadTablesHtml(const std::vector<AllowableLoadTable>& tables);

}  // namespace bpd::guide
