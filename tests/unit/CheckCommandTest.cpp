// bpd-check: options, exit statuses and the three output forms of one bearing.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "CheckCommand.h"

namespace bpd::cli {
namespace {

struct CommandRun {
    int status = -1;
    std::string out;
    std::string err;
};

CommandRun check(std::vector<std::string_view> args, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    CommandRun run;
    run.status = runCheck(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) result.push_back(line);
    return result;
}

std::vector<std::string_view> opening(std::vector<std::string_view> more = {}) {
    std::vector<std::string_view> args{"--w1", "4",    "--b1",   "4",     "--A",
                                       ".01",  "--dh", "0.0711", "--Vap", "7.13"};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

TEST(OneBearing, TextTableIsAlignedLikeTheGrid) {
    const CommandRun run = check(opening());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    const std::vector<std::string> text = lines(run.out);
    ASSERT_EQ(text.size(), 8u);
    EXPECT_EQ(text[0],
              "Status  t(in.)  SF    Vnr(kips)  Snr(psi)  R     Var(kips)  W2(in.)  Es(%)  "
              "Sap(psi)  N(lbs)  Ss(psi)  G(psi)");
    EXPECT_EQ(text[1],
              "Pass    1/8     8.00  83.24      5202.56   .714  59.46      4.00     56.88  "
              "445.63    645.28  40.33    70.90");
    EXPECT_EQ(text[7],
              "Pass    1       1.00  31.83      1989.21   .973  30.98      4.00     7.11   "
              "445.63    228.14  14.26    200.55");
}

TEST(OneBearing, CsvHasTheHeaderAndOneLinePerThickness) {
    const CommandRun run = check(opening({"--format", "csv", "--sliding", "--thickness", "1/4"}));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out,
              "Status,t(in.),SF,Vnr(kips),Snr(psi),R,Var(kips),W2(in.),Es(%),Sap(psi),N(lbs),"
              "Ss(psi),G(psi)\n"
              "Pass,1/4,4.00,40.00,3366.36,.800,32.00,4.00,28.44,445.63,456.28,28.52,100.27\n");
}

TEST(OneBearing, SiUnitsWithAnImperialThicknessLabel) {
    const CommandRun run = check({"--units", "SI", "--w1=101.6", "--b1=101.6", "--A=.01",
                                  "--dh=1.80594", "--Vap=31.72", "--thickness=1", "--format=csv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out).at(1),
              "Pass,25.400,1.00,141.60,13715142.02,.973,137.81,101.60,7.11,3072357.53,1014.96,"
              "98307.76,1382668.91");
}

TEST(OneBearing, JsonNamesEveryCell) {
    const CommandRun run = check(opening({"--format", "json", "--thickness", "3.175"}));
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\"units\": \"Imperial\""), std::string::npos);
    EXPECT_NE(run.out.find("\"thickness\": \"1/8\""), std::string::npos);
    EXPECT_NE(run.out.find("{\"status\": \"Pass\", \"t\": \"1/8\", \"SF\": \"8.00\", \"Vnr\": "
                           "\"83.24\", \"Snr\": \"5202.56\", \"R\": \".714\", \"Var\": "
                           "\"59.46\", \"W2\": \"4.00\", \"Es\": \"56.88\", \"Sap\": \"445.63\", "
                           "\"N\": \"645.28\", \"Ss\": \"40.33\", \"G\": \"70.90\", \"passes\": "
                           "true}"),
              std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("\"fault\": null"), std::string::npos);
}

TEST(OneBearing, ArithmeticFaultKeepsTheRowsBeforeIt) {
    const CommandRun run = check({"--w1", "4", "--b1", "4", "--A", "1e-309", "--dh", ".0711",
                                  "--Vap", "7.13", "--format", "csv"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(lines(run.out).size(), 4u);  // header and the three rows before the fault
    EXPECT_EQ(run.err, "bpd-check: arithmetic fault in row 4 (t = 1/2): W2: overflow\n");
}

struct RejectedValue {
    const char* name;
    std::vector<std::string_view> args;
    const char* message;
};
void PrintTo(const RejectedValue& c, std::ostream* os) {
    *os << c.name;
}

class RejectedValueTest : public ::testing::TestWithParam<RejectedValue> {};

TEST_P(RejectedValueTest, ReportsAndExitsWithOne) {
    const CommandRun run = check(GetParam().args);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, GetParam().message);
}

const RejectedValue kRejected[] = {
    {"NotANumber",
     {"--w1", "abc", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "0"},
     "bpd-check: w1: \"abc\" is not a number\n"},
    {"ZeroWidth",
     {"--w1", "4", "--b1", "0", "--A", "0", "--dh", "1", "--Vap", "0"},
     "bpd-check: b1: must be positive\n"},
    {"NegativeDeformation",
     {"--w1", "4", "--b1", "4", "--A", "0", "--dh", "-1", "--Vap", "0"},
     "bpd-check: dh: must be positive\n"},
    {"NegativeLoad",
     {"--w1", "4", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "-1"},
     "bpd-check: Vap: must be 0 or positive\n"},
    {"NegativeAngle",
     {"--w1", "4", "--b1", "4", "--A", "-.01", "--dh", "1", "--Vap", "1"},
     "bpd-check: A: must be 0 or positive\n"},
    {"InfinityIsNotANumber",
     {"--w1", "inf", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "1"},
     "bpd-check: w1: \"inf\" is not a number\n"},
    {"EveryBadValueIsReported",
     {"--w1", "x", "--b1", "0", "--A", "0", "--dh", "1", "--Vap", "1"},
     "bpd-check: w1: \"x\" is not a number\nbpd-check: b1: must be positive\n"},
    // Plain numbers only: a comma is never a decimal separator nor a grouping.
    {"CommaDecimal",
     {"--w1", "4,5", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "1"},
     "bpd-check: w1: \"4,5\" is not a number (the decimal separator is a point; no grouping)\n"},
    {"CommaThousands",
     {"--w1", "4", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "4,500"},
     "bpd-check: Vap: \"4,500\" is not a number (the decimal separator is a point; no "
     "grouping)\n"},
    {"GroupedWithPoint",
     {"--w1", "4", "--b1", "1,234.5", "--A", "0", "--dh", "1", "--Vap", "1"},
     "bpd-check: b1: \"1,234.5\" is not a number (the decimal separator is a point; no "
     "grouping)\n"},
    {"ControlBytesEscaped",
     {"--w1", "\x1b]0;x\x07", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "1"},
     "bpd-check: w1: \"\\x1b]0;x\\x07\" is not a number\n"},
};

INSTANTIATE_TEST_SUITE_P(Values, RejectedValueTest, ::testing::ValuesIn(kRejected),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OneBearing, PointIsTheDecimalSeparator) {
    const CommandRun run = check({"--w1", "4.5", "--b1", "4", "--A", ".01", "--dh", "0.0711",
                                  "--Vap", "7.13", "--thickness", "1/8", "--format", "csv"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out).at(1),
              "Pass,1/8,8.47,97.53,5418.58,.714,69.67,4.50,56.88,396.11,645.28,35.85,63.03");
}

TEST(OneBearing, ZeroAngleAndZeroLoadAreAccepted) {
    const CommandRun run = check({"--w1", "4", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "0"});
    EXPECT_EQ(run.status, 0);
}

struct BadOptions {
    const char* name;
    std::vector<std::string_view> args;
    const char* reason;
};
void PrintTo(const BadOptions& c, std::ostream* os) {
    *os << c.name;
}

class BadOptionsTest : public ::testing::TestWithParam<BadOptions> {};

TEST_P(BadOptionsTest, GiveTheUsageAndExitWithTwo) {
    const CommandRun run = check(GetParam().args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind(std::string("bpd-check: ") + GetParam().reason + "\nUsage:", 0), 0u)
        << run.err;
}

const BadOptions kBadOptions[] = {
    {"Nothing", {}, "missing --w1"},
    {"MissingOne", {"--w1", "4", "--b1", "4", "--A", "0", "--dh", "1"}, "missing --Vap"},
    {"UnknownOption", {"--colour", "red"}, "unknown option --colour"},
    {"StrayArgument", {"4"}, "unexpected argument \"4\""},
    {"MissingValue", {"--w1"}, "option --w1 needs a value"},
    {"GivenTwice", {"--w1", "4", "--w1", "5"}, "option --w1 given twice"},
    {"BadUnits", {"--units", "metric"}, "unknown units \"metric\" (imperial or si)"},
    {"BadFormat", {"--format", "xml"}, "unknown format \"xml\" (text, csv or json)"},
    {"SevenEighths",
     {"--thickness", "7/8"},
     "unknown thickness \"7/8\" (All, 1/8 1/4 3/8 1/2 5/8 3/4 1, or 3.175 ... 25.400)"},
    {"FlagWithValue", {"--sliding=1"}, "option --sliding takes no value"},
    {"BatchWithValues", {"--batch", "-", "--w1", "4"}, "--w1 cannot be used with --batch"},
    {"BatchWithSliding",
     {"--batch", "-", "--sliding"},
     "--sliding and --thickness cannot be used with --batch (use the columns)"},
    {"BatchAsJson", {"--batch", "-", "--format", "json"}, "--batch writes CSV only"},
};

INSTANTIATE_TEST_SUITE_P(Options, BadOptionsTest, ::testing::ValuesIn(kBadOptions),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Options, HelpDocumentsBothModesAndTheExitStatus) {
    const CommandRun run = check({"--help"});
    EXPECT_EQ(run.status, 0);
    for (const char* part : {"--batch FILE", "--thickness", "--units", "--format",
                             "w1,b1,A,dh,Vap,sliding[,thickness]", "Exit status",
                             "\"4,500\" and \"1,234.5\" are not numbers", "\\xNN",
                             "3  the output could not be written"}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    }
}

TEST(Options, ValuesMayStartWithAMinusSign) {
    CheckOptions options;
    std::string error;
    const std::vector<std::string_view> args{"--w1", "-4",   "--b1", "4",     "--A",
                                             "0",    "--dh", "1",    "--Vap", "0"};
    ASSERT_TRUE(parseCheckOptions(args, options, error)) << error;
    EXPECT_EQ(*options.w1, "-4");
}

TEST(Options, BatchFileThatCannotBeOpened) {
    const CommandRun run = check({"--batch", "/nonexistent/bearings.csv"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err,
              "bpd-check: cannot open \"/nonexistent/bearings.csv\": No such file or directory\n");
}

TEST(Options, BatchFromStandardInput) {
    const CommandRun run = check({"--batch", "-", "--format", "csv"},
                                 "w1,b1,A,dh,Vap,sliding,thickness\n4,4,.01,.0711,7.13,0,1\n");
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out).at(1),
              "2,Pass,1,1.00,31.83,1989.21,.973,30.98,4.00,7.11,445.63,228.14,14.26,200.55");
}

}  // namespace
}  // namespace bpd::cli
