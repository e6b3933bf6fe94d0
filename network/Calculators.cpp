#include "network/Calculators.h"

#include "framework/Exceptions.h"
#include "framework/NumberFormat.h"
#include "network/Drenvala.h"
#include "network/FloatingPointFaults.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr double SecondsPerDay = 86400;
constexpr double SpecificWeight = 9810; // N/m³, ρ g

bool StartsNumber(char c) {
    return (c >= '0' && c <= '9') || c == '.';
}

} // namespace

double LenientNumber(const AnsiString& text) {
    std::string_view rest = text.view();
    const std::size_t start = rest.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos)
        return 0;
    rest.remove_prefix(start);
    const bool negative = rest.front() == '-';
    if (rest.front() == '+' || negative)
        rest.remove_prefix(1);
    // from_chars would also take "inf" and "nan"; only digits and a point begin a number here.
    if (rest.empty() || !StartsNumber(rest.front()))
        return 0;
    double value = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc())
        return 0;
    return negative ? -value : value;
}

SectionPropertiesTexts SectionProperties(const AnsiString& diameter, const AnsiString& depth,
                                         const AnsiString& manningN, const AnsiString& slope) {
    const double diameterValue = LenientNumber(diameter);
    Drenvala section(LenientNumber(depth), diameterValue);
    section.ManningN = LenientNumber(manningN);
    section.Slope = LenientNumber(slope);
    section.CalcFlow();
    // A diameter of 1e154 m or more overflows the area: the window shows no "NAN" or "INF".
    const auto text = [](double value) { return Sprintf("%8.3f", Finite(value)); };
    return {text(section.Area),
            text(section.WettedPerimeter),
            text(section.HydraulicRadius),
            text(section.ProportionalArea),
            text(section.ProportionalRadius),
            text(section.Theta * 180 / std::numbers::pi),
            text(section.SurfaceWidth),
            text(section.Velocity),
            text(section.ProportionalVelocity),
            text(section.Discharge),
            text(section.ProportionalFlow)};
}

int HousesAtMinimumGradient(const HousesInput& input) {
    const double ret = input.ReturnFactor * 0.01;
    const double houseFlow =
        input.PersonsPerHouse * input.WaterUse * input.PeakFactor * ret / SecondsPerDay; // l/s
    if (houseFlow < 0 || input.ManningN < 0)
        throw EInvalidOp();
    const Drenvala section(input.DepthRatio, 1.0);
    const double a = section.AreaRatio();
    const double r = section.RadiusRatio();
    const double D = input.DiameterMm / 1000;
    const double A = a * (D * D);
    const double R = r * D;
    const double S = Quotient(input.Tau, SpecificWeight * R);
    const double capacity = Quotient(1000 * A * Power(R, 2.0 / 3.0) * SquareRoot(S), input.ManningN); // l/s
    const double houses = std::trunc(Quotient(capacity, houseFlow));
    if (houses > std::numeric_limits<int>::max())
        throw EOverflow();
    return static_cast<int>(houses);
}
