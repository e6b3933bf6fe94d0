#include "app/Dataentry.h"

#include "app/Datum.h"
#include "app/Front.h"
#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/NumberFormat.h"
#include "network/NetworkNames.h"
#include "network/Sewernetwork.h"
#include "reports/Table.h"
#include "resources/StringTable.h"

#include <memory>
#include <utility>

TDataEntryForm* DataEntryForm = nullptr;

namespace {

// Holds a flag up while it stands.
class Raised {
public:
    explicit Raised(bool& flag) : flag(flag) { flag = true; }
    ~Raised() { flag = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag;
};

constexpr int Exclamation = MB_OK | MB_ICONEXCLAMATION;

void ShowError(const AnsiString& text) {
    Application->MessageBox(text, LoadStr(3001), Exclamation);
}

// A typed name, trimmed; false after telling the user why it cannot be one.
bool AcceptName(const TTypedEdit& box, int emptyMessage, AnsiString& name) {
    name = TypedName(box.GetText());
    if (name.IsEmpty()) {
        ShowError(LoadStr(emptyMessage));
        return false;
    }
    if (const AnsiString refusal = TypedNameRefusal(name); !refusal.IsEmpty()) {
        ShowError(refusal);
        return false;
    }
    return true;
}

// The whole number a box holds; a text that is none raises the conversion error.
int BoxInteger(const TTypedEdit& box) {
    return StrToInt(box.GetText());
}

// Refills list with names, keeping the highlighted place while it still stands and otherwise
// highlighting the last item.
template <class Item> void Refill(TListBox& list, const std::vector<Item*>& items) {
    const int kept = list.GetItemIndex();
    list.Items.BeginUpdate();
    list.Items.Clear();
    for (const Item* item : items)
        list.Items.Add(item->Name);
    list.Items.EndUpdate();
    if (list.Items.Count() > 0)
        list.SetItemIndex(kept >= 0 && kept < list.Items.Count() ? kept : list.Items.Count() - 1);
}

// The item list highlights, when the list still shows items' names in their order.
template <class Item> Item* Highlighted(const TListBox& list, const std::vector<Item*>& items) {
    const int index = list.GetItemIndex();
    if (index < 0 || static_cast<std::size_t>(index) >= items.size())
        return nullptr;
    Item* item = items[static_cast<std::size_t>(index)];
    return item->Name == list.Items[index] ? item : nullptr;
}

// What the sewer boxes and the results window's four boxes hold, read whole before anything
// changes.
struct SewerBoxes {
    AnsiString Name, US, DS;
    bool DSDrop = false;
    double Length = 0, InitialInfiltration = 0, FinalInfiltration = 0;
    int Initial = 0, Final = 0;
    double InitialLCD = 0, FinalLCD = 0;
    int InitialPeople = 0, FinalPeople = 0;
};

} // namespace

void TDataEntryForm::FormShow(TObject*) {
    RefreshLists();
}

Sewer* TDataEntryForm::SelectedSewer() const {
    return FrontForm->Network ? Highlighted(*SewerListBox, FrontForm->Network->Sewers) : nullptr;
}

SewerNode* TDataEntryForm::SelectedJunction() const {
    return FrontForm->Network ? Highlighted(*JunctionListBox, FrontForm->Network->Junctions) : nullptr;
}

void TDataEntryForm::RefreshLists() {
    const SimpleSewerNetwork* network = FrontForm->Network;
    if (!network)
        return;
    Refill(*SewerListBox, network->Sewers);
    SewerListBoxClick(this);
    RefreshJunctionList();
}

void TDataEntryForm::RefreshJunctionList() {
    const SimpleSewerNetwork* network = FrontForm->Network;
    if (!network)
        return;
    Refill(*JunctionListBox, network->Junctions);
    JunctionListBoxClick(this);
}

void TDataEntryForm::SewerListBoxClick(TObject*) {
    const Sewer* s = SelectedSewer();
    if (!s)
        return;
    const Filling filling(*this);
    SewerNameTypedEdit->SetText(s->Name);
    shownLength.Show(*LengthTypedEdit, s->Length);
    shownInitialInfiltration.Show(*InitialInfiltrationTypedEdit, s->InitialInfiltration);
    shownFinalInfiltration.Show(*FinalInfiltrationTypedEdit, s->FinalInfiltration);
    USJunctionTypedEdit->SetText(s->USJunctionName);
    DSJunctionTypedEdit->SetText(s->DSJunctionName);
    DSDropJunctionCheckBox->SetChecked(s->DownstreamEnd->DropJunction);
    PopRadioGroup->SetItemIndex(s->Population.PopulationEnteredDirectly ? 1 : 0);
    PopRadioGroupClick(this);
    if (const int junction = FrontForm->Network->JunctionIndex(s->USJunctionName); junction >= 0) {
        JunctionListBox->SetItemIndex(junction);
        JunctionListBoxClick(this);
    }
}

void TDataEntryForm::PopRadioGroupClick(TObject*) {
    if (!filling)
        PopulationChanged = true;
    const bool houses = PopRadioGroup->GetItemIndex() == 0;
    InitPopLabel->SetCaption(houses ? "Initial num. of houses" : "Initial num. of people");
    FinalPopLabel->SetCaption(houses ? "Final num. of houses" : "Final num. of people");
    const Sewer* s = SelectedSewer();
    if (!s)
        return;
    const Filling filling(*this);
    const FlowCalc& population = s->Population;
    InitialPopTypedEdit->SetText(
        IntToStr(houses ? population.InitialNumberOfHouses : population.InitialPopulation));
    FinalPopTypedEdit->SetText(
        IntToStr(houses ? population.FinalNumberOfHouses : population.FinalPopulation));
}

void TDataEntryForm::JunctionListBoxClick(TObject*) {
    const SewerNode* junction = SelectedJunction();
    if (!junction)
        return;
    const Filling filling(*this);
    JunctionNameTypedEdit->SetText(junction->Name);
    shownGroundLevel.Show(*GroundLevelTypedEdit, junction->Z);
}

void TDataEntryForm::SewerEditChange(TObject*) {
    if (!filling)
        SewerEditChanged = true;
}

void TDataEntryForm::JunctionEditChange(TObject*) {
    if (!filling)
        JunctionEditChanged = true;
}

void TDataEntryForm::SewerEditExit(TObject* Sender) {
    // The box no longer holds an edit in progress: applied, or left as it was shown.
    static_cast<TTypedEdit*>(Sender)->Font.SetColor(clWindowText);
    if (SewerEditChanged)
        ApplyUserSewerChanges();
}

void TDataEntryForm::JunctionEditExit(TObject* Sender) {
    static_cast<TTypedEdit*>(Sender)->Font.SetColor(clWindowText);
    if (std::exchange(JunctionEditChanged, false))
        ApplyJunctionChangesButtonClick(this);
}

void TDataEntryForm::PopRadioGroupExit(TObject*) {
    if (PopulationChanged)
        ApplyUserSewerChanges();
}

void TDataEntryForm::DSDropJunctionCheckBoxClick(TObject*) {
    if (!filling)
        DropJunctionChanged = true;
}

void TDataEntryForm::DSDropJunctionCheckBoxMouseUp(TObject*, TMouseButton, TShiftState, int, int) {
    if (DropJunctionChanged)
        ApplyUserSewerChanges();
}

void TDataEntryForm::DSDropJunctionCheckBoxExit(TObject*) {
    if (DropJunctionChanged)
        ApplyUserSewerChanges();
}

void TDataEntryForm::ApplyUserSewerChanges() {
    SewerEditChanged = PopulationChanged = DropJunctionChanged = false;
    ApplySewerChangeButtonClick(this);
}

void TDataEntryForm::TitleEditChange(TObject*) {
    SimpleSewerNetwork* network = FrontForm->Network;
    // Filling the box from a network read gives it the network's own title: no change then.
    if (!network || network->Name == TitleEdit->GetText())
        return;
    network->Name = TitleEdit->GetText();
    NetworkChanged = true;
}

void TDataEntryForm::ApplySewerChangeButtonClick(TObject*) {
    SimpleSewerNetwork* network = FrontForm->Network;
    const Sewer* selected = SelectedSewer();
    if (!network || !selected || applying)
        return;
    const Raised busy(applying);
    const int sel = SewerListBox->GetItemIndex();
    const AnsiString oldName = selected->Name;

    SewerBoxes boxes;
    boxes.Name = TypedName(SewerNameTypedEdit->GetText());
    if (const int found = network->SewerIndex(boxes.Name); found >= 0 && found != sel) {
        ShowError(LoadStr(3010));
        return;
    }
    if (!AcceptName(*SewerNameTypedEdit, 3011, boxes.Name) ||
        !AcceptName(*USJunctionTypedEdit, 3012, boxes.US) ||
        !AcceptName(*DSJunctionTypedEdit, 3013, boxes.DS))
        return;
    boxes.DSDrop = DSDropJunctionCheckBox->GetChecked();
    // Boxes the user left as shown stand for the sewer's values, not their rounding.
    boxes.Length = shownLength.Read(*LengthTypedEdit, selected->Length);
    boxes.InitialInfiltration =
        shownInitialInfiltration.Read(*InitialInfiltrationTypedEdit, selected->InitialInfiltration);
    boxes.FinalInfiltration =
        shownFinalInfiltration.Read(*FinalInfiltrationTypedEdit, selected->FinalInfiltration);
    boxes.Initial = BoxInteger(*InitialPopTypedEdit);
    boxes.Final = BoxInteger(*FinalPopTypedEdit);
    boxes.InitialLCD = TableForm->WaterUse(TableForm->InitialLCDTypedEdit);
    boxes.FinalLCD = TableForm->WaterUse(TableForm->FinalLCDTypedEdit);
    boxes.InitialPeople = BoxInteger(*TableForm->InitialPeopleTypedEdit);
    boxes.FinalPeople = BoxInteger(*TableForm->FinalPeopleTypedEdit);

    // The upstream end's drop flag is cleared by every apply; only the downstream one is chosen.
    network->EditSewer(oldName, boxes.Name, boxes.US, false, boxes.DS, boxes.DSDrop, boxes.Length);
    if (PopRadioGroup->GetItemIndex() == 0)
        network->SetSewerHouses(boxes.Name, boxes.InitialInfiltration, boxes.FinalInfiltration, boxes.Initial,
                                boxes.Final, boxes.InitialPeople, boxes.FinalPeople, boxes.InitialLCD,
                                boxes.FinalLCD);
    else
        network->SetSewerPopulation(boxes.Name, boxes.InitialInfiltration, boxes.FinalInfiltration,
                                    boxes.Initial, boxes.Final, boxes.InitialLCD, boxes.FinalLCD);
    NetworkChanged = true;

    const int junction = JunctionListBox->GetItemIndex();
    RefreshLists();
    SewerListBox->SetItemIndex(sel);
    SewerListBoxClick(this);
    RefreshJunctionList();
    JunctionListBox->SetItemIndex(junction);
    JunctionListBoxClick(this);
}

void TDataEntryForm::ApplyJunctionChangesButtonClick(TObject*) {
    SimpleSewerNetwork* network = FrontForm->Network;
    SewerNode* junction = SelectedJunction();
    if (!network || !junction || applying)
        return;
    const Raised busy(applying);
    const int sel = JunctionListBox->GetItemIndex();
    AnsiString name = TypedName(JunctionNameTypedEdit->GetText());
    const int found = network->JunctionIndex(name);
    const bool taken = found >= 0 && found != sel;
    if (taken)
        ShowError(LoadStr(3003));
    if (taken || !AcceptName(*JunctionNameTypedEdit, 3004, name)) {
        // The junction stays as it was, and the boxes show it so.
        JunctionListBoxClick(this);
        return;
    }
    const double z = shownGroundLevel.Read(*GroundLevelTypedEdit, junction->Z);

    const AnsiString oldName = junction->Name;
    junction->SetName(name);
    junction->Z = z;
    network->RenameJunction(oldName, name);
    NetworkChanged = true;

    const int sewer = SewerListBox->GetItemIndex();
    RefreshLists();
    SewerListBox->SetItemIndex(sewer);
    SewerListBoxClick(this);
    JunctionListBox->SetItemIndex(sel);
    JunctionListBoxClick(this);
}

void TDataEntryForm::AddSewerButtonClick(TObject*) {
    if (!FrontForm->Network)
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *FrontForm->Network;
    int n = 0;
    while (network.SewerIndex("S" + IntToStr(n)) >= 0)
        ++n;
    network.AddSewer("S" + IntToStr(n), "J_up", "J_down", 10.0);
    NetworkChanged = true;
    RefreshLists();
}

void TDataEntryForm::AddJunctionButtonClick(TObject*) {
    if (!FrontForm->Network)
        FrontForm->ReplaceNetwork(std::make_unique<SimpleSewerNetwork>());
    SimpleSewerNetwork& network = *FrontForm->Network;
    int n = 0;
    while (network.JunctionIndex("J" + IntToStr(n)) >= 0)
        ++n;
    network.SetJunctionLevel("J" + IntToStr(n), 0.0);
    NetworkChanged = true;
    RefreshJunctionList();
}

void TDataEntryForm::RemoveSewerButtonClick(TObject*) {
    const Sewer* s = SelectedSewer();
    if (!s)
        return;
    const AnsiString name = s->Name;
    if (Application->MessageBox(LoadStr(3005) + name + "\"?", LoadStr(3006), MB_YESNO | MB_ICONQUESTION) !=
        IDYES)
        return;
    if (FrontForm->Network->DeleteSewer(name) == 0)
        NetworkChanged = true;
    RefreshLists();
}

void TDataEntryForm::RemoveJunctionButtonClick(TObject*) {
    const SewerNode* junction = SelectedJunction();
    if (!junction)
        return;
    if (FrontForm->Network->DeleteJunction(junction->Name) == 0)
        NetworkChanged = true;
    RefreshJunctionList();
}

void TDataEntryForm::SewerListBoxKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key == VK_DELETE && SewerListBox->Items.Count() > 0)
        RemoveSewerButtonClick(this);
}

void TDataEntryForm::JunctionListBoxKeyDown(TObject*, WORD& Key, TShiftState) {
    if (Key == VK_DELETE && JunctionListBox->Items.Count() > 0)
        RemoveJunctionButtonClick(this);
}

void TDataEntryForm::AddSewerPopupClick(TObject*) {
    AddSewerButtonClick(this);
}

void TDataEntryForm::DeleteSewerPopupClick(TObject*) {
    RemoveSewerButtonClick(this);
}

void TDataEntryForm::AddJunctionPopupClick(TObject*) {
    AddJunctionButtonClick(this);
}

void TDataEntryForm::DeleteJunctionPopupClick(TObject*) {
    RemoveJunctionButtonClick(this);
}

void TDataEntryForm::CheckNetworkButtonClick(TObject*) {
    SimpleSewerNetwork* network = FrontForm->Network;
    if (!network)
        return;
    if (FrontForm->DeleteUnusedJunctionsMenu->GetChecked()) {
        if (network->DeleteUnusedJunctions() > 0)
            NetworkChanged = true;
        RefreshJunctionList();
    }
    if (network->CheckNetwork() != 0)
        ShowError(LoadStr(3007));
    else
        Application->MessageBox(LoadStr(3008), LoadStr(3009), Exclamation);
}

void TDataEntryForm::DatumButtonClick(TObject*) {
    // A name box left holding a refused name (another sewer's, say) opens nothing.
    const Sewer* s = SelectedSewer();
    if (!s || TypedName(SewerNameTypedEdit->GetText()) != s->Name)
        return;
    DatumForm->Fill(*s);
    DatumForm->ShowModal();
}

void TDataEntryForm::ReadNetworkButtonClick(TObject* Sender) {
    FrontForm->ReadNetwork1Click(Sender);
}

void TDataEntryForm::Button1Click(TObject*) {
    if (FrontForm->Network)
        FrontForm->Network->BuildSubnets();
}
