// The batch mode: columns in any order, bad lines reported and passed over, streaming.

#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#include "BatchLine.h"
#include "BatchRun.h"
#include "TableTestSupport.h"

namespace bpd::cli {
namespace {

struct BatchResult {
    int status = -1;
    std::vector<std::string> out;
    std::string err;
    BatchTotals totals;
};

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

BatchResult batch(const std::string& input, UnitSystem units = UnitSystem::Imperial,
                  const BatchOptions& options = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    BatchResult result;
    result.status = runBatch(in, "standard input", out, err, units, options, &result.totals);
    result.out = linesOf(out.str());
    result.err = err.str();
    return result;
}

const char* const kFirstRow =
    "Pass,1/8,8.00,83.24,5202.56,.714,59.46,4.00,56.88,445.63,645.28,40.33,70.90";

TEST(BatchMode, HeaderLineNamesTheColumnsOfTheUnitSystem) {
    const BatchResult imperial = batch("w1,b1,A,dh,Vap,sliding\n");
    ASSERT_EQ(imperial.out.size(), 1u);
    EXPECT_EQ(imperial.out[0],
              "line,Status,t(in.),SF,Vnr(kips),Snr(psi),R,Var(kips),W2(in.),Es(%),Sap(psi),"
              "N(lbs),Ss(psi),G(psi)");
    const BatchResult si = batch("w1,b1,A,dh,Vap,sliding\n", UnitSystem::SI);
    EXPECT_EQ(si.out.at(0),
              "line,Status,t(mm),SF,Vnr(KN),Snr(N/m2),R,Var(KN),W2(mm),Es(%),Sap(N/m2),N(N),"
              "Ss(N/m2),G(N/m2)");
}

TEST(BatchMode, ExplainAddsUtilisationAndTheGoverningCheckToEveryRow) {
    BatchOptions explain;
    explain.explain = true;
    const BatchResult r =
        batch("w1,b1,A,dh,Vap,sliding\n4,4,.01,.0711,7.13,0\n", UnitSystem::Imperial, explain);
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.out.size(), 8u);
    EXPECT_TRUE(r.out[0].ends_with(",G(psi),Ucomp,Ushear,Governs")) << r.out[0];
    EXPECT_EQ(r.out[1], std::string("2,") + kFirstRow + ",12.0,75.8,shear");
    EXPECT_TRUE(r.out[7].ends_with(",200.55,23.0,9.5,compression")) << r.out[7];
}

TEST(BatchMode, SizeWritesOneLinePerBearingAndReportsThoseWithoutAPassingPad) {
    BatchOptions size;
    size.size = true;
    std::string error;
    size.sizes = planSizes("0.5", "48", error).value();
    const BatchResult r = batch(
        "A,dh,Vap,sliding,w1,thickness\n"
        ".01,.1,45,0,,\n"    // both free
        ".01,.1,45,0,6,\n"   // w1 kept
        ".01,.1,45,0,,1\n"   // one thickness
        ".01,2,45,0,,\n"     // no catalogue pad passes shear
        ".01,.1,45,0,x,\n",  // a bad value
        UnitSystem::Imperial, size);
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.out.size(), 4u);
    EXPECT_EQ(r.out[0],
              "line,w1,b1,Status,t(in.),SF,Vnr(kips),Snr(psi),R,Var(kips),W2(in.),Es(%),Sap(psi),"
              "N(lbs),Ss(psi),G(psi),Ucomp,Ushear,Governs");
    EXPECT_EQ(r.out[1],
              "2,3.5,5,Pass,1/4,4.12,59.86,3420.37,.800,47.89,3.50,40.00,2571.43,3415.26,195.16,"
              "487.89,94.0,53.3,compression");
    EXPECT_TRUE(r.out[2].starts_with("3,6,3,Pass,1/4,")) << r.out[2];
    EXPECT_TRUE(r.out[3].starts_with("4,4.5,5,Pass,1,")) << r.out[3];
    EXPECT_EQ(r.err,
              "bpd-check: line 5: no pad passes: the shear check needs t >= dh / 0.75 = 2.6667 "
              "in., beyond the thickest catalogue pad (1 in.)\n"
              "bpd-check: line 6: w1: \"x\" is not a number\n");
    EXPECT_EQ(r.totals.bearings, 4);
    EXPECT_EQ(r.totals.rows, 3);
    EXPECT_EQ(r.totals.badLines, 2);

    const BatchResult both = batch("w1,b1,A,dh,Vap,sliding\n4,4,.01,.1,45,0\n,4,.01,.1,45,0\n",
                                   UnitSystem::Imperial, size);
    EXPECT_EQ(both.err,
              "bpd-check: line 2: w1 and b1 are both given: leave one or both empty to size the "
              "pad\n");
    ASSERT_EQ(both.out.size(), 2u);
    EXPECT_TRUE(both.out[1].starts_with("3,")) << both.out[1];
}

TEST(BatchMode, AllSevenRowsByDefaultEachWithItsLineNumber) {
    const BatchResult r = batch("w1,b1,A,dh,Vap,sliding\n4,4,.01,.0711,7.13,0\n");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.out.size(), 8u);
    EXPECT_EQ(r.out[1], std::string("2,") + kFirstRow);
    EXPECT_EQ(r.out[7].substr(0, 9), "2,Pass,1,");
    EXPECT_EQ(r.totals.bearings, 1);
    EXPECT_EQ(r.totals.rows, 7);
}

TEST(BatchMode, ColumnsInAnyOrderAndEveryFormOfTheSlidingFlag) {
    const BatchResult r = batch(
        "thickness,sliding,Vap,dh,A,b1,w1\n"
        "1/8,yes,7.13,.0711,.01,4,4\n"
        "1/8,TRUE,7.13,.0711,.01,4,4\n"
        "1/8,1,7.13,.0711,.01,4,4\n"
        "1/8,no,7.13,.0711,.01,4,4\n"
        "1/8,false,7.13,.0711,.01,4,4\n"
        "3.175,0,7.13,.0711,.01,4,4\n"
        "All,0,7.13,.0711,.01,4,4\n"
        ",0,7.13,.0711,.01,4,4\n");
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.size(), 1u + 6u + 7u + 7u);
    for (int i = 1; i <= 3; ++i) EXPECT_NE(r.out[i].find(",40.00,5202.56,"), std::string::npos);
    EXPECT_EQ(r.out[4], std::string("5,") + kFirstRow);
    EXPECT_EQ(r.out[6], std::string("7,") + kFirstRow);  // SI label, Imperial table
    EXPECT_EQ(r.out[7].substr(0, 2), "8,");
    EXPECT_EQ(r.out[14].substr(0, 2), "9,");
}

TEST(BatchMode, BadLinesAreReportedAndTheOthersStillChecked) {
    const BatchResult r = batch(
        "w1,b1,A,dh,Vap,sliding,thickness\n"
        "4,4,.01,.0711,7.13,0,1/8\n"
        "4,4,.01,.0711,7.13,0\n"
        "abc,4,.01,.0711,7.13,0,1/8\n"
        "0,4,.01,.0711,7.13,0,1/8\n"
        "4,4,-.01,.0711,7.13,0,1/8\n"
        "4,4,.01,.0711,7.13,maybe,1/8\n"
        "4,4,.01,.0711,7.13,0,7/8\n"
        "\"4,4,.01,.0711,7.13,0,1/8\n"
        "4,4,1e200,.0711,7.13,0,All\n"
        "4,4,.01,.0711,7.13,0,1/8\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "bpd-check: line 3: expected 7 fields, found 6\n"
              "bpd-check: line 4: w1: \"abc\" is not a number\n"
              "bpd-check: line 5: w1: must be positive\n"
              "bpd-check: line 6: A: must be 0 or positive\n"
              "bpd-check: line 7: sliding: \"maybe\" is not 0/1, yes/no or true/false\n"
              "bpd-check: line 8: thickness: \"7/8\" is not a catalogue thickness\n"
              "bpd-check: line 9: unclosed quote\n"
              "bpd-check: line 10: arithmetic fault in row 1 (t = 1/8): R: overflow\n");
    ASSERT_EQ(r.out.size(), 3u);
    EXPECT_EQ(r.out[1], std::string("2,") + kFirstRow);
    EXPECT_EQ(r.out[2], std::string("11,") + kFirstRow);
    EXPECT_EQ(r.totals.badLines, 8);
}

TEST(BatchMode, CommaValuesAreRefusedAndEchoedFieldsEscaped) {
    const BatchResult r = batch(
        "w1,b1,A,dh,Vap,sliding,thickness\n"
        "\"4,5\",4,.01,.0711,7.13,0,1/8\n"
        "4,4,.01,.0711,\"4,500\",0,1/8\n"
        "4,4,.01,.0711,7.13,\"\x1b[2J\",1/8\n"
        "4.5,4,.01,.0711,7.13,0,1/8\n");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "bpd-check: line 2: w1: \"4,5\" is not a number (the decimal separator is a "
              "point; no grouping)\n"
              "bpd-check: line 3: Vap: \"4,500\" is not a number (the decimal separator is a "
              "point; no grouping)\n"
              "bpd-check: line 4: sliding: \"\\x1b[2J\" is not 0/1, yes/no or true/false\n");
    ASSERT_EQ(r.out.size(), 2u);
    EXPECT_EQ(r.out[1].substr(0, 20), "5,Pass,1/8,8.47,97.5");
}

// A stream whose reads fail after its text, as a disk with a bad sector does.
class FailingAfter : public std::stringbuf {
public:
    using std::stringbuf::stringbuf;

protected:
    int_type underflow() override {
        const int_type c = std::stringbuf::underflow();
        if (traits_type::eq_int_type(c, traits_type::eof())) throw std::runtime_error("EIO");
        return c;
    }
};

TEST(BatchMode, AReadErrorStopsWithStatusTwoAndDropsTheCutLine) {
    // The read fails right after the first chunk, which ends inside a bearing's line: its
    // "7" (of 7.13) must not be checked as a load of 7.
    std::string text = "w1,b1,A,dh,sliding,Vap\n4,4,.01,.0711,0,7.13\n";
    const std::string cut = "4,4,.01,.0711,0,7";
    const std::size_t blankLines = LineReader::kChunk - text.size() - cut.size();
    text += std::string(blankLines, '\n') + cut;
    FailingAfter buffer(text);
    std::istream in(&buffer);
    std::ostringstream out, err;
    EXPECT_EQ(runBatch(in, "\"bearings.csv\"", out, err, UnitSystem::Imperial), 2);
    EXPECT_EQ(err.str(), "bpd-check: cannot read \"bearings.csv\" after line " +
                             std::to_string(2 + blankLines) + ": " +
                             std::make_error_code(std::errc::io_error).message() + "\n");
    // The header and the seven rows of line 2, and no row of the cut line.
    const std::vector<std::string> lines = linesOf(out.str());
    ASSERT_EQ(lines.size(), 1u + 7u);
    EXPECT_EQ(lines[1], std::string("2,") + kFirstRow);
    for (std::size_t i = 2; i < lines.size(); ++i)
        EXPECT_TRUE(lines[i].starts_with("2,")) << lines[i];
}

TEST(BatchMode, FaultKeepsTheRowsCompletedBeforeIt) {
    const BatchResult r = batch("w1,b1,A,dh,Vap,sliding\n4,4,1e-309,.0711,7.13,0\n");
    EXPECT_EQ(r.status, 1);
    ASSERT_EQ(r.out.size(), 4u);
    EXPECT_EQ(r.out[3].substr(0, 12), "2,Pass,3/8,2");
    EXPECT_EQ(r.err, "bpd-check: line 2: arithmetic fault in row 4 (t = 1/2): W2: overflow\n");
}

TEST(BatchMode, WindowsLineEndsByteOrderMarkQuotesAndBlankLines) {
    const BatchResult r = batch(
        "\xEF\xBB\xBF W1 , B1,a,DH,vap,Sliding,Thickness\r\n"
        "\r\n"
        "\"4\", \"4\" ,.01,.0711,7.13,0,\"1/8\"\r\n"
        "   \n"
        "4,4,.01,.0711,7.13,0,1/8");  // no line end at the end of the file
    EXPECT_EQ(r.status, 0) << r.err;
    ASSERT_EQ(r.out.size(), 3u);
    EXPECT_EQ(r.out[1], std::string("3,") + kFirstRow);
    EXPECT_EQ(r.out[2], std::string("5,") + kFirstRow);
}

struct BadHeader {
    const char* name;
    const char* input;
    const char* message;
};
class BadHeaderTest : public ::testing::TestWithParam<BadHeader> {};

TEST_P(BadHeaderTest, StopsBeforeAnyBearing) {
    const BatchResult r = batch(GetParam().input);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err, GetParam().message);
}

const BadHeader kBadHeaders[] = {
    {"Empty", "",
     "bpd-check: line 1: no header line (expected w1,b1,A,dh,Vap,sliding[,thickness])\n"},
    {"MissingColumn", "w1,b1,A,dh,Vap\n4,4,0,1,1\n",
     "bpd-check: line 1: header: column \"sliding\" is missing\n"},
    {"UnknownColumn", "w1,b1,A,dh,Vap,sliding,colour\n",
     "bpd-check: line 1: header: unknown column \"colour\" (expected w1,b1,A,dh,Vap,sliding and "
     "optionally thickness, mark, location, quantity)\n"},
    {"DuplicateColumn", "w1,b1,A,dh,Vap,sliding,w1\n",
     "bpd-check: line 1: header: column \"w1\" appears twice\n"},
    {"DataWithoutHeader", "4,4,.01,.0711,7.13,0\n",
     "bpd-check: line 1: header: unknown column \"4\" (expected w1,b1,A,dh,Vap,sliding and "
     "optionally thickness, mark, location, quantity)\n"},
};

BPD_CASE_TABLE(Headers, BadHeaderTest, BadHeader, kBadHeaders);

TEST(BatchMode, OverlongLineIsReportedAndReadingGoesOn) {
    std::string input = "w1,b1,A,dh,Vap,sliding\n";
    input += std::string(LineReader::kMaxLength + 10, '4') + "\n";
    input += "4,4,.01,.0711,7.13,0\n";
    const BatchResult r = batch(input);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "bpd-check: line 2: line longer than 65536 characters\n");
    ASSERT_EQ(r.out.size(), 8u);
    EXPECT_EQ(r.out[1], std::string("3,") + kFirstRow);
}

TEST(LineReaderTest, LinesAcrossChunkBoundaries) {
    std::string input;
    std::vector<std::string> expected;
    for (int i = 0; input.size() < 3 * LineReader::kChunk; ++i) {
        std::string line(static_cast<std::size_t>(i % 997), static_cast<char>('a' + i % 26));
        expected.push_back(line);
        input += line + (i % 2 ? "\r\n" : "\n");
    }
    std::istringstream in(input);
    LineReader reader(in);
    std::string_view line;
    bool tooLong = false;
    std::vector<std::string> got;
    while (reader.next(line, tooLong)) {
        EXPECT_FALSE(tooLong);
        got.emplace_back(line);
    }
    EXPECT_EQ(got, expected);
}

TEST(CsvSplit, QuotedFieldsAndEscapedQuotes) {
    std::vector<std::string> fields;
    ASSERT_TRUE(splitCsvLine(" a , \"b,c\" ,\"d\"\"e\",,", fields));
    EXPECT_EQ(fields, (std::vector<std::string>{"a", "b,c", "d\"e", "", ""}));
    EXPECT_FALSE(splitCsvLine("\"open", fields));
    EXPECT_FALSE(splitCsvLine("\"a\"b,c", fields));
    ASSERT_TRUE(splitCsvLine("", fields));
    EXPECT_EQ(fields, std::vector<std::string>{""});
}

}  // namespace
}  // namespace bpd::cli
