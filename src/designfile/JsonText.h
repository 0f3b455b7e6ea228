#pragma once
// The writer's JSON texts: strings with the fewest escapes and numbers as the shortest text
// that reads back to the same value, so that what the program writes reads back and writes
// again to the same bytes.

#include <string>
#include <string_view>

namespace bpd::designfile {

// A JSON string literal: '"' and '\' escaped, control characters as \b \f \n \r \t or \u00XX,
// everything else as it stands; a byte that is not part of valid UTF-8 becomes U+FFFD, so the
// text is always JSON that the reader takes.
void appendJsonString(std::string& out, std::string_view text);

// The shortest text that reads back as value ("9", "0.01", "1e+20"); -0 is written 0. A value
// that is not finite has no JSON text: the caller leaves it out.
void appendJsonNumber(std::string& out, double value);

}  // namespace bpd::designfile
