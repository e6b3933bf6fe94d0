#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "framework/VectorState.h"
#include "network/Sewermainform.h"
#include "network/Sewernetwork.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <limits>
#include <unordered_map>

namespace {

// Litres per day to m^3/s.
constexpr double PerDay = 0.001 / 86400;

// Integer boxes show "0" for a number that is not whole; hand them the nearest whole number.
void SetWholeNumber(TTypedEdit* box, double value) {
    constexpr double limit = std::numeric_limits<std::int64_t>::max() / 2.0;
    box->SetText(std::isfinite(value) && std::fabs(value) < limit ? IntToStr(std::llround(value))
                                                                  : FloatToStr(value));
}

void SetNumber(TTypedEdit* box, double value) {
    box->SetText(FloatToStr(value));
}

// The order the sewers can be designed in: a sewer is ready once every other sewer listed at its
// upstream junction is designed (or when it is the only one listed there). Counting what each
// sewer waits for keeps the whole order linear in the size of the network.
class DesignOrder {
public:
    DesignOrder(const std::vector<Sewer*>& sewers, const std::vector<SewerNode*>& junctions) {
        listedAt.reserve(sewers.size());
        waitingFor.reserve(sewers.size());
        waitingAt.reserve(junctions.size());
        for (const SewerNode* j : junctions)
            for (const Sewer* t : j->ConnectedSewers)
                listedAt[t].push_back(j);
        for (Sewer* s : sewers) {
            const SewerNode* j = s->UpstreamNode;
            int waiting = 0;
            if (j && j->ConnectedSewers.size() != 1) {
                for (const Sewer* t : j->ConnectedSewers)
                    waiting += t != s;
                waitingAt[j].push_back(s);
            }
            waitingFor[s] = waiting;
        }
        for (Sewer* s : sewers)
            if (!s->Designed && waitingFor[s] == 0)
                ready.push_back(s);
        for (Sewer* s : sewers)
            if (s->Designed)
                Designed(s);
    }

    Sewer* Next() {
        if (ready.empty())
            return nullptr;
        Sewer* s = ready.front();
        ready.pop_front();
        return s;
    }

    // t is designed: one wait fewer for the sewers leaving each junction that lists it.
    void Designed(const Sewer* t) {
        const auto junctions = listedAt.find(t);
        if (junctions == listedAt.end())
            return;
        for (const SewerNode* j : junctions->second) {
            const auto leaving = waitingAt.find(j);
            if (leaving == waitingAt.end())
                continue;
            for (Sewer* s : leaving->second)
                if (s != t && --waitingFor[s] == 0 && !s->Designed)
                    ready.push_back(s);
        }
    }

private:
    std::unordered_map<const Sewer*, std::vector<const SewerNode*>> listedAt;
    std::unordered_map<const SewerNode*, std::vector<Sewer*>> waitingAt;
    std::unordered_map<const Sewer*, int> waitingFor;
    std::deque<Sewer*> ready;
};

} // namespace

int SimpleSewerNetwork::DesignNetwork() {
    if (Sewers.empty())
        return 0;
    // Arithmetic at full speed, whatever painting ran before.
    ClearUpperVectorState();
    DesignOrder order(Sewers, Junctions);
    while (Sewer* s = order.Next()) {
        if (DesignSewer(s) != 0)
            return 1;
        order.Designed(s);
    }
    if (std::any_of(Sewers.begin(), Sewers.end(), [](const Sewer* s) { return !s->Designed; })) {
        ShowMessage(
            "Network not specified correctly. There is probably a loop. The network must be a tree type.");
        return 1;
    }
    return CalculateLevels();
}

int SimpleSewerNetwork::DesignSewer(Sewer* s) {
    if (s->Length == 0) {
        ShowMessage("The sewer \"" + s->Name + "\" has no length, so it cannot be designed.");
        return 1;
    }
    s->InitialTotalQ = s->UpstreamInitialFlow() + s->InitialInfiltration * PerDay * s->Length +
                       s->Population.InitialFlow(InitialLCD);
    s->FinalTotalQ = s->UpstreamFinalFlow() + s->FinalInfiltration * PerDay * s->Length +
                     s->Population.FinalFlow(FinalLCD);
    SewerToDesignForm(s);
    SewerMainForm->CalcSewerButtonClick(nullptr);
    SewerFromDesignForm(s);
    s->Designed = true;
    return 0;
}

void SimpleSewerNetwork::SewerToDesignForm(Sewer* s) {
    TSewerMainForm& form = *SewerMainForm;
    SetWholeNumber(form.IPopTypedEdit, s->Population.InitialPopulation);
    SetWholeNumber(form.FPopTypedEdit, s->Population.FinalPopulation);
    SetWholeNumber(form.InitialLCDTypedEdit, InitialLCD);
    SetWholeNumber(form.FinalLCDTypedEdit, FinalLCD);
    SetWholeNumber(form.InitialSuplementaryFlowTypedEdit, s->InitialInfiltration * s->Length);
    SetWholeNumber(form.FinalSuplementaryFlowTypedEdit, s->FinalInfiltration * s->Length);
    SetNumber(form.InitialUSFlowTypedEdit, s->UpstreamInitialRawFlow() * 1000);
    SetNumber(form.FinalUSFlowTypedEdit, s->UpstreamFinalRawFlow() * 1000);
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
    SetNumber(form.GroundSlopeTypedEdit, (s->UpstreamNode->Z - s->DownstreamNode->Z) / s->Length);
    form.SizingRadioGroup->SetItemIndex(UseMinimumTauCalc ? 1 : 0);
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
