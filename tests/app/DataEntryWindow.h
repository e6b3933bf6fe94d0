#pragma once

#include "tests/app/ProgramWindows.h"
#include "tests/support/AnsiStringPrinter.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QListView>
#include <QTest>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

// The main window shown with the tabular editor docked in it, driven as the user drives it.
class DataEntryWindow : public ProgramWindows {
protected:
    void SetUp() override {
        ProgramWindows::SetUp();
        FrontForm->Show();
        FrontForm->View()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(FrontForm->View()));
        FrontForm->DataEntryShowButton->Click();
        QApplication::processEvents();
    }

    // Shows network in the editor, unchanged.
    static void Use(std::unique_ptr<SimpleSewerNetwork> network) {
        FrontForm->ReplaceNetwork(std::move(network));
        DataEntryForm->RefreshLists();
        DataEntryForm->NetworkChanged = false;
        QApplication::processEvents();
        Responder().Clear();
    }

    // A click on the item at row.
    static void ClickItem(TListBox* list, int row) {
        QApplication::processEvents();
        auto* view = static_cast<QListView*>(list->View());
        view->scrollTo(view->model()->index(row, 0));
        const QRect item = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, item.center());
        QApplication::processEvents();
    }

    // A click on the item named name.
    static void Highlight(TListBox* list, const char* name) {
        const int row = list->Items.IndexOf(name);
        ASSERT_GE(row, 0) << name;
        ClickItem(list, row);
    }

    // A right click on the item at row, picking the pop-up item captioned choice ("" for none).
    static void RightClick(TListBox* list, int row, const char* choice) {
        QApplication::processEvents();
        Responder().MenuChoices.push_back(choice);
        auto* view = static_cast<QListView*>(list->View());
        const QPoint at = row >= 0 ? view->visualRect(view->model()->index(row, 0)).center() : QPoint(5, 300);
        QTest::mousePress(view->viewport(), Qt::RightButton, {}, at);
        QContextMenuEvent menu(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &menu);
        QTest::mouseRelease(view->viewport(), Qt::RightButton, {}, at);
        QApplication::processEvents();
    }

    // Types text over the value of box, which keeps the focus.
    static void Type(TTypedEdit* box, const char* text) {
        box->SetFocus();
        QApplication::processEvents();
        box->SelectAll();
        QTest::keyClick(box->View(), Qt::Key_Delete);
        QTest::keyClicks(box->View(), text);
    }

    // Moves the focus on to the sewer list, as a click there would.
    static void Leave() {
        DataEntryForm->SewerListBox->SetFocus();
        QApplication::processEvents();
    }

    static std::vector<std::string> Names(const TListBox* list) {
        std::vector<std::string> names;
        for (int i = 0; i < list->Items.Count(); ++i)
            names.push_back(list->Items[i].str());
        return names;
    }

    // Everything the editor could change in network, numbers at full precision.
    static std::string Snapshot(const SimpleSewerNetwork& network) {
        const auto number = [](double value) {
            char text[32];
            std::snprintf(text, sizeof text, " %.17g", value);
            return std::string(text);
        };
        std::string out = network.Name.str() + number(network.InitialLCD) + number(network.FinalLCD) + "\n";
        for (const Sewer* s : network.Sewers) {
            const FlowCalc& p = s->Population;
            out += s->Name.str() + " " + s->USJunctionName.str() + " " + s->DSJunctionName.str() +
                   number(s->Length) + number(s->InitialInfiltration) + number(s->FinalInfiltration);
            for (const int value : {p.InitialNumberOfHouses, p.FinalNumberOfHouses, p.InitialHousePopulation,
                                    p.FinalHousePopulation, p.InitialPopulation, p.FinalPopulation,
                                    int(p.PopulationEnteredDirectly), int(s->UpstreamEnd->DropJunction),
                                    int(s->DownstreamEnd->DropJunction), int(s->UpstreamEnd->DatumReference),
                                    int(s->UpstreamEnd->AutoDatum)})
                out += " " + std::to_string(value);
            out += number(s->UpstreamEnd->DatumLevel) + "\n";
        }
        for (const SewerNode* j : network.Junctions)
            out += j->Name.str() + number(j->Z) + "\n";
        return out;
    }
};
