#pragma once
// A text from the user (an option value, a batch field, a file name) made safe to repeat in a
// message on a terminal.

#include <cstddef>
#include <string>
#include <string_view>

namespace bpd::cli {

// Characters of an echoed text at most; a longer text is cut there and ends in "...".
inline constexpr std::size_t kEchoLimit = 80;

// The text with every control character (bytes 0x00-0x1F, 0x7F, the C1 controls) and every
// byte that is not part of valid UTF-8 written as \xNN, and a backslash as \\, so that no
// byte of it reaches the terminal as a command; cut after kEchoLimit characters.
std::string echoed(std::string_view text);

}  // namespace bpd::cli
