#include "network/Sewer.h"

#include "framework/NumberFormat.h"
#include "network/NetworkFileReader.h"
#include "network/Sewernode.h"

Sewer::Sewer(AnsiString name) : name(std::move(name)) {}

void Sewer::SetName(const AnsiString& newName) {
    NamedList<Sewer>::SetName(*this, newName);
}

namespace {

template <class Total> double FlowFromAbove(const Sewer& sewer, Total total) {
    double sum = 0;
    if (!sewer.UpstreamNode)
        return sum;
    for (const Sewer* t : sewer.UpstreamNode->ConnectedSewers)
        if (t->DownstreamNode == sewer.UpstreamNode)
            sum += total(*t);
    return sum;
}

} // namespace

double Sewer::UpstreamInitialFlow() const {
    return FlowFromAbove(*this, [](const Sewer& t) { return t.InitialTotalQ; });
}

double Sewer::UpstreamFinalFlow() const {
    return FlowFromAbove(*this, [](const Sewer& t) { return t.FinalTotalQ; });
}

double Sewer::UpstreamInitialRawFlow() const {
    return FlowFromAbove(*this, [](const Sewer& t) { return t.InitialRawFlow; });
}

double Sewer::UpstreamFinalRawFlow() const {
    return FlowFromAbove(*this, [](const Sewer& t) { return t.FinalRawFlow; });
}

void Sewer::Write(std::string& out) const {
    out += Sprintf("%s <= sewer name\n", Name).str();
    out += Sprintf("%s <= u/s junction name\n", USJunctionName).str();
    UpstreamEnd->Write(out);
    out += Sprintf("%s <= d/s junction name\n", DSJunctionName).str();
    DownstreamEnd->Write(out);
    out += Sprintf("%10.5f <= length \n", Length).str();
    out += Sprintf("%10.5f <= initial infiltration \n", InitialInfiltration).str();
    out += Sprintf("%10.5f <= final infiltration \n", FinalInfiltration).str();
    out += Sprintf("%10.5f <= slope \n", Slope).str();
    out += Sprintf("%10.5f <= calculated diameter m\n", CalculatedDiameter).str();
    out += Sprintf("%10.5f <= chosen pipe diameter m\n", ChosenDiameter).str();
    out += Sprintf("%10.5f <= Initial Total Q m^3/s \n", InitialTotalQ).str();
    out += Sprintf("%10.5f <= Final Total Q m^3/s \n", FinalTotalQ).str();
    out += Sprintf("%10.5f <= Initial d/D \n", InitialdD).str();
    out += Sprintf("%10.5f <= Final d/D \n", FinaldD).str();
    out += Sprintf("%10.5f <= Initial velocity m/s\n", InitialVelocity).str();
    out += Sprintf("%10.5f <= Final vlocity m/s \n", FinalVelocity).str();
    out += Population.PopulationEnteredDirectly ? "1 <= Total population (1) House population(0) calc\n"
                                                : "0 <= Total population (1) House population(0) calc\n";
    out += Sprintf("%d <= InitialNumberOfHouses\n", Population.InitialNumberOfHouses).str();
    out += Sprintf("%d <= FinalNumberOfHouses\n", Population.FinalNumberOfHouses).str();
    out += Sprintf("%d <= InitialHousePopulation\n", Population.InitialHousePopulation).str();
    out += Sprintf("%d <= FinalHousePopulation\n", Population.FinalHousePopulation).str();
    out += Sprintf("%d <= InitialPopulation\n", Population.InitialPopulation).str();
    out += Sprintf("%d <= FinalPopulation\n", Population.FinalPopulation).str();
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
