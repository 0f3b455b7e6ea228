#include "DesignFileWriter.h"

#include <functional>
#include <span>

#include "JsonText.h"

namespace bpd::designfile {

namespace {

// Writes one member's value; false when the member is absent and left out.
using MemberValue = std::function<bool(std::string& out)>;

// The members of one object: the known ones in their order, each unknown one at its place.
// Each member is written by begin (its separator and indentation), its name and ": ".
void appendMembers(std::string& out, std::span<const std::string_view> known,
                   std::span<const MemberValue> values, const UnknownMembers& unknown,
                   const std::function<void(std::string&, bool first)>& begin) {
    bool first = true;
    auto name = [&](std::string_view text) {
        begin(out, first);
        first = false;
        appendJsonString(out, text);
        out += ": ";
    };
    for (std::size_t place = 0; place <= known.size(); ++place) {
        for (const UnknownMember& member : unknown) {
            if (member.place != place) continue;
            name(member.name);
            out += member.json;
        }
        if (place == known.size()) break;
        // Written into a scratch string first: an absent member leaves no name behind.
        std::string value;
        if (!values[place](value)) continue;
        name(known[place]);
        out += value;
    }
}

MemberValue text(const std::string& value) {
    return [&value](std::string& out) {
        appendJsonString(out, value);
        return true;
    };
}

MemberValue number(double value) {
    return [value](std::string& out) {
        appendJsonNumber(out, value);
        return !out.empty();
    };
}

void appendInline(std::string& out, bool first) {
    if (!first) out += ", ";
}

void appendBearing(std::string& out, const DesignBearing& bearing) {
    const auto optionalNumber = [](const std::optional<double>& value) -> MemberValue {
        if (!value) return [](std::string&) { return false; };
        return number(*value);
    };
    const MemberValue values[] = {
        [&](std::string& out) {
            if (bearing.mark) appendJsonString(out, *bearing.mark);
            return bearing.mark.has_value();
        },
        text(bearing.location),
        number(bearing.quantity),
        optionalNumber(bearing.values.w1),
        optionalNumber(bearing.values.b1),
        optionalNumber(bearing.values.A),
        optionalNumber(bearing.values.dh),
        optionalNumber(bearing.values.Vap),
        [&](std::string& out) {
            out += bearing.sliding ? "true" : "false";
            return true;
        },
        text(bearing.thickness),
        text(bearing.note),
    };
    out += '{';
    appendMembers(out, kBearingMembers, values, bearing.unknown, appendInline);
    out += '}';
}

}  // namespace

std::string writeDesignText(const DesignDocument& document) {
    std::string out;
    out.reserve(256 + document.bearings.size() * 200);
    const std::string format(kFormatName);
    const std::string units(unitsName(document.units));
    const ProjectInfo& project = document.project;
    const MemberValue projectValues[] = {text(project.company), text(project.projectName),
                                         text(project.engineer), text(project.description)};
    const MemberValue values[] = {
        text(format),
        number(kFormatVersion),
        text(units),
        [&](std::string& out) {
            out += '{';
            appendMembers(out, kProjectMembers, projectValues, project.unknown, appendInline);
            out += '}';
            return true;
        },
        [&](std::string& out) {
            out += '[';
            for (std::size_t i = 0; i < document.bearings.size(); ++i) {
                out += i == 0 ? "\n    " : ",\n    ";
                appendBearing(out, document.bearings[i]);
            }
            if (!document.bearings.empty()) out += "\n  ";
            out += ']';
            return true;
        },
    };
    out += '{';
    appendMembers(out, kTopMembers, values, document.unknown,
                  [](std::string& out, bool first) { out += first ? "\n  " : ",\n  "; });
    out += "\n}\n";
    return out;
}

}  // namespace bpd::designfile
