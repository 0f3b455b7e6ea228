// Random bearings of both unit systems against the texts of an independent model of the
// check (data/make_golden_tables.py): every cell to the character, through the window's
// entry point and through the batch mode.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "BatchRun.h"
#include "GoldenCases.h"
#include "ResultTable.h"
#include "TableTestSupport.h"
#include "ThicknessCatalogue.h"

namespace bpd {
namespace {

using test::GoldenCase;
using test::loadGoldenCases;
using test::unitsOf;

TEST(GoldenTables, EveryCellOfEveryCase) {
    const std::vector<GoldenCase> cases = loadGoldenCases();
    ASSERT_EQ(cases.size(), 120u);
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const GoldenCase& c = cases[i];
        AnalysisRequest request;
        request.units = unitsOf(c);
        request.texts = c.texts;
        request.sliding = c.sliding;
        request.selection = c.selection;
        const ResultTable table = analyze(request, test::cLocale());
        ASSERT_FALSE(table.fault) << "case " << i + 1;
        ASSERT_EQ(table.rows.size(), c.rows.size()) << "case " << i + 1;
        for (std::size_t r = 0; r < c.rows.size(); ++r) {
            EXPECT_EQ(test::joined(table.rows[r].cells), c.rows[r])
                << "case " << i + 1 << " (" << c.units << " " << c.texts.w1 << " " << c.texts.b1
                << " " << c.texts.A << " " << c.texts.dh << " " << c.texts.Vap << "), row "
                << r + 1;
        }
    }
}

TEST(GoldenTables, BatchModeWritesTheSameTexts) {
    const std::vector<GoldenCase> cases = loadGoldenCases();
    for (const UnitSystem units : {UnitSystem::Imperial, UnitSystem::SI}) {
        std::string input = "w1,b1,A,dh,Vap,sliding,thickness\n";
        std::vector<std::string> expected;
        int line = 1;
        for (const GoldenCase& c : cases) {
            if (unitsOf(c) != units) continue;
            ++line;
            input += c.texts.w1 + "," + c.texts.b1 + "," + c.texts.A + "," + c.texts.dh + "," +
                     c.texts.Vap + "," + (c.sliding ? "1" : "0") + "," +
                     std::string(ThicknessCatalogue::label(units, c.selection)) + "\n";
            for (std::string row : c.rows) {
                row.pop_back();  // the joined form ends in "|"
                for (char& ch : row) {
                    if (ch == '|') ch = ',';
                }
                expected.push_back(std::to_string(line) + "," + row);
            }
        }
        std::istringstream in(input);
        std::ostringstream out, err;
        EXPECT_EQ(cli::runBatch(in, "standard input", out, err, units), 0);
        EXPECT_EQ(err.str(), "");
        std::istringstream written(out.str());
        std::string header;
        std::getline(written, header);
        std::vector<std::string> lines;
        for (std::string l; std::getline(written, l);) lines.push_back(l);
        EXPECT_EQ(lines, expected);
    }
}

}  // namespace
}  // namespace bpd
