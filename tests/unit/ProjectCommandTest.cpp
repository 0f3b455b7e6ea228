// bpd-check --project and --save-project: the same rows as the batch mode on the same
// bearings, the exit statuses and messages, and a save that never writes through a symlink.

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "CheckCommand.h"
#include "CommandRunSupport.h"

namespace bpd::cli {
namespace {

namespace fs = std::filesystem;

CommandRun check(std::vector<std::string_view> args, SheetService* sheets = nullptr) {
    return runCommand(std::move(args), {}, sheets);
}

std::string contents(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

class ProjectCommand : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/bpd-project-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string file(std::string_view name, std::string_view text) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    fs::path dir_;
};

// The same bearings as a batch file and as a design file: four decimals at most, so the
// window's re-formatting changes no value.
const char* const kBatch =
    "mark,w1,b1,A,dh,Vap,sliding,thickness\n"
    "B1,9,14,.01,.5,60,0,All\n"
    "\"B,2\",4,4,.01,.0711,7.13,1,1/4\n"
    "B3,4,4,0.1,0.0711,7.13,no,\n";

std::string designFile(std::string_view units) {
    return "{\"format\": \"pelgro-bpd-design\", \"version\": 1, \"units\": \"" +
           std::string(units) +
           "\", \"bearings\": [\n"
           "{\"mark\": \"B1\", \"w1\": 9, \"b1\": 14, \"A\": 0.01, \"dh\": 0.5, \"Vap\": 60},\n"
           "{\"mark\": \"B,2\", \"w1\": 4, \"b1\": 4, \"A\": 0.01, \"dh\": 0.0711, \"Vap\": "
           "7.13, \"sliding\": true, \"thickness\": \"" +
           (units == "si" ? "6.350" : "1/4") +
           "\"},\n"
           "{\"mark\": \"B3\", \"w1\": 4, \"b1\": 4, \"A\": 0.1, \"dh\": 0.0711, \"Vap\": 7.13}]}";
}

// A sheet service that draws nothing and keeps each package it was asked for.
class RecordingPackages : public SheetService {
public:
    std::string write(const SheetRequest&) override { return "one bearing's sheet not expected"; }
    std::string writePackage(const PackageRequest& request) override {
        packages.push_back(request);
        return problem;
    }
    std::vector<PackageRequest> packages;
    std::string problem;
};

// The batch output with each line number replaced by the mark of that line.
std::string batchRowsAsProjectRows(const std::string& batch) {
    const std::vector<std::string> marks{"", "", "B1", "\"B,2\"", "B3"};
    std::istringstream lines(batch);
    std::string out, line;
    std::getline(lines, line);
    out += "mark" + line.substr(line.find(',')) + '\n';
    while (std::getline(lines, line)) {
        const std::size_t comma = line.find(',');
        out += marks.at(std::stoul(line.substr(0, comma))) + line.substr(comma) + '\n';
    }
    return out;
}

TEST_F(ProjectCommand, GivesTheRowsOfTheBatchModeOnTheSameBearings) {
    const std::string csv = file("bearings.csv", kBatch);
    for (const std::string_view units : {"imperial", "si"}) {
        const std::string bpd = file("bridge.bpd", designFile(units));
        for (const bool explain : {false, true}) {
            std::vector<std::string_view> batchArgs{"--batch", csv, "--units", units};
            std::vector<std::string_view> projectArgs{"--project", bpd};
            if (explain) {
                batchArgs.push_back("--explain");
                projectArgs.push_back("--explain");
            }
            const CommandRun batch = check(batchArgs);
            const CommandRun project = check(projectArgs);
            ASSERT_EQ(batch.status, 0) << batch.err;
            EXPECT_EQ(project.status, 0) << project.err;
            EXPECT_EQ(project.out, batchRowsAsProjectRows(batch.out)) << units;
            EXPECT_EQ(std::count(project.out.begin(), project.out.end(), '\n'), 1 + 7 + 1 + 7);
        }
    }
}

TEST_F(ProjectCommand, ValuesAreReFormattedToFourDecimalsAsInTheWindow) {
    // dh = 0.07114 is typed as .0711, so the rows are those of the window's opening inputs.
    const std::string bpd =
        file("b.bpd",
             "{\"format\": \"pelgro-bpd-design\", \"version\": 1, \"units\": \"imperial\", "
             "\"bearings\": [{\"mark\": \"B1\", \"w1\": 4, \"b1\": 4, \"A\": 0.01, \"dh\": "
             "0.07114, \"Vap\": 7.13, \"thickness\": \"1/8\"}]}");
    const CommandRun run = check({"--project", bpd});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("\nB1,Pass,1/8,8.00,83.24,5202.56,.714,59.46,4.00,56.88,445.63,"),
              std::string::npos)
        << run.out;
}

TEST_F(ProjectCommand, ARefusedBearingIsReportedAndTheOthersStillChecked) {
    const std::string bpd =
        file("b.bpd",
             "{\"format\": \"pelgro-bpd-design\", \"version\": 1, \"units\": \"imperial\", "
             "\"bearings\": [{\"mark\": \"B1\", \"w1\": 4, \"b1\": 4, \"A\": 0, \"dh\": 1, "
             "\"Vap\": 1, \"thickness\": \"1\"}, {\"mark\": \"B2\", \"w1\": 0, \"b1\": 4, \"A\": "
             "0, \"dh\": 1, \"Vap\": 1}, {\"mark\": \"B3\\u001b\", \"w1\": 4, \"b1\": 4, \"A\": 0, "
             "\"dh\": 1, \"Vap\": -1}, {\"mark\": \"B4\", \"w1\": 4, \"b1\": 4, \"A\": 0, \"dh\": "
             "1, \"Vap\": 1, \"thickness\": \"1\"}]}");
    for (const std::string_view format : {"csv", "text", "json"}) {
        const CommandRun run = check({"--project", bpd, "--format", format});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err,
                  "bpd-check: bearing 2 (B2): w1: must be positive\n"
                  "bpd-check: bearing 3 (B3\\x1b): Vap: must be 0 or positive\n");
        EXPECT_NE(run.out.find("B1"), std::string::npos) << format;
        EXPECT_NE(run.out.find("B4"), std::string::npos) << format;
    }
}

TEST_F(ProjectCommand, SizeGivesOneLinePerBearingWithTheMarkFirst) {
    const std::string bpd = file("bridge.bpd", designFile("imperial"));
    const CommandRun run = check({"--project", bpd, "--size"});
    EXPECT_EQ(run.status, 0) << run.err;
    const CommandRun one =
        check({"--size", "--A", ".01", "--dh", ".5", "--Vap", "60", "--format", "csv"});
    EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
              "mark," + one.out.substr(0, one.out.find('\n')));
    const std::string oneRow = one.out.substr(one.out.find('\n') + 1);
    EXPECT_EQ(run.out.substr(run.out.find('\n') + 1, oneRow.size() + 3), "B1," + oneRow);
}

struct FileRefusal {
    const char* name;
    std::string text;
    std::string message;
};

TEST_F(ProjectCommand, AFileRefusedAsAWholeEndsWithStatusTwo) {
    const FileRefusal refusals[] = {
        {"not-json", "{,", "is not JSON: line 1, column 2: syntax error while parsing"},
        {"newer", "{\"format\": \"pelgro-bpd-design\", \"version\": 3}",
         "was written by a newer version of the program"},
        {"csv", kBatch, "is not JSON: line 1, column 1:"},
    };
    for (const FileRefusal& refusal : refusals) {
        const std::string path = file(refusal.name, refusal.text);
        const CommandRun run = check({"--project", path});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err.rfind("bpd-check: \"" + path + "\" " + refusal.message, 0), 0u)
            << run.err;
    }
    const CommandRun missing = check({"--project", (dir_ / "none.bpd").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err, "bpd-check: cannot read \"" + (dir_ / "none.bpd").string() +
                               "\": No such file or directory\n");
}

TEST_F(ProjectCommand, OptionsThatDoNotGoWithADesignFile) {
    const std::vector<std::vector<std::string_view>> wrong{
        {"--project", "b.bpd", "--w1", "4"},
        {"--project", "b.bpd", "--units", "si"},
        {"--project", "b.bpd", "--batch", "a.csv"},
        {"--project", "b.bpd", "--step", "1"},
        {"--project", ""},
        {"--save-project", "b.bpd"},
        {"--batch", "a.csv", "--save-project", "b.bpd", "--size"},
        {"--batch", "a.csv", "--save-project", "b.bpd", "--format", "csv"},
    };
    for (const auto& args : wrong) {
        const CommandRun run = check(args);
        EXPECT_EQ(run.status, 2) << args[0] << ' ' << args[2];
        EXPECT_NE(run.err.find("Usage:"), std::string::npos);
    }
}

TEST_F(ProjectCommand, SaveProjectWritesTheBatchAsADesignFileThatChecksTheSame) {
    const std::string csv = file("bearings.csv",
                                 "quantity,location,mark,w1,b1,A,dh,Vap,sliding,thickness\n"
                                 "2,\"Pier 1, girder 3\",B1,9,14,.01,.5,60,0,6.350\n"
                                 ",,B2,4,4,.01,.0711,7.13,1,\n");
    const std::string bpd = (dir_ / "bridge.bpd").string();
    const CommandRun save = check({"--batch", csv, "--save-project", bpd});
    EXPECT_EQ(save.status, 0) << save.err;
    EXPECT_EQ(save.out, "");
    EXPECT_EQ(contents(bpd),
              "{\n  \"format\": \"pelgro-bpd-design\",\n  \"version\": 1,\n"
              "  \"units\": \"imperial\",\n  \"project\": {\"company\": \"\", \"projectName\": "
              "\"\", \"engineer\": \"\", \"description\": \"\"},\n  \"bearings\": [\n"
              "    {\"mark\": \"B1\", \"location\": \"Pier 1, girder 3\", \"quantity\": 2, \"w1\": "
              "9, \"b1\": 14, \"A\": 0.01, \"dh\": 0.5, \"Vap\": 60, \"sliding\": false, "
              "\"thickness\": \"1/4\", \"note\": \"\"},\n"
              "    {\"mark\": \"B2\", \"location\": \"\", \"quantity\": 1, \"w1\": 4, \"b1\": 4, "
              "\"A\": 0.01, \"dh\": 0.0711, \"Vap\": 7.13, \"sliding\": true, \"thickness\": "
              "\"All\", \"note\": \"\"}\n  ]\n}\n");
    const CommandRun project = check({"--project", bpd});
    EXPECT_EQ(project.status, 0);
    EXPECT_EQ(std::count(project.out.begin(), project.out.end(), '\n'), 1 + 1 + 7);
}

TEST_F(ProjectCommand, SaveProjectWritesNothingWhenALineIsReported) {
    const std::string csv = file("bearings.csv",
                                 "mark,w1,b1,A,dh,Vap,sliding,quantity\n"
                                 "B1,9,14,.01,.5,60,0,1\n"
                                 "B2,9,14,.01,.5,60,0,0\n"
                                 "B3,0,14,.01,.5,60,0,1\n");
    const std::string bpd = file("bridge.bpd", "old");
    const CommandRun run = check({"--batch", csv, "--save-project", bpd});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "bpd-check: line 3: quantity: \"0\" is not a whole number of at least 1\n"
              "bpd-check: line 4: w1: must be positive\n"
              "bpd-check: \"" +
                  bpd + "\" was not written (2 lines reported)\n");
    EXPECT_EQ(contents(bpd), "old");
}

TEST_F(ProjectCommand, SaveProjectReplacesASymlinkAndNeverWritesThroughIt) {
    const std::string csv = file("bearings.csv", kBatch);
    const std::string elsewhere = file("elsewhere.txt", "not to be touched");
    const fs::path link = dir_ / "bridge.bpd";
    fs::create_symlink(elsewhere, link);
    const CommandRun run = check({"--batch", csv, "--save-project", link.string()});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(contents(elsewhere), "not to be touched");
    EXPECT_EQ(check({"--project", link.string()}).status, 0);
}

TEST_F(ProjectCommand, SaveProjectThatCannotWriteSaysWhyWithStatusThree) {
    const std::string csv = file("bearings.csv", kBatch);
    const std::string target = (dir_ / "missing" / "bridge.bpd").string();
    const CommandRun run = check({"--batch", csv, "--save-project", target});
    EXPECT_EQ(run.status, 3);
    EXPECT_EQ(run.err, "bpd-check: cannot write \"" + target +
                           "\": No such file or directory (the file keeps what it held)\n");
    // Only root may write into a folder without write permission.
    if (::geteuid() == 0) return;
    ::chmod(dir_.c_str(), 0500);
    const CommandRun readOnly = check({"--batch", csv, "--save-project", csv});
    ::chmod(dir_.c_str(), 0700);
    EXPECT_EQ(readOnly.status, 3);
    EXPECT_EQ(contents(csv), kBatch);
}

// --sheet beside --project: the rows as without it, then the package of every bearing that
// can be checked, in file order, with the file's project data; a package that cannot be
// written gives status 3 after the whole output.
TEST_F(ProjectCommand, SheetWritesThePackageOfTheCheckedBearings) {
    const std::string bpd =
        file("bridge.bpd",
             "{\"format\": \"pelgro-bpd-design\", \"version\": 1, \"units\": \"si\", \"project\": "
             "{\"company\": \"Acme\", \"projectName\": \"Mill Creek\", \"engineer\": \"J. Doe\", "
             "\"description\": \"Span 2\"}, \"bearings\": [\n"
             "{\"mark\": \"B1\", \"location\": \"Pier 1\", \"quantity\": 4, \"w1\": 228.6, "
             "\"b1\": 355.6, \"A\": 0.01, \"dh\": 12.7, \"Vap\": 266.9, \"sliding\": true, "
             "\"thickness\": \"6.350\"},\n"
             "{\"mark\": \"B2\", \"w1\": 0, \"b1\": 14, \"A\": 0.01, \"dh\": 0.5, \"Vap\": 60},\n"
             "{\"mark\": \"B3\", \"w1\": 101.6, \"b1\": 101.6, \"A\": 0.01, \"dh\": 1.80594, "
             "\"Vap\": 31.7158}]}");
    const CommandRun plain = check({"--project", bpd});
    RecordingPackages sheets;
    const CommandRun run = check({"--project", bpd, "--sheet", "out/package.pdf"}, &sheets);
    EXPECT_EQ(run.status, 1);  // B2 is reported, as without --sheet
    EXPECT_EQ(run.out, plain.out);
    EXPECT_EQ(run.err, plain.err);
    ASSERT_EQ(sheets.packages.size(), 1u);
    const PackageRequest& p = sheets.packages[0];
    EXPECT_EQ(p.path, "out/package.pdf");
    EXPECT_EQ(p.company + "|" + p.projectName + "|" + p.engineer + "|" + p.description,
              "Acme|Mill Creek|J. Doe|Span 2");
    ASSERT_EQ(p.bearings.size(), 2u);
    const PackageEntry& b1 = p.bearings[0];
    EXPECT_EQ(b1.mark + "|" + b1.location, "B1|Pier 1");
    EXPECT_EQ(b1.quantity, 4);
    EXPECT_EQ(b1.bearing.units, UnitSystem::SI);
    EXPECT_TRUE(b1.bearing.sliding);
    EXPECT_EQ(b1.bearing.selection, 2);
    EXPECT_EQ(b1.bearing.values.w1, 228.6);
    EXPECT_EQ(b1.bearing.values.dh, 12.7);
    const PackageEntry& b3 = p.bearings[1];
    EXPECT_EQ(b3.mark, "B3");
    EXPECT_EQ(b3.bearing.selection, 0);
    EXPECT_EQ(b3.bearing.values.dh, 1.8059);  // as the field would hold it

    sheets.problem = "No space left on device";
    const CommandRun full = check({"--project", bpd, "--sheet", "full/p.pdf"}, &sheets);
    EXPECT_EQ(full.status, 3);
    EXPECT_EQ(full.out, plain.out);
    EXPECT_EQ(full.err, plain.err +
                            "bpd-check: cannot write the sheet \"full/p.pdf\": No space left on "
                            "device (the file is as it was)\n");
}

TEST_F(ProjectCommand, SheetOptionsThatDoNotFitAProjectAreRefused) {
    const std::string bpd = file("bridge.bpd", designFile("imperial"));
    RecordingPackages sheets;
    for (const std::vector<std::string_view>& extra :
         {std::vector<std::string_view>{"--sheet", "p.pdf", "--size"},
          std::vector<std::string_view>{"--sheet", "p.pdf", "--company", "Acme"},
          std::vector<std::string_view>{"--project-name", "X"}}) {
        std::vector<std::string_view> args{"--project", bpd};
        args.insert(args.end(), extra.begin(), extra.end());
        const CommandRun run = check(args, &sheets);
        EXPECT_EQ(run.status, 2) << extra.back();
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(sheets.packages.empty());
}

}  // namespace
}  // namespace bpd::cli
