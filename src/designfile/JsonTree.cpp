#include "JsonTree.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <unordered_set>
#include <utility>
#include <vector>

#include "JsonText.h"

namespace bpd::designfile {

namespace {

// nlohmann's SAX events into an ordered tree. Members are appended at the end of their object
// (the ordered map's own insert searches it first, which a large object makes quadratic);
// duplicates are found by a scan in small objects and a hash set in large ones.
class TreeBuilder {
public:
    TreeBuilder(std::string_view text, Json& root) : text_(text), root_(root) {}

    const TreeFault& fault() const { return fault_; }

    bool null() { return put(nullptr) != nullptr; }
    bool boolean(bool value) { return put(value) != nullptr; }
    bool number_integer(Json::number_integer_t value) { return put(value) != nullptr; }
    bool number_unsigned(Json::number_unsigned_t value) { return put(value) != nullptr; }
    bool number_float(Json::number_float_t value, const std::string& text) {
        if (!std::isfinite(value)) return stop(TreeFault::Kind::NumberOutOfRange, text);
        return put(value) != nullptr;
    }
    bool string(std::string& value) { return put(std::move(value)) != nullptr; }
    bool binary(Json::binary_t&) { return false; }  // never in JSON text
    bool start_object(std::size_t) { return open(Json::object()); }
    bool start_array(std::size_t) { return open(Json::array()); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(std::string& name) {
        Level& level = levels_.back();
        auto& members = level.value->get_ref<Json::object_t&>();
        if (!level.names && members.size() >= kScanLimit) {
            level.names = std::make_unique<std::unordered_set<std::string>>();
            for (const auto& member : members) level.names->insert(member.first);
        }
        const bool repeated = level.names ? !level.names->insert(name).second : scanFinds(name);
        if (repeated) return stop(TreeFault::Kind::DuplicateMember, name);
        key_ = std::move(name);
        return true;
    }

    bool parse_error(std::size_t position, const std::string& lastRead,
                     const nlohmann::detail::exception& error) {
        // A number beyond the range of a double comes as an error of its own.
        if (error.id == kNumberOverflow) return stop(TreeFault::Kind::NumberOutOfRange, lastRead);
        return stop(TreeFault::Kind::Syntax, where(position) + ": " + reason(error.what()));
    }

private:
    static constexpr std::size_t kScanLimit = 16;
    static constexpr int kNumberOverflow = 406;

    struct Level {
        Json* value;
        std::unique_ptr<std::unordered_set<std::string>> names;
    };

    // "line 3, column 7" of the byte where the parser stopped (position is its 1-based offset;
    // one past the end for an early end of the input).
    std::string where(std::size_t position) const {
        const std::size_t last = std::min(position > 0 ? position - 1 : 0, text_.size());
        const std::string_view before = text_.substr(0, last);
        const std::size_t lineStart = before.rfind('\n');
        const std::size_t line =
            1 + static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
        const std::size_t column =
            lineStart == std::string_view::npos ? last + 1 : last - lineStart;
        return "line " + std::to_string(line) + ", column " + std::to_string(column);
    }

    // nlohmann's reason ("syntax error while parsing object - unexpected ','") without its
    // position and without the piece of the file it quotes after "last read".
    static std::string reason(std::string_view what) {
        const std::size_t at = what.find("parse error");
        const std::size_t colon = what.find(": ", at == std::string_view::npos ? 0 : at);
        if (colon != std::string_view::npos) what.remove_prefix(colon + 2);
        std::string detail(what);
        const std::size_t read = detail.find("; last read: '");
        if (read != std::string::npos) {
            const std::size_t expected = detail.find("'; expected ", read);
            detail.erase(read,
                         expected == std::string::npos ? std::string::npos : expected + 1 - read);
        }
        for (char& c : detail)
            if (c < 0x20 || c > 0x7E) c = '?';
        return detail;
    }

    bool scanFinds(const std::string& name) const {
        for (const auto& member : levels_.back().value->get_ref<const Json::object_t&>())
            if (member.first == name) return true;
        return false;
    }

    bool stop(TreeFault::Kind kind, std::string_view detail) {
        fault_.kind = kind;
        fault_.detail =
            kind == TreeFault::Kind::Syntax ? std::string(detail) : printableFragment(detail);
        return false;
    }

    Json* put(Json&& value) {
        if (levels_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Json& parent = *levels_.back().value;
        if (parent.is_array()) {
            auto& items = parent.get_ref<Json::array_t&>();
            items.push_back(std::move(value));
            return &items.back();
        }
        auto& members = static_cast<Json::object_t::Container&>(parent.get_ref<Json::object_t&>());
        members.emplace_back(std::move(key_), std::move(value));
        return &members.back().second;
    }

    bool open(Json&& container) {
        if (levels_.size() >= kMaxDepth) return stop(TreeFault::Kind::TooDeep, {});
        Json* value = put(std::move(container));
        levels_.push_back({value, nullptr});
        return true;
    }

    bool close() {
        levels_.pop_back();
        return true;
    }

    std::string_view text_;
    Json& root_;
    std::vector<Level> levels_;
    std::string key_;
    TreeFault fault_;
};

void appendCompact(std::string& out, const Json& value) {
    switch (value.type()) {
        case Json::value_t::object: {
            out += '{';
            bool first = true;
            for (const auto& [name, member] : value.items()) {
                if (!first) out += ", ";
                first = false;
                appendJsonString(out, name);
                out += ": ";
                appendCompact(out, member);
            }
            out += '}';
            break;
        }
        case Json::value_t::array: {
            out += '[';
            bool first = true;
            for (const Json& item : value) {
                if (!first) out += ", ";
                first = false;
                appendCompact(out, item);
            }
            out += ']';
            break;
        }
        case Json::value_t::string:
            appendJsonString(out, value.get_ref<const std::string&>());
            break;
        case Json::value_t::boolean:
            out += value.get<bool>() ? "true" : "false";
            break;
        case Json::value_t::number_integer:
            out += std::to_string(value.get<Json::number_integer_t>());
            break;
        case Json::value_t::number_unsigned:
            out += std::to_string(value.get<Json::number_unsigned_t>());
            break;
        case Json::value_t::number_float:
            appendJsonNumber(out, value.get<double>());
            break;
        default:
            out += "null";
    }
}

}  // namespace

TreeFault buildJsonTree(std::string_view text, Json& tree) {
    TreeBuilder builder(text, tree);
    Json::sax_parse(text.begin(), text.end(), &builder, nlohmann::detail::input_format_t::json,
                    true, false);
    return builder.fault();
}

std::string compactJson(const Json& value) {
    std::string out;
    appendCompact(out, value);
    return out;
}

std::string printableFragment(std::string_view text) {
    constexpr std::size_t kLimit = 40;
    std::string out;
    for (const char c : text.substr(0, kLimit)) out += c >= 0x20 && c <= 0x7E ? c : '?';
    if (text.size() > kLimit) out += "...";
    return out;
}

}  // namespace bpd::designfile
