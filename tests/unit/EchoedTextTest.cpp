// Texts from the user repeated in messages: no byte reaches the terminal as a command, and a
// long or binary field is cut.

#include <gtest/gtest.h>

#include <string>

#include "EchoedText.h"
#include "TableTestSupport.h"

namespace bpd::cli {
namespace {

struct EchoCase {
    const char* name;
    std::string text;
    std::string expected;
};
class EchoedTextTest : public ::testing::TestWithParam<EchoCase> {};

TEST_P(EchoedTextTest, Escapes) {
    EXPECT_EQ(echoed(GetParam().text), GetParam().expected);
}

const EchoCase kEchoCases[] = {
    {"Plain", "4,5 kips", "4,5 kips"},
    {"TerminalTitleSequence", "\x1b]0;owned\x07", "\\x1b]0;owned\\x07"},
    {"LineEndsTabNulAndDelete", std::string("a\r\n\t\0\x7f", 6), "a\\x0d\\x0a\\x09\\x00\\x7f"},
    {"BackslashDoubled", "\\x1b", "\\\\x1b"},
    {"Utf8Kept",
     "Gr\xC3\xB6\xC3\x9F"
     "e \xE2\x82\xAC",
     "Gr\xC3\xB6\xC3\x9F"
     "e \xE2\x82\xAC"},
    {"C1ControlEscaped",
     "\xC2\x9B"
     "2J",
     "\\xc2\\x9b2J"},
    {"StrayAndCutBytes", "\xFF\xE2\x82", "\\xff\\xe2\\x82"},
    {"OverlongForm", "\xC0\xAF", "\\xc0\\xaf"},
    {"EightyCharactersStay", std::string(80, 'x'), std::string(80, 'x')},
    {"EightyOneAreCut", std::string(81, 'x'), std::string(80, 'x') + "..."},
    {"CutCountsCharactersNotBytes", std::string(41, 'a') + std::string(20, '\x01'),
     std::string(41, 'a') + "\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01\\x01..."},
};

std::string repeated(const char* piece, int times) {
    std::string s;
    for (int i = 0; i < times; ++i) s += piece;
    return s;
}

BPD_CASE_TABLE(Texts, EchoedTextTest, EchoCase, kEchoCases);

TEST(EchoedText, MultiByteCharactersCountOnce) {
    EXPECT_EQ(echoed(repeated("\xC3\xA4", 80)), repeated("\xC3\xA4", 80));
    EXPECT_EQ(echoed(repeated("\xC3\xA4", 81)), repeated("\xC3\xA4", 80) + "...");
}

}  // namespace
}  // namespace bpd::cli
