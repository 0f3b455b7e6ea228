#pragma once
// The JSON tree of a file, built by nlohmann's parser under the reader's limits: no deeper
// than kMaxDepth levels, no member twice in one object, every number a finite double. Objects
// keep their members in file order. In-library only: the model (DesignDocument.h) holds no
// JSON type.

#include <cstddef>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace bpd::designfile {

using Json = nlohmann::ordered_json;

// Objects and arrays inside one another: the top-level value is level 1.
inline constexpr std::size_t kMaxDepth = 64;

struct TreeFault {
    enum class Kind { None, Syntax, TooDeep, DuplicateMember, NumberOutOfRange } kind = Kind::None;
    std::string detail;  // Syntax: "line 3, column 7: ..."; DuplicateMember: the name;
                         // NumberOutOfRange: the number's text (printable, cut short)
};

// The tree of text, or the fault that stopped it (tree is then left unspecified).
TreeFault buildJsonTree(std::string_view text, Json& tree);

// A value as the writer lays it out: {"a": 1, "b": [true, null]}.
std::string compactJson(const Json& value);

// A piece of the file for a message: printable ASCII kept, any other byte as "?", cut after
// 40 characters with "...".
std::string printableFragment(std::string_view text);

}  // namespace bpd::designfile
