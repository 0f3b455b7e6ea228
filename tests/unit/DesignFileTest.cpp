// Design files: byte-identical round trips with unknown members kept in place, every refusal
// of a whole file with its message, and bearings refused one by one.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <string>
#include <vector>

#include "BearingInputs.h"
#include "DesignFileReader.h"
#include "DesignFileWriter.h"
#include "ThicknessCatalogue.h"

namespace bpd::designfile {
namespace {

const std::string kName = "\"bridge.bpd\"";

ReadResult read(const std::string& text) {
    return readDesignText(text, kName);
}

// A file whose bearings are the given lines, in the given units.
std::string fileOf(const std::vector<std::string>& bearings, std::string_view units = "imperial") {
    std::string text =
        "{\n  \"format\": \"pelgro-bpd-design\",\n  \"version\": 1,\n  \"units\": \"";
    text += units;
    text +=
        "\",\n  \"project\": {\"company\": \"Acme\", \"projectName\": \"SR 14\", \"engineer\": "
        "\"J. Doe\", \"description\": \"Span 2\"},\n  \"bearings\": [";
    for (std::size_t i = 0; i < bearings.size(); ++i)
        text += (i == 0 ? "\n    " : ",\n    ") + bearings[i];
    text += bearings.empty() ? "]\n}\n" : "\n  ]\n}\n";
    return text;
}

std::string bearing(std::string_view mark, std::string_view values,
                    std::string_view thickness = "All") {
    return "{\"mark\": \"" + std::string(mark) + "\", \"location\": \"Pier 1\", \"quantity\": 2, " +
           std::string(values) + ", \"sliding\": false, \"thickness\": \"" +
           std::string(thickness) + "\", \"note\": \"\"}";
}

const std::string kGood = "\"w1\": 9, \"b1\": 14, \"A\": 0.01, \"dh\": 0.5, \"Vap\": 60";

// Files in the writer's layout: reading and writing them again gives the same bytes.
struct RoundTrip {
    const char* name;
    std::string text;
};

class RoundTripTest : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(RoundTripTest, OpenAndSaveGiveTheSameBytes) {
    const ReadResult result = read(GetParam().text);
    ASSERT_TRUE(result.document) << result.refusal;
    EXPECT_EQ(writeDesignText(*result.document), GetParam().text);
}

const RoundTrip kRoundTrips[] = {
    {"Imperial", fileOf({bearing("B1", kGood), bearing("B2", kGood, "3/4")})},
    {"Si", fileOf({bearing("B1",
                           "\"w1\": 228.6, \"b1\": 355.6, \"A\": 0.005, \"dh\": 12.7, "
                           "\"Vap\": 266.9",
                           "19.050")},
                  "si")},
    {"NoBearings", fileOf({})},
    {"ShortestNumbers", fileOf({bearing("B1",
                                        "\"w1\": 0.1, \"b1\": 1e+20, \"A\": 5e-324, \"dh\": "
                                        "1.7976931348623157e+308, \"Vap\": 123456789012")})},
    {"EscapedTexts", fileOf({bearing("B\\\"1\\\\ \\u0001\\n\\té\xF0\x9F\x8C\x89", kGood)})},
    {"UnknownMembersAtEveryLevel",
     "{\n  \"comment\": \"top, first\",\n  \"format\": \"pelgro-bpd-design\",\n"
     "  \"version\": 1,\n  \"units\": \"imperial\",\n  \"drawing\": {\"sheet\": [1, 2.5, "
     "null, true], \"rev\": \"C\"},\n  \"project\": {\"client\": \"DOT\", \"company\": "
     "\"Acme\", \"projectName\": \"\", \"engineer\": \"\", \"description\": \"\", \"phase\": "
     "{}},\n  \"bearings\": [\n    {\"id\": -7, \"mark\": \"B1\", \"location\": \"\", "
     "\"quantity\": 1, \"w1\": 9, \"b1\": 14, \"A\": 0.01, \"x\": [], \"dh\": 0.5, \"Vap\": 60, "
     "\"sliding\": true, \"thickness\": \"1\", \"note\": \"\", \"last\": 18446744073709551615}\n"
     "  ],\n  \"after\": 0\n}\n"},
    // A refused bearing is kept as it was, missing members and all.
    {"RefusedBearingsKept",
     fileOf({"{\"location\": \"\", \"quantity\": 0, \"w1\": -1, \"b1\": 0, \"Vap\": 1, "
             "\"sliding\": false, \"thickness\": \"7/8\", \"note\": \"\"}"})},
};
INSTANTIATE_TEST_SUITE_P(Files, RoundTripTest, ::testing::ValuesIn(kRoundTrips),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DesignFileRead, UnknownMembersKeepTheirPlaceAmongTheKnownOnes) {
    const ReadResult result = read(kRoundTrips[5].text);
    ASSERT_TRUE(result.document);
    const DesignDocument& document = *result.document;
    ASSERT_EQ(document.unknown.size(), 3u);
    EXPECT_EQ(document.unknown[0].name, "comment");
    EXPECT_EQ(document.unknown[0].place, 0u);
    EXPECT_EQ(document.unknown[1].json, "{\"sheet\": [1, 2.5, null, true], \"rev\": \"C\"}");
    EXPECT_EQ(document.unknown[1].place, 3u);  // after format, version, units
    EXPECT_EQ(document.unknown[2].place, 5u);  // after bearings
    const UnknownMembers& inBearing = document.bearings[0].unknown;
    ASSERT_EQ(inBearing.size(), 3u);
    EXPECT_EQ(inBearing[1].name, "x");
    EXPECT_EQ(inBearing[1].place, 6u);  // after A
    EXPECT_EQ(document.project.unknown[1].json, "{}");
}

TEST(DesignFileRead, AHandWrittenFileIsLaidOutOnceAndThenKeepsItsBytes) {
    const std::string hand =
        "\xEF\xBB\xBF{\"bearings\":[{\"Vap\":60.0,\"w1\":9.000,\"mark\":\"\\u00e9\\/\","
        "\"b1\":14,\"A\":1E-2,\"dh\":0.5,\"k\":1.50}],\"units\":\"si\",\"version\":1.0,"
        "\"format\":\"pelgro-bpd-design\"}";
    const ReadResult first = read(hand);
    ASSERT_TRUE(first.document) << first.refusal;
    const std::string saved = writeDesignText(*first.document);
    EXPECT_EQ(saved,
              "{\n  \"format\": \"pelgro-bpd-design\",\n  \"version\": 1,\n  \"units\": \"si\",\n"
              "  \"project\": {\"company\": \"\", \"projectName\": \"\", \"engineer\": \"\", "
              "\"description\": \"\"},\n  \"bearings\": [\n    {\"mark\": \"é/\", \"location\": "
              "\"\", \"quantity\": 1, \"w1\": 9, \"b1\": 14, \"A\": 0.01, \"dh\": 0.5, \"k\": 1.5, "
              "\"Vap\": 60, \"sliding\": false, \"thickness\": \"All\", \"note\": \"\"}\n  ]\n"
              "}\n");
    const ReadResult again = read(saved);
    ASSERT_TRUE(again.document);
    EXPECT_EQ(writeDesignText(*again.document), saved);
}

TEST(DesignFileWrite, TextsTheReaderWouldRefuseAreMadeReadable) {
    DesignDocument document;
    document.bearings.emplace_back().mark = std::string("B\xFF\x01", 3);
    document.bearings[0].values.w1 = -0.0;
    const std::string text = writeDesignText(document);
    EXPECT_NE(text.find("\"mark\": \"B\xEF\xBF\xBD\\u0001\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"w1\": 0,"), std::string::npos) << text;
    ASSERT_TRUE(read(text).document);
}

// Files refused as a whole, each with its one message.
struct Refusal {
    const char* name;
    std::string text;
    std::string message;
};

class RefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusalTest, RefusesTheWholeFileNamingIt) {
    const ReadResult result = read(GetParam().text);
    EXPECT_FALSE(result.document);
    EXPECT_EQ(result.refusal, GetParam().message);
}

std::string withMember(std::string_view member) {
    return "{\"format\": \"pelgro-bpd-design\", \"version\": 1, \"units\": \"imperial\", " +
           std::string(member) + "}";
}

// A file of that many levels: the top-level object is the first.
std::string nested(int levels) {
    return withMember("\"x\": " + std::string(levels - 1, '[') + std::string(levels - 1, ']'));
}

const Refusal kRefusals[] = {
    {"NotJson", "{\n  \"format\": tru\n}",
     kName + " is not JSON: line 2, column 16: syntax error while parsing value - invalid literal"},
    {"Empty", "",
     kName + " is not JSON: line 1, column 1: syntax error while parsing value - unexpected end "
             "of input; expected '[', '{', or a literal"},
    {"TrailingText", withMember("\"bearings\": []") + " {}",
     kName + " is not JSON: line 1, column 84: syntax error while parsing value - unexpected '{'; "
             "expected end of input"},
    {"ControlByteNotEchoed", "{\"a\": \"\x1b[2J",
     kName + " is not JSON: line 1, column 8: syntax error while parsing value - invalid string: "
             "control character U+001B (ESC) must be escaped to \\u001B"},
    {"NotAnObject", "[]", kName + " is not a design file (no \"format\": \"pelgro-bpd-design\")"},
    {"OtherFormat", "{\"format\": \"other\", \"version\": 1}",
     kName + " is not a design file (no \"format\": \"pelgro-bpd-design\")"},
    {"NewerVersion", "{\"format\": \"pelgro-bpd-design\", \"version\": 2, \"units\": 5}",
     kName + " was written by a newer version of the program (design file version 2; this "
             "version reads 1)"},
    {"NoVersion", "{\"format\": \"pelgro-bpd-design\"}",
     kName + ": the member \"version\" is missing"},
    {"VersionText", "{\"format\": \"pelgro-bpd-design\", \"version\": \"1\"}",
     kName + ": \"version\" must be a number, not a text"},
    {"VersionZero", "{\"format\": \"pelgro-bpd-design\", \"version\": 0}",
     kName + ": \"version\" 0 is not a design file version"},
    {"NoUnits", "{\"format\": \"pelgro-bpd-design\", \"version\": 1}",
     kName + ": the member \"units\" is missing"},
    {"UnknownUnits", "{\"format\": \"pelgro-bpd-design\", \"version\": 1, \"units\": \"SI\"}",
     kName + ": \"units\" must be \"imperial\" or \"si\", not \"SI\""},
    {"UnitsNumber", "{\"format\": \"pelgro-bpd-design\", \"version\": 1, \"units\": 1}",
     kName + ": \"units\" must be a text, not a number"},
    {"ProjectArray", withMember("\"project\": []"),
     kName + ": \"project\" must be an object, not an array"},
    {"ProjectMemberNumber", withMember("\"project\": {\"engineer\": 7}"),
     kName + ": \"project\": \"engineer\" must be a text, not a number"},
    {"BearingsObject", withMember("\"bearings\": {}"),
     kName + ": \"bearings\" must be an array, not an object"},
    {"BearingNotObject", withMember("\"bearings\": [{\"mark\": \"B1\"}, 4]"),
     kName + ": bearing 2 must be an object, not a number"},
    {"NumberAsText", withMember("\"bearings\": [{\"mark\": \"B1\", \"w1\": \"9\"}]"),
     kName + ": bearing 1: \"w1\" must be a number, not a text"},
    {"SlidingAsText", withMember("\"bearings\": [{\"sliding\": \"yes\"}]"),
     kName + ": bearing 1: \"sliding\" must be true or false, not a text"},
    {"MarkNull", withMember("\"bearings\": [{\"mark\": null}]"),
     kName + ": bearing 1: \"mark\" must be a text, not null"},
    {"QuantityText", withMember("\"bearings\": [{\"quantity\": \"2\"}]"),
     kName + ": bearing 1: \"quantity\" must be a number, not a text"},
    {"DuplicateMember", withMember("\"bearings\": [{\"w1\": 1, \"w1\": 2}]"),
     kName + ": the member \"w1\" appears twice in one object"},
    {"DuplicateInLargeObject",
     withMember("\"x\": {\"a\": 0, \"b\": 0, \"c\": 0, \"d\": 0, \"e\": 0, \"f\": 0, \"g\": 0, "
                "\"h\": 0, \"i\": 0, \"j\": 0, \"k\": 0, \"l\": 0, \"m\": 0, \"n\": 0, \"o\": 0, "
                "\"p\": 0, \"q\": 0, \"r\": 0, \"a\": 1}"),
     kName + ": the member \"a\" appears twice in one object"},
    {"NumberOutOfRange", withMember("\"x\": -1e400"),
     kName + ": the number -1e400 is beyond the range of the program"},
    {"NestedTooDeep", nested(65), kName + " is nested deeper than 64 levels"},
};
INSTANTIATE_TEST_SUITE_P(Files, RefusalTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DesignFileRead, SixtyFourLevelsAreTheDeepestTaken) {
    EXPECT_TRUE(read(nested(64)).document);
}

TEST(DesignFileRead, ByteOrderMarkIsAccepted) {
    EXPECT_TRUE(read("\xEF\xBB\xBF" + fileOf({})).document);
}

TEST(DesignFileRead, LargerThanSixtyFourMebibytesIsRefusedUnparsed) {
    std::string text = fileOf({});
    text.resize(kMaxFileBytes, ' ');
    EXPECT_TRUE(read(text).document);
    text += ' ';
    EXPECT_EQ(read(text).refusal, kName + " is larger than 64 MiB");
}

TEST(DesignFileRead, AFileOnDiskLargerThanTheLimitIsNotRead) {
    char path[] = "/tmp/bpd-large-XXXXXX";
    const int fd = ::mkstemp(path);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxFileBytes) + 1), 0);  // sparse
    ::close(fd);
    EXPECT_EQ(readDesignFile(path, kName).refusal, kName + " is larger than 64 MiB");
    ::unlink(path);
    EXPECT_EQ(readDesignFile(path, kName).refusal,
              "cannot read " + kName + ": No such file or directory");
    EXPECT_EQ(readDesignFile("/tmp", kName).refusal, "cannot read " + kName + ": Is a directory");
}

// Bearings the input rules refuse: each reported with its position, mark and reason, the
// others kept and checkable.
struct RefusedBearing {
    const char* name;
    std::string bearing;
    std::string problem;  // empty: the bearing can be checked
};

class RefusedBearingTest : public ::testing::TestWithParam<RefusedBearing> {};

TEST_P(RefusedBearingTest, IsReportedAloneAsTheWindowWouldRefuseIt) {
    const ReadResult result =
        read(fileOf({bearing("B1", kGood), GetParam().bearing, bearing("B3", kGood)}));
    ASSERT_TRUE(result.document) << result.refusal;
    EXPECT_EQ(result.document->bearings.size(), 3u);
    if (GetParam().problem.empty()) {
        EXPECT_TRUE(result.problems.empty());
        return;
    }
    ASSERT_EQ(result.problems.size(), 1u);
    EXPECT_EQ(result.problems[0].position, 2u);
    EXPECT_EQ(describeProblem(result.problems[0]), GetParam().problem);
}

const RefusedBearing kRefusedBearings[] = {
    {"ZeroLength", bearing("B2", "\"w1\": 0, \"b1\": 14, \"A\": 0, \"dh\": 0.5, \"Vap\": 60"),
     "bearing 2 (B2): w1: must be positive"},
    {"NegativeLoad", bearing("B2", "\"w1\": 9, \"b1\": 14, \"A\": 0, \"dh\": 0.5, \"Vap\": -1"),
     "bearing 2 (B2): Vap: must be 0 or positive"},
    // The four-decimal re-formatting comes before the test, as in the window.
    {"DeformationRoundsToZero",
     bearing("B2", "\"w1\": 9, \"b1\": 14, \"A\": 0, \"dh\": 0.00004, \"Vap\": 0"),
     "bearing 2 (B2): dh: must be positive"},
    {"DeformationRoundsUp",
     bearing("B2", "\"w1\": 9, \"b1\": 14, \"A\": 0, \"dh\": 0.00005, \"Vap\": 0"), ""},
    {"AngleRoundsToZero",
     bearing("B2", "\"w1\": 9, \"b1\": 14, \"A\": -0.00004, \"dh\": 1, \"Vap\": 0"), ""},
    {"AngleRoundsBelowZero",
     bearing("B2", "\"w1\": 9, \"b1\": 14, \"A\": -0.00005, \"dh\": 1, \"Vap\": 0"),
     "bearing 2 (B2): A: must be 0 or positive"},
    {"MissingValue", bearing("B2", "\"w1\": 9, \"b1\": 14, \"A\": 0, \"Vap\": 0"),
     "bearing 2 (B2): dh: missing"},
    {"NoMark", "{\"w1\": 9, \"b1\": 14, \"A\": 0, \"dh\": 1, \"Vap\": 0}",
     "bearing 2: mark: missing"},
    {"DefaultsForTheRest",
     "{\"mark\": \"\", \"w1\": 9, \"b1\": 14, \"A\": 0, \"dh\": 1, "
     "\"Vap\": 0}",
     ""},
    {"QuantityZero", "{\"mark\": \"B2\", \"quantity\": 0, " + kGood + "}",
     "bearing 2 (B2): quantity: must be a whole number of at least 1"},
    {"QuantityFraction", "{\"mark\": \"B2\", \"quantity\": 1.5, " + kGood + "}",
     "bearing 2 (B2): quantity: must be a whole number of at least 1"},
    {"LabelOfTheOtherUnits", bearing("B2", kGood, "3.175"),
     "bearing 2 (B2): thickness: is not one of All 1/8 1/4 3/8 1/2 5/8 3/4 1"},
    {"NoSevenEighths", bearing("B2", kGood, "7/8"),
     "bearing 2 (B2): thickness: is not one of All 1/8 1/4 3/8 1/2 5/8 3/4 1"},
};
INSTANTIATE_TEST_SUITE_P(Bearings, RefusedBearingTest, ::testing::ValuesIn(kRefusedBearings),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BearingInputs, ValuesAreTakenAsTheWindowsFieldsHoldThem) {
    DesignBearing b;
    b.values = {4, 1.23456, 0.01, 0.00005, 1e20};
    const InputTexts texts = fieldTexts(b);
    EXPECT_EQ(texts.w1, "4.0000");
    EXPECT_EQ(texts.b1, "1.2346");
    EXPECT_EQ(texts.A, ".0100");
    EXPECT_EQ(texts.dh, ".0001");
    EXPECT_EQ(texts.Vap, "100000000000000000000.0000");
    EXPECT_EQ(fieldValues(b).b1, 1.2346);
    b.thickness = "15.875";
    const AnalysisRequest request = analysisRequest(UnitSystem::SI, b);
    EXPECT_EQ(request.selection, 5);
    EXPECT_EQ(request.texts.w1, "4.0000");
}

TEST(BearingInputs, TheCheckersValuesGiveTheRowsOfTheWindowsTexts) {
    DesignBearing b;
    b.values = {101.60004, 101.6, 0.01, 1.80594, 31.72};
    b.thickness = "25.400";
    const NumberLocale c{".", ","};
    const ResultTable fromTexts = analyze(analysisRequest(UnitSystem::SI, b), c);
    ResultTable fromValues;
    analyzeValues(UnitSystem::SI, fieldValues(b), false, 7, ThicknessCatalogue::thicknesses(), c,
                  fromValues);
    ASSERT_EQ(fromTexts.rows.size(), 1u);
    ASSERT_EQ(fromValues.rows.size(), 1u);
    EXPECT_EQ(fromTexts.rows[0].cells, fromValues.rows[0].cells);
    EXPECT_EQ(fromTexts.rows[0].cells[4], "13715142.02");  // w1 typed as 101.6000
}

}  // namespace
}  // namespace bpd::designfile
