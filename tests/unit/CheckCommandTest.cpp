// bpd-check: options, exit statuses and the three output forms of one bearing.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CheckCommand.h"
#include "CommandRunSupport.h"
#include "TableTestSupport.h"

namespace bpd::cli {
namespace {

CommandRun check(std::vector<std::string_view> args, const std::string& input = {}) {
    return runCommand(std::move(args), input);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) result.push_back(line);
    return result;
}

// A 4 x 4 in. pad at A = .01 with the given dh and Vap, then the further arguments.
std::vector<std::string_view> fourByFour(std::string_view dh, std::string_view vap,
                                         std::vector<std::string_view> more) {
    std::vector<std::string_view> args{"--w1", "4",    "--b1", "4",     "--A",
                                       ".01",  "--dh", dh,     "--Vap", vap};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The window's opening inputs.
std::vector<std::string_view> opening(std::vector<std::string_view> more = {}) {
    return fourByFour("0.0711", "7.13", std::move(more));
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

// ---- --explain ----

std::vector<std::string_view> shearExample(std::vector<std::string_view> more = {}) {
    return fourByFour("0.1", "45", std::move(more));
}

TEST(Explain, CsvAndJsonRowsCarryUtilisationAndTheGoverningCheck) {
    const CommandRun csv = check(shearExample({"--explain", "--format", "csv"}));
    EXPECT_EQ(csv.status, 0);
    const std::vector<std::string> rows = lines(csv.out);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0],
              "Status,t(in.),SF,Vnr(kips),Snr(psi),R,Var(kips),W2(in.),Es(%),Sap(psi),N(lbs),"
              "Ss(psi),G(psi),Ucomp,Ushear,Governs");
    EXPECT_EQ(rows[1],
              "FAIL!,1/8,8.00,83.24,5202.56,.714,59.46,4.00,80.00,2812.50,4829.91,301.87,377.34,"
              "75.7,106.7,shear");
    EXPECT_TRUE(rows[2].ends_with(",533.63,104.4,53.3,compression")) << rows[2];

    const CommandRun json = check(shearExample({"--explain", "--format", "json"}));
    EXPECT_NE(json.out.find("\"G\": \"377.34\", \"passes\": false, \"Ucomp\": \"75.7\", "
                            "\"Ushear\": \"106.7\", \"Governs\": \"shear\"}"),
              std::string::npos)
        << json.out;
}

TEST(Explain, TextTableIsFollowedByALineForEachFailingRow) {
    const CommandRun run = check(shearExample({"--explain", "--thickness", "1/4"}));
    EXPECT_EQ(run.status, 0);
    const std::vector<std::string> text = lines(run.out);
    ASSERT_EQ(text.size(), 4u);
    EXPECT_TRUE(text[0].ends_with("  G(psi)  Ucomp  Ushear  Governs")) << text[0];
    EXPECT_TRUE(text[1].ends_with("  533.63  104.4  53.3    compression")) << text[1];
    EXPECT_EQ(text[2], "");
    EXPECT_EQ(text[3],
              "t = 1/4 in.: compression fails (Vap 45 > Var 43.09 kips, Ucomp 104.4 %); with "
              "t = 1/4 in. the smallest passing pad is 3.5 x 5 in.");
    // Passing rows add nothing; with no load the shear check passes by the method.
    EXPECT_EQ(lines(check(opening({"--explain"})).out).size(), 8u);
    EXPECT_EQ(lines(check({"--w1", "4", "--b1", "4", "--A", ".01", "--dh", "0.1", "--Vap", "0",
                           "--explain", "--thickness", "1/8"})
                        .out)
                  .back(),
              "Vap = 0: the shear check passes by the method (N = Nmax = 0), whatever Es");
}

// ---- --size ----

TEST(Size, TheSmallestPassingPadInEachForm) {
    struct Case {
        std::vector<std::string_view> args;
        const char* out;
    };
    const Case cases[] = {
        {{"--size", "--A", ".01", "--dh", "0.1", "--Vap", "45", "--format", "csv"},
         "w1,b1,Status,t(in.),SF,Vnr(kips),Snr(psi),R,Var(kips),W2(in.),Es(%),Sap(psi),N(lbs),"
         "Ss(psi),G(psi),Ucomp,Ushear,Governs\n"
         "3.5,5,Pass,1/4,4.12,59.86,3420.37,.800,47.89,3.50,40.00,2571.43,3415.26,195.16,487.89,"
         "94.0,53.3,compression\n"},
        {{"--size", "--units", "si", "--A", ".005", "--dh", "5", "--Vap", "500", "--b1", "300",
          "--format", "csv"},
         "w1,b1,Status,t(mm),SF,Vnr(KN),Snr(N/m2),R,Var(KN),W2(mm),Es(%),Sap(N/m2),N(N),"
         "Ss(N/m2),G(N/m2),Ucomp,Ushear,Governs\n"
         "90,300,Pass,9.525,3.63,595.51,22052348.32,.964,573.99,90.00,52.49,18515362.98,43471.41,"
         "1609778.00,3066627.07,87.1,70.0,compression\n"},
        {{"--size", "--A", ".01", "--dh", "0.1", "--Vap", "45", "--step", "1", "--max", "6"},
         "w1  b1  Status  t(in.)  SF    Vnr(kips)  Snr(psi)  R     Var(kips)  W2(in.)  Es(%)  "
         "Sap(psi)  N(lbs)   Ss(psi)  G(psi)  Ucomp  Ushear  Governs\n"
         "3   6   Pass    1/4     4.00  60.59      3366.36   .800  48.48      3.00     40.00  "
         "2500.00   3415.26  189.74   474.34  92.8   53.3    compression\n"},
        {{"--size", "--A", ".01", "--dh", "0.1", "--Vap", "45", "--w1", "4.50", "--format", "json",
          "--sliding"},
         "{\n  \"units\": \"Imperial\",\n  \"sliding\": true,\n  \"w1\": \"4.5\",\n  \"b1\": "
         "\"4.5\",\n  \"header\": [\"Status\", \"t(in.)\", \"SF\", \"Vnr(kips)\", \"Snr(psi)\", "
         "\"R\", \"Var(kips)\", \"W2(in.)\", \"Es(%)\", \"Sap(psi)\", \"N(lbs)\", \"Ss(psi)\", "
         "\"G(psi)\"],\n  \"row\": {\"status\": \"Pass\", \"t\": \"1/2\", \"SF\": \"2.25\", "
         "\"Vnr\": \"50.63\", \"Snr\": \"2563.02\", \"R\": \".952\", \"Var\": \"48.21\", "
         "\"W2\": \"4.50\", \"Es\": \"20.00\", \"Sap\": \"2222.22\", \"N\": \"2414.95\", "
         "\"Ss\": \"119.26\", \"G\": \"596.28\", \"passes\": true, \"Ucomp\": \"93.3\", "
         "\"Ushear\": \"26.7\", \"Governs\": \"compression\"}\n}\n"},
    };
    for (const Case& c : cases) {
        const CommandRun run = check(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, "");
    }
}

TEST(Size, NoPassingPadExitsWithOneAndTheReason) {
    const CommandRun run = check({"--size", "--A", ".01", "--dh", "2", "--Vap", "45"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "bpd-check: no pad passes: the shear check needs t >= dh / 0.75 = 2.6667 in., "
              "beyond the thickest catalogue pad (1 in.)\n");
    const CommandRun rejected = check({"--size", "--A", ".01", "--dh", "0", "--Vap", "45"});
    EXPECT_EQ(rejected.status, 1);
    EXPECT_EQ(rejected.err, "bpd-check: dh: must be positive\n");
}

struct RejectedValue {
    const char* name;
    std::vector<std::string_view> args;
    const char* message;
};
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

BPD_CASE_TABLE(Values, RejectedValueTest, RejectedValue, kRejected);

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
    {"StepWithoutSize", {"--w1", "4", "--step", "1"}, "--step and --max need --size"},
    {"SizeMissingLoad", {"--size", "--A", "0", "--dh", "1"}, "missing --Vap"},
    {"SizeBothDimensions",
     {"--size", "--w1", "4", "--b1", "4", "--A", "0", "--dh", "1", "--Vap", "1"},
     "--size keeps at most one of --w1 and --b1 (the other is sized)"},
    {"ZeroStep", {"--size", "--step", "0"}, "--step: must be positive"},
    {"CommaStep",
     {"--size", "--step", "0,5"},
     "--step: \"0,5\" is not a number (the decimal separator is a point; no grouping)"},
    {"MaximumBelowStep",
     {"--size", "--units", "si", "--max", "5"},
     "the maximum must be at least one step"},
    {"TooFineAGrid",
     {"--batch", "-", "--size", "--step", "0.01"},
     "more than 1000 sizes a dimension: choose a larger step or a smaller maximum"},
    {"SizeGivenTwice", {"--size", "--max", "4", "--max", "5"}, "option --max given twice"},
    {"CompanyWithoutSheet",
     {"--company", "Pelgro"},
     "--company, --project-name, --engineer and --description need --sheet"},
    {"SheetWithBatch",
     {"--batch", "-", "--sheet", "a.pdf"},
     "--sheet writes the sheet of one bearing (not with --batch or --size)"},
    {"SheetWithSize",
     {"--size", "--A", "0", "--dh", "1", "--Vap", "1", "--sheet", "a.pdf"},
     "--sheet writes the sheet of one bearing (not with --batch or --size)"},
    {"SheetWithoutName", {"--sheet="}, "option --sheet needs a file name"},
    {"SheetGivenTwice", {"--sheet", "a.pdf", "--sheet", "b.pdf"}, "option --sheet given twice"},
};

BPD_CASE_TABLE(Options, BadOptionsTest, BadOptions, kBadOptions);

// Records the sheets asked for and answers with a set reason.
class RecordingSheets : public SheetService {
public:
    std::string write(const SheetRequest& request) override {
        requests.push_back(request);
        return problem;
    }
    std::string writePackage(const PackageRequest& request) override {
        packages.push_back(request);
        return problem;
    }
    std::vector<SheetRequest> requests;
    std::vector<PackageRequest> packages;
    std::string problem;
};

CommandRun checkWithSheets(std::vector<std::string_view> args, SheetService* sheets) {
    return runCommand(std::move(args), {}, sheets);
}

TEST(Sheet, TheBearingAndTheProjectDataGoToTheSheetAndTheOutputStaysAsItWas) {
    RecordingSheets sheets;
    const CommandRun run =
        checkWithSheets(opening({"--units", "si", "--thickness", "6.350", "--sliding", "--sheet",
                                 "out/a.pdf", "--company", "Pelgro", "--engineer=A. Engineer"}),
                        &sheets);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, check(opening({"--units", "si", "--thickness", "6.350", "--sliding"})).out);
    ASSERT_EQ(sheets.requests.size(), 1u);
    const SheetRequest& r = sheets.requests[0];
    EXPECT_EQ(r.path, "out/a.pdf");
    EXPECT_EQ(r.bearing.units, UnitSystem::SI);
    EXPECT_EQ(r.bearing.values.w1, 4);
    EXPECT_EQ(r.bearing.values.dh, 0.0711);
    EXPECT_EQ(r.bearing.values.Vap, 7.13);
    EXPECT_TRUE(r.bearing.sliding);
    EXPECT_EQ(r.bearing.selection, 2);
    EXPECT_EQ(r.company, "Pelgro");
    EXPECT_EQ(r.engineer, "A. Engineer");
    EXPECT_FALSE(r.projectName);  // from the settings store
    EXPECT_FALSE(r.description);
}

TEST(Sheet, ASheetThatCannotBeWrittenExitsWithThreeAndTheReason) {
    RecordingSheets sheets;
    sheets.problem = "No space left on device";
    const CommandRun run = checkWithSheets(opening({"--sheet", "full/a.pdf"}), &sheets);
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.out, check(opening()).out);
    EXPECT_EQ(run.err,
              "bpd-check: cannot write the sheet \"full/a.pdf\": No space left on device (the "
              "file is as it was)\n");
    const CommandRun unavailable = checkWithSheets(opening({"--sheet", "a.pdf"}), nullptr);
    EXPECT_EQ(unavailable.status, 3);
    EXPECT_NE(unavailable.err.find("not available"), std::string::npos);
}

TEST(Sheet, AnArithmeticFaultStillWritesTheSheetAndExitsWithOne) {
    RecordingSheets sheets;
    const CommandRun run = checkWithSheets({"--w1", "1e300", "--b1", "1e300", "--A", "0", "--dh",
                                            "1", "--Vap", "1", "--sheet", "f.pdf"},
                                           &sheets);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(sheets.requests.size(), 1u);
    sheets.problem = "Permission denied";
    EXPECT_EQ(checkWithSheets({"--w1", "1e300", "--b1", "1e300", "--A", "0", "--dh", "1", "--Vap",
                               "1", "--sheet", "f.pdf"},
                              &sheets)
                  .status,
              3);
}

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

TEST(Options, HelpDocumentsTheAssistant) {
    const CommandRun run = check({"--help"});
    for (const char* part : {"--explain", "--size", "--step S", "--max M", "Ucomp", "Ushear",
                             "Governs", "no pad passes", "\"line,w1,b1\""}) {
        EXPECT_NE(run.out.find(part), std::string::npos) << part;
    }
}

TEST(Options, ValuesMayStartWithAMinusSign) {
    CheckOptions options;
    std::string error;
    const std::vector<std::string_view> args{"--w1", "-4",   "--b1", "4",     "--A",
                                             "0",    "--dh", "1",    "--Vap", "0"};
    ASSERT_TRUE(parseCheckOptions(args, options, error)) << error;
    EXPECT_EQ(*options.inputs.w1, "-4");
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
