#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "network/Sewernetwork.h"

namespace {

void SetDownstreamLevelFrom(Sewer& s, double upstreamLevel) {
    s.UpstreamEnd->Level = upstreamLevel;
    s.DownstreamEnd->Level = upstreamLevel - s.Slope * s.Length;
    s.UpstreamEnd->LevelsCalculated = true;
    s.DownstreamEnd->LevelsCalculated = true;
    s.Designed = true;
}

AnsiString Quoted(const AnsiString& name) {
    return "\"" + name + "\"";
}

} // namespace

int SimpleSewerNetwork::CalculateLevels() {
    for (std::size_t i = 0; i < Subnets.size(); ++i) {
        const std::vector<Sewer*>& subnet = Subnets[i];
        Sewer* datum = nullptr;
        for (Sewer* s : subnet) {
            s->UpstreamEnd->LevelsCalculated = false;
            s->DownstreamEnd->LevelsCalculated = false;
            s->Designed = false;
            if (!datum && s->UpstreamEnd->DatumReference)
                datum = s;
        }
        if (!datum) {
            ShowMessage("Levels have not been calculated. You MUST set a datum node for sub-net " +
                        IntToStr(static_cast<std::int64_t>(i)));
            return 1;
        }
        SewerEnd& datumEnd = *datum->UpstreamEnd;
        const double ground = datum->UpstreamNode ? datum->UpstreamNode->Z : 0;
        if (datumEnd.AutoDatum) {
            datumEnd.Cover = MinimumSewerCover;
            datumEnd.Level = ground - datumEnd.Cover;
        } else {
            // The level the user typed for the datum, as the file stores it.
            datumEnd.Level = datumEnd.DatumLevel;
            datumEnd.Cover = ground - datumEnd.Level;
        }
        SetDownstreamLevelFrom(*datum, datumEnd.Level);

        // Down to the outlet; a walk that comes back on itself stops there.
        StartWalk();
        Meet(datum);
        Sewer* outlet = datum;
        while (!outlet->DownstreamEnd->DropJunction) {
            Sewer* next = NextDownstreamSewer(outlet);
            if (!next || !Meet(next))
                break;
            SetDownstreamLevelFrom(*next, outlet->DownstreamEnd->Level);
            outlet = next;
        }
        LevelUpstream(outlet);
    }

    for (Sewer* s : Sewers) {
        AnsiString leadIn;
        if (!s->Designed)
            leadIn = "The levels for Sewer ";
        else if (!s->UpstreamEnd->LevelsCalculated)
            leadIn = "The U/S level for sewer ";
        else if (!s->DownstreamEnd->LevelsCalculated)
            leadIn = "The D/S level for sewer ";
        if (!leadIn.IsEmpty()) {
            ShowMessage(leadIn + Quoted(s->Name) + " have not been calculated correctly.");
            return 1;
        }
    }

    for (Sewer* s : Sewers) {
        s->UpstreamEnd->Cover = (s->UpstreamNode ? s->UpstreamNode->Z : 0) - s->UpstreamEnd->Level;
        s->DownstreamEnd->Cover = (s->DownstreamNode ? s->DownstreamNode->Z : 0) - s->DownstreamEnd->Level;
        s->UpstreamEnd->Invert = s->UpstreamEnd->Level;
        s->DownstreamEnd->Invert = s->DownstreamEnd->Level;
    }
    return 0;
}

// Depth-first up the tree from s, in the order of each junction's connected sewers, with a
// stack of its own so that a long chain cannot exhaust the call stack. Each sewer is climbed
// once, so a network that runs round in a circle still ends.
void SimpleSewerNetwork::LevelUpstream(Sewer* s) {
    struct Frame {
        Sewer* sewer;
        std::size_t next;
    };
    std::vector<Frame> stack;
    auto climb = [&](Sewer* t) {
        t->UpstreamEnd->Level = t->Slope * t->Length + t->DownstreamEnd->Level;
        t->UpstreamEnd->LevelsCalculated = true;
        t->Designed = true;
        const SewerNode* j = t->UpstreamNode;
        if (j && j->ConnectedSewers.size() != 1)
            stack.push_back({t, 0});
    };
    StartWalk();
    Meet(s);
    climb(s);
    while (!stack.empty()) {
        Frame& frame = stack.back();
        const std::vector<Sewer*>& connected = frame.sewer->UpstreamNode->ConnectedSewers;
        if (frame.next >= connected.size()) {
            stack.pop_back();
            continue;
        }
        Sewer* t = connected[frame.next++];
        if (t == frame.sewer || t->DownstreamEnd->DropJunction || !Meet(t))
            continue;
        t->DownstreamEnd->Level = frame.sewer->UpstreamEnd->Level;
        t->DownstreamEnd->LevelsCalculated = true;
        climb(t);
    }
}
