#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"

#include <unordered_set>

namespace {

// Appends s and the sewers above it that do not enter across a drop, in the order of a
// depth-first walk up the connection lists. take(t) marks t and tells whether it was still free,
// so that each sewer is taken once even where sewers run round in a closed loop. An explicit
// stack keeps long chains off the call stack.
template <class Take> void CollectUpstream(Sewer* s, std::vector<Sewer*>& sub, Take take) {
    std::vector<Sewer*> stack{s};
    while (!stack.empty()) {
        Sewer* x = stack.back();
        stack.pop_back();
        if (!take(x))
            continue;
        sub.push_back(x);
        const SewerNode* j = x->UpstreamNode;
        if (!j || j->ConnectedSewers.size() == 1)
            continue;
        for (auto t = j->ConnectedSewers.rbegin(); t != j->ConnectedSewers.rend(); ++t)
            if (*t != x && !(*t)->DownstreamEnd->DropJunction)
                stack.push_back(*t);
    }
}

} // namespace

int SimpleSewerNetwork::BuildConnections() {
    for (SewerNode* j : Junctions)
        j->ConnectedSewers.clear();
    for (Sewer* s : Sewers) {
        for (const AnsiString* name : {&s->USJunctionName, &s->DSJunctionName})
            if (const auto* named = junctionList.AllNamed(*name))
                for (SewerNode* j : *named)
                    j->ConnectedSewers.push_back(s);
    }
    return 0;
}

Sewer* SimpleSewerNetwork::NextDownstreamSewer(Sewer* s) const {
    const SewerNode* j = s->DownstreamNode;
    if (!j)
        return nullptr;
    for (Sewer* t : j->ConnectedSewers)
        if (t->UpstreamNode == j)
            return t;
    return nullptr;
}

void SimpleSewerNetwork::CollectUpstreamSewers(Sewer* s, std::vector<Sewer*>& sub) const {
    std::unordered_set<const Sewer*> taken;
    CollectUpstream(s, sub, [&](const Sewer* t) { return taken.insert(t).second; });
}

int SimpleSewerNetwork::BuildSubnets() {
    Subnets.clear();
    subnetOf.clear();
    closedLoopFound = false;
    for (std::size_t first = 0; first < Sewers.size();) {
        if (subnetOf.contains(Sewers[first])) {
            ++first;
            continue;
        }
        // Walk down to the outlet, stopping short of a sewer already placed or met on this walk.
        Sewer* outlet = Sewers[first];
        std::unordered_set<const Sewer*> walked{outlet};
        while (!outlet->DownstreamEnd->DropJunction) {
            Sewer* next = NextDownstreamSewer(outlet);
            if (!next || subnetOf.contains(next))
                break;
            if (!walked.insert(next).second) {
                closedLoopFound = true;
                break;
            }
            outlet = next;
        }
        const int index = static_cast<int>(Subnets.size());
        std::vector<Sewer*> sub;
        CollectUpstream(outlet, sub, [&](const Sewer* t) { return subnetOf.try_emplace(t, index).second; });
        Subnets.push_back(std::move(sub));
    }
    return 0;
}

bool SimpleSewerNetwork::IsSewerInAnySubnet(Sewer* s) const {
    return !Subnets.empty() && subnetOf.contains(s);
}

bool SimpleSewerNetwork::IsSewerInSubnet(int index, Sewer* s) const {
    const auto found = subnetOf.find(s);
    return !Subnets.empty() && found != subnetOf.end() && found->second == index;
}

void SimpleSewerNetwork::ClearDesignedFlags() {
    for (Sewer* s : Sewers)
        s->Designed = false;
}

int SimpleSewerNetwork::CheckNetwork() {
    ClearDesignedFlags();
    BuildConnections();
    bool failed = false;
    for (const SewerNode* j : Junctions) {
        int leaving = 0;
        for (const Sewer* t : j->ConnectedSewers)
            if (t->UpstreamNode == j)
                ++leaving;
        if (leaving > 1) {
            ShowMessage("Error: The network is looped. Junction " + j->Name + " has " + IntToStr(leaving) +
                        " U/S ends joining.");
            failed = true;
        }
    }
    if (!failed) {
        BuildSubnets();
        // Sewers running round in a circle pass the junction test but are no tree either.
        if (closedLoopFound) {
            ShowMessage("Network not specified correctly. There is probably a loop. The network must be a "
                        "tree type.");
            failed = true;
        }
    }
    if (!failed) {
        for (std::size_t i = 0; i < Subnets.size(); ++i) {
            int datums = 0;
            AnsiString datumJunctions;
            for (const Sewer* s : Subnets[i]) {
                if (s->UpstreamEnd->DatumReference) {
                    ++datums;
                    datumJunctions += s->USJunctionName + "  ";
                }
            }
            const AnsiString subnet = "Subnet: " + IntToStr(static_cast<std::int64_t>(i));
            if (datums == 0) {
                ShowMessage(subnet + " has no datum junction set.");
                failed = true;
            } else if (datums > 1) {
                ShowMessage(subnet + " has " + IntToStr(datums) + " datums set. You must only have one. " +
                            "\n" + "Please remove the extras." + "\n" + "Junctions with datum set are " +
                            datumJunctions);
                failed = true;
            }
        }
    }
    ClearDesignedFlags();
    return failed ? 1 : 0;
}
