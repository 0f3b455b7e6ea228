// The shared vocabulary: unit systems, captions, factors and the thickness catalogue.

#include <gtest/gtest.h>

#include <string>

#include "TableTestSupport.h"
#include "ThicknessCatalogue.h"
#include "Units.h"

namespace bpd {
namespace {

struct CatalogueRow {
    const char* name;
    int position;
    const char* imperial;
    const char* si;
    double inches;
    double kt;
};

class CatalogueTest : public ::testing::TestWithParam<CatalogueRow> {};

TEST_P(CatalogueTest, PositionHoldsLabelsThicknessAndCoefficient) {
    const CatalogueRow& row = GetParam();
    EXPECT_EQ(ThicknessCatalogue::label(UnitSystem::Imperial, row.position), row.imperial);
    EXPECT_EQ(ThicknessCatalogue::label(UnitSystem::SI, row.position), row.si);
    EXPECT_EQ(ThicknessCatalogue::thicknessInches(row.position), row.inches);
    EXPECT_EQ(ThicknessCatalogue::rotationCoefficient(row.position), row.kt);
    EXPECT_EQ(ThicknessCatalogue::positionOfLabel(UnitSystem::Imperial, row.imperial),
              row.position);
    EXPECT_EQ(ThicknessCatalogue::positionOfLabel(UnitSystem::SI, row.si), row.position);
    EXPECT_EQ(ThicknessCatalogue::thicknesses()[static_cast<std::size_t>(row.position - 1)],
              row.inches);
}

const CatalogueRow kCatalogue[] = {
    {"Position1", 1, "1/8", "3.175", 0.125, 4000}, {"Position2", 2, "1/4", "6.350", 0.25, 2500},
    {"Position3", 3, "3/8", "9.525", 0.375, 1500}, {"Position4", 4, "1/2", "12.700", 0.5, 500},
    {"Position5", 5, "5/8", "15.875", 0.625, 400}, {"Position6", 6, "3/4", "19.050", 0.75, 325},
    {"Position7", 7, "1", "25.400", 1.0, 275},
};

BPD_CASE_TABLE(Positions, CatalogueTest, CatalogueRow, kCatalogue);

TEST(Catalogue, SelectorsListAllFirstThenSevenThicknessesWithoutSevenEighths) {
    const auto imperial = ThicknessCatalogue::selectorEntries(UnitSystem::Imperial);
    const auto si = ThicknessCatalogue::selectorEntries(UnitSystem::SI);
    ASSERT_EQ(imperial.size(), 8u);
    EXPECT_EQ(imperial[0], "All");
    EXPECT_EQ(si[0], "All");
    EXPECT_EQ(imperial[7], "1");
    EXPECT_EQ(si[7], "25.400");
    EXPECT_EQ(ThicknessCatalogue::positionOfLabel(UnitSystem::Imperial, "7/8"), -1);
    EXPECT_EQ(ThicknessCatalogue::positionOfLabel(UnitSystem::SI, "22.225"), -1);
    EXPECT_EQ(ThicknessCatalogue::positionOfLabel(UnitSystem::Imperial, "All"), 0);
    EXPECT_EQ(ThicknessCatalogue::thicknesses().size(), 7u);
}

TEST(Catalogue, SiLabelsAreTheInchValuesTimesExactly25Point4) {
    for (int p = 1; p <= ThicknessCatalogue::count; ++p) {
        const double mm = ThicknessCatalogue::thicknessInches(p) * 25.4;
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", mm);
        EXPECT_EQ(ThicknessCatalogue::label(UnitSystem::SI, p), text) << "position " << p;
    }
}

TEST(Catalogue, PositionsOutsideTheCatalogueHaveNoEntry) {
    EXPECT_EQ(ThicknessCatalogue::label(UnitSystem::Imperial, 8), "");
    EXPECT_EQ(ThicknessCatalogue::label(UnitSystem::SI, -1), "");
    EXPECT_EQ(ThicknessCatalogue::thicknessInches(0), 0.0);
    EXPECT_EQ(ThicknessCatalogue::rotationCoefficient(8), 0.0);
}

TEST(Units, NamesAndCaptions) {
    EXPECT_EQ(unitSystemName(UnitSystem::Imperial), "Imperial");
    EXPECT_EQ(unitSystemName(UnitSystem::SI), "SI");
    EXPECT_EQ(unitCaption(UnitSystem::Imperial, QuantityKind::Length), "in.");
    EXPECT_EQ(unitCaption(UnitSystem::SI, QuantityKind::Length), "mm");
    EXPECT_EQ(unitCaption(UnitSystem::Imperial, QuantityKind::Angle), "rad.");
    EXPECT_EQ(unitCaption(UnitSystem::SI, QuantityKind::Angle), "rad.");
    EXPECT_EQ(unitCaption(UnitSystem::Imperial, QuantityKind::Load), "kips");
    EXPECT_EQ(unitCaption(UnitSystem::SI, QuantityKind::Load), "KN");
}

TEST(Units, FactorsAreTheProgramsOwnNotTheStandardOnes) {
    EXPECT_EQ(IN_PER_MM, 0.039370079);
    EXPECT_EQ(KIPS_PER_KN, 0.22477064229463);
    EXPECT_EQ(PSI_PER_NM2, 0.00014503774);
    // One inch is 25.39999983 mm under these factors, not 25.4.
    EXPECT_NEAR(inchesToMm(4.0), 101.59999932944, 5e-12);
    EXPECT_NE(inchesToMm(4.0), 101.6);
    EXPECT_NEAR(kipsToKn(7.13), 31.7212244767, 5e-11);
    EXPECT_EQ(knToKips(1.0), 0.22477064229463);
    EXPECT_EQ(mmToInches(1.0), 0.039370079);
    // Each direction is one multiplication or one division by the factor.
    EXPECT_EQ(inchesToMm(0.0711), 0.0711 / 0.039370079);
    EXPECT_EQ(kipsToKn(7.13), 7.13 / 0.22477064229463);
}

}  // namespace
}  // namespace bpd
