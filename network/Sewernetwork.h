#pragma once

#include "framework/AnsiString.h"
#include "network/NamedList.h"
#include "network/Sewer.h"
#include "network/Sewernode.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

class NetworkFileReader;
class NetworkFileWriter;

// One sewer network: its title, save stamp, design settings, sewers, junctions and sub-networks.
// Operations give 0 for success and 1 for failure (-1 for a search that finds nothing), and tell
// the user about a failure where they find it.
class SimpleSewerNetwork {
private:
    // First, so that the public lists below can refer to them.
    NamedList<Sewer> sewerList;
    NamedList<SewerNode> junctionList;

public:
    SimpleSewerNetwork();
    SimpleSewerNetwork(const SimpleSewerNetwork&) = delete;
    SimpleSewerNetwork& operator=(const SimpleSewerNetwork&) = delete;
    ~SimpleSewerNetwork();

    AnsiString Name;
    // Date and time of the last save.
    AnsiString Date;
    double ReturnFactor;
    double PeakFlowFactor;
    // 0 Manning, 1 Colebrook-White, 2 Escritt.
    int FrictionFormula;
    double ManningN;
    // Roughness, m.
    double ks;
    // Sizing criterion: true for the minimum tractive tension, false for the self-cleansing velocity.
    bool UseMinimumTauCalc;
    // Pa
    double MinimumTau;
    // m/s
    double MinimumSelfCleaningVel;
    // m
    double MinimumSewerCover;
    bool UseDiameterLimiting;
    // m
    double MinimumDiameter;
    bool UseDischargeLimiting;
    // m^3/s
    double MinimumDischarge;
    bool UseGroundSlopeLimiting;
    // Litres per person per day.
    double InitialLCD;
    double FinalLCD;
    // In the order of creation (of the file after a read). Changed only by the operations below.
    const std::vector<Sewer*>& Sewers = sewerList.Items();
    const std::vector<SewerNode*>& Junctions = junctionList.Items();
    // Built by BuildSubnets; each list starts with its outlet sewer.
    std::vector<std::vector<Sewer*>> Subnets;

    void SetDefaults();
    void FreeLists();

    int SewerIndex(const AnsiString& name) const;
    int JunctionIndex(const AnsiString& name) const;
    Sewer* GetSewer(const AnsiString& name) const;
    // The place of the sewer or junction in its list; -1 once deleted, or for one of another network.
    int PositionOf(const Sewer* s) const { return sewerList.PositionOf(s); }
    int PositionOf(const SewerNode* j) const { return junctionList.PositionOf(j); }
    // Whether some junction name stands more than once in the list.
    bool JunctionNamesRepeat() const { return junctionList.HasRepeatedNames(); }

    int WriteToFile(const AnsiString& fileName);
    // Replaces the whole network by the file's; on a failure the network is left as it was.
    int ReadFromFile(const AnsiString& fileName);

    int BuildConnections();
    int CheckNetwork();
    int BuildSubnets();
    Sewer* NextDownstreamSewer(Sewer* s) const;
    void CollectUpstreamSewers(Sewer* s, std::vector<Sewer*>& sub) const;
    bool IsSewerInAnySubnet(Sewer* s) const;
    bool IsSewerInSubnet(int index, Sewer* s) const;
    void ClearDesignedFlags();

    // Designs every sewer from the heads downwards through the design window, then levels.
    // 0 when every sewer was designed and levelled; 1 after a message.
    int DesignNetwork();
    // Designs s alone, with the flows from above that DesignNetwork would hand it.
    int DesignSewer(Sewer* s);
    // The network's settings and the sewer's values into the design window's boxes.
    void SewerToDesignForm(Sewer* s);
    void SewerFromDesignForm(Sewer* s);
    // Invert levels of every sewer end from each sub-network's datum; 0, or 1 after a message.
    int CalculateLevels();
    void LevelUpstream(Sewer* s);

    int FindOrAddSewer(const AnsiString& name);
    int FindOrAddJunction(const AnsiString& name);
    int AddSewer(const AnsiString& name, const AnsiString& us, const AnsiString& ds, double length);
    int AddSewerAt(const AnsiString& name, const AnsiString& us, const AnsiString& ds, double usX, double usY,
                   double dsX, double dsY);
    int EditSewer(const AnsiString& oldName, const AnsiString& newName, const AnsiString& us, bool usDrop,
                  const AnsiString& ds, bool dsDrop, double length);
    void SetSewerDatum(const AnsiString& name, bool datumReference, bool autoDatum, double datumLevel);
    int DeleteSewer(const AnsiString& name);
    int SetJunctionLevel(const AnsiString& name, double z);
    int SetJunction(const AnsiString& name, double z, double x, double y);
    int DeleteJunction(const AnsiString& name);
    int DeleteJunctionIfUnused(const AnsiString& name);
    // DeleteJunctionIfUnused on every junction, in one pass: the others keep their order. The
    // number of junctions removed.
    int DeleteUnusedJunctions();
    // Renames the junction in every sewer; the caller renames the junction itself.
    void RenameJunction(const AnsiString& oldName, const AnsiString& newName);
    int SetSewerHouses(const AnsiString& name, double initialInfiltration, double finalInfiltration,
                       int initialHouses, int finalHouses, int initialHousePopulation,
                       int finalHousePopulation, double initialLCD, double finalLCD);
    int SetSewerPopulation(const AnsiString& name, double initialInfiltration, double finalInfiltration,
                           int initialPopulation, int finalPopulation, double initialLCD, double finalLCD);
    int PackSewers();
    SewerNode* NearestJunction(double x, double y) const;
    Sewer* NearestSewer(double x, double y) const;
    void GetExtents(double& xmin, double& ymin, double& xmax, double& ymax) const;

private:
    // Why the file could not give the network back (a name twice, empty, holding a blank or
    // beginning with "#", a title beginning with "#" or holding a line break), naming the first
    // such item; else empty.
    AnsiString UnsavableName() const;
    // The file's text with the given save stamp.
    void WriteNetwork(NetworkFileWriter& out, const AnsiString& stamp) const;
    // Everything after the file marker; raises ENetworkFileError with the one message to show.
    void ReadNetworkData(NetworkFileReader& in);
    // Takes the title, settings and lists of other, which was just read.
    void TakeOver(SimpleSewerNetwork& other);
    int DeleteJunctionIn(const AnsiString& name, bool tell);
    void SettingsToDesignForm();
    // The sewer's values into the design window's boxes, above entering it; its total flows, the
    // plain sums it hands down (m^3/s), initial first.
    std::pair<double, double> SewerValuesToDesignForm(Sewer& s, const Sewer::Inflows& above);
    // DesignSewer with SettingsToDesignForm done already, above entering s.
    int DesignWithSettingsShown(Sewer* s, const Sewer::Inflows& above);
    // The flows entering s, worked out from the network as it stands as the design loop would
    // hand them down, the sewers above left as they are; 1 after a message when one of them has
    // no length.
    int HandDownFlowsTo(Sewer* s, Sewer::Inflows& above);
    // The sewers whose flow reaches s, each after every sewer whose flow reaches it.
    std::vector<Sewer*> SewersAbove(Sewer* s) const;
    // A sewer whose length is not above zero cannot be designed or costed: names it, and says so.
    static bool LengthRefused(const Sewer& s);
    // Sets the network's water use, then the named sewer's infiltration; the sewer, or null.
    Sewer* SetSewerFlows(const AnsiString& name, double initialInfiltration, double finalInfiltration,
                         double initialLCD, double finalLCD);

    // Empties Subnets and takes every sewer out of the sub-network it was placed in.
    void ClearSubnets();
    // A walk over the sewers meets each once: StartWalk begins one, and Meet marks a sewer met,
    // false when it was met already on this walk or stands in no list of this network.
    void StartWalk() const;
    bool Meet(const Sewer* s) const;

    // The last BuildSubnets met sewers running round in a closed loop.
    bool closedLoopFound = false;
    // By list position: the number of the last walk that met the sewer.
    mutable std::vector<std::uint32_t> walkMarks;
    mutable std::uint32_t walkNumber = 0;
};
