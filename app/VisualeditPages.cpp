#include "app/Visualedit.h"

#include "app/Datum.h"
#include "app/Front.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "network/NetworkNames.h"
#include "network/Sewernetwork.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

#include <QScopedValueRollback>

#include <utility>
#include <vector>

namespace {

// The pages' refusals have an OK button and no icon.
void Refuse(const AnsiString& text) {
    Application->MessageBox(text, LoadStr(3001), MB_OK);
}

// A typed name's refusal: the empty name's own message, or the rule it breaks; empty when the
// name may be used.
AnsiString NameRefusal(const AnsiString& name, int emptyMessage) {
    return name.IsEmpty() ? LoadStr(emptyMessage) : TypedNameRefusal(name);
}

} // namespace

void TVisualEditForm::ShowSewer(Sewer* s) {
    const SimpleSewerNetwork* network = Network();
    if (!s || !network) {
        EmptySewerPage();
        return;
    }
    const QScopedValueRollback<bool> fill(filling, true);
    SewerNameTypedEdit->SetText(s->Name);
    shownLength.Show(*LengthTypedEdit, s->Length);
    std::vector<AnsiString> names;
    names.reserve(network->Junctions.size());
    for (const SewerNode* j : network->Junctions)
        names.push_back(j->Name);
    junctionNames.Assign(std::move(names));
    USJunctionComboBox->SetItemIndex(network->PositionOf(s->UpstreamNode));
    DSJunctionComboBox->SetItemIndex(network->PositionOf(s->DownstreamNode));
    DSDropJunctionCheckBox->SetChecked(s->DownstreamEnd->DropJunction);
    shownInitialInfiltration.Show(*InitialInfiltrationTypedEdit, s->InitialInfiltration);
    shownFinalInfiltration.Show(*FinalInfiltrationTypedEdit, s->FinalInfiltration);
    PopRadioGroup->SetItemIndex(s->Population.PopulationEnteredDirectly ? 1 : 0);
    PopRadioGroupClick(PopRadioGroup);
    EditChanged = false;
    DropJunctionChanged = false;
}

void TVisualEditForm::ShowJunction(SewerNode* j) {
    if (!j) {
        EmptyJunctionPage();
        return;
    }
    const QScopedValueRollback<bool> fill(filling, true);
    JunctionNameTypedEdit->SetText(j->Name);
    shownGroundLevel.Show(*GroundLevelTypedEdit, j->Z);
    EditChanged = false;
}

void TVisualEditForm::EmptySewerPage() {
    const QScopedValueRollback<bool> fill(filling, true);
    for (TTypedEdit* box : {SewerNameTypedEdit, LengthTypedEdit, InitialInfiltrationTypedEdit,
                            FinalInfiltrationTypedEdit, InitialPopTypedEdit, FinalPopTypedEdit})
        box->SetText("");
    USJunctionComboBox->SetItemIndex(-1);
    DSJunctionComboBox->SetItemIndex(-1);
    DSDropJunctionCheckBox->SetChecked(false);
    EditChanged = false;
    DropJunctionChanged = false;
}

void TVisualEditForm::EmptyJunctionPage() {
    const QScopedValueRollback<bool> fill(filling, true);
    JunctionNameTypedEdit->SetText("");
    GroundLevelTypedEdit->SetText("");
    EditChanged = false;
}

// Shows the selection again after the network changed under the pages.
void TVisualEditForm::ShowSelection() {
    ShowSewer(CurrentSewer());
    ShowJunction(CurrentJunction());
}

void TVisualEditForm::PopRadioGroupClick(TObject*) {
    const bool people = PopRadioGroup->GetItemIndex() == 1;
    InitPopLabel->SetCaption(LoadStr(people ? 1039 : 1040));
    FinalPopLabel->SetCaption(LoadStr(people ? 1041 : 1042));
    // The user's choice of houses or people is an edit; the boxes showing the sewer's numbers are not.
    if (!filling)
        EditChanged = true;
    const Sewer* s = CurrentSewer();
    if (!s)
        return;
    const QScopedValueRollback<bool> fill(filling, true);
    const FlowCalc& p = s->Population;
    InitialPopTypedEdit->SetText(IntToStr(people ? p.InitialPopulation : p.InitialNumberOfHouses));
    FinalPopTypedEdit->SetText(IntToStr(people ? p.FinalPopulation : p.FinalNumberOfHouses));
}

void TVisualEditForm::PopRadioGroupExit(TObject*) {
    if (std::exchange(EditChanged, false))
        ApplySewerChangesButtonClick(this);
}

void TVisualEditForm::SewerEditChange(TObject*) {
    if (!filling)
        EditChanged = true;
}

void TVisualEditForm::JunctionEditChange(TObject*) {
    if (!filling)
        EditChanged = true;
}

// The flag goes before the apply, so that a message the apply shows, taking the focus from
// another box, does not apply a second time.
void TVisualEditForm::SewerEditExit(TObject* Sender) {
    if (!std::exchange(EditChanged, false))
        return;
    ApplySewerChangesButtonClick(Sender);
    static_cast<TTypedEdit*>(Sender)->Font.SetColor(clWindowText);
}

void TVisualEditForm::JunctionEditExit(TObject* Sender) {
    if (!std::exchange(EditChanged, false))
        return;
    ApplyJunctionChangesButtonClick(Sender);
    static_cast<TTypedEdit*>(Sender)->Font.SetColor(clWindowText);
}

void TVisualEditForm::JunctionComboBoxChange(TObject*) {
    ApplySewerChangesButtonClick(this);
}

// The box turns by a click or by Space; either way the turn is applied once, when the mouse comes
// up or the focus leaves the box.
void TVisualEditForm::DSDropJunctionCheckBoxClick(TObject*) {
    if (!filling)
        DropJunctionChanged = true;
}

void TVisualEditForm::DSDropJunctionCheckBoxMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    if (std::exchange(DropJunctionChanged, false))
        ApplySewerChangesButtonClick(this);
}

void TVisualEditForm::DSDropJunctionCheckBoxExit(TObject*) {
    if (std::exchange(DropJunctionChanged, false))
        ApplySewerChangesButtonClick(this);
}

// Every box is read and every name checked before the network changes, so an apply changes all
// or nothing.
void TVisualEditForm::ApplySewerChangesButtonClick(TObject*) {
    SimpleSewerNetwork* network = Network();
    Sewer* s = CurrentSewer();
    if (!network || !s)
        return;
    const AnsiString name = TypedName(SewerNameTypedEdit->GetText());
    const Sewer* named = network->GetSewer(name);
    if (named && named != s) {
        Refuse(LoadStr(3000));
        return;
    }
    const AnsiString us = USJunctionComboBox->GetText();
    const AnsiString ds = DSJunctionComboBox->GetText();
    for (const AnsiString& refusal : {NameRefusal(name, 3002), NameRefusal(us, 3012), NameRefusal(ds, 3013)})
        if (!refusal.IsEmpty()) {
            Refuse(refusal);
            return;
        }
    // Boxes the user left as shown stand for the sewer's values, not their rounding.
    const double length = shownLength.Read(*LengthTypedEdit, s->Length);
    const double initialInfiltration =
        shownInitialInfiltration.Read(*InitialInfiltrationTypedEdit, s->InitialInfiltration);
    const double finalInfiltration =
        shownFinalInfiltration.Read(*FinalInfiltrationTypedEdit, s->FinalInfiltration);
    const int initialPop = InitialPopTypedEdit->GetInt();
    const int finalPop = FinalPopTypedEdit->GetInt();
    const double initialLCD = TableForm->WaterUse(TableForm->InitialLCDTypedEdit);
    const double finalLCD = TableForm->WaterUse(TableForm->FinalLCDTypedEdit);
    const int initialPeople = StrToInt(TableForm->InitialPeopleTypedEdit->GetText());
    const int finalPeople = StrToInt(TableForm->FinalPeopleTypedEdit->GetText());

    network->EditSewer(s->Name, name, us, false, ds, DSDropJunctionCheckBox->GetChecked(), length);
    if (PopRadioGroup->GetItemIndex() == 1)
        network->SetSewerPopulation(name, initialInfiltration, finalInfiltration, initialPop, finalPop,
                                    initialLCD, finalLCD);
    else
        network->SetSewerHouses(name, initialInfiltration, finalInfiltration, initialPop, finalPop,
                                initialPeople, finalPeople, initialLCD, finalLCD);
    planIndex.Invalidate();
    MarkNetworkChanged();
    PaintBox->Refresh();
}

void TVisualEditForm::ApplyJunctionChangesButtonClick(TObject*) {
    SimpleSewerNetwork* network = Network();
    SewerNode* j = CurrentJunction();
    if (!network || !j)
        return;
    const AnsiString name = TypedName(JunctionNameTypedEdit->GetText());
    const int named = network->JunctionIndex(name);
    if (named >= 0 && network->Junctions[static_cast<std::size_t>(named)] != j) {
        Refuse(LoadStr(3003));
        return;
    }
    if (const AnsiString refusal = NameRefusal(name, 3004); !refusal.IsEmpty()) {
        Refuse(refusal);
        return;
    }
    const double level = shownGroundLevel.Read(*GroundLevelTypedEdit, j->Z);
    network->RenameJunction(j->Name, name);
    j->SetName(name);
    j->Z = level;
    planIndex.Invalidate();
    MarkNetworkChanged();
    // The sewer page lists the junctions by name.
    ShowSewer(CurrentSewer());
    PaintBox->Refresh();
}

void TVisualEditForm::DeleteSewerButtonClick(TObject*) {
    SimpleSewerNetwork* network = Network();
    const Sewer* s = CurrentSewer();
    if (!network || !s)
        return;
    const AnsiString question = LoadStr(3005) + s->Name + "\"?";
    if (Application->MessageBox(question, LoadStr(3006), MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    if (network->DeleteSewer(s->Name) == 0) {
        planIndex.Invalidate();
        SelectedSewer = nullptr;
        MarkNetworkChanged();
        EmptySewerPage();
    }
    PaintBox->Refresh();
}

void TVisualEditForm::DeleteJunctionButtonClick(TObject*) {
    SimpleSewerNetwork* network = Network();
    const SewerNode* j = CurrentJunction();
    if (!network || !j)
        return;
    if (network->DeleteJunction(j->Name) == 0) {
        planIndex.Invalidate();
        SelectedJunction = nullptr;
        MarkNetworkChanged();
        EmptyJunctionPage();
        ShowSewer(CurrentSewer());
    }
    PaintBox->Refresh();
}

void TVisualEditForm::DatumButtonClick(TObject*) {
    const Sewer* s = CurrentSewer();
    if (!Network() || !s)
        return;
    DatumForm->Fill(*s);
    DatumForm->ShowModal();
    PaintBox->Refresh();
}

void TVisualEditForm::CheckNetworkButtonClick(TObject*) {
    SimpleSewerNetwork* network = Network();
    if (!network)
        return;
    if (FrontForm->DeleteUnusedJunctionsMenu->GetChecked() && network->DeleteUnusedJunctions() > 0) {
        planIndex.Invalidate();
        MarkNetworkChanged();
        // The shown junction may be among those swept.
        ShowSelection();
    }
    if (network->CheckNetwork() != 0)
        Application->MessageBox(LoadStr(3007), LoadStr(3001), MB_ICONEXCLAMATION);
    else
        Application->MessageBox(LoadStr(3008), LoadStr(3009), MB_ICONEXCLAMATION);
    SubNetsComboBoxClick();
    PaintBox->Refresh();
}

void TVisualEditForm::SubNetsComboBoxClick() {
    const SimpleSewerNetwork* network = Network();
    SubNetsComboBox->Items.BeginUpdate();
    SubNetsComboBox->Items.Clear();
    if (network)
        for (std::size_t i = 0; i < network->Subnets.size(); ++i)
            SubNetsComboBox->Items.Add("Subnet " + IntToStr(static_cast<std::int64_t>(i)));
    SubNetsComboBox->Items.EndUpdate();
    if (SubNetsComboBox->Items.Count() > 0)
        SubNetsComboBox->SetItemIndex(0);
}

void TVisualEditForm::ShowSubnetClick(TObject*) {
    if (!Network())
        return;
    ShowSubnet = ShowSubNetsCheckBox->GetChecked();
    if (SubNetsComboBox->Items.Count() > 0)
        SubnetIndex = SubNetsComboBox->GetItemIndex();
    PaintBox->Refresh();
}
