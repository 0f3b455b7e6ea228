#include "PlanSizes.h"

#include <algorithm>
#include <cstdint>

#include "NumberFormat.h"

namespace bpd {

namespace {

// digits x factor, both decimal digit strings without leading zeros.
std::string timesSmall(const std::string& digits, std::uint32_t factor) {
    std::string out(digits.size() + 10, '0');
    std::uint64_t carry = 0;
    std::size_t k = out.size();
    for (std::size_t i = digits.size(); i-- > 0;) {
        const std::uint64_t v = static_cast<std::uint64_t>(digits[i] - '0') * factor + carry;
        out[--k] = static_cast<char>('0' + v % 10);
        carry = v / 10;
    }
    while (carry != 0) {
        out[--k] = static_cast<char>('0' + carry % 10);
        carry /= 10;
    }
    return out.substr(k);
}

// Compares two non-negative exact decimals: -1, 0 or 1.
int compareDecimals(const DecimalText& a, const DecimalText& b) {
    if (a.digits.empty() || b.digits.empty()) {
        return static_cast<int>(!a.digits.empty()) - static_cast<int>(!b.digits.empty());
    }
    const std::int64_t magA = static_cast<std::int64_t>(a.digits.size()) + a.scale;
    const std::int64_t magB = static_cast<std::int64_t>(b.digits.size()) + b.scale;
    if (magA != magB) return magA < magB ? -1 : 1;
    const std::size_t n = std::max(a.digits.size(), b.digits.size());
    for (std::size_t i = 0; i < n; ++i) {
        const char da = i < a.digits.size() ? a.digits[i] : '0';
        const char db = i < b.digits.size() ? b.digits[i] : '0';
        if (da != db) return da < db ? -1 : 1;
    }
    return 0;
}

}  // namespace

std::string_view defaultSizingStep(UnitSystem units) {
    return units == UnitSystem::SI ? "10" : "0.5";
}

std::string_view defaultSizingMaximum(UnitSystem units) {
    return units == UnitSystem::SI ? "1200" : "48";
}

std::optional<std::vector<PlanSize>> planSizes(std::string_view step, std::string_view maximum,
                                               std::string& error) {
    const std::optional<DecimalText> stepDigits = readDecimalText(step, NumberLocale::plain());
    const std::optional<DecimalText> maxDigits = readDecimalText(maximum, NumberLocale::plain());
    const std::optional<double> stepValue = parseNumber(step, NumberLocale::plain());
    if (!stepDigits || !maxDigits || !stepValue || !parseNumber(maximum, NumberLocale::plain())) {
        error = "the step and the maximum must be plain numbers";
        return std::nullopt;
    }
    if (stepDigits->negative || stepDigits->digits.empty() || *stepValue <= 0) {
        error = "the step must be greater than 0";
        return std::nullopt;
    }
    if (maxDigits->negative || compareDecimals(*maxDigits, *stepDigits) < 0) {
        error = "the maximum must be at least one step";
        return std::nullopt;
    }
    std::vector<PlanSize> sizes;
    for (std::uint32_t i = 1;; ++i) {
        const DecimalText multiple{false, timesSmall(stepDigits->digits, i), stepDigits->scale};
        if (compareDecimals(multiple, *maxDigits) > 0) break;
        if (sizes.size() == kMaxPlanSizes) {
            error = "more than " + std::to_string(kMaxPlanSizes) +
                    " sizes a dimension: choose a larger step or a smaller maximum";
            return std::nullopt;
        }
        const std::string exact = multiple.digits + "e" + std::to_string(multiple.scale);
        const std::optional<double> value = parseNumber(exact, NumberLocale::plain());
        if (!value) {
            error = "a size beyond the range of numbers";
            return std::nullopt;
        }
        sizes.push_back(planSizeOf(*value));
    }
    return sizes;
}

PlanSize planSizeOf(double value) {
    return PlanSize{formatShortest(value), value};
}

}  // namespace bpd
