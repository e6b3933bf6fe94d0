#include "network/Sewermainform.h"
#include "network/WindowLayout.h"

#include "controls/EditedBox.h"
#include "framework/Application.h"
#include "framework/NumberFormat.h"
#include "network/Sectionpropsform.h"

TSewerMainForm* SewerMainForm = nullptr;

TSewerMainForm::TSewerMainForm(TComponent* Owner) : TForm(Owner) {
    CreateLayout();
    CommandsLeaveEditedBoxFirst(*this, [this] { return LeaveEditedBox(*this); });
    EndLayout();
    ReadPipeSizes();
    PipeComboBox->SetItemIndex(2);
    LoadCaptions();
}

void TSewerMainForm::ReadPipeSizes() {
    pipeSizes = ::ReadPipeSizes(Application->ExeDir() + "drenvala.dat");
    PipeComboBox->Items.Clear();
    for (const PipeSize& size : pipeSizes)
        PipeComboBox->Items.Add(size.Text);
}

SewerDesignInput TSewerMainForm::ReadInputs() const {
    SewerDesignInput input;
    input.InitialPopulation = BoxNumber(IPopTypedEdit);
    input.FinalPopulation = BoxNumber(FPopTypedEdit);
    input.InitialLCD = BoxNumber(InitialLCDTypedEdit);
    input.FinalLCD = BoxNumber(FinalLCDTypedEdit);
    input.ReturnFactor = BoxNumber(returnTypedEdit);
    input.PeakFactor = BoxNumber(peakTypedEdit);
    input.MinimumVelocity = BoxNumber(vscTypedEdit);
    input.MinimumTau = BoxNumber(tauTypedEdit);
    input.GroundSlope = BoxNumber(GroundSlopeTypedEdit);
    input.InitialInfiltration = BoxNumber(InitialSuplementaryFlowTypedEdit);
    input.FinalInfiltration = BoxNumber(FinalSuplementaryFlowTypedEdit);
    input.InitialUpstreamFlow = BoxNumber(InitialUSFlowTypedEdit);
    input.FinalUpstreamFlow = BoxNumber(FinalUSFlowTypedEdit);
    input.ManningN = BoxNumber(nTypedEdit);
    input.FlowLimit = FlowLimitCheckBox->GetChecked();
    if (input.FlowLimit)
        input.MinQ = BoxNumber(MinQTypedEdit);
    input.DiameterLimit = DiameterLimitCheckBox->GetChecked();
    if (input.DiameterLimit)
        input.MinD = BoxNumber(MinDTypedEdit);
    input.GroundSlopeLimit = GroundSlopeCheckBox->GetChecked();
    input.FrictionFormula = FrictionFormulaRadioGroup->GetItemIndex();
    input.SizingCriterion = SizingRadioGroup->GetItemIndex();
    return input;
}

void TSewerMainForm::CalcSewerButtonClick(TObject*) {
    Design = CalcSewer(ReadInputs(), pipeSizes);
    PipeComboBox->SetItemIndex(Design.ChosenPipeIndex);

    const SewerDesignTexts texts = DesignTexts(Design);
    QinitialEdit->SetText(texts.QinitialEdit);
    QfinalEdit->SetText(texts.QfinalEdit);
    IminVscEdit->SetText(texts.IminVscEdit);
    GradVscEdit->SetText(texts.GradVscEdit);
    DVscEdit->SetText(texts.DVscEdit);
    MinGradLabel->SetCaption(texts.MinGradLabel);
    MinGradLabel->SetVisible(Design.MinGradLabelVisible);
    IminTauEdit->SetText(texts.IminTauEdit);
    GradTauEdit->SetText(texts.GradTauEdit);
    DTauEdit->SetText(texts.DTauEdit);
    if (Design.ManningLabelsVisible) {
        ManningLabel->SetCaption(texts.ManningLabel);
        ManningLabel2->SetCaption(texts.ManningLabel2);
    }
    ManningLabel->SetVisible(Design.ManningLabelsVisible);
    ManningLabel2->SetVisible(Design.ManningLabelsVisible);
    ShowDepthCheck();
}

void TSewerMainForm::CheckdDButtonClick(TObject*) {
    Design = CheckdD(Design, FrictionFormulaRadioGroup->GetItemIndex(), SizingRadioGroup->GetItemIndex());
    ShowDepthCheck();
}

void TSewerMainForm::ShowDepthCheck() {
    const DepthCheckTexts texts = CheckTexts(Design);
    InitialdDTauEdit->SetText(texts.InitialdDTauEdit);
    FinaldDTauEdit->SetText(texts.FinaldDTauEdit);
    InitialVelTauEdit->SetText(texts.InitialVelTauEdit);
    FinalVelTauEdit->SetText(texts.FinalVelTauEdit);
    InitialdDVscEdit->SetText(texts.InitialdDVscEdit);
    FinaldDVscEdit->SetText(texts.FinaldDVscEdit);
    InitialVelVscEdit->SetText(texts.InitialVelVscEdit);
    FinalVelVscEdit->SetText(texts.FinalVelVscEdit);
}

void TSewerMainForm::PipeComboBoxChange(TObject* Sender) {
    const int picked = PipeComboBox->GetItemIndex();
    if (picked < 0)
        return;
    Design.ChosenPipeIndex = picked;
    Design.ChosenPipeDiameter = pipeSizes[static_cast<std::size_t>(picked)].Millimetres * 0.001;
    CheckdDButtonClick(Sender);
}

void TSewerMainForm::FlowLimitCheckBoxClick(TObject*) {
    MinQTypedEdit->SetEnabledEx(FlowLimitCheckBox->GetChecked());
}

void TSewerMainForm::DiameterLimitCheckBoxClick(TObject*) {
    MinDTypedEdit->SetEnabledEx(DiameterLimitCheckBox->GetChecked());
}

void TSewerMainForm::GroundSlopeCheckBoxClick(TObject*) {
    GroundSlopeTypedEdit->SetEnabledEx(GroundSlopeCheckBox->GetChecked());
}

void TSewerMainForm::SectionPropertiesButtonClick(TObject*) {
    SectionPropsForm->ShowModal();
}
