#include "network/Sewer.h"

#include "network/NetworkFileReader.h"
#include "network/NetworkFileWriter.h"

Sewer::Sewer(AnsiString name) : name(std::move(name)) {}

void Sewer::SetName(const AnsiString& newName) {
    NamedList<Sewer>::SetName(*this, newName);
}

double Sewer::UpstreamInitialFlow() const {
    return FlowsFromAbove().Initial;
}

double Sewer::UpstreamFinalFlow() const {
    return FlowsFromAbove().Final;
}

Sewer::Inflows Sewer::FlowsFromAbove() const {
    return FlowsFromAbove([](const Sewer& t) {
        return Inflows{t.InitialTotalQ, t.FinalTotalQ, t.InitialRawFlow, t.FinalRawFlow};
    });
}

void Sewer::Write(NetworkFileWriter& out) const {
    out.Line(Name, " <= sewer name\n");
    out.Line(USJunctionName, " <= u/s junction name\n");
    UpstreamEnd->Write(out);
    out.Line(DSJunctionName, " <= d/s junction name\n");
    DownstreamEnd->Write(out);
    out.Fixed(Length, 10, 5, " <= length \n");
    out.Fixed(InitialInfiltration, 10, 5, " <= initial infiltration \n");
    out.Fixed(FinalInfiltration, 10, 5, " <= final infiltration \n");
    out.Fixed(Slope, 10, 5, " <= slope \n");
    out.Fixed(CalculatedDiameter, 10, 5, " <= calculated diameter m\n");
    out.Fixed(ChosenDiameter, 10, 5, " <= chosen pipe diameter m\n");
    out.Fixed(InitialTotalQ, 10, 5, " <= Initial Total Q m^3/s \n");
    out.Fixed(FinalTotalQ, 10, 5, " <= Final Total Q m^3/s \n");
    out.Fixed(InitialdD, 10, 5, " <= Initial d/D \n");
    out.Fixed(FinaldD, 10, 5, " <= Final d/D \n");
    out.Fixed(InitialVelocity, 10, 5, " <= Initial velocity m/s\n");
    out.Fixed(FinalVelocity, 10, 5, " <= Final vlocity m/s \n");
    out.Text(Population.PopulationEnteredDirectly ? "1 <= Total population (1) House population(0) calc\n"
                                                  : "0 <= Total population (1) House population(0) calc\n");
    out.Integer(Population.InitialNumberOfHouses, " <= InitialNumberOfHouses\n");
    out.Integer(Population.FinalNumberOfHouses, " <= FinalNumberOfHouses\n");
    out.Integer(Population.InitialHousePopulation, " <= InitialHousePopulation\n");
    out.Integer(Population.FinalHousePopulation, " <= FinalHousePopulation\n");
    out.Integer(Population.InitialPopulation, " <= InitialPopulation\n");
    out.Integer(Population.FinalPopulation, " <= FinalPopulation\n");
}

void Sewer::Read(NetworkFileReader& in) {
    const auto part = NetworkFileReader::SewerPart;
    SetName(in.Name(part));
    USJunctionName = in.Name(part);
    UpstreamEnd->Read(in);
    DSJunctionName = in.Name(part);
    DownstreamEnd->Read(in);
    for (double* value :
         {&Length, &InitialInfiltration, &FinalInfiltration, &Slope, &CalculatedDiameter, &ChosenDiameter,
          &InitialTotalQ, &FinalTotalQ, &InitialdD, &FinaldD, &InitialVelocity, &FinalVelocity})
        in.Double(*value, part);
    in.Flag(Population.PopulationEnteredDirectly, part);
    for (int* value : {&Population.InitialNumberOfHouses, &Population.FinalNumberOfHouses,
                       &Population.InitialHousePopulation, &Population.FinalHousePopulation,
                       &Population.InitialPopulation, &Population.FinalPopulation})
        in.Integer(*value, part);
}
