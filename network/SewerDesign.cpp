#include "network/SewerDesign.h"

#include "framework/NumberFormat.h"
#include "network/DepthSearch.h"
#include "network/Drenvala.h"
#include "network/FloatingPointFaults.h"
#include "network/Friction.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <string_view>

namespace {

constexpr double SecondsPerDay = 86400;
constexpr double Roughness = 0.0015;           // m, ks for Colebrook-White
constexpr double SpecificWeight = 1000 * 9.81; // N/m³, ρ g in the tractive-tension formula
constexpr double SelfCleansingCoefficient = 15.8;
constexpr double InitialDepthRatio = 0.2;
constexpr double FinalDepthRatio = 0.8;
constexpr double SentinelDiameter = 99999.9;      // m, for a zero gradient
constexpr std::int32_t SentinelGradientN = 99999; // 1 in N for a zero gradient
constexpr double PipeTolerance = 0.5;             // mm a pipe may fall short of the design diameter

bool FormulaGivesN(int frictionFormula) {
    return frictionFormula == ColebrookWhiteFormula || frictionFormula == EscrittFormula;
}

// 1 / gradient truncated toward zero, held within a 32-bit integer.
std::int32_t GradientAsOneInN(double gradient) {
    if (!(gradient > 0))
        return SentinelGradientN;
    const double n = 1 / gradient;
    return n >= std::numeric_limits<std::int32_t>::max() ? std::numeric_limits<std::int32_t>::max()
                                                         : static_cast<std::int32_t>(n);
}

// Colebrook-White's n in a 1 m pipe. A flow of zero or less has no Reynolds number for the
// friction search; n then plays no part in the results, and the typed n stands.
double ColebrookWhiteN(double depthRatio, double flow, double typedN) {
    return flow > 0 ? ManningNFromColebrookWhite(depthRatio, 1.0, flow, Roughness) : typedN;
}

double FormulaN(int frictionFormula, double depthRatio, double flow, double typedN) {
    if (frictionFormula == ColebrookWhiteFormula)
        return ColebrookWhiteN(depthRatio, flow, typedN);
    if (frictionFormula == EscrittFormula)
        return ManningNFromEscritt(depthRatio, 1.0);
    return typedN;
}

double LimitedFrom(double value, bool limitOn, double minimum) {
    return limitOn && value < minimum ? minimum : value;
}

// Diameter (m) carrying the final flow at the gradient, K holding everything but the gradient.
double DiameterAt(double gradient, double K) {
    return gradient > 0 ? Power(Quotient(1, SquareRoot(gradient)), 0.375) * K : SentinelDiameter;
}

// The first pipe no more than PipeTolerance smaller than the diameter, else the last pipe.
void ChoosePipe(SewerDesignResult& design, const PipeSizeList& pipeSizes) {
    design.ChosenPipeIndex = static_cast<int>(pipeSizes.size()) - 1;
    const double needed = design.DesignDiameter * 1000 - PipeTolerance;
    for (std::size_t i = 0; i < pipeSizes.size(); ++i)
        if (pipeSizes[i].Millimetres >= needed) {
            design.ChosenPipeIndex = static_cast<int>(i);
            break;
        }
    design.ChosenPipeDiameter =
        design.ChosenPipeIndex >= 0
            ? pipeSizes[static_cast<std::size_t>(design.ChosenPipeIndex)].Millimetres * 0.001
            : 0;
}

double VelocityAt(double depth, double diameter, double flow) {
    return depth > 0 ? Quotient(flow, FlowSectionAt(depth, diameter).Area) : 0;
}

struct DepthCheck {
    double InitialdD;
    double FinaldD;
    double InitialVelocity;
    double FinalVelocity;
};

DepthCheck CheckAtGradient(const SewerDesignResult& design, double initialN, double finalN, double gradient) {
    const double D = design.ChosenPipeDiameter;
    const double finalDepth = DepthForFlow(finalN, D, gradient, design.FinalDesignFlow);
    const double initialDepth = DepthForFlow(initialN, D, gradient, design.InitialDesignFlow);
    return {Quotient(initialDepth, D), Quotient(finalDepth, D),
            VelocityAt(initialDepth, D, design.InitialDesignFlow),
            VelocityAt(finalDepth, D, design.FinalDesignFlow)};
}

// Sprintf("1 in %-4d", n) without reading a format: the design loop writes it twice a sewer.
AnsiString OneInText(std::int32_t n) {
    constexpr std::string_view Start = "1 in ";
    constexpr std::ptrdiff_t Width = 4;
    std::array<char, Start.size() + 16> text;
    char* const number = std::copy(Start.begin(), Start.end(), text.data());
    char* end = std::to_chars(number, text.data() + text.size(), n).ptr;
    if (end - number < Width)
        end = std::fill_n(end, Width - (end - number), ' ');
    return std::string_view(text.data(), static_cast<std::size_t>(end - text.data()));
}

} // namespace

SewerDesignResult DesignFlows(const SewerDesignInput& input) {
    SewerDesignResult design;
    const double initialWaterUse = input.InitialLCD * 0.001; // m³/cap/day
    const double finalWaterUse = input.FinalLCD * 0.001;
    const double ret = input.ReturnFactor * 0.01;
    const double pk = input.PeakFactor;
    design.InitialInfiltrationFlow = input.InitialInfiltration * 0.001 / SecondsPerDay;
    design.FinalInfiltrationFlow = input.FinalInfiltration * 0.001 / SecondsPerDay;
    design.InitialUpstreamFlow = input.InitialUpstreamFlow * 0.001;
    design.FinalUpstreamFlow = input.FinalUpstreamFlow * 0.001;
    // Return and peak factors act on the domestic flow only.
    design.InitialRawFlow = input.InitialPopulation * initialWaterUse * ret * pk / SecondsPerDay +
                            design.InitialInfiltrationFlow + design.InitialUpstreamFlow;
    design.FinalRawFlow = input.FinalPopulation * finalWaterUse * ret * pk / SecondsPerDay +
                          design.FinalInfiltrationFlow + design.FinalUpstreamFlow;
    return design;
}

SewerDesignResult CalcSewer(const SewerDesignInput& input, const PipeSizeList& pipeSizes) {
    SewerDesignResult design = DesignFlows(input);
    const double vsc = input.MinimumVelocity;
    const double tau = input.MinimumTau;
    design.GroundSlope = input.GroundSlope;
    design.InitialManningN = input.ManningN;
    design.FinalManningN = design.InitialManningN;
    design.MinGradLabelVisible = input.FlowLimit;
    const double minQ = input.FlowLimit ? input.MinQ * 0.001 : 0;
    const double minD = input.DiameterLimit ? input.MinD * 0.001 : 0;

    design.InitialDesignFlow = LimitedFrom(design.InitialRawFlow, input.FlowLimit, minQ);
    design.FinalDesignFlow = LimitedFrom(design.FinalRawFlow, input.FlowLimit, minQ);
    const bool minQGoverns = input.FlowLimit && design.InitialRawFlow < minQ;

    const auto vscGradientFor = [&](double flow) {
        return Power(vsc / SelfCleansingCoefficient, 8.0 / 3.0) * Power(flow, -0.66666);
    };
    design.VscFlowGradient = design.InitialDesignFlow > 0 ? vscGradientFor(design.InitialDesignFlow) : 0;
    design.VscGradient = minQGoverns ? vscGradientFor(minQ) : design.VscFlowGradient;
    design.VscGradient = LimitedFrom(design.VscGradient, input.GroundSlopeLimit, design.GroundSlope);
    design.VscGradientN = GradientAsOneInN(design.VscGradient);

    Drenvala section(InitialDepthRatio, 1.0);
    double a = section.AreaRatio();
    double r = section.RadiusRatio();
    design.ManningLabelsVisible = FormulaGivesN(input.FrictionFormula);
    design.InitialManningN =
        FormulaN(input.FrictionFormula, InitialDepthRatio, design.InitialDesignFlow, design.InitialManningN);

    const double Ktau = Power(Quotient(1, design.InitialManningN) * a / (r * r), 6.0 / 13.0) *
                        Power(1 / SpecificWeight, 16.0 / 13.0);
    const auto tauGradientFor = [&](double flow) {
        return Power(tau, 16.0 / 13.0) * Ktau * Power(flow, -6.0 / 13.0);
    };
    design.TauFlowGradient = design.InitialDesignFlow > 0 ? tauGradientFor(design.InitialDesignFlow) : 0;
    design.TauGradient = minQGoverns ? tauGradientFor(minQ) : design.TauFlowGradient;
    design.TauGradient = LimitedFrom(design.TauGradient, input.GroundSlopeLimit, design.GroundSlope);
    design.TauGradientN = GradientAsOneInN(design.TauGradient);

    design.FinalManningN =
        FormulaN(input.FrictionFormula, FinalDepthRatio, design.FinalDesignFlow, design.FinalManningN);
    section.SetDepthDiameter(FinalDepthRatio, 1.0);
    a = section.AreaRatio();
    r = section.RadiusRatio();

    // Manning's equation at d/D 0.8 solved for D, all but the gradient: each diameter carries
    // the final flow at the gradient the initial flow needs.
    const double K = Power(design.FinalManningN, 0.375) * Power(a, -0.375) * Power(r, -0.25) *
                     Power(design.FinalDesignFlow, 0.375);
    design.VscRawDiameter = DiameterAt(design.VscGradient, K);
    design.TauRawDiameter = DiameterAt(design.TauGradient, K);
    design.VscDiameter = LimitedFrom(design.VscRawDiameter, input.DiameterLimit, minD);
    design.TauDiameter = LimitedFrom(design.TauRawDiameter, input.DiameterLimit, minD);

    if (input.SizingCriterion == MinVelCriterion)
        design.DesignDiameter = design.VscDiameter;
    else if (input.SizingCriterion == MinTauCriterion)
        design.DesignDiameter = design.TauDiameter;
    else
        design.DesignDiameter = std::max(design.VscDiameter, design.TauDiameter);
    ChoosePipe(design, pipeSizes);

    return CheckdD(design, input.FrictionFormula, input.SizingCriterion);
}

SewerDesignResult CheckdD(SewerDesignResult design, int frictionFormula, int sizingCriterion) {
    const double initialN = design.InitialManningN;
    const double finalN = FormulaGivesN(frictionFormula) ? design.FinalManningN : design.InitialManningN;

    const DepthCheck tau = CheckAtGradient(design, initialN, finalN, design.TauGradient);
    design.TauInitialdD = tau.InitialdD;
    design.TauFinaldD = tau.FinaldD;
    design.TauInitialVelocity = tau.InitialVelocity;
    design.TauFinalVelocity = tau.FinalVelocity;
    const DepthCheck vsc = CheckAtGradient(design, initialN, finalN, design.VscGradient);
    design.VscInitialdD = vsc.InitialdD;
    design.VscFinaldD = vsc.FinaldD;
    design.VscInitialVelocity = vsc.InitialVelocity;
    design.VscFinalVelocity = vsc.FinalVelocity;

    // "Both" hands on the tractive-tension set even when the self-cleansing diameter governed.
    const bool bySelfCleansing = sizingCriterion == MinVelCriterion;
    const DepthCheck& chosen = bySelfCleansing ? vsc : tau;
    design.DesignGradient = bySelfCleansing ? design.VscGradient : design.TauGradient;
    design.DesignGradientN = bySelfCleansing ? design.VscGradientN : design.TauGradientN;
    design.DesignFlowGradient = bySelfCleansing ? design.VscFlowGradient : design.TauFlowGradient;
    design.InitialdD = chosen.InitialdD;
    design.FinaldD = chosen.FinaldD;
    design.InitialVelocity = chosen.InitialVelocity;
    design.FinalVelocity = chosen.FinalVelocity;
    return design;
}

SewerDesignTexts DesignTexts(const SewerDesignResult& design) {
    SewerDesignTexts texts;
    texts.QinitialEdit = SprintfFixed(design.InitialDesignFlow * 1000, 10, 3);
    texts.QfinalEdit = SprintfFixed(design.FinalDesignFlow * 1000, 10, 3);
    texts.IminVscEdit = SprintfFixed(design.VscGradient, 8, 4);
    texts.GradVscEdit = OneInText(design.VscGradientN);
    texts.DVscEdit = SprintfFixed(design.VscDiameter * 1000, 8, 0);
    texts.MinGradLabel = "Minimum gradient = " + SprintfFixed(design.VscGradient, 8, 4);
    texts.IminTauEdit = SprintfFixed(design.TauGradient, 8, 4);
    texts.GradTauEdit = OneInText(design.TauGradientN);
    texts.DTauEdit = SprintfFixed(design.TauDiameter * 1000, 8, 0);
    if (design.ManningLabelsVisible) {
        texts.ManningLabel = "G-Manning's n (initial) = " + SprintfFixed(design.InitialManningN, 8, 4);
        texts.ManningLabel2 = "G-Manning's n (final) = " + SprintfFixed(design.FinalManningN, 8, 4);
    }
    return texts;
}

DepthCheckTexts CheckTexts(const SewerDesignResult& design) {
    const auto text = [](double value) { return SprintfFixed(value, 8, 3); };
    return {text(design.TauInitialdD),       text(design.TauFinaldD),      text(design.TauInitialVelocity),
            text(design.TauFinalVelocity),   text(design.VscInitialdD),    text(design.VscFinaldD),
            text(design.VscInitialVelocity), text(design.VscFinalVelocity)};
}
