#pragma once

#include "framework/AnsiString.h"
#include "network/Flowcalc.h"
#include "network/NamedList.h"
#include "network/Sewerend.h"
#include "network/Sewernode.h"

#include <string>

class NetworkFileReader;
class NetworkFileWriter;
class SewerNode;

// One sewer (a pipe length) from its upstream to its downstream junction, with its design results.
class Sewer {
public:
    explicit Sewer(AnsiString name);
    Sewer(const Sewer&) = delete;
    Sewer& operator=(const Sewer&) = delete;

    // Read as a field; renamed through SetName, which keeps the network's name index in step.
    const AnsiString& Name = name;
    void SetName(const AnsiString& newName);

    void Write(NetworkFileWriter& out) const;
    // Reads one sewer block, its name included.
    void Read(NetworkFileReader& in);

    // Flow entering from the sewers above, m^3/s; valid after BuildConnections once they are designed.
    double UpstreamInitialFlow() const;
    double UpstreamFinalFlow() const;
    // The flows entering from the sewers above, m^3/s: their total flows, and their raw design
    // flows, which are what the design window takes as flow from upstream.
    struct Inflows {
        double Initial = 0;
        double Final = 0;
        double InitialRaw = 0;
        double FinalRaw = 0;
    };
    // In one pass over the upstream junction.
    Inflows FlowsFromAbove() const;
    // The same pass, with handed(t) giving what each sewer t entering the junction hands down.
    template <class Handed> Inflows FlowsFromAbove(Handed handed) const;

    AnsiString USJunctionName;
    AnsiString DSJunctionName;
    SewerNode* UpstreamNode = nullptr;
    SewerNode* DownstreamNode = nullptr;
    // Owned, and held in the sewer itself: a network of a million sewers makes a million objects,
    // not three million, and finds each end beside its sewer.
    SewerEnd* const UpstreamEnd = &upstreamEnd;
    SewerEnd* const DownstreamEnd = &downstreamEnd;
    // m
    double Length = 10.0;
    // Litres per metre of sewer per day.
    double InitialInfiltration = 0;
    double FinalInfiltration = 0;
    FlowCalc Population;
    bool Designed = false;
    // Design gradient, a fraction.
    double Slope = 0;
    // m
    double CalculatedDiameter = 0.5;
    double ChosenDiameter = 0.5;
    // m^3/s
    double InitialTotalQ = 0;
    double FinalTotalQ = 0;
    double InitialdD = 0;
    double FinaldD = 0;
    // m/s
    double InitialVelocity = 0;
    double FinalVelocity = 0;
    // Peaked design flow of the last design before the minimum-discharge raise, m^3/s: what this
    // sewer hands down as design flow. Not stored in the file.
    double InitialRawFlow = 0;
    double FinalRawFlow = 0;

private:
    friend class NamedList<Sewer>;
    friend class SimpleSewerNetwork;

    AnsiString name;
    SewerEnd upstreamEnd;
    SewerEnd downstreamEnd;
    int position = -1;
    NamedList<Sewer>* list = nullptr;
    // The sub-network the last BuildSubnets placed the sewer in, -1 for none.
    int subnet = -1;
};

template <class Handed> Sewer::Inflows Sewer::FlowsFromAbove(Handed handed) const {
    Inflows sum;
    if (!UpstreamNode)
        return sum;
    for (const Sewer* t : UpstreamNode->ConnectedSewers)
        if (t->DownstreamNode == UpstreamNode) {
            const Inflows down = handed(*t);
            sum.Initial += down.Initial;
            sum.Final += down.Final;
            sum.InitialRaw += down.InitialRaw;
            sum.FinalRaw += down.FinalRaw;
        }
    return sum;
}
