#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/Menus.h"
#include "tests/support/ScriptedResponder.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// CallGuarded is checked through the typed edit box, ShowMessage through the network check.
TEST(DialogSeam, AMessageBoxIsAskedAndItsAnswerComesBack) {
    Responder().Clear();
    Responder().Answer(IDNO);
    EXPECT_EQ(Application->MessageBox("Really?", "Confirm", MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(Responder().Asked.size(), 1u);
    EXPECT_EQ(Responder().Asked[0].Text, "Really?");
    EXPECT_EQ(Responder().Asked[0].Caption, "Confirm");
    EXPECT_EQ(Responder().Asked[0].Flags, 0x24);
}

// A pop-up menu waits for its answer: the chosen item has run when Popup returns.
TEST(DialogSeam, APopupMenuRunsTheChosenItemBeforeItReturns) {
    Responder().Clear();
    TComponent owner(nullptr);
    auto* menu = new TPopupMenu(&owner);
    std::vector<AnsiString> ran;
    for (const char* caption : {"Delete", "-", "Add", "Hidden"}) {
        auto* item = new TMenuItem(&owner);
        item->SetCaption(caption);
        item->OnClick = [&ran, caption](TObject*) { ran.push_back(caption); };
        menu->Items->Add(item);
    }
    menu->Items->Items(3)->SetVisible(false);
    Responder().MenuChoices = {"Add", "Hidden", ""};
    for (int i = 0; i < 3; ++i)
        menu->Popup(10, 20);
    EXPECT_EQ(ran, std::vector<AnsiString>{"Add"});
    ASSERT_EQ(Responder().MenusShown.size(), 3u);
    EXPECT_EQ(Responder().MenusShown[0], (std::vector<AnsiString>{"Delete", "-", "Add"}));
    Responder().Clear();
}

} // namespace
