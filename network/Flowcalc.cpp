#include "network/Flowcalc.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {

// Houses x persons per house; a product beyond the integer range is held at its limit.
int HousePopulation(int houses, int persons) {
    const std::int64_t product = static_cast<std::int64_t>(houses) * persons;
    return static_cast<int>(
        std::clamp<std::int64_t>(product, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Litres per day to m^3/s.
double DomesticFlow(int population, double lcd) {
    return population * lcd * 0.001 / 86400;
}

} // namespace

double FlowCalc::InitialFlow(double lcd) {
    if (!PopulationEnteredDirectly)
        InitialPopulation = HousePopulation(InitialNumberOfHouses, InitialHousePopulation);
    return DomesticFlow(InitialPopulation, lcd);
}

double FlowCalc::FinalFlow(double lcd) {
    if (!PopulationEnteredDirectly)
        FinalPopulation = HousePopulation(FinalNumberOfHouses, FinalHousePopulation);
    return DomesticFlow(FinalPopulation, lcd);
}
