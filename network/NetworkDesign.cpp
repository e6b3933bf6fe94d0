#include "framework/Dialogs.h"
#include "framework/VectorState.h"
#include "network/SewerFetch.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"
#include "network/WindowLayout.h"

#include <algorithm>
#include <span>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Litres per day to m^3/s.
constexpr double PerDay = 0.001 / 86400;

// Numbers grouped by the owner each was given for, kept in the order given.
class Groups {
public:
    // pairs holds {owner, number}; owners are below count.
    Groups(std::size_t count, const std::vector<std::pair<int, int>>& pairs) : starts(count + 1, 0) {
        for (const auto& pair : pairs)
            ++starts[pair.first + 1];
        for (std::size_t i = 1; i < starts.size(); ++i)
            starts[i] += starts[i - 1];
        numbers.resize(pairs.size());
        std::vector<std::size_t> next(starts.begin(), starts.end() - 1);
        for (const auto& [owner, number] : pairs)
            numbers[next[owner]++] = number;
    }

    std::span<const int> Of(int owner) const {
        return {numbers.data() + starts[owner], starts[owner + 1] - starts[owner]};
    }

private:
    std::vector<std::size_t> starts;
    std::vector<int> numbers;
};

// The order the sewers can be designed in: a sewer is ready once every other sewer listed at its
// upstream junction is designed (or when it is the only one listed there). Counting what each
// sewer waits for keeps the whole order linear in the size of the network; designing a sewer
// changes no junction, so the order is worked out whole before the first design. Sewers and
// junctions are numbered by their place in the lists.
std::vector<Sewer*> DesignOrder(const NamedList<Sewer>& sewerList, const NamedList<SewerNode>& junctionList) {
    const std::vector<Sewer*>& sewers = sewerList.Items();
    const std::vector<SewerNode*>& junctions = junctionList.Items();
    const int sewerCount = static_cast<int>(sewers.size());
    std::vector<std::pair<int, int>> pairs;
    // The junctions that list each sewer.
    for (int j = 0; j < static_cast<int>(junctions.size()); ++j)
        for (const Sewer* t : junctions[j]->ConnectedSewers)
            if (const int at = sewerList.PositionOf(t); at >= 0)
                pairs.emplace_back(at, j);
    const Groups listedAt(sewers.size(), pairs);
    // The sewers leaving each junction that wait for others listed there, and how many they wait for.
    pairs.clear();
    std::vector<int> waitingFor(sewers.size(), 0);
    for (int s = 0; s < sewerCount; ++s) {
        const SewerNode* j = sewers[s]->UpstreamNode;
        if (!j || j->ConnectedSewers.size() == 1)
            continue;
        for (const Sewer* t : j->ConnectedSewers)
            waitingFor[s] += t != sewers[s];
        if (const int at = junctionList.PositionOf(j); at >= 0)
            pairs.emplace_back(at, s);
    }
    const Groups leaving(junctions.size(), pairs);

    std::vector<Sewer*> order;
    order.reserve(sewers.size());
    for (int s = 0; s < sewerCount; ++s)
        if (!sewers[s]->Designed && waitingFor[s] == 0)
            order.push_back(sewers[s]);
    // t is designed: one wait fewer for the sewers leaving each junction that lists it.
    const auto designed = [&](int t) {
        for (const int j : listedAt.Of(t))
            for (const int s : leaving.Of(j))
                if (s != t && --waitingFor[s] == 0 && !sewers[s]->Designed)
                    order.push_back(sewers[s]);
    };
    for (int s = 0; s < sewerCount; ++s)
        if (sewers[s]->Designed)
            designed(s);
    for (std::size_t next = 0; next < order.size(); ++next)
        designed(sewerList.PositionOf(order[next]));
    return order;
}

} // namespace

int SimpleSewerNetwork::DesignNetwork() {
    if (Sewers.empty())
        return 0;
    // Arithmetic at full speed, whatever painting ran before.
    ClearUpperVectorState();
    // The settings are the same for every sewer, and designing one leaves them in their boxes.
    SettingsToDesignForm();
    const std::vector<Sewer*> order = DesignOrder(sewerList, junctionList);
    for (std::size_t i = 0; i < order.size(); ++i) {
        FetchSewersAhead(order, i);
        if (DesignWithSettingsShown(order[i], order[i]->FlowsFromAbove()) != 0)
            return 1;
    }
    if (std::any_of(Sewers.begin(), Sewers.end(), [](const Sewer* s) { return !s->Designed; })) {
        ShowMessage(
            "Network not specified correctly. There is probably a loop. The network must be a tree type.");
        return 1;
    }
    return CalculateLevels();
}

int SimpleSewerNetwork::DesignSewer(Sewer* s) {
    SettingsToDesignForm();
    Sewer::Inflows above;
    if (HandDownFlowsTo(s, above) != 0)
        return 1;
    return DesignWithSettingsShown(s, above);
}

int SimpleSewerNetwork::HandDownFlowsTo(Sewer* s, Sewer::Inflows& above) {
    // The design loop hands each sewer the flows of the sewers just designed above it; a read or an
    // edit since then leaves those stale or missing, so they are worked out afresh, heads first,
    // through the same boxes and the engine's own first step. They are kept here, by list
    // position: the sewers above keep their last design.
    std::vector<Sewer::Inflows> handed(Sewers.size());
    const auto handedBy = [&](const Sewer& t) {
        const int at = PositionOf(&t);
        return at >= 0 ? handed[static_cast<std::size_t>(at)] : Sewer::Inflows{};
    };
    for (Sewer* t : SewersAbove(s)) {
        if (LengthRefused(*t))
            return 1;
        Sewer::Inflows& down = handed[static_cast<std::size_t>(PositionOf(t))];
        std::tie(down.Initial, down.Final) = SewerValuesToDesignForm(*t, t->FlowsFromAbove(handedBy));
        const SewerDesignResult flows = SewerMainForm->InputFlows();
        down.InitialRaw = flows.InitialRawFlow;
        down.FinalRaw = flows.FinalRawFlow;
    }
    above = s->FlowsFromAbove(handedBy);
    return 0;
}

std::vector<Sewer*> SimpleSewerNetwork::SewersAbove(Sewer* s) const {
    std::vector<Sewer*> above;
    StartWalk();
    Meet(s);
    // Each sewer goes on the stack twice: first to put the sewers entering its upstream junction
    // above it, then, once they are all listed, to be listed itself.
    std::vector<std::pair<Sewer*, bool>> stack{{s, false}};
    while (!stack.empty()) {
        const auto [x, entered] = stack.back();
        stack.pop_back();
        if (entered) {
            if (x != s)
                above.push_back(x);
            continue;
        }
        stack.emplace_back(x, true);
        if (const SewerNode* j = x->UpstreamNode)
            for (auto t = j->ConnectedSewers.rbegin(); t != j->ConnectedSewers.rend(); ++t)
                if ((*t)->DownstreamNode == j && Meet(*t))
                    stack.emplace_back(*t, false);
    }
    return above;
}

int SimpleSewerNetwork::DesignWithSettingsShown(Sewer* s, const Sewer::Inflows& above) {
    if (LengthRefused(*s))
        return 1;
    std::tie(s->InitialTotalQ, s->FinalTotalQ) = SewerValuesToDesignForm(*s, above);
    SewerMainForm->CalcSewerButtonClick(nullptr);
    SewerFromDesignForm(s);
    s->Designed = true;
    return 0;
}

void SimpleSewerNetwork::SewerToDesignForm(Sewer* s) {
    SettingsToDesignForm();
    Sewer::Inflows above;
    if (HandDownFlowsTo(s, above) == 0)
        SewerValuesToDesignForm(*s, above);
}

void SimpleSewerNetwork::SettingsToDesignForm() {
    TSewerMainForm& form = *SewerMainForm;
    SetWholeNumber(form.InitialLCDTypedEdit, InitialLCD);
    SetWholeNumber(form.FinalLCDTypedEdit, FinalLCD);
    SetWholeNumber(form.returnTypedEdit, ReturnFactor * 100);
    SetNumber(form.peakTypedEdit, PeakFlowFactor);
    SetNumber(form.vscTypedEdit, MinimumSelfCleaningVel);
    SetNumber(form.tauTypedEdit, MinimumTau);
    SetNumber(form.nTypedEdit, ManningN);
    form.FrictionFormulaRadioGroup->SetItemIndex(FrictionFormula);
    form.FlowLimitCheckBox->SetChecked(UseDischargeLimiting);
    SetNumber(form.MinQTypedEdit, MinimumDischarge * 1000);
    form.DiameterLimitCheckBox->SetChecked(UseDiameterLimiting);
    SetWholeNumber(form.MinDTypedEdit, MinimumDiameter * 1000);
    form.GroundSlopeCheckBox->SetChecked(UseGroundSlopeLimiting);
    form.SizingRadioGroup->SetItemIndex(UseMinimumTauCalc ? 1 : 0);
}

std::pair<double, double> SimpleSewerNetwork::SewerValuesToDesignForm(Sewer& s, const Sewer::Inflows& above) {
    // Worked out first: in house mode the domestic flow sets the population the boxes take.
    const double initialTotal =
        above.Initial + s.InitialInfiltration * PerDay * s.Length + s.Population.InitialFlow(InitialLCD);
    const double finalTotal =
        above.Final + s.FinalInfiltration * PerDay * s.Length + s.Population.FinalFlow(FinalLCD);
    TSewerMainForm& form = *SewerMainForm;
    SetWholeNumber(form.IPopTypedEdit, s.Population.InitialPopulation);
    SetWholeNumber(form.FPopTypedEdit, s.Population.FinalPopulation);
    SetWholeNumber(form.InitialSuplementaryFlowTypedEdit, s.InitialInfiltration * s.Length);
    SetWholeNumber(form.FinalSuplementaryFlowTypedEdit, s.FinalInfiltration * s.Length);
    SetNumber(form.InitialUSFlowTypedEdit, above.InitialRaw * 1000);
    SetNumber(form.FinalUSFlowTypedEdit, above.FinalRaw * 1000);
    SetNumber(form.GroundSlopeTypedEdit, (s.UpstreamNode->Z - s.DownstreamNode->Z) / s.Length);
    return {initialTotal, finalTotal};
}

void SimpleSewerNetwork::SewerFromDesignForm(Sewer* s) {
    const SewerDesignResult& design = SewerMainForm->Design;
    s->Slope = design.DesignGradient;
    s->CalculatedDiameter = design.DesignDiameter;
    s->ChosenDiameter = design.ChosenPipeDiameter;
    s->InitialdD = design.InitialdD;
    s->FinaldD = design.FinaldD;
    s->InitialVelocity = design.InitialVelocity;
    s->FinalVelocity = design.FinalVelocity;
    s->InitialRawFlow = design.InitialRawFlow;
    s->FinalRawFlow = design.FinalRawFlow;
}
