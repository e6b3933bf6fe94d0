#pragma once

// The population a sewer serves, turned into its domestic flow.
class FlowCalc {
public:
    // Domestic flow of the population at lcd litres per person per day, in m^3/s. In house mode the
    // population is first set to houses x persons per house.
    double InitialFlow(double lcd);
    double FinalFlow(double lcd);

    int InitialNumberOfHouses = 0;
    int FinalNumberOfHouses = 0;
    int InitialHousePopulation = 0;
    int FinalHousePopulation = 0;
    int InitialPopulation = 0;
    int FinalPopulation = 0;
    bool PopulationEnteredDirectly = false;
};
