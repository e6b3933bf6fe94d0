#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"

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
    // Where names stand once, a sewer's link to a listed junction of the name is the look-up.
    const bool namesOnce = !junctionList.HasRepeatedNames();
    const auto connect = [&](Sewer* s, SewerNode* linked, const AnsiString& name) {
        if (namesOnce && junctionList.PositionOf(linked) >= 0 && linked->Name == name)
            linked->ConnectedSewers.push_back(s);
        else
            for (SewerNode* j : junctionList.AllNamed(name))
                j->ConnectedSewers.push_back(s);
    };
    for (Sewer* s : Sewers) {
        connect(s, s->UpstreamNode, s->USJunctionName);
        connect(s, s->DownstreamNode, s->DSJunctionName);
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
    StartWalk();
    CollectUpstream(s, sub, [&](const Sewer* t) { return Meet(t); });
}

void SimpleSewerNetwork::ClearSubnets() {
    // A sewer taken out of the list since the last build still answers for the sub-network it was in.
    for (const std::vector<Sewer*>& subnet : Subnets)
        for (Sewer* s : subnet)
            s->subnet = -1;
    for (Sewer* s : Sewers)
        s->subnet = -1;
    Subnets.clear();
    closedLoopFound = false;
}

int SimpleSewerNetwork::BuildSubnets() {
    ClearSubnets();
    for (std::size_t first = 0; first < Sewers.size();) {
        if (Sewers[first]->subnet >= 0) {
            ++first;
            continue;
        }
        // Walk down to the outlet, stopping short of a sewer already placed or met on this walk.
        Sewer* outlet = Sewers[first];
        StartWalk();
        Meet(outlet);
        while (!outlet->DownstreamEnd->DropJunction) {
            Sewer* next = NextDownstreamSewer(outlet);
            if (!next || sewerList.PositionOf(next) < 0 || next->subnet >= 0)
                break;
            if (!Meet(next)) {
                closedLoopFound = true;
                break;
            }
            outlet = next;
        }
        const int index = static_cast<int>(Subnets.size());
        std::vector<Sewer*> sub;
        CollectUpstream(outlet, sub, [&](Sewer* t) {
            if (sewerList.PositionOf(t) < 0 || t->subnet >= 0)
                return false;
            t->subnet = index;
            return true;
        });
        Subnets.push_back(std::move(sub));
    }
    return 0;
}

bool SimpleSewerNetwork::IsSewerInAnySubnet(Sewer* s) const {
    return !Subnets.empty() && s && s->subnet >= 0;
}

bool SimpleSewerNetwork::IsSewerInSubnet(int index, Sewer* s) const {
    return !Subnets.empty() && s && s->subnet >= 0 && s->subnet == index;
}

void SimpleSewerNetwork::StartWalk() const {
    walkMarks.resize(Sewers.size());
    if (++walkNumber == 0) {
        std::fill(walkMarks.begin(), walkMarks.end(), 0);
        walkNumber = 1;
    }
}

bool SimpleSewerNetwork::Meet(const Sewer* s) const {
    const int position = sewerList.PositionOf(s);
    if (position < 0 || walkMarks[static_cast<std::size_t>(position)] == walkNumber)
        return false;
    walkMarks[static_cast<std::size_t>(position)] = walkNumber;
    return true;
}

void SimpleSewerNetwork::ClearDesignedFlags() {
    for (Sewer* s : Sewers)
        s->Designed = false;
}

bool SimpleSewerNetwork::LengthRefused(const Sewer& s) {
    // A length of zero or less would be designed and costed as if it were laid: negative trench
    // volumes, totals short of what is laid. NaN is refused too.
    if (s.Length > 0)
        return false;
    ShowMessage("Error: Sewer " + s.Name + " has a length of " + FloatToStr(s.Length) +
                " m. The length of a sewer must be above zero.");
    return true;
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
        // Counted in list order, which keeps to the order the sewers lie in memory.
        std::vector<int> datums(Subnets.size(), 0);
        for (const Sewer* s : Sewers)
            if (s->UpstreamEnd->DatumReference)
                ++datums[static_cast<std::size_t>(s->subnet)];
        for (std::size_t i = 0; i < Subnets.size(); ++i) {
            const AnsiString subnet = "Subnet: " + IntToStr(static_cast<std::int64_t>(i));
            if (datums[i] == 0) {
                ShowMessage(subnet + " has no datum junction set.");
                failed = true;
            } else if (datums[i] > 1) {
                AnsiString datumJunctions;
                for (const Sewer* s : Subnets[i])
                    if (s->UpstreamEnd->DatumReference)
                        datumJunctions += s->USJunctionName + "  ";
                ShowMessage(subnet + " has " + IntToStr(datums[i]) + " datums set. You must only have one. " +
                            "\n" + "Please remove the extras." + "\n" + "Junctions with datum set are " +
                            datumJunctions);
                failed = true;
            }
        }
    }
    for (const Sewer* s : Sewers)
        failed = LengthRefused(*s) || failed;
    ClearDesignedFlags();
    return failed ? 1 : 0;
}
