#include "BatchLine.h"

#include <array>
#include <cctype>
#include <optional>

#include "BearingInputs.h"
#include "EchoedText.h"
#include "PlainInput.h"
#include "ThicknessCatalogue.h"

namespace bpd::cli {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
    return s;
}

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

struct ColumnSlot {
    std::string_view name;
    int* slot;
    bool required;
};

// The header's columns, in the order a missing one is reported: the five inputs, sliding,
// then the optional ones. When sizing, w1 and b1 may be left out.
std::array<ColumnSlot, 10> columnSlots(BatchColumns& columns, bool sizing) {
    std::array<ColumnSlot, 10> slots;
    for (std::size_t i = 0; i < kInputs.size(); ++i) {
        const InputRule& input = kInputs[i];
        const bool sized = sizing && (input.input == Input::w1 || input.input == Input::b1);
        slots[i] = {input.name, &input.of(columns.inputs), !sized};
    }
    slots[5] = {"sliding", &columns.sliding, true};
    slots[6] = {"thickness", &columns.thickness, false};
    slots[7] = {"mark", &columns.mark, false};
    slots[8] = {"location", &columns.location, false};
    slots[9] = {"quantity", &columns.quantity, false};
    return slots;
}

// The catalogue position whose SI label reads as value, or -1.
int siPositionOfValue(std::optional<double> value) {
    for (int p = 1; value && p <= ThicknessCatalogue::count; ++p)
        if (parseNumber(ThicknessCatalogue::label(UnitSystem::SI, p), NumberLocale::plain()) ==
            value)
            return p;
    return -1;
}

}  // namespace

bool isBlankLine(std::string_view line) {
    return trimmed(line).empty();
}

bool splitCsvLine(std::string_view line, std::vector<std::string>& fields, char separator) {
    std::size_t count = 0;
    std::size_t i = 0;
    const std::size_t n = line.size();
    while (true) {
        if (fields.size() <= count) fields.emplace_back();
        std::string& field = fields[count++];
        field.clear();
        while (i < n && isBlank(line[i])) ++i;
        if (i < n && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < n) {
                if (line[i] == '"') {
                    if (i + 1 < n && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field += line[i++];
            }
            if (!closed) {
                fields.resize(count);
                return false;
            }
            while (i < n && isBlank(line[i])) ++i;
            if (i < n && line[i] != separator) {  // text after the closing quote
                fields.resize(count);
                return false;
            }
        } else {
            const std::size_t start = i;
            while (i < n && line[i] != separator) ++i;
            field.assign(trimmed(line.substr(start, i - start)));
        }
        if (i >= n) break;
        ++i;  // the separator
    }
    fields.resize(count);
    return true;
}

void appendCsvField(std::string& out, std::string_view field) {
    bool plain = true;
    for (const char c : field) {
        if (c == ',' || c == '"' || c == '\r' || c == '\n') {
            plain = false;
            break;
        }
    }
    if (plain) {
        out.append(field.data(), field.size());
        return;
    }
    out += '"';
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

bool readBatchHeader(std::string_view line, BatchColumns& columns, std::string& error,
                     bool sizing) {
    // A byte order mark some spreadsheet programs write before the first column.
    if (line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
    std::vector<std::string> names;
    if (!splitCsvLine(line, names)) {
        error = "header: unclosed quote";
        return false;
    }
    return readBatchColumns(names, columns, error, sizing);
}

bool readBatchColumns(const std::vector<std::string>& names, BatchColumns& columns,
                      std::string& error, bool sizing,
                      std::span<const std::string_view> passedOver) {
    columns = BatchColumns{};
    columns.fieldCount = static_cast<int>(names.size());
    const std::array<ColumnSlot, 10> slots = columnSlots(columns, sizing);
    for (std::size_t index = 0; index < names.size(); ++index) {
        const std::string key = lowered(names[index]);
        bool known = false;
        for (const ColumnSlot& column : slots) {
            if (lowered(column.name) != key) continue;
            known = true;
            if (*column.slot >= 0) {
                error = "header: column \"" + std::string(column.name) + "\" appears twice";
                return false;
            }
            *column.slot = static_cast<int>(index);
        }
        for (const std::string_view name : passedOver) known = known || name == key;
        if (!known) {
            error = "header: unknown column \"" + echoed(names[index]) +
                    "\" (expected w1,b1,A,dh,Vap,sliding and optionally thickness, mark, "
                    "location, quantity)";
            return false;
        }
    }
    for (const ColumnSlot& column : slots) {
        if (column.required && *column.slot < 0) {
            error = "header: column \"" + std::string(column.name) + "\" is missing";
            return false;
        }
    }
    return true;
}

bool readBatchBearing(const std::vector<std::string>& fields, const BatchColumns& columns,
                      BatchBearing& bearing, std::string& error, bool sizing,
                      const NumberLocale& numbers) {
    if (static_cast<int>(fields.size()) != columns.fieldCount) {
        error = "expected " + std::to_string(columns.fieldCount) + " fields, found " +
                std::to_string(fields.size());
        return false;
    }
    auto given = [&](int column) {
        return !sizing || (column >= 0 && !fields[static_cast<std::size_t>(column)].empty());
    };
    bearing.w1Given = given(columns.inputs.w1);
    bearing.b1Given = given(columns.inputs.b1);
    if (bearing.w1Given && bearing.b1Given && sizing) {
        error = "w1 and b1 are both given: leave one or both empty to size the pad";
        return false;
    }
    for (const InputRule& input : kInputs) {
        if (input.input == Input::w1 && !bearing.w1Given) continue;
        if (input.input == Input::b1 && !bearing.b1Given) continue;
        const std::string& text = fields[static_cast<std::size_t>(input.of(columns.inputs))];
        const InputReading reading = readInput(text, input.zeroAllowed, numbers);
        if (!reading.value) {
            error = std::string(input.name) + ": " + reading.problem;
            return false;
        }
        input.of(bearing.values) = *reading.value;
    }

    const std::string sliding = lowered(fields[static_cast<std::size_t>(columns.sliding)]);
    if (sliding == "1" || sliding == "yes" || sliding == "true") {
        bearing.sliding = true;
    } else if (sliding == "0" || sliding == "no" || sliding == "false") {
        bearing.sliding = false;
    } else {
        error = "sliding: \"" + echoed(fields[static_cast<std::size_t>(columns.sliding)]) +
                "\" is not 0/1, yes/no or true/false";
        return false;
    }

    bearing.selection = ThicknessCatalogue::allPosition;
    if (columns.thickness >= 0) {
        const std::string& label = fields[static_cast<std::size_t>(columns.thickness)];
        if (!label.empty()) {
            int position = ThicknessCatalogue::positionOfLabel(UnitSystem::Imperial, label);
            if (position < 0) position = ThicknessCatalogue::positionOfLabel(UnitSystem::SI, label);
            if (position < 0 && lowered(label) == "all") position = ThicknessCatalogue::allPosition;
            // A spreadsheet under a comma-decimal locale writes an SI label as its number
            // ("12,7" for "12.700").
            if (position < 0 && numbers.decimalSeparator != ".")
                position = siPositionOfValue(parseNumber(label, numbers));
            if (position < 0) {
                error = "thickness: \"" + echoed(label) + "\" is not a catalogue thickness";
                return false;
            }
            bearing.selection = position;
        }
    }

    const auto optionalField = [&](int column) -> const std::string& {
        static const std::string kAbsent;
        return column >= 0 ? fields[static_cast<std::size_t>(column)] : kAbsent;
    };
    bearing.mark = optionalField(columns.mark);
    bearing.location = optionalField(columns.location);
    bearing.quantity = 1;
    if (const std::string& quantity = optionalField(columns.quantity); !quantity.empty()) {
        const InputReading reading = readInput(quantity, false, numbers);
        const double q = reading.value.value_or(0);
        if (!reading.value || !designfile::isQuantity(q)) {
            error = "quantity: \"" + echoed(quantity) + "\" is not a whole number of at least 1";
            return false;
        }
        bearing.quantity = q;
    }
    return true;
}

designfile::DesignBearing designBearingOf(const BatchBearing& bearing, UnitSystem units) {
    designfile::DesignBearing saved;
    saved.mark = bearing.mark;
    saved.location = bearing.location;
    saved.quantity = bearing.quantity;
    for (const InputRule& input : kInputs) input.of(saved.values) = input.of(bearing.values);
    saved.sliding = bearing.sliding;
    saved.thickness = ThicknessCatalogue::label(units, bearing.selection);
    return saved;
}

}  // namespace bpd::cli
