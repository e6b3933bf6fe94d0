#include "network/Calculators.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

TEST(Calculators, LenientNumber) {
    struct Row {
        const char* text;
        double value;
    } rows[] = {
        {"0.5", 0.5}, {"  12.5abc", 12.5}, {"abc", 0},   {"", 0},     {"-3", -3},
        {"+.5", 0.5}, {"1e3", 1000},       {"1e", 1},    {"3,14", 3}, {",5", 0},
        {"inf", 0},   {"nan", 0},          {"1e999", 0}, {"-", 0},    {"\t7\n", 7},
        {".", 0},     {"0x10", 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_DOUBLE_EQ(LenientNumber(row.text), row.value);
    }
}

TEST(Calculators, SectionProperties) {
    struct Row {
        const char *label, *diameter, *depth, *n, *slope;
        SectionPropertiesTexts texts;
    } rows[] = {
        // Window defaults, half full: A = π 0.5² / 8 = 0.098175, P = π 0.5 / 2 = 0.785398,
        // R = 0.125, T = 0.5, θ = 180°; V = 0.125^(2/3) × √0.001 / 0.013 = 0.608130,
        // Q = V A = 0.059703. Against the full pipe (R = D/4 = 0.125) the ratios are 1, 1 and 0.5.
        {"window defaults",
         "0.5",
         "0.25",
         "0.013",
         "0.001",
         {"   0.098", "   0.785", "   0.125", "   0.500", "   1.000", " 180.000", "   0.500", "   0.608",
          "   1.000", "   0.060", "   0.500"}},
        // Deeper than the pipe: computed full, A = π/16 = 0.196350, P = π/2, the same velocity.
        {"depth above diameter",
         "0.5",
         "0.7",
         "0.013",
         "0.001",
         {"   0.196", "   1.571", "   0.125", "   1.000", "   1.000", " 360.000", "   0.000", "   0.608",
          "   1.000", "   0.119", "   1.000"}},
        {"n of 0",
         "0.5",
         "0.25",
         "0",
         "0.001",
         {"   0.098", "   0.785", "   0.125", "   0.500", "   1.000", " 180.000", "   0.500", " 999.999",
          "   1.000", " 999.999", "   0.500"}},
        // Text that is no number counts as 0: the diameter becomes 0.01 m and the depth 0.
        {"no numbers",
         "abc",
         "",
         "0.013",
         "0.001",
         {"   0.000", "   0.000", "   0.000", "   0.000", "   0.000", "   0.000", "   0.000", "   0.000",
          "   0.000", "   0.000", "   0.000"}},
        // 20 mm in 100 mm (d/D 0.2: θ 106.260°, A/Af 0.142378, R/Rfull 0.482366) at 1 in 1000 carries
        // 0.000143 m³/s, which three decimals do not show; V/Vfull = 0.482366^(2/3) = 0.615,
        // Q/Qfull = 0.615 × 0.142378 = 0.088.
        {"small flow",
         "0.1",
         "0.02",
         "0.013",
         "0.001",
         {"   0.001", "   0.093", "   0.012", "   0.142", "   0.482", " 106.260", "   0.080", "   0.128",
          "   0.615", "   0.000", "   0.088"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        const SectionPropertiesTexts texts = SectionProperties(row.diameter, row.depth, row.n, row.slope);
        EXPECT_EQ(texts.AEdit, row.texts.AEdit);
        EXPECT_EQ(texts.PEdit, row.texts.PEdit);
        EXPECT_EQ(texts.REdit, row.texts.REdit);
        EXPECT_EQ(texts.PAEdit, row.texts.PAEdit);
        EXPECT_EQ(texts.PREdit, row.texts.PREdit);
        EXPECT_EQ(texts.ThetaEdit, row.texts.ThetaEdit);
        EXPECT_EQ(texts.BEdit, row.texts.BEdit);
        EXPECT_EQ(texts.velEdit, row.texts.velEdit);
        EXPECT_EQ(texts.PvelEdit, row.texts.PvelEdit);
        EXPECT_EQ(texts.flowEdit, row.texts.flowEdit);
        EXPECT_EQ(texts.PflowEdit, row.texts.PflowEdit);
    }
    EXPECT_THROW(SectionProperties("0.5", "0.25", "0.013", "-0.001"), EInvalidOp);
}

// Window defaults: 5 persons, 100 l/cap/day, 85 %, peak 1.80, d/D 0.60, 1.00 Pa, n 0.0130, 100 mm.
HousesInput HousesDefaults() {
    return {5, 100, 85, 1.80, 0.60, 1.00, 0.0130, 100};
}

TEST(Calculators, HousesAtMinimumGradient) {
    struct Row {
        const char* label;
        void (*adjust)(HousesInput&);
        int houses;
    } rows[] = {
        // House flow 5 × 100 × 1.8 × 0.85 / 86400 = 0.0088542 l/s. At d/D 0.6: A/D² 0.492028,
        // R/D 0.277644; S = 1 / (9810 × 0.0277644) = 0.0036715; capacity 1000 × 0.0049203
        // × 0.0277644^(2/3) × √0.0036715 / 0.013 = 2.1028 l/s; 2.1028 / 0.0088542 = 237.49.
        {"window defaults", [](HousesInput&) {}, 237},
        // Deeper than the pipe counts as full: A/D² π/4, R/D 1/4; S = 0.0040775, 3.2984 l/s.
        {"depth ratio above 1", [](HousesInput& in) { in.DepthRatio = 1.5; }, 372},
        // No tension needs no gradient, and a flat pipe carries nothing.
        {"no tractive tension", [](HousesInput& in) { in.Tau = 0; }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        HousesInput input = HousesDefaults();
        row.adjust(input);
        EXPECT_EQ(HousesAtMinimumGradient(input), row.houses);
    }
}

TEST(Calculators, HousesAtMinimumGradientFailures) {
    struct Row {
        const char* label;
        void (*adjust)(HousesInput&);
    } rows[] = {
        {"no persons", [](HousesInput& in) { in.PersonsPerHouse = 0; }},
        {"negative persons", [](HousesInput& in) { in.PersonsPerHouse = -5; }},
        {"no peak factor", [](HousesInput& in) { in.PeakFactor = 0; }},
        {"n of 0", [](HousesInput& in) { in.ManningN = 0; }},
        {"negative n", [](HousesInput& in) { in.ManningN = -0.013; }},
        {"depth ratio 0", [](HousesInput& in) { in.DepthRatio = 0; }},
        {"negative depth ratio", [](HousesInput& in) { in.DepthRatio = -0.6; }},
        {"no diameter", [](HousesInput& in) { in.DiameterMm = 0; }},
        {"negative diameter", [](HousesInput& in) { in.DiameterMm = -100; }},
        {"negative tension", [](HousesInput& in) { in.Tau = -1; }},
        // 1e-9 persons per house in a 10 m pipe: about 1e15 houses, beyond a 32-bit count.
        {"count beyond an integer",
         [](HousesInput& in) {
             in.PersonsPerHouse = 1e-9;
             in.DiameterMm = 10000;
         }},
        {"infinite capacity", [](HousesInput& in) { in.DiameterMm = std::numeric_limits<double>::max(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        HousesInput input = HousesDefaults();
        row.adjust(input);
        EXPECT_THROW(HousesAtMinimumGradient(input), EMathError);
    }
}

} // namespace
