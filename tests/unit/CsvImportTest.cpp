// The schedule's CSV import: the batch format with its optional columns, the semicolon form
// with decimal commas only when a whole file is so, every refusal with its line and reason,
// the limits, and the export read back.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "BatchLine.h"
#include "CsvExport.h"
#include "CsvImport.h"
#include "TableTestSupport.h"

namespace bpd::designfile {
namespace {

struct Expected {
    std::string mark, location;
    double quantity;
    FiveInputs<double> values;
    bool sliding;
    std::string thickness;
};

struct ImportCase {
    const char* name;
    std::string text;
    UnitSystem units;
    CsvForm form;
    std::size_t bearings;
    std::vector<std::pair<std::int64_t, std::string>> bad;  // line, a part of its reason
    std::optional<Expected> first = std::nullopt;           // the first bearing read
    std::string note = {};                                  // a part of the form note
};

const std::string kHeader = "w1,b1,A,dh,Vap,sliding\n";

const ImportCase kCases[] = {
    {"PlainMinimal",
     kHeader + "9,14,.01,.5,100,0\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     1,
     {},
     Expected{"", "", 1, {9, 14, .01, .5, 100}, false, "All"}},
    {"OptionalColumnsInAnyOrder",
     "Mark,location,Quantity,w1,b1,A,dh,Vap,sliding,thickness\nB1,Pier 2,4,9,14,0.01,0.5,100,yes,"
     "1/4\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     1,
     {},
     Expected{"B1", "Pier 2", 4, {9, 14, .01, .5, 100}, true, "1/4"}},
    {"ThicknessOfTheOtherSystemTakesTheFilesLabel",
     "w1,b1,A,dh,Vap,sliding,thickness\n229,356,.01,12,445,0,1/2\n",
     UnitSystem::SI,
     CsvForm::Comma,
     1,
     {},
     Expected{"", "", 1, {229, 356, .01, 12, 445}, false, "12.700"}},
    {"QuotedFields",
     "mark,location,w1,b1,A,dh,Vap,sliding\n\"B\"\"1\",\"Pier 2, north\",\"9\",14,.01,.5,100,1\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     1,
     {},
     Expected{"B\"1", "Pier 2, north", 1, {9, 14, .01, .5, 100}, true, "All"}},
    {"SemicolonsWithDecimalCommas",
     "Mark;w1;b1;A;dh;Vap;sliding;thickness;quantity\nB1;229,5;356;0,01;12;445,25;1;12,7;2\n"
     "B2;\"Pier; 2\";356;0,01;12;445;0;All;1\n",
     UnitSystem::SI,
     CsvForm::SemicolonDecimalComma,
     1,
     {{3, "w1: \"Pier; 2\" is not a number"}},
     Expected{"B1", "", 2, {229.5, 356, .01, 12, 445.25}, true, "12.700"}},
    {"SemicolonTextsKeepTheirCommas",
     "mark;location;w1;b1;A;dh;Vap;sliding\nB1;\"North; pier 2\";9;14;0,01;0,5;100;0\n"
     "B2;Pier 3, south;9;14;0,01;0,5;100;0\n",
     UnitSystem::Imperial,
     CsvForm::SemicolonDecimalComma,
     2,
     {},
     Expected{"B1", "North; pier 2", 1, {9, 14, .01, .5, 100}, false, "All"}},
    {"SemicolonBadNumberNamesTheComma",
     "w1;b1;A;dh;Vap;sliding\n9,5,1;14;0,01;0,5;100;0\n",
     UnitSystem::Imperial,
     CsvForm::SemicolonDecimalComma,
     0,
     {{2, "w1: \"9,5,1\" is not a number"}}},
    {"ByteOrderMarkCrLfAndBlankLines",
     "\xEF\xBB\xBF\r\n \r\nw1,b1,A,dh,Vap,sliding\r\n\r\n9,14,.01,.5,100,0\r\n\t\r\n"
     "9,14,.01,.5,90,0",
     UnitSystem::Imperial,
     CsvForm::Comma,
     2,
     {}},
    {"MixedSeparatorsRefused",
     kHeader + "9,14,.01,.5,100,0\n9;14;0,01;0,5;100;0\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     1,
     {{3, "expected 6 fields, found 3"}}},
    {"SemicolonFileWithADecimalPointIsReadPlainly",
     "w1;b1;A;dh;Vap;sliding\n9;14;0,01;0,5;100;0\n9;14;0.01;0,5;100;0\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{1, "header: unknown column \"w1;b1;A;dh;Vap;sliding\""}},
     std::nullopt,
     "line 3 has a decimal point (\"0.01\")"},
    {"SemicolonFileWithAShortLineIsReadPlainly",
     "w1;b1;A;dh;Vap;sliding\n9;14;0,01;0,5;100\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{1, "header: unknown column"}},
     std::nullopt,
     "line 2 does not have the header's 6 fields between semicolons"},
    {"SemicolonHeaderWithACommaIsNotTheSemicolonForm",
     "w1;b1;A;dh;Vap,sliding\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{1, "header: unknown column \"w1;b1;A;dh;Vap\""}}},
    {"DecimalCommaInTheCommaForm",
     kHeader + "9,5,14,.01,.5,100,0\n\"9,5\",14,.01,.5,100,0\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{2, "expected 6 fields, found 7"},
      {3, "w1: \"9,5\" is not a number (the decimal separator is a point; no grouping)"}}},
    {"TooManyAndTooFewFields",
     kHeader + "9,14,.01,.5,100,0,1\n9,14,.01,.5,100\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{2, "expected 6 fields, found 7"}, {3, "expected 6 fields, found 5"}}},
    {"InputRulesAndTheirReasons",
     "w1,b1,A,dh,Vap,sliding,quantity,thickness\n0,14,.01,.5,100,0,1,All\n9,14,0,.5,0,0,1,All\n"
     "9,14,.01,.5,100,maybe,1,All\n9,14,.01,.5,100,0,2.5,All\n9,14,.01,.5,100,0,1,7/8\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     1,
     {{2, "w1: "},
      {4, "sliding: \"maybe\" is not 0/1, yes/no or true/false"},
      {5, "quantity: \"2.5\" is not a whole number of at least 1"},
      {6, "thickness: \"7/8\" is not a catalogue thickness"}}},
    {"UnclosedQuote",
     kHeader + "\"9,14,.01,.5,100,0\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{2, "unclosed quote"}}},
    {"NoHeader", "\n \n", UnitSystem::Imperial, CsvForm::Comma, 0, {{2, "no header line"}}},
    {"EmptyFile", "", UnitSystem::Imperial, CsvForm::Comma, 0, {{1, "no header line"}}},
    {"UnknownColumn",
     "w1,b1,A,dh,Vap,sliding,colour\n9,14,.01,.5,100,0,red\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{1, "header: unknown column \"colour\""}}},
    {"MissingColumn",
     "w1,b1,A,dh,sliding\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     0,
     {{1, "header: column \"Vap\" is missing"}}},
    {"ResultColumnsArePassedOver",
     "mark,w1,b1,A,dh,Vap,sliding,status,thinnest,governs,utilisation\n"
     "B1,9,14,.01,.5,100,no,FAIL!,none,compression,inf\n",
     UnitSystem::Imperial,
     CsvForm::Comma,
     1,
     {},
     Expected{"B1", "", 1, {9, 14, .01, .5, 100}, false, "All"}},
};

class CsvImportCases : public ::testing::TestWithParam<ImportCase> {};

TEST_P(CsvImportCases, ReadsTheGoodLinesAndNamesTheBadOnes) {
    const ImportCase& c = GetParam();
    const CsvImport read = readBearingCsv(c.text, c.units);
    EXPECT_EQ(read.form, c.form);
    EXPECT_EQ(read.bearings.size(), c.bearings);
    ASSERT_EQ(read.badLines.size(), c.bad.size());
    EXPECT_EQ(read.badLineCount, static_cast<std::int64_t>(c.bad.size()));
    for (std::size_t i = 0; i < c.bad.size(); ++i) {
        EXPECT_EQ(read.badLines[i].line, c.bad[i].first) << read.badLines[i].reason;
        EXPECT_NE(read.badLines[i].reason.find(c.bad[i].second), std::string::npos)
            << read.badLines[i].reason;
    }
    if (c.note.empty()) {
        EXPECT_EQ(read.formNote, "");
    } else {
        EXPECT_NE(read.formNote.find(c.note), std::string::npos) << read.formNote;
    }
    if (!c.first) return;
    ASSERT_FALSE(read.bearings.empty());
    const DesignBearing& b = read.bearings.front();
    EXPECT_EQ(b.mark, c.first->mark);
    EXPECT_EQ(b.location, c.first->location);
    EXPECT_EQ(b.quantity, c.first->quantity);
    for (const InputRule& input : kInputs)
        EXPECT_EQ(input.of(b.values), input.of(c.first->values)) << input.name;
    EXPECT_EQ(b.sliding, c.first->sliding);
    EXPECT_EQ(b.thickness, c.first->thickness);
}

BPD_CASE_TABLE(Files, CsvImportCases, ImportCase, kCases);

std::string linesOf(std::size_t count, const std::string& line) {
    std::string text = kHeader;
    text.reserve(text.size() + count * (line.size() + 1));
    for (std::size_t i = 0; i < count; ++i) text += line + '\n';
    return text;
}

TEST(CsvImportLimits, LineLengthBoundary) {
    // The header's six fields padded with blanks to the longest line read, then one more.
    const std::string fits = "9,14,.01,.5,100,0" + std::string(cli::kMaxLineLength - 17, ' ');
    const CsvImport read = readBearingCsv(kHeader + fits + "\n" + fits + " \n", UnitSystem::SI);
    EXPECT_EQ(read.bearings.size(), 1u);
    ASSERT_EQ(read.badLines.size(), 1u);
    EXPECT_EQ(read.badLines[0].line, 3);
    EXPECT_EQ(read.badLines[0].reason, "line longer than 65536 characters");
}

TEST(CsvImportLimits, BearingsOfOneFile) {
    const CsvImport read =
        readBearingCsv(linesOf(kMaxCsvBearings + 2, "9,14,.01,.5,100,0"), UnitSystem::Imperial);
    EXPECT_EQ(read.bearings.size(), kMaxCsvBearings);
    ASSERT_EQ(read.badLineCount, 2);
    EXPECT_EQ(read.badLines[0].line, static_cast<std::int64_t>(kMaxCsvBearings) + 2);
    EXPECT_EQ(read.badLines[0].reason, "more than 100000 bearings in one file");
}

TEST(CsvImportLimits, BadLinesKeptAndCounted) {
    const CsvImport read =
        readBearingCsv(linesOf(kMaxBadLinesKept + 5, "0,14,.01,.5,100,0"), UnitSystem::Imperial);
    EXPECT_EQ(read.bearings.size(), 0u);
    EXPECT_EQ(read.badLines.size(), kMaxBadLinesKept);
    EXPECT_EQ(read.badLineCount, static_cast<std::int64_t>(kMaxBadLinesKept) + 5);
    EXPECT_EQ(read.badLines.back().line, static_cast<std::int64_t>(kMaxBadLinesKept) + 1);
}

TEST(CsvImportLimits, FileSize) {
    std::string text = linesOf(1, "9,14,.01,.5,100,0");
    text.resize(kMaxCsvBytes, '\n');
    EXPECT_EQ(readBearingCsv(text, UnitSystem::Imperial).bearings.size(), 1u);
    text += '\n';
    const CsvImport refused = readBearingCsv(text, UnitSystem::Imperial);
    EXPECT_TRUE(refused.bearings.empty());
    ASSERT_EQ(refused.badLines.size(), 1u);
    EXPECT_EQ(refused.badLines[0].reason, "the file is larger than 64 MiB");
}

TEST(CsvExportRoundTrip, TheImportReadsTheExportBack) {
    std::vector<ScheduleLine> lines(3);
    lines[0].bearing.mark = "B1, \"north\"";
    lines[0].bearing.location = "Pier 2\nupper";
    lines[0].bearing.quantity = 12;
    lines[0].bearing.values = {9.125, 14, 0.0125, 0.5, 100.25};
    lines[0].bearing.sliding = true;
    lines[0].bearing.thickness = "1/4";
    lines[0].status = "Pass";
    lines[0].utilisation = "83.4";
    lines[1].bearing.mark = "B2";
    lines[1].bearing.values = {1e-3, 14, 0, 0.1 + 0.2, 7.13};
    lines[1].status = "FAIL!";
    lines[1].governs = "shear strain";
    lines[2].bearing.mark = "B3";  // a missing value stays missing: that line is refused
    lines[2].bearing.values = {9, std::nullopt, .01, .5, 100};
    const std::string text = writeBearingCsv(lines);
    EXPECT_EQ(text.substr(0, text.find('\n')),
              "mark,location,quantity,w1,b1,A,dh,Vap,sliding,thickness,status,thinnest,governs,"
              "utilisation");

    const CsvImport read = readBearingCsv(text, UnitSystem::Imperial);
    ASSERT_EQ(read.bearings.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        const DesignBearing& in = lines[i].bearing;
        const DesignBearing& out = read.bearings[i];
        EXPECT_EQ(out.mark, in.mark);
        EXPECT_EQ(out.location, i == 0 ? "Pier 2 upper" : in.location);
        EXPECT_EQ(out.quantity, in.quantity);
        for (const InputRule& input : kInputs)
            EXPECT_EQ(input.of(out.values), input.of(in.values)) << input.name;
        EXPECT_EQ(out.sliding, in.sliding);
        EXPECT_EQ(out.thickness, in.thickness);
    }
    ASSERT_EQ(read.badLines.size(), 1u);
    EXPECT_EQ(read.badLines[0].reason.substr(0, 4), "b1: ");
}

}  // namespace
}  // namespace bpd::designfile
