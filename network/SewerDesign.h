#pragma once

#include "framework/AnsiString.h"
#include "network/PipeSizes.h"

#include <cstdint>

// The single-sewer design engine of the design window TSewerMainForm, without the window.
//
// CalcSewerButtonClick:
//   1. Fill a SewerDesignInput from the boxes, in the order of its fields: StrToFloat of each
//      box's GetText (the boxes have already rounded what was set into them); MinQ only when
//      FlowLimitCheckBox is checked and MinD only when DiameterLimitCheckBox is; the two option
//      groups' ItemIndex as they are (-1 for no selection). A conversion error propagates.
//   2. Design = CalcSewer(input, pipeSizes), pipeSizes being the list the window's PipeComboBox
//      shows; then PipeComboBox's ItemIndex = Design.ChosenPipeIndex (raises no change event).
//   3. Write DesignTexts(Design) into the edits and labels its fields name; show ManningLabel and
//      ManningLabel2 when Design.ManningLabelsVisible (hide them otherwise) and MinGradLabel when
//      Design.MinGradLabelVisible.
//   4. Write DepthCheckTexts(Design) into the eight d/D and velocity edits.
// PipeComboBoxChange (the user picked a pipe):
//   Design.ChosenPipeDiameter = pipeSizes[ItemIndex].Millimetres * 0.001;
//   Design = CheckdD(Design, FrictionFormulaRadioGroup's ItemIndex, SizingRadioGroup's ItemIndex);
//   then step 4.
// The network's transfer then takes DesignGradient, DesignDiameter, ChosenPipeDiameter, InitialdD,
// FinaldD, InitialVelocity and FinalVelocity.
//
// An arithmetic fault (a zero n, say) raises EZeroDivide, EInvalidOp or EOverflow before anything
// is returned, so the window keeps its previous Design and texts.

// FrictionFormulaRadioGroup's items; any other index, no selection included, is G-Manning.
constexpr int GManningFormula = 0;
constexpr int ColebrookWhiteFormula = 1;
constexpr int EscrittFormula = 2;
// SizingRadioGroup's items; any other index, no selection included, is "Both".
constexpr int MinVelCriterion = 0;
constexpr int MinTauCriterion = 1;
constexpr int BothCriteria = 2;

// What the handler reads from the window, in the units the boxes show.
struct SewerDesignInput {
    double InitialPopulation = 0;   // IPopTypedEdit, persons
    double FinalPopulation = 0;     // FPopTypedEdit, persons
    double InitialLCD = 0;          // InitialLCDTypedEdit, l/cap/day
    double FinalLCD = 0;            // FinalLCDTypedEdit, l/cap/day
    double ReturnFactor = 0;        // returnTypedEdit, %
    double PeakFactor = 0;          // peakTypedEdit
    double MinimumVelocity = 0;     // vscTypedEdit, m/s
    double MinimumTau = 0;          // tauTypedEdit, Pa
    double GroundSlope = 0;         // GroundSlopeTypedEdit, fraction
    double InitialInfiltration = 0; // InitialSuplementaryFlowTypedEdit, l/day
    double FinalInfiltration = 0;   // FinalSuplementaryFlowTypedEdit, l/day
    double InitialUpstreamFlow = 0; // InitialUSFlowTypedEdit, l/s
    double FinalUpstreamFlow = 0;   // FinalUSFlowTypedEdit, l/s
    double ManningN = 0;            // nTypedEdit
    bool FlowLimit = false;         // FlowLimitCheckBox
    double MinQ = 0;                // MinQTypedEdit, l/s
    bool DiameterLimit = false;     // DiameterLimitCheckBox
    double MinD = 0;                // MinDTypedEdit, mm
    bool GroundSlopeLimit = false;  // GroundSlopeCheckBox
    int FrictionFormula = -1;       // FrictionFormulaRadioGroup's ItemIndex
    int SizingCriterion = -1;       // SizingRadioGroup's ItemIndex
};

// The design window's design state: SI units (m, m³/s) unless said; all zero before any run.
// Which limit applied shows in the pairs before and after it: InitialRawFlow and
// InitialDesignFlow, VscFlowGradient and VscGradient, VscRawDiameter and VscDiameter, ...
struct SewerDesignResult {
    double InitialManningN = 0; // the typed n, or the formula's n at d/D 0.2
    double FinalManningN = 0;   // the typed n, or the formula's n at d/D 0.8
    double InitialDesignFlow = 0;
    double InitialRawFlow = 0; // before the minimum-flow limit
    double FinalDesignFlow = 0;
    double FinalRawFlow = 0;
    double InitialInfiltrationFlow = 0;
    double FinalInfiltrationFlow = 0;
    double InitialUpstreamFlow = 0;
    double FinalUpstreamFlow = 0;
    double TauGradient = 0;        // by tractive tension, after every limit
    double TauFlowGradient = 0;    // the same before the ground-slope rule
    double VscGradient = 0;        // by self-cleansing velocity, after every limit
    double VscFlowGradient = 0;    // the same before the ground-slope rule
    std::int32_t TauGradientN = 0; // 1 in N
    std::int32_t VscGradientN = 0;
    double TauDiameter = 0; // after the minimum-diameter limit
    double TauRawDiameter = 0;
    double VscDiameter = 0;
    double VscRawDiameter = 0;
    double ChosenPipeDiameter = 0;
    double DesignDiameter = 0; // by the sizing criterion
    double VscInitialdD = 0;
    double VscFinaldD = 0;
    double TauInitialdD = 0;
    double TauFinaldD = 0;
    double VscInitialVelocity = 0; // m/s, in the chosen pipe
    double VscFinalVelocity = 0;
    double TauInitialVelocity = 0;
    double TauFinalVelocity = 0;
    double GroundSlope = 0;
    double DesignGradient = 0; // the sizing criterion's set, from CheckdD
    double DesignFlowGradient = 0;
    std::int32_t DesignGradientN = 0;
    double InitialdD = 0;
    double FinaldD = 0;
    double InitialVelocity = 0;
    double FinalVelocity = 0;

    int ChosenPipeIndex = 0;           // PipeComboBox's ItemIndex
    bool ManningLabelsVisible = false; // Colebrook-White or Escritt gave the n
    bool MinGradLabelVisible = false;  // the minimum flow applies
};

// The infiltration, upstream and raw flows, the first step of CalcSewer: the raw flows are what the
// sewer hands down to the sewer below.
SewerDesignResult DesignFlows(const SewerDesignInput& input);

// Flows, minimum gradients, diameters and the pipe, then CheckdD.
SewerDesignResult CalcSewer(const SewerDesignInput& input, const PipeSizeList& pipeSizes);

// Depths and velocities of the initial and final flows in the chosen pipe at each criterion's
// gradient, and the sizing criterion's set copied into the design fields.
SewerDesignResult CheckdD(SewerDesignResult design, int frictionFormula, int sizingCriterion);

// The texts CalcSewerButtonClick writes, named after the components that show them.
struct SewerDesignTexts {
    AnsiString QinitialEdit;  // "%10.3f" l/s
    AnsiString QfinalEdit;    // "%10.3f" l/s
    AnsiString IminVscEdit;   // "%8.4f"
    AnsiString GradVscEdit;   // "1 in %-4d"
    AnsiString DVscEdit;      // "%8.0f" mm
    AnsiString MinGradLabel;  // "Minimum gradient = %8.4f"
    AnsiString IminTauEdit;   // "%8.4f"
    AnsiString GradTauEdit;   // "1 in %-4d"
    AnsiString DTauEdit;      // "%8.0f" mm
    AnsiString ManningLabel;  // "G-Manning's n (initial) = %8.4f"; empty while the labels are hidden
    AnsiString ManningLabel2; // "G-Manning's n (final) = %8.4f"; empty while the labels are hidden
};
SewerDesignTexts DesignTexts(const SewerDesignResult& design);

// The texts CheckdD's results give the eight edits, each "%8.3f".
struct DepthCheckTexts {
    AnsiString InitialdDTauEdit;
    AnsiString FinaldDTauEdit;
    AnsiString InitialVelTauEdit;
    AnsiString FinalVelTauEdit;
    AnsiString InitialdDVscEdit;
    AnsiString FinaldDVscEdit;
    AnsiString InitialVelVscEdit;
    AnsiString FinalVelVscEdit;
};
DepthCheckTexts CheckTexts(const SewerDesignResult& design);
