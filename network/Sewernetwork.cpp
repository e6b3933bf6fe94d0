#include "network/Sewernetwork.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"

#include <cmath>
#include <numbers>
#include <string_view>
#include <unordered_set>

SimpleSewerNetwork::SimpleSewerNetwork() {
    SetDefaults();
}

SimpleSewerNetwork::~SimpleSewerNetwork() {
    FreeLists();
}

void SimpleSewerNetwork::SetDefaults() {
    ReturnFactor = 0.85;
    PeakFlowFactor = 1.8;
    FrictionFormula = 0;
    ManningN = 0.013;
    ks = 0.0015;
    UseMinimumTauCalc = true;
    MinimumTau = 1.0;
    MinimumSelfCleaningVel = 0.5;
    MinimumSewerCover = 0.4;
    UseDiameterLimiting = false;
    MinimumDiameter = 0.3;
    UseDischargeLimiting = true;
    MinimumDischarge = 0.0015;
    UseGroundSlopeLimiting = true;
    InitialLCD = 100.0;
    FinalLCD = 100.0;
    FreeLists();
}

void SimpleSewerNetwork::FreeLists() {
    ClearSubnets();
    sewerList.Clear();
    junctionList.Clear();
}

int SimpleSewerNetwork::SewerIndex(const AnsiString& name) const {
    return sewerList.IndexOf(name);
}

int SimpleSewerNetwork::JunctionIndex(const AnsiString& name) const {
    return junctionList.IndexOf(name);
}

Sewer* SimpleSewerNetwork::GetSewer(const AnsiString& name) const {
    return sewerList.Find(name);
}

int SimpleSewerNetwork::FindOrAddSewer(const AnsiString& name) {
    return sewerList.FindOrAppend(name);
}

int SimpleSewerNetwork::FindOrAddJunction(const AnsiString& name) {
    return junctionList.FindOrAppend(name);
}

int SimpleSewerNetwork::AddSewer(const AnsiString& name, const AnsiString& us, const AnsiString& ds,
                                 double length) {
    Sewer* s = Sewers[static_cast<std::size_t>(FindOrAddSewer(name))];
    s->Length = length;
    s->USJunctionName = us;
    s->UpstreamNode = Junctions[static_cast<std::size_t>(FindOrAddJunction(us))];
    const std::size_t junctionsBefore = Junctions.size();
    s->DSJunctionName = ds;
    s->DownstreamNode = Junctions[static_cast<std::size_t>(FindOrAddJunction(ds))];
    if (Junctions.size() > junctionsBefore) {
        // A new downstream junction is placed at 45 degrees from the upstream one.
        const double angle = std::numbers::pi / 4;
        s->DownstreamNode->X = s->UpstreamNode->X + s->Length * std::cos(angle);
        s->DownstreamNode->Y = s->UpstreamNode->Y + s->Length * std::sin(angle);
    }
    return 0;
}

int SimpleSewerNetwork::AddSewerAt(const AnsiString& name, const AnsiString& us, const AnsiString& ds,
                                   double usX, double usY, double dsX, double dsY) {
    AddSewer(name, us, ds, std::sqrt((usX - dsX) * (usX - dsX) + (usY - dsY) * (usY - dsY)));
    Sewer* s = GetSewer(name);
    s->UpstreamNode->X = usX;
    s->UpstreamNode->Y = usY;
    s->DownstreamNode->X = dsX;
    s->DownstreamNode->Y = dsY;
    return 0;
}

int SimpleSewerNetwork::EditSewer(const AnsiString& oldName, const AnsiString& newName, const AnsiString& us,
                                  bool usDrop, const AnsiString& ds, bool dsDrop, double length) {
    Sewer* s = GetSewer(oldName);
    if (!s)
        return 1;
    s->SetName(newName);
    s->Length = length;
    s->USJunctionName = us;
    s->UpstreamEnd->DropJunction = usDrop;
    s->UpstreamNode = Junctions[static_cast<std::size_t>(FindOrAddJunction(us))];
    s->DSJunctionName = ds;
    s->DownstreamEnd->DropJunction = dsDrop;
    s->DownstreamNode = Junctions[static_cast<std::size_t>(FindOrAddJunction(ds))];
    return 0;
}

void SimpleSewerNetwork::SetSewerDatum(const AnsiString& name, bool datumReference, bool autoDatum,
                                       double datumLevel) {
    Sewer* s = GetSewer(name);
    if (!s)
        return;
    s->UpstreamEnd->DatumReference = datumReference;
    s->UpstreamEnd->AutoDatum = autoDatum;
    s->UpstreamEnd->DatumLevel = datumLevel;
}

int SimpleSewerNetwork::DeleteSewer(const AnsiString& name) {
    const int index = SewerIndex(name);
    if (index < 0)
        return 1;
    sewerList.Remove(index);
    return 0;
}

int SimpleSewerNetwork::SetJunctionLevel(const AnsiString& name, double z) {
    Junctions[static_cast<std::size_t>(FindOrAddJunction(name))]->Z = z;
    return 0;
}

int SimpleSewerNetwork::SetJunction(const AnsiString& name, double z, double x, double y) {
    SewerNode* junction = Junctions[static_cast<std::size_t>(FindOrAddJunction(name))];
    junction->Z = z;
    junction->X = x;
    junction->Y = y;
    return 0;
}

int SimpleSewerNetwork::DeleteJunction(const AnsiString& name) {
    return DeleteJunctionIn(name, true);
}

int SimpleSewerNetwork::DeleteJunctionIfUnused(const AnsiString& name) {
    return DeleteJunctionIn(name, false);
}

int SimpleSewerNetwork::DeleteJunctionIn(const AnsiString& name, bool tell) {
    const int index = JunctionIndex(name);
    if (index < 0)
        return 1;
    for (const Sewer* s : Sewers) {
        if (s->USJunctionName == name || s->DSJunctionName == name) {
            if (tell)
                Application->MessageBox("This junction is in use by sewer " + s->Name + ". " +
                                            "Delete the sewer first, then the junction.",
                                        "Error", MB_OK);
            return 1;
        }
    }
    junctionList.Remove(index);
    return 0;
}

int SimpleSewerNetwork::DeleteUnusedJunctions() {
    std::unordered_set<std::string_view> used;
    used.reserve(2 * Sewers.size());
    for (const Sewer* s : Sewers) {
        used.insert(s->USJunctionName.view());
        used.insert(s->DSJunctionName.view());
    }
    return junctionList.RemoveIf(
        [&used](const SewerNode& junction) { return !used.contains(junction.Name.view()); });
}

void SimpleSewerNetwork::RenameJunction(const AnsiString& oldName, const AnsiString& newName) {
    for (Sewer* s : Sewers) {
        if (s->USJunctionName == oldName)
            s->USJunctionName = newName;
        if (s->DSJunctionName == oldName)
            s->DSJunctionName = newName;
    }
}

Sewer* SimpleSewerNetwork::SetSewerFlows(const AnsiString& name, double initialInfiltration,
                                         double finalInfiltration, double initialLCD, double finalLCD) {
    InitialLCD = initialLCD;
    FinalLCD = finalLCD;
    Sewer* s = GetSewer(name);
    if (s) {
        s->InitialInfiltration = initialInfiltration;
        s->FinalInfiltration = finalInfiltration;
    }
    return s;
}

int SimpleSewerNetwork::SetSewerHouses(const AnsiString& name, double initialInfiltration,
                                       double finalInfiltration, int initialHouses, int finalHouses,
                                       int initialHousePopulation, int finalHousePopulation,
                                       double initialLCD, double finalLCD) {
    Sewer* s = SetSewerFlows(name, initialInfiltration, finalInfiltration, initialLCD, finalLCD);
    if (!s)
        return 1;
    s->Population.PopulationEnteredDirectly = false;
    s->Population.InitialNumberOfHouses = initialHouses;
    s->Population.FinalNumberOfHouses = finalHouses;
    s->Population.InitialHousePopulation = initialHousePopulation;
    s->Population.FinalHousePopulation = finalHousePopulation;
    return 0;
}

int SimpleSewerNetwork::SetSewerPopulation(const AnsiString& name, double initialInfiltration,
                                           double finalInfiltration, int initialPopulation,
                                           int finalPopulation, double initialLCD, double finalLCD) {
    Sewer* s = SetSewerFlows(name, initialInfiltration, finalInfiltration, initialLCD, finalLCD);
    if (!s)
        return 1;
    s->Population.PopulationEnteredDirectly = true;
    s->Population.InitialPopulation = initialPopulation;
    s->Population.FinalPopulation = finalPopulation;
    return 0;
}

// Deletes take a sewer out of the list at once, so the list never holds an empty entry to drop.
int SimpleSewerNetwork::PackSewers() {
    return static_cast<int>(Sewers.size());
}

namespace {

// The first of items strictly nearest to (x, y) and nearer than 1e10, or null.
template <class Item, class Position>
Item* Nearest(const std::vector<Item*>& items, double x, double y, Position position) {
    double best = 1e10;
    Item* nearest = nullptr;
    for (Item* item : items) {
        double px = 0, py = 0;
        if (!position(*item, px, py))
            continue;
        const double distance = std::sqrt((px - x) * (px - x) + (py - y) * (py - y));
        if (distance < best) {
            best = distance;
            nearest = item;
        }
    }
    return nearest;
}

} // namespace

SewerNode* SimpleSewerNetwork::NearestJunction(double x, double y) const {
    return Nearest(Junctions, x, y, [](const SewerNode& j, double& px, double& py) {
        px = j.X;
        py = j.Y;
        return true;
    });
}

Sewer* SimpleSewerNetwork::NearestSewer(double x, double y) const {
    // A sewer not linked to both its junctions has no place on the plane.
    return Nearest(Sewers, x, y, [](const Sewer& s, double& px, double& py) {
        if (!s.UpstreamNode || !s.DownstreamNode)
            return false;
        px = (s.UpstreamNode->X + s.DownstreamNode->X) * 0.5;
        py = (s.UpstreamNode->Y + s.DownstreamNode->Y) * 0.5;
        return true;
    });
}

void SimpleSewerNetwork::GetExtents(double& xmin, double& ymin, double& xmax, double& ymax) const {
    xmin = ymin = 1e21;
    xmax = ymax = -1e21;
    for (const SewerNode* j : Junctions) {
        xmin = std::min(xmin, j->X);
        xmax = std::max(xmax, j->X);
        ymin = std::min(ymin, j->Y);
        ymax = std::max(ymax, j->Y);
    }
    if (xmin == xmax)
        xmax = xmin + 1;
    if (ymin == ymax)
        ymax = ymin + 1;
}
