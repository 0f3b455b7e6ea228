#include "DesignFileReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <utility>

#include "JsonTree.h"

namespace bpd::designfile {

namespace {

// A refusal of the whole file; the reading stops at the first.
struct Refused {
    std::string message;
};

std::string_view typeName(const Json& value) {
    switch (value.type()) {
        case Json::value_t::object:
            return "an object";
        case Json::value_t::array:
            return "an array";
        case Json::value_t::string:
            return "a text";
        case Json::value_t::boolean:
            return "true or false";
        case Json::value_t::null:
            return "null";
        default:
            return "a number";
    }
}

class DocumentReader {
public:
    explicit DocumentReader(std::string_view name) : name_(name) {}

    DesignDocument read(const Json& root) {
        const auto format = root.is_object() ? root.find("format") : root.end();
        if (format == root.end() || !format->is_string() ||
            format->get_ref<const std::string&>() != kFormatName)
            refuse(" is not a design file (no \"format\": \"" + std::string(kFormatName) + "\")");
        readVersion(root);
        DesignDocument document;
        const std::optional<UnitSystem> units = unitsOfName(member<std::string>(
            root, "units", Json::value_t::string, "", "a text", /*required=*/true));
        if (!units) {
            refuse(": \"units\" must be \"imperial\" or \"si\", not \"" +
                   printableFragment(root["units"].get_ref<const std::string&>()) + '"');
        }
        document.units = *units;
        document.unknown = unknownMembers(root, kTopMembers);
        if (const auto project = root.find("project"); project != root.end())
            document.project = readProject(*project);
        if (const auto bearings = root.find("bearings"); bearings != root.end()) {
            if (!bearings->is_array())
                refuse(": \"bearings\" must be an array, not " + std::string(typeName(*bearings)));
            document.bearings.reserve(bearings->size());
            for (const Json& bearing : *bearings) document.bearings.push_back(readBearing(bearing));
        }
        return document;
    }

    [[noreturn]] void refuse(const std::string& what) const {
        throw Refused{std::string(name_) + what};
    }

private:
    void readVersion(const Json& root) const {
        const auto version = root.find("version");
        if (version == root.end()) refuse(": the member \"version\" is missing");
        if (!version->is_number())
            refuse(": \"version\" must be a number, not " + std::string(typeName(*version)));
        const double v = version->get<double>();
        if (v > kFormatVersion) {
            refuse(" was written by a newer version of the program (design file version " +
                   compactJson(*version) + "; this version reads " +
                   std::to_string(kFormatVersion) + ")");
        }
        if (v != kFormatVersion)
            refuse(": \"version\" " + compactJson(*version) + " is not a design file version");
    }

    // The member name of object (where names it for a message, "" at the top level): absent
    // gives fallback, a value of another type refuses the file.
    template <class T>
    T member(const Json& object, std::string_view name, Json::value_t type, T fallback,
             std::string_view typeText, bool required = false) const {
        const auto found = object.find(std::string(name));
        if (found == object.end()) {
            if (required) refuse(": the member \"" + std::string(name) + "\" is missing");
            return fallback;
        }
        const bool matches =
            type == Json::value_t::number_float ? found->is_number() : found->type() == type;
        if (!matches) {
            refuse(": " + where_ + '"' + std::string(name) + "\" must be " + std::string(typeText) +
                   ", not " + std::string(typeName(*found)));
        }
        return found->get<T>();
    }

    template <std::size_t N>
    UnknownMembers unknownMembers(const Json& object, const std::string_view (&known)[N]) const {
        UnknownMembers unknown;
        std::size_t place = 0;
        for (const auto& [name, value] : object.items()) {
            std::size_t index = 0;
            while (index < N && known[index] != name) ++index;
            if (index < N) {
                place = index + 1;
                continue;
            }
            unknown.push_back({name, compactJson(value), place});
        }
        return unknown;
    }

    ProjectInfo readProject(const Json& object) {
        if (!object.is_object())
            refuse(": \"project\" must be an object, not " + std::string(typeName(object)));
        where_ = "\"project\": ";
        ProjectInfo project;
        std::string* const texts[] = {&project.company, &project.projectName, &project.engineer,
                                      &project.description};
        for (std::size_t i = 0; i < std::size(kProjectMembers); ++i)
            *texts[i] = member<std::string>(object, kProjectMembers[i], Json::value_t::string, "",
                                            "a text");
        project.unknown = unknownMembers(object, kProjectMembers);
        where_.clear();
        return project;
    }

    DesignBearing readBearing(const Json& object) {
        ++position_;
        where_ = "bearing " + std::to_string(position_) + ": ";
        if (!object.is_object())
            refuse(": bearing " + std::to_string(position_) + " must be an object, not " +
                   std::string(typeName(object)));
        DesignBearing bearing;
        if (object.contains("mark"))
            bearing.mark = member<std::string>(object, "mark", Json::value_t::string, "", "a text");
        bearing.location =
            member<std::string>(object, "location", Json::value_t::string, "", "a text");
        bearing.quantity =
            member<double>(object, "quantity", Json::value_t::number_float, 1.0, "a number");
        for (const InputRule& input : kInputs) {
            if (object.contains(std::string(input.name)))
                input.of(bearing.values) = member<double>(
                    object, input.name, Json::value_t::number_float, 0.0, "a number");
        }
        bearing.sliding =
            member<bool>(object, "sliding", Json::value_t::boolean, false, "true or false");
        bearing.thickness =
            member<std::string>(object, "thickness", Json::value_t::string, "All", "a text");
        bearing.note = member<std::string>(object, "note", Json::value_t::string, "", "a text");
        bearing.unknown = unknownMembers(object, kBearingMembers);
        where_.clear();
        return bearing;
    }

    std::string_view name_;
    std::string where_;  // "bearing 3: " while a bearing is read
    std::size_t position_ = 0;
};

std::string treeRefusal(const TreeFault& fault, std::string_view name) {
    const std::string file(name);
    switch (fault.kind) {
        case TreeFault::Kind::Syntax:
            return file + " is not JSON: " + fault.detail;
        case TreeFault::Kind::TooDeep:
            return file + " is nested deeper than " + std::to_string(kMaxDepth) + " levels";
        case TreeFault::Kind::DuplicateMember:
            return file + ": the member \"" + fault.detail + "\" appears twice in one object";
        case TreeFault::Kind::NumberOutOfRange:
            return file + ": the number " + fault.detail + " is beyond the range of the program";
        case TreeFault::Kind::None:
            break;
    }
    return {};
}

}  // namespace

ReadResult readDesignText(std::string_view bytes, std::string_view name) {
    ReadResult result;
    if (bytes.size() > kMaxFileBytes) {
        result.refusal = std::string(name) + " is larger than 64 MiB";
        return result;
    }
    Json tree;
    const TreeFault fault = buildJsonTree(bytes, tree);
    if (fault.kind != TreeFault::Kind::None) {
        result.refusal = treeRefusal(fault, name);
        return result;
    }
    try {
        result.document = DocumentReader(name).read(tree);
    } catch (const Refused& refused) {
        result.refusal = refused.message;
        return result;
    }
    const DesignDocument& document = *result.document;
    for (std::size_t i = 0; i < document.bearings.size(); ++i) {
        if (auto problem = bearingProblem(document.units, document.bearings[i], i + 1))
            result.problems.push_back(std::move(*problem));
    }
    return result;
}

ReadResult readDesignFile(const std::string& path, std::string_view name) {
    ReadResult result;
    auto cannotRead = [&](int error) {
        result.refusal = "cannot read " + std::string(name) + ": " + std::strerror(error);
        return result;
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return cannotRead(errno);
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) &&
        static_cast<std::size_t>(st.st_size) > kMaxFileBytes) {
        ::close(fd);
        result.refusal = std::string(name) + " is larger than 64 MiB";
        return result;
    }
    // Never more than one byte past the limit, whatever the file claims its size to be.
    std::string bytes;
    bytes.reserve(S_ISREG(st.st_mode) ? static_cast<std::size_t>(st.st_size) : 0);
    char chunk[1 << 16];
    while (bytes.size() <= kMaxFileBytes) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return cannotRead(error);
        }
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return readDesignText(bytes, name);
}

}  // namespace bpd::designfile
