#include "tests/app/DataEntryWindow.h"

#include "framework/Application.h"
#include "network/NetworkNames.h"

#include <QRadioButton>

#include <algorithm>
#include <functional>
#include <random>

namespace {

using DataEntryNetwork = DataEntryWindow;

TEST_F(DataEntryNetwork, ANetworkTypedFromNothingIsCheckedSavedAndReadBackUnchanged) {
    for (int i = 0; i < 3; ++i)
        RightClick(DataEntryForm->SewerListBox, -1, "Add Sewer");
    // Two branches joining at MH3, then on to the outfall.
    const struct {
        const char* sewer;
        const char* name;
        const char* us;
        const char* ds;
        const char* length;
        const char* houses;
    } sewers[] = {
        {"S0", "A1", "MH1", "MH3", "35.5", "10"},
        {"S1", "A2", "MH2", "MH3", "40", "12"},
        {"S2", "A3", "MH3", "OUT", "60.25", "4"},
    };
    for (const auto& s : sewers) {
        Highlight(DataEntryForm->SewerListBox, s.sewer);
        Type(DataEntryForm->SewerNameTypedEdit, s.name);
        Type(DataEntryForm->USJunctionTypedEdit, s.us);
        Type(DataEntryForm->DSJunctionTypedEdit, s.ds);
        Type(DataEntryForm->LengthTypedEdit, s.length);
        Type(DataEntryForm->InitialPopTypedEdit, s.houses);
        Type(DataEntryForm->FinalPopTypedEdit, s.houses);
        Leave();
    }
    const std::pair<const char*, const char*> levels[] = {
        {"MH1", "102.5"}, {"MH2", "102"}, {"MH3", "101"}, {"OUT", "100.25"}};
    for (const auto& [junction, level] : levels) {
        Highlight(DataEntryForm->JunctionListBox, junction);
        Type(DataEntryForm->GroundLevelTypedEdit, level);
        Leave();
    }
    Highlight(DataEntryForm->SewerListBox, "A1");
    Responder().ModalActions.push_back([](TForm&) {
        DatumForm->SetDatumCheckBox->SetChecked(true);
        DatumForm->FixDatumCheckBox->SetChecked(true);
        DatumForm->DatumTypedEdit->SetText("101");
        DatumForm->ApplyButton->Click();
    });
    DataEntryForm->DatumButton->Click();
    DataEntryForm->TitleEdit->SetFocus();
    QTest::keyClicks(DataEntryForm->TitleEdit->View(), "Hill estate");
    Responder().Clear();
    DataEntryForm->CheckNetworkButton->Click();
    EXPECT_EQ(Asked(), Texts{"Passed: Network passed check! (48)"});
    // The editor's first two junctions went with the check.
    EXPECT_EQ(Names(DataEntryForm->JunctionListBox), (Texts{"MH1", "MH3", "MH2", "OUT"}));
    EXPECT_EQ(Names(DataEntryForm->SewerListBox), (Texts{"A1", "A2", "A3"}));
    EXPECT_TRUE(DataEntryForm->NetworkChanged);

    const std::string typed = Snapshot(*FrontForm->Network);
    Responder().AnswerFile(Path("hill.snt"));
    FrontForm->Save1->Click();
    EXPECT_FALSE(DataEntryForm->NetworkChanged);
    Read(Path("hill.snt"));
    EXPECT_EQ(Snapshot(*FrontForm->Network), typed);
    EXPECT_EQ(FrontForm->Network->Name, "Hill estate");
    EXPECT_DOUBLE_EQ(FrontForm->Network->GetSewer("A3")->Length, 60.25);

    // Any edit, then quitting: the save is offered first.
    Highlight(DataEntryForm->SewerListBox, "A2");
    Type(DataEntryForm->LengthTypedEdit, "41");
    Responder().Clear();
    Responder().Answer(IDNO);
    Responder().Answer(IDNO);
    FrontForm->Exit1->Click();
    EXPECT_EQ(
        Asked(),
        (Texts{"Network Changed: The network has been changed, do you want to save it before you quit? (36)",
               "Really Quit: Do you really want to quit? (36)"}));
}

TEST_F(DataEntryNetwork, NoSequenceOfClicksKeysAndAnswersBreaksTheEditor) {
    std::mt19937 random(15);
    const auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    const char* const texts[] = {"S1",   "J1", "J_up",        "",  "  ", "S 1", "#S", "X9 ",
                                 "12.5", "0",  "99999999999", "7", "S0", "J0",  "OUT"};
    using Box = TTypedEdit* TDataEntryForm::*;
    const Box boxes[] = {
        &TDataEntryForm::SewerNameTypedEdit,           &TDataEntryForm::LengthTypedEdit,
        &TDataEntryForm::InitialInfiltrationTypedEdit, &TDataEntryForm::USJunctionTypedEdit,
        &TDataEntryForm::DSJunctionTypedEdit,          &TDataEntryForm::InitialPopTypedEdit,
        &TDataEntryForm::JunctionNameTypedEdit,        &TDataEntryForm::GroundLevelTypedEdit};
    const auto clickSome = [&](TListBox* list) {
        if (list->Items.Count() > 0)
            ClickItem(list, pick(list->Items.Count()));
    };
    const std::function<void()> actions[] = {
        [&] { clickSome(DataEntryForm->SewerListBox); },
        [&] { clickSome(DataEntryForm->JunctionListBox); },
        [&] {
            Type(DataEntryForm->*boxes[pick(std::size(boxes))], texts[pick(std::size(texts))]);
            if (pick(2))
                Leave();
        },
        [&] { RightClick(DataEntryForm->SewerListBox, -1, pick(2) ? "Add Sewer" : ""); },
        [&] { RightClick(DataEntryForm->JunctionListBox, -1, "Add junction"); },
        [&] {
            Responder().Answer(pick(2) ? IDYES : IDNO);
            RightClick(DataEntryForm->SewerListBox, -1, "Delete Sewer");
        },
        [&] { QTest::keyClick(DataEntryForm->JunctionListBox->View(), Qt::Key_Delete); },
        [&] { QTest::keyClick(DataEntryForm->SewerListBox->View(), pick(2) ? Qt::Key_Down : Qt::Key_Up); },
        [&] { DataEntryForm->CheckNetworkButton->Click(); },
        [&] {
            const bool apply = pick(2);
            Responder().ModalActions.push_back([apply](TForm&) {
                DatumForm->FixDatumCheckBox->SetChecked(!DatumForm->FixDatumCheckBox->GetChecked());
                (apply ? DatumForm->ApplyButton : DatumForm->CloseButton)->Click();
            });
            DataEntryForm->DatumButton->Click();
            Responder().ModalActions.clear();
        },
        [&] {
            QTest::mouseClick(DataEntryForm->DSDropJunctionCheckBox->View(), Qt::LeftButton, {},
                              QPoint(6, 8));
        },
        [&] {
            const auto radios = DataEntryForm->PopRadioGroup->View()->findChildren<QRadioButton*>();
            QTest::mouseClick(radios[pick(2)], Qt::LeftButton);
        },
        [&] {
            Responder().Answer(IDNO);
            FrontForm->ClearNetwork1->Click();
        },
    };
    std::size_t most = 0;
    for (int step = 0; step < 300; ++step) {
        SCOPED_TRACE(step);
        Responder().Clear();
        CallGuarded(actions[pick(std::size(actions))]);
        QApplication::processEvents();
        if (!FrontForm->Network)
            continue;
        // The lists show the network, and a highlighted item is one of theirs.
        Texts sewers, junctions;
        for (const Sewer* s : FrontForm->Network->Sewers)
            sewers.push_back(s->Name.str());
        for (const SewerNode* j : FrontForm->Network->Junctions)
            junctions.push_back(j->Name.str());
        most = std::max(most, sewers.size());
        ASSERT_EQ(Names(DataEntryForm->SewerListBox), sewers);
        ASSERT_EQ(Names(DataEntryForm->JunctionListBox), junctions);
        ASSERT_LT(DataEntryForm->SewerListBox->GetItemIndex(), static_cast<int>(sewers.size()));
        ASSERT_LT(DataEntryForm->JunctionListBox->GetItemIndex(), static_cast<int>(junctions.size()));
        // Every name can be saved and read back.
        for (const std::string& name : sewers)
            ASSERT_EQ(NameFaultOf(name), nfNone) << name;
        for (const std::string& name : junctions)
            ASSERT_EQ(NameFaultOf(name), nfNone) << name;
    }
    // The run went through networks of several sewers.
    EXPECT_GE(most, 4u);
}

} // namespace
