#pragma once
// The golden cases (data/golden-tables.txt): random bearings of both unit systems and the
// rows an independent model of the check (data/make_golden_tables.py) gives for them.

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "InputRules.h"
#include "Units.h"

namespace bpd::test {

struct GoldenCase {
    std::string units;
    InputTexts texts;
    bool sliding = false;
    int selection = 0;
    std::vector<std::string> rows;  // each row's cells joined, each followed by "|"
};

inline std::vector<GoldenCase> loadGoldenCases() {
    std::ifstream file(std::string(BPD_TEST_DATA) + "/golden-tables.txt");
    std::vector<GoldenCase> cases;
    std::string line;
    while (std::getline(file, line)) {
        if (line.starts_with("> ")) {
            std::istringstream fields(line.substr(2));
            GoldenCase c;
            int sliding = 0;
            fields >> c.units >> c.texts.w1 >> c.texts.b1 >> c.texts.A >> c.texts.dh >>
                c.texts.Vap >> sliding >> c.selection;
            c.sliding = sliding != 0;
            cases.push_back(c);
        } else if (!line.empty() && !cases.empty()) {
            cases.back().rows.push_back(line);
        }
    }
    return cases;
}

inline UnitSystem unitsOf(const GoldenCase& c) {
    return c.units == "si" ? UnitSystem::SI : UnitSystem::Imperial;
}

}  // namespace bpd::test
