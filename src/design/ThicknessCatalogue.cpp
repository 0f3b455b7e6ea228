#include "ThicknessCatalogue.h"

namespace bpd {

namespace {

struct Entry {
    std::string_view imperial;
    std::string_view si;  // the inch value times exactly 25.4, fixed text
    double inches;
    double kt;
};

// Position 0 is "All"; 7/8 in. is not part of the product line.
constexpr std::array<Entry, ThicknessCatalogue::count + 1> kEntries{{
    {"All", "All", 0.0, 0.0},
    {"1/8", "3.175", 0.125, 4000},
    {"1/4", "6.350", 0.25, 2500},
    {"3/8", "9.525", 0.375, 1500},
    {"1/2", "12.700", 0.5, 500},
    {"5/8", "15.875", 0.625, 400},
    {"3/4", "19.050", 0.75, 325},
    {"1", "25.400", 1.0, 275},
}};

bool isCataloguePosition(int position) {
    return position >= 1 && position <= ThicknessCatalogue::count;
}

}  // namespace

std::array<std::string_view, ThicknessCatalogue::count + 1> ThicknessCatalogue::selectorEntries(
    UnitSystem system) {
    std::array<std::string_view, count + 1> entries;
    for (int p = 0; p <= count; ++p) entries[p] = label(system, p);
    return entries;
}

std::string_view ThicknessCatalogue::label(UnitSystem system, int position) {
    if (position < 0 || position > count) return {};
    const Entry& e = kEntries[position];
    return system == UnitSystem::Imperial ? e.imperial : e.si;
}

double ThicknessCatalogue::thicknessInches(int position) {
    return isCataloguePosition(position) ? kEntries[position].inches : 0.0;
}

double ThicknessCatalogue::rotationCoefficient(int position) {
    return isCataloguePosition(position) ? kEntries[position].kt : 0.0;
}

int ThicknessCatalogue::positionOfLabel(UnitSystem system, std::string_view text) {
    for (int p = 0; p <= count; ++p) {
        if (label(system, p) == text) return p;
    }
    return -1;
}

std::array<double, ThicknessCatalogue::count> ThicknessCatalogue::thicknesses() {
    std::array<double, count> values{};
    for (int p = 1; p <= count; ++p) values[p - 1] = kEntries[p].inches;
    return values;
}

}  // namespace bpd
